#pragma once
#include "forms/Component.h"
#include "core/Services.h"
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

// The longest full path a file dialog hands on, and what it says of a longer typed name.
inline constexpr std::size_t kMaxFullPath = MAX_PATH - 1;
inline constexpr char kTooLongNameCaption[] = "File Name Too Long";
std::string TooLongNameMessage(const std::string& path);
// The full path a name typed in a dialog showing folder stands for (quotes around it dropped).
std::string TypedFullPath(const std::string& folder, std::string typed);
// The names in a typed selection: each quoted name of "a.txt" "b.txt", or the text as it stands.
std::vector<std::string> TypedNames(const std::string& typed);

Service<DialogService>& Dialogs();

} // namespace vd::forms
