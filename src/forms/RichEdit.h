#pragma once
#include "core/Colour.h"
#include "forms/Control.h"
#include "forms/KeyShift.h"
#include "forms/SafeFile.h" // the messages LoadFromFile and SaveToFile throw
#include "forms/Win.h"

#include <commdlg.h> // FR_DOWN, FR_WHOLEWORD, FR_MATCHCASE (the FT_ names are the same values)
#include <richedit.h>
// commdlg.h maps FindText to FindTextA; the editor's method keeps its name in every unit.
#ifdef FindText
#undef FindText
#endif

#include <exception>
#include <functional>
#include <string>
#include <string_view>

namespace vd::forms {

class PrintTarget;
class TextSource;

// The editor's font: face, size in points, style and colour (a vd::Colour, which may name a
// system colour).
struct FontSpec {
  std::string name = "Courier New";
  int size = 10;
  bool bold = false;
  bool italic = false;
  Colour colour = 0;
  bool operator==(const FontSpec&) const = default;
};

// The rich-edit control of the 1.0 interface (class "RICHEDIT", riched32.dll) used as a plain-text
// editor. Every index is in the 1.0 counting, where a line break is CR LF, two characters.
// Text the wrapper puts into the control has CR LF breaks only (lone LF and CR are made CR LF),
// and text it writes to a file has CR LF breaks whatever the control holds.
class RichEdit : public Control {
public:
  RichEdit(Component* owner, const ControlArgs& args);

  std::string AllText() const;            // streamed out as plain text
  void SetAllText(std::string_view text); // streamed in; no undo; modified flag kept
  long TextLength() const;                // 1.0 characters (CR LF = 2)

  CHARRANGE Selection() const;
  void SetSelection(long start, long end);
  long SelLength() const;
  std::string SelectedText() const;
  void ReplaceSelection(std::string_view text, bool canUndo); // EM_REPLACESEL

  // Replaces [start, end) with text as one edit without an undo record (the undo buffer is
  // emptied, as EM_REPLACESEL without undo does), repaint suspended, caret after the new text,
  // modified flag set as typing sets it.
  // Wine's control deletes a large range in time that grows faster than its length: see
  // RichEditBench for the ways measured. A large replacement streams the whole new text into a
  // fresh control, which takes the old one's place only once it holds all of it; progress, when
  // given, hears that stream as LoadFromFile's does, and answering false cancels it: the editor
  // is left exactly as it was (text, selection, undo, modified flag) and LoadCancelled thrown.
  using LoadProgress = std::function<bool(long long done, long long total)>;
  void ReplaceRange(long start, long end, std::string_view text,
                    const LoadProgress* progress = nullptr);

  long LineFromChar(long index) const;
  long LineIndex(long line) const; // -1 = the caret's line; -1 back for a line that does not exist
  long LineCount() const;
  void ScrollCaret();

  bool Modified() const;
  void SetModified(bool modified);
  bool CanUndo() const;
  void Undo();
  void Cut();
  void Copy();
  // Pastes the clipboard's plain text (CF_TEXT) over the selection, lone breaks made CR LF, in
  // the editor's font whatever the clipboard carried; the caret ends after the pasted text.
  void Paste();
  void SelectAll();

  // EM_FINDTEXT forward over [start, end) (end -1: to the end); -1 when not found.
  long FindText(std::string_view pattern, long start, long end, bool wholeWord,
                bool matchCase) const;

  // The whole text's and the default character format. Font() gives back what was set.
  void SetFontSpec(const FontSpec& font);
  FontSpec Font() const { return font_; }
  void SetBackgroundColour(Colour c);
  Colour BackgroundColour() const { return background_; }
  void SetWordWrap(bool on);
  bool WordWrap() const { return wordWrap_; }

  // Files: see docs/architecture.md, "The editor wrapper and file I/O". Both throw forms::Error
  // with a message naming the file. A failed load leaves the control as it was when the failure
  // is found before any text reaches it, and empty otherwise; a failed save leaves the old file
  // byte for byte and touches nothing else.
  // progress, when given, hears how many of the text's bytes have streamed in, every few
  // kilobytes; answering false cancels the load, which then leaves the control empty and throws
  // LoadCancelled.
  void LoadFromFile(const std::string& path, const LoadProgress& progress = {});
  void SaveToFile(const std::string& path);

