// Documents and the file commands: New, Open, Save, Save As, Close, and the recent-files list.
#include "app/Mainform2.h"
#include "app/TextCompare.h"

#include "forms/Application.h"
#include "forms/MessageBoxes.h"

namespace vd::app {

namespace {
// A stream into an editor (an open, a tool's result) that takes longer than this shows its
// progress and can be cancelled with Esc.
constexpr ULONGLONG kProgressAfterMs = 500;
constexpr ULONGLONG kProgressEveryMs = 100;

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
} // namespace

int TfrmMain::ActiveIndex() const { return pageControl_->ActivePageIndex(); }

forms::RichEdit& TfrmMain::ActiveEditor() {
  const int i = ActiveIndex();
  return Editor(i >= 0 && i < DocumentCount() ? i : 0);
}

std::vector<std::string> TfrmMain::DocumentPaths() const {
  std::vector<std::string> paths;
  for (const auto& d : documents_)
    paths.push_back(d.path);
  return paths;
}

TfrmMain::Document& TfrmMain::AppendDocument(const std::string& caption) {
  forms::TabSheet& page = pageControl_->AddPage(caption);
  try {
    documents_.push_back(Document{&page, ConfigureEditor(page), std::string()});
  } catch (...) {
    pageControl_->RemovePage(pageControl_->PageCount() - 1);
    throw;
  }
  return documents_.back();
}

void TfrmMain::RemoveDocument(int index) {
  documents_.erase(documents_.begin() + index); // the editor goes before its page
  pageControl_->RemovePage(index);
}

std::unique_ptr<forms::RichEdit> TfrmMain::ConfigureEditor(forms::TabSheet& page) {
  forms::ControlArgs a;
  a.parent = page.Handle();
  auto editor = std::make_unique<forms::RichEdit>(this, a);
  page.Layout();
  editor->SetFontSpec(fontDialog_.font);
  editor->SetBackgroundColour(shapeBackgroundColor_->BrushColour());
  editor->SetWordWrap(optionsWordWrap().Checked());
  editor->OnEnter = [this] { MemoEnter(); };
  editor->OnSelectionChange = [this] { ShowCaretPosition(); };
  editor->OnKeyUp = [this](WPARAM, unsigned) { ShowCaretPosition(); };
  editor->OnMouseDown = [this](int, unsigned, int, int) { ShowCaretPosition(); };
  editor->OnContextMenu = [this](POINT p) { popupRightClick_->Popup(p.x, p.y, Handle()); };
  return editor;
}

void TfrmMain::fileNewClick() {
  Document& d = AppendDocument("Untitled" + std::to_string(untitledCounter_ + 1));
  ++untitledCounter_;
  saveDialog_.fileName.clear();
  pageControl_->SetActivePageIndex(DocumentCount() - 1);
  d.editor->SetModified(false);
  d.editor->SetFocus();
}

void TfrmMain::fileOpenClick() {
  openDialog_.fileName.clear();
  if (!openDialog_.Execute(Handle()))
    return;
  OpenFiles(openDialog_.ChosenFiles());
}

bool TfrmMain::IsAlreadyOpen(const std::string& path) const {
  for (const auto& d : documents_)
    if (SameTextIgnoringCase(d.path, path))
      return true;
  return false;
}

void TfrmMain::OpenFileInNewTab(const std::string& path) {
  if (IsAlreadyOpen(path)) {
    forms::ShowMessageBox("File " + path + " is already open.", "Open Error", forms::kMbOk);
    return;
  }
  const std::string name = FileNamePart(path);
  Document& d = AppendDocument(name);
  bool loaded = false;
  try {
    loaded = RunStreaming("Opening " + name, [&](const forms::RichEdit::LoadProgress& progress) {
      d.editor->LoadFromFile(path, progress);
    });
  } catch (...) {
    // No tab may stay behind without its path and editor.
    RemoveDocument(DocumentCount() - 1);
    throw;
  }
  if (!loaded) { // cancelled: as if never asked, no tab, no history entry
    RemoveDocument(DocumentCount() - 1);
    return;
  }
  // The editor had the font before the text came in (ConfigureEditor): no second layout.
  d.path = path;
  saveDialog_.fileName = path;
  AddToFileHistory(path);
  pageControl_->SetActivePageIndex(DocumentCount() - 1);
  d.editor->SetModified(false);
  d.editor->SetFocus();
}

bool TfrmMain::RunStreaming(const std::string& label, const StreamingWork& work) {
  const ULONGLONG started = GetTickCount64();
  ULONGLONG shown = 0;
  auto progress = [&](long long done, long long total) {
    const ULONGLONG now = GetTickCount64();
    if (now - started < kProgressAfterMs)
      return true;
    if (shown == 0 || now - shown >= kProgressEveryMs) {
      const long long percent = total > 0 ? done * 100 / total : 100;
      statusbar_->SetPanelText(0, label + ": " + std::to_string(percent) + "%");
      shown = now;
    }
    return !forms::Application::Instance().PumpPaintsAndEscape();
  };
  auto ended = [&] {
    streaming_ = false;
    if (shown)
      statusbar_->SetPanelText(0, forms::Application::Instance().Hint());
    if (closeAfterStream_) { // asked for meanwhile: now it may go ahead
      closeAfterStream_ = false;
      PostMessageA(Handle(), WM_CLOSE, 0, 0);
    }
  };
  streaming_ = true;
  try {
    work(progress);
  } catch (const forms::LoadCancelled&) {
    ended();
    return false;
  } catch (...) {
    ended();
    throw;
  }
  ended();
  return true;
}

void TfrmMain::SaveEditorTo(int index, const std::string& path) {
  forms::RichEdit& editor = Editor(index);
  editor.SaveToFile(path); // throws, with nothing changed, when the write fails
  editor.SetModified(false);
}

void TfrmMain::fileSaveClick() {
  const int i = ActiveIndex();
  if (documents_[static_cast<size_t>(i)].path.empty()) {
    fileSaveAsClick();
    return;
  }
  SaveEditorTo(i, documents_[static_cast<size_t>(i)].path);
}

void TfrmMain::fileSaveAsClick() {
  saveDialog_.title = "Save As";
  std::string chosen;
  while (true) {
    if (!saveDialog_.Execute(Handle()))
      return;
    chosen = saveDialog_.fileName;
    if (!FileExists(chosen))
      break;
    const int answer = forms::ShowMessageBox(
        "File " + chosen + " already exists.  Would you like to overwrite this file?",
        "Replace Existing File?", forms::kMbYesNoCancel);
    if (answer == forms::kIdYes)
      break;
    if (answer == forms::kIdCancel)
      return;
  }
  const int i = ActiveIndex();
  SaveEditorTo(i, chosen);
  pageControl_->SetCaption(i, FileNamePart(chosen));
  documents_[static_cast<size_t>(i)].path = chosen;
  AddToFileHistory(chosen);
}

void TfrmMain::fileCloseClick() {
  if (ActiveEditor().Modified()) {
    const int answer =
        forms::ShowMessageBox("The current file has changed.  Would you like to save changes?",
                              "File Has Changed", forms::kMbYesNoCancel);
    if (answer == forms::kIdCancel)
      return;
    // A cancelled Save As still closes, unsaved, as asked. A save that failed (its error has
    // been shown) keeps the Document open: closing it would lose the text.
    if (answer == forms::kIdYes && !forms::Guarded([this] { fileSaveClick(); }))
      return;
  }
  RemoveDocument(ActiveIndex());
  if (DocumentCount() == 0)
    fileNewClick();
  else
    ActiveEditor().SetFocus();
}

void TfrmMain::AddToFileHistory(const std::string& path) {
  history_.Add(path);
  RebuildReopenMenu();
}

void TfrmMain::RebuildReopenMenu() {
  fileReopen_->Clear();
  for (const std::string& entry : history_.Entries())
    fileReopen_->Add(entry, {}, {}, [this](forms::MenuItem& item) { ReopenItemClick(item); });
  fileReopen_->AddSeparator();
  fileReopen_->Add("Remove Obsolete", {}, {}, [this](forms::MenuItem&) { RemoveObsoleteClick(); });
  fileReopen_->Add("Remove All", {}, {}, [this](forms::MenuItem&) { RemoveAllClick(); });
}

void TfrmMain::ReopenItemClick(forms::MenuItem& sender) {
  // Copied: opening rebuilds the menu, which destroys the item.
  const std::string path = sender.Caption();
  if (!FileExists(path)) {
    forms::ShowMessageBox("File " + path +
                              " no longer exists.  Use 'Remove Obsolete' to get rid of old files.",
                          "Open Error", forms::kMbOk);
    return;
  }
  OpenFileInNewTab(path);
}

void TfrmMain::RemoveObsoleteClick() {
  history_.RemoveObsolete(FileExists);
  RebuildReopenMenu();
}

void TfrmMain::RemoveAllClick() {
  history_.Clear();
  RebuildReopenMenu();
}

void TfrmMain::ShowCaretPosition() {
  if (documents_.empty())
    return;
  forms::RichEdit& e = ActiveEditor();
  const long end = e.Selection().cpMax;
  const long line = e.LineFromChar(end);
  const long column = end - e.LineIndex(-1);
  statusbar_->SetPanelText(1, std::to_string(line + 1) + ", " + std::to_string(column + 1));
}

void TfrmMain::MemoEnter() {
  ShowCaretPosition();
  if (!firstEnterDone_ && !documents_.empty()) {
    ActiveEditor().SetModified(false);
    firstEnterDone_ = true;
  }
}

} // namespace vd::app
