#include "dialogs/Readmeform.h"

#include "dialogs/DialogShells.h"
#include "forms/Dpi.h"
#include "resource.h"

namespace vd::dialogs {

namespace {
constexpr int kWidth = 569;
constexpr int kHeight = 408;
constexpr int kStrip = 40; // the bottom strip that holds OK
} // namespace

std::string TfrmReadMe::BuiltInText() {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found =
      FindResourceA(module, MAKEINTRESOURCEA(IDR_README), MAKEINTRESOURCEA(10)); // RT_RCDATA
  if (!found)
    return {};
  HGLOBAL loaded = LoadResource(module, found);
  const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  return data ? std::string(data, SizeofResource(module, found)) : std::string();
}

TfrmReadMe::TfrmReadMe(forms::Component* owner)
    : InfoForm(owner, DialogDesign("TfrmReadMe", "Vellumdesk ReadMe", kWidth, kHeight)) {
  font_ = CreateFontA(forms::FontHeight(13), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      FIXED_PITCH | FF_MODERN, "Courier New");
  forms::Edit::Options text;
  text.multiLine = true;
  text.readOnly = true;
  text.verticalScroll = true;
  memo_ = std::make_unique<forms::Edit>(this, ControlAt(Handle(), 0, 0, kWidth, kHeight - kStrip),
                                        text);
  memo_->SetFont(font_);
  memo_->SetText(BuiltInText());
  btnOK_ = MakeOkButton(*this, (kWidth - 75) / 2, kHeight - kStrip + (kStrip - 25) / 2);
}

TfrmReadMe::~TfrmReadMe() {
  btnOK_.reset();
  memo_.reset();
  if (font_)
    DeleteObject(font_);
}

} // namespace vd::dialogs
