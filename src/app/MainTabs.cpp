// Tabs from the keyboard and the middle button, files dropped from the shell, and several files
// from one Open.
#include "app/Mainform2.h"

#include "core/FileNames.h"
#include "core/TabCycle.h"
#include "forms/Application.h"
#include "forms/MessageBoxes.h"

namespace vd::app {

bool TfrmMain::TakesOutsideInput() const {
  // A modal dialog or message box disables the main window; a lock hides it.
  return !minLocked_ && IsWindowEnabled(Handle());
}

bool TfrmMain::TranslateTabInput(MSG& msg) {
  if (!msg.hwnd || GetAncestor(msg.hwnd, GA_ROOT) != Handle() || !TakesOutsideInput())
    return false;
  if (msg.message == WM_KEYDOWN) {
    // Seen here, before the rich-edit control turns Ctrl+Tab into a tab character.
    const int step = TabStepForKey({VK_TAB, VK_PRIOR, VK_NEXT}, static_cast<unsigned>(msg.wParam),
                                   GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0,
                                   GetKeyState(VK_MENU) < 0);
    if (step == 0)
      return false;
    forms::Guarded([&] { CycleTabs(step); });
    return true;
  }
  if (msg.message == WM_MBUTTONUP && msg.hwnd == pageControl_->Handle()) {
    TCHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
    const int index = static_cast<int>(
        SendMessageA(pageControl_->Handle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (index < 0)
      return false;
    forms::Guarded([&] { CloseTabAt(index); });
    return true;
  }
  return false;
}

void TfrmMain::CycleTabs(int step) {
  const int next = CycledTab(ActiveIndex(), DocumentCount(), step);
  if (next < 0)
    return;
  pageControl_->SetActivePageIndex(next);
  ActiveEditor().SetFocus();
  ShowCaretPosition();
}

void TfrmMain::CloseTabAt(int index) {
  if (index < 0 || index >= DocumentCount())
    return;
  // Close works on the active tab and asks about its changes; the tab shows while it asks.
  pageControl_->SetActivePageIndex(index);
  fileCloseClick();
}

void TfrmMain::OpenFiles(const std::vector<std::string>& paths) {
  // Each on its own, so that one refused file neither stops nor hides the rest.
  for (const std::string& path : paths)
    forms::Guarded([&] { OpenFileInNewTab(path); });
}

void TfrmMain::FilesDropped(HDROP drop) {
  std::vector<std::string> names;
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileA(drop, i, nullptr, 0);
    std::string name(length, '\0');
    DragQueryFileA(drop, i, name.data(), length + 1);
    names.push_back(std::move(name));
  }
  // Released before any message box runs its own loop.
  DragFinish(drop);
  if (!TakesOutsideInput())
    return;
  OpenDroppedPaths(names);
}

void TfrmMain::OpenDroppedPaths(const std::vector<std::string>& paths) {
  std::vector<std::string> files, folders;
  for (const std::string& path : paths) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const bool folder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    (folder ? folders : files).push_back(path);
  }
  OpenFiles(files);
  if (!folders.empty())
    forms::ShowMessageBox(FoldersNotOpenedMessage(folders), "Open Error", forms::kMbOk);
}

} // namespace vd::app