  // Prints the whole text as one job with the given title, laid out by the control itself over
  // each page's whole printable area, a new page whenever one is full (Printing.cpp).
  void Print(PrintTarget& target, const std::string& title);

  std::function<void()> OnEnter;
  std::function<void()> OnSelectionChange;
  std::function<void(WPARAM key, unsigned shift)> OnKeyUp;
  std::function<void(int button, unsigned shift, int x, int y)> OnMouseDown;
  std::function<void(POINT screen)> OnContextMenu;
  std::function<void()> OnChange;

  bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  friend class RichEditBench;
  // The control's own stream operations on bytes as they are; the stream's error code back.
  DWORD StreamIn(std::string_view bytes, UINT format);
  DWORD StreamOut(std::string& out, UINT format) const;
  // The frame of every bulk replacement of [start, end): notices off, no undo record, the caret
  // after the new text, the modified flag set. `how` replaces the range [from, to) (the clamped
  // selection) by the normalised text and answers the stream's error code.
  using ReplaceWay = std::function<DWORD(long from, long to, const std::string& normal)>;
  void ReplaceRangeUsing(long start, long end, std::string_view text, const ReplaceWay& how);
  void ApplyCharFormat(WPARAM scope) const;
  // Repaint and the control's notices off for one bulk edit; one change and one selection
  // event when it ends.
  struct QuietEdit {
    explicit QuietEdit(RichEdit& e);
    ~QuietEdit();
    QuietEdit(const QuietEdit&) = delete;
    QuietEdit& operator=(const QuietEdit&) = delete;
    RichEdit& editor;
  };
  static constexpr LPARAM kEventMask = ENM_CHANGE | ENM_SELCHANGE;

  void ApplySettings();
  // Plain text (CR LF breaks only) streamed in as the whole text, laid out as few times as
  // the control allows; see docs/architecture.md, "Loading large texts".
  DWORD StreamInText(std::string_view text, const LoadProgress* progress = nullptr);
  DWORD StreamInText(TextSource& source, long long size, std::string_view start,
                     const LoadProgress* progress);
  // A file that begins as rich text, read whole (the rich-text checks need all of it).
  void LoadRichTextFile(const std::string& path, const LoadProgress& progress);
  // The frame of a load into the emptied control: `fill` streams the text in, sets the number
  // of characters the control must then hold (fewer: it could not hold the file) and answers
  // the stream's error code.
  void FillFromFile(const std::string& path, const std::function<DWORD(long& expected)>& fill);
  void Clear();
  // A fresh window made inside a quiet edit: the editor's settings, repaint and notices off.
  void SetUpFreshWindow();
  // The whole text replaced by `whole` (CR LF breaks only) in a fresh control; see ReplaceRange.
  DWORD StreamIntoFreshWindow(std::string_view whole, const LoadProgress* progress);
  std::string TextRange(long start, long end) const;
  void DeleteInSlices(long start, long end);
  // Edits of more characters than this empty the control and stream the whole text in (Clear).
  static constexpr long kLarge = 64 * 1024;
  wchar_t CharAt(long index) const;
  void SetRedraw(bool on);

  FontSpec font_;
  Colour background_ = kColourWindowBackground;
  bool wordWrap_ = true;
};

inline constexpr char kFailedToLoadStream[] = "Failed to Load Stream";

// The editor's own stream error codes, for when its progress callback cancels and when a file
// cannot be read; any non-zero answer stops a stream.
inline constexpr DWORD kStreamCancelled = 0xCA9CE1;
inline constexpr DWORD kStreamUnreadable = 0xBADF11E;

// A load the user cancelled: nothing to show, nothing was loaded.
struct LoadCancelled : std::exception {
  const char* what() const noexcept override { return "The load was cancelled"; }
};

inline constexpr char kFailedToSaveStream[] = "Failed to Save Stream";

} // namespace vd::forms
