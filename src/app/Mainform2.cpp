#include "app/Mainform2.h"

#include "forms/Application.h"

namespace vd::app {

namespace {
forms::FormDesign MainDesign() {
  forms::FormDesign d;
  d.className = TfrmMain::kClassName;
  d.caption = TfrmMain::kCaption;
  d.left = 268;
  d.top = 124;
  d.width = 710;
  d.height = 506;
  d.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  return d;
}
} // namespace

TfrmMain::TfrmMain(forms::Component* owner) : Form(owner, MainDesign()) {}

void TfrmMain::CloseRequested() { forms::Application::Instance().Terminate(); }

} // namespace vd::app
