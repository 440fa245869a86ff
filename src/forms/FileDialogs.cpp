#include "forms/FileDialogs.h"

#include "core/FileNames.h"
#include "core/TextFormat.h"
#include "forms/LateBound.h"
#include "forms/MessageBoxes.h"

#include <commdlg.h>

#include <cstring>

namespace vd::forms {

std::string TooLongNameMessage(const std::string& path) {
  return FileMessage(path, "has too long a name.  A full path can have at most " +
                               std::to_string(kMaxFullPath) + " characters.");
}

std::string TypedFullPath(const std::string& folder, std::string typed) {
  if (typed.size() >= 2 && typed.front() == '"' && typed.back() == '"')
    typed = typed.substr(1, typed.size() - 2);
  const bool drive = typed.size() >= 2 && typed[1] == ':';
  const bool rooted = !typed.empty() && (typed[0] == '\\' || typed[0] == '/');
  if (drive || folder.empty())
    return typed;
  if (rooted)
    return folder.substr(0, folder.size() >= 2 && folder[1] == ':' ? 2 : 0) + typed;
  return folder + (folder.ends_with('\\') ? "" : "\\") + typed;
}

std::vector<std::string> TypedNames(const std::string& typed) {
  std::vector<std::string> names;
  for (size_t open = typed.find('"'); open != std::string::npos;) {
    const size_t close = typed.find('"', open + 1);
    if (close == std::string::npos)
      break;
    names.push_back(typed.substr(open + 1, close - open - 1));
    open = typed.find('"', close + 1);
  }
  if (names.size() < 2)
    return {typed};
  return names;
}

namespace {

// Wine's dialog copies the full path of a typed name into a buffer of MAX_PATH characters of its
// own and brings the process down past it, before any notice reaches the program. So the dialog
// is subclassed and its OK command checked first; no longer name could be opened anyway.
const char kOriginalProc[] = "VdFileDialogProc";

std::string DialogText(HWND dialog, UINT message) {
  std::string text(32768, '\0');
  const LRESULT n =
      SendMessageA(dialog, message, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(n > 0 ? std::strlen(text.c_str()) : 0);
  return text;
}

LRESULT CALLBACK CheckedDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  const auto original = reinterpret_cast<WNDPROC>(GetPropA(dialog, kOriginalProc));
  if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
    // Several files chosen at once come as "a.txt" "b.txt": each name is checked on its own.
    const std::string folder = DialogText(dialog, CDM_GETFOLDERPATH);
    for (const std::string& typed : TypedNames(DialogText(dialog, CDM_GETSPEC))) {
      const std::string full = TypedFullPath(folder, typed);
      if (full.size() > kMaxFullPath) {
        ShowMessageBox(TooLongNameMessage(full), kTooLongNameCaption, kMbOk);
        return 0;
      }
    }
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    RemovePropA(dialog, kOriginalProc);
  }
  return CallWindowProcA(original, dialog, msg, wParam, lParam);
}

UINT_PTR CALLBACK FileDialogHook(HWND hookDialog, UINT msg, WPARAM, LPARAM) {
  if (msg == WM_INITDIALOG) {
    HWND dialog = GetParent(hookDialog);
    const LONG_PTR original =
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CheckedDialogProc));
    SetPropA(dialog, kOriginalProc, reinterpret_cast<HANDLE>(original));
  }
  return 0;
}

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
    ofn.Flags = d.options | OFN_EXPLORER | OFN_ENABLEHOOK;
    ofn.lpfnHook = &FileDialogHook;
    using Run = decltype(&GetOpenFileNameA);
    static const Run open = LateBound<Run>("comdlg32.dll", "GetOpenFileNameA");
    static const Run save = LateBound<Run>("comdlg32.dll", "GetSaveFileNameA");
    const BOOL ok = (d.kind == FileDialog::Kind::Open ? open : save)(&ofn);
    if (!ok)
      return false;
    StoreChosenNames(d, name);
    d.filterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
  }
};

} // namespace

Service<DialogService>& Dialogs() {
  static RealDialogs real;
  static Service<DialogService> slot(real);
  return slot;
}

bool FileDialog::Execute(HWND owner) {
  fileNames.clear();
  return Dialogs().Get().RunFileDialog(*this, owner);
}

std::vector<std::string> FileDialog::ChosenFiles() const {
  if (!fileNames.empty())
    return fileNames;
  return {fileName};
}

} // namespace vd::forms
