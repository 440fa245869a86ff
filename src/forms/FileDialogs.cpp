#include "forms/FileDialogs.h"

#include "core/FileNames.h"

#include <commdlg.h>

namespace vd::forms {

namespace {

// A dialog that allows several files returns a folder and names in one NUL-separated list.
void StoreChosenNames(FileDialog& d, const std::vector<char>& buffer) {
  if (!(d.options & OFN_ALLOWMULTISELECT)) {
    d.fileName = buffer.data();
    return;
  }
  d.fileNames = SplitChosenFileNames(std::string_view(buffer.data(), buffer.size()));
  d.fileName = d.fileNames.empty() ? std::string() : d.fileNames.back();
}

class RealDialogs final : public DialogService {
public:
  bool RunFileDialog(FileDialog& d, HWND owner) override {
    // The filter is pairs of NUL-terminated strings ending with an empty one.
    std::string filter;
    for (const auto& [description, patterns] : d.filters) {
      filter += description;
      filter.push_back('\0');
      filter += patterns;
      filter.push_back('\0');
    }
    filter.push_back('\0');
    std::vector<char> name(32768, '\0');
    d.fileName.copy(name.data(), std::min(d.fileName.size(), name.size() - 1));
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(d.filterIndex);
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrInitialDir = d.initialDir.empty() ? nullptr : d.initialDir.c_str();
    ofn.lpstrTitle = d.title.empty() ? nullptr : d.title.c_str();
    ofn.lpstrDefExt = d.defaultExt.empty() ? nullptr : d.defaultExt.c_str();
    ofn.Flags = d.options | OFN_EXPLORER;
    const BOOL ok = d.kind == FileDialog::Kind::Open ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    if (!ok) return false;
    StoreChosenNames(d, name);
    d.filterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
  }
};

RealDialogs gReal;
DialogService* gCurrent = &gReal;

} // namespace

DialogService& Dialogs() { return *gCurrent; }
void SetDialogService(DialogService* service) { gCurrent = service ? service : &gReal; }

bool FileDialog::Execute(HWND owner) {
  fileNames.clear();
  return Dialogs().RunFileDialog(*this, owner);
}

std::vector<std::string> FileDialog::ChosenFiles() const {
  if (!fileNames.empty()) return fileNames;
  return {fileName};
}

} // namespace vd::forms
