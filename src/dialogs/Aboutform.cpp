#include "dialogs/Aboutform.h"

#include "dialogs/DialogShells.h"
#include "forms/Dpi.h"
#include "Version.h"
#include "resource.h"

namespace vd::dialogs {

namespace {
constexpr const char* kLabels[5] = {
    VD_PROGRAM_TITLE " ",
    "Windows 95/98/2000/NT/ME/XP", // kept on purpose: the label the program has always shown
    "Copyright (C) The Vellumdesk developers",
    "https://www.vellumdesk.example/",
    "Questions: help@vellumdesk.example\nBug reports: bugs@vellumdesk.example",
};

constexpr char kPassingOn[] =
    "Vellumdesk is free. You may copy it and give it to anyone, on a disk, by e-mail or from "
    "your own web site, as long as you pass it on whole and unchanged and ask nothing for it.";
constexpr char kBuilt[] =
    "Vellumdesk is written in C++ straight on the Windows API, with nothing beneath it but "
    "Windows itself. Thanks to everyone who tried the earlier versions and told us what they "
    "missed: most of this version came from your letters.";

HFONT LabelFont() {
  LOGFONTA lf{};
  GetObjectA(forms::DefaultGuiFont(), sizeof lf, &lf);
  lf.lfHeight = forms::FontHeight(13);
  return CreateFontIndirectA(&lf);
}
} // namespace

TfrmAbout::TfrmAbout(forms::Component* owner)
    : InfoForm(owner, DialogDesign("TfrmAbout", "About Vellumdesk", 353, 401)) {
  icon_ = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_VELLUMDESK),
                                        IMAGE_ICON, forms::Scale(32), forms::Scale(32), 0));
  font_ = LabelFont();

  forms::ControlArgs frame = ControlAt(Handle(), 8, 8, 50, 50);
  frame.style = SS_SUNKEN;
  frame_ = std::make_unique<forms::Control>(this, "STATIC", frame);
  forms::ControlArgs image = ControlAt(Handle(), 17, 17, 32, 32);
  image.style = SS_ICON | SS_REALSIZECONTROL;
  image_ = std::make_unique<forms::Control>(this, "STATIC", image);
  if (icon_)
    SendMessageA(image_->Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);

  const int tops[5] = {8, 30, 52, 74, 96};
  for (size_t i = 0; i < labels_.size(); ++i) {
    const int height = i == 4 ? 36 : 18;
    labels_[i] = std::make_unique<forms::Label>(
        this, ControlAt(Handle(), 72, tops[i], 273, height, kLabels[i]), true);
    labels_[i]->SetFont(font_);
  }

  group_ = std::make_unique<forms::GroupBox>(
      this, ControlAt(Handle(), 8, 148, 337, 204, "More Information"));
  paragraph1_ =
      std::make_unique<forms::Label>(this, ControlAt(Handle(), 20, 172, 313, 64, kPassingOn), true);
  paragraph2_ =
      std::make_unique<forms::Label>(this, ControlAt(Handle(), 20, 244, 313, 96, kBuilt), true);

  btnOK_ = MakeOkButton(*this, 139, 364);
}

TfrmAbout::~TfrmAbout() {
  // The controls go first, then what they were drawing with.
  btnOK_.reset();
  paragraph2_.reset();
  paragraph1_.reset();
  group_.reset();
  for (auto& l : labels_)
    l.reset();
  image_.reset();
  frame_.reset();
  if (font_)
    DeleteObject(font_);
  if (icon_)
    DestroyIcon(icon_);
}

} // namespace vd::dialogs
