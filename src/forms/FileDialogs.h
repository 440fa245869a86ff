#pragma once
#include "forms/Component.h"
#include "forms/Win.h"

#include <commdlg.h>

#include <string>
#include <utility>
#include <vector>

namespace vd::forms {

// An Open or Save common dialog and the state it keeps between uses (file name, initial
// directory, chosen filter).
class FileDialog : public Component {
public:
  enum class Kind { Open, Save };
  FileDialog(Component* owner, Kind kind) : Component(owner), kind(kind) {}

  Kind kind;
  std::vector<std::pair<std::string, std::string>> filters; // description, patterns
  int filterIndex = 1;                                      // 1-based, as the dialog counts
  std::string defaultExt;                                   // without the dot
  std::string initialDir;
  std::string fileName;
  std::string title;
  DWORD options = 0; // OFN_ flags
  // With OFN_ALLOWMULTISELECT, every file chosen in the dialog's order, fileName then being the
  // last; a service that answers with fileName alone leaves it empty.
  std::vector<std::string> fileNames;

  // Runs the dialog through the dialog service; true when the user chose a file, which is then
  // in fileName.
  bool Execute(HWND owner);
  // What the last Execute chose: fileNames when the service filled it, else fileName.
  std::vector<std::string> ChosenFiles() const;
};

// The common dialogs go through this service, so that a test can answer them.
class DialogService {
public:
  virtual ~DialogService() = default;
  virtual bool RunFileDialog(FileDialog& dialog, HWND owner) = 0;
};

DialogService& Dialogs();
void SetDialogService(DialogService* service); // nullptr: the real dialogs

} // namespace vd::forms
