#include "forms/RichEdit.h"

#include "core/TextFormat.h"
#include "forms/Application.h"
#include "forms/Errors.h"
#include "forms/StdControls.h" // ToColorRef
#include "forms/TextLoad.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

namespace vd::forms {

namespace {

// The 1.0 interface lives in riched32.dll; its class is registered when the library loads.
const char* RichEditClass() {
  static const bool loaded = LoadLibraryA("riched32.dll") != nullptr;
  if (!loaded)
    throw Error("Cannot load the rich-edit control (riched32.dll)");
  return "RICHEDIT";
}

// Room the control offers for text: the largest limit EM_EXLIMITTEXT takes.
constexpr LPARAM kTextLimit = 0x7FFFFFFE;

} // namespace

RichEdit::RichEdit(Component* owner, const ControlArgs& args)
    : Control(owner, RichEditClass(), [&] {
        ControlArgs a = args;
        a.style |= WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_WANTRETURN |
                   ES_AUTOVSCROLL | ES_AUTOHSCROLL;
        return a;
      }()) {
  ApplySettings();
  SetModified(false);
}

void RichEdit::ApplySettings() {
  // The default limit (64K, 32K for typing) would cut a long file or a long paste.
  SendMessageA(Handle(), EM_EXLIMITTEXT, 0, kTextLimit);
  SendMessageA(Handle(), EM_SETEVENTMASK, 0, kEventMask);
  SetFontSpec(font_);
  SetBackgroundColour(background_);
  SetWordWrap(wordWrap_);
}

// Wine's control sends its change and selection notices after every piece of a bulk edit, and
// working them out costs more than the edit (emptying 1 MB of short lines: minutes with them, a
// quarter of a second without). A bulk edit runs with the notices off and tells of itself once.
RichEdit::QuietEdit::QuietEdit(RichEdit& e) : editor(e) {
  editor.SetRedraw(false);
  SendMessageA(editor.Handle(), EM_SETEVENTMASK, 0, 0);
}
RichEdit::QuietEdit::~QuietEdit() {
  SendMessageA(editor.Handle(), EM_SETEVENTMASK, 0, kEventMask);
  editor.SetRedraw(true);
  Guarded([&] {
    if (editor.OnChange)
      editor.OnChange();
    if (editor.OnSelectionChange)
      editor.OnSelectionChange();
  });
}

std::string RichEdit::AllText() const {
  std::string out;
  out.reserve(static_cast<std::size_t>(std::max(0L, TextLength())));
  if (StreamOut(out, SF_TEXT) != 0)
    throw Error(kFailedToSaveStream);
  return out;
}

void RichEdit::SetAllText(std::string_view text) {
  const std::string normal = NormaliseLineBreaks(text);
  const bool modified = Modified();
  DWORD err = 0;
  {
    QuietEdit quiet(*this);
    Clear();
    err = StreamInText(normal);
    SendMessageA(Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
    SetModified(modified);
  }
  if (err != 0)
    throw Error(kFailedToLoadStream);
}

long RichEdit::TextLength() const {
  return static_cast<long>(SendMessageA(Handle(), WM_GETTEXTLENGTH, 0, 0));
}

CHARRANGE RichEdit::Selection() const {
  CHARRANGE r{};
  SendMessageA(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  // Wine's 1.0 control lets a selection take in its final paragraph mark, two characters past
  // the text; the text ends where TextLength says.
  const long len = TextLength();
  r.cpMin = std::min(r.cpMin, len);
  r.cpMax = std::min(r.cpMax, len);
  return r;
}

void RichEdit::SetSelection(long start, long end) {
  CHARRANGE r{start, end};
  SendMessageA(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

long RichEdit::SelLength() const {
  const CHARRANGE r = Selection();
  return r.cpMax - r.cpMin;
}

std::string RichEdit::SelectedText() const {
  const long n = SelLength();
  if (n <= 0)
    return {};
  // Room for two bytes a character, should the code page need them.
  std::string s(static_cast<std::size_t>(n) * 2 + 1, '\0');
  const LRESULT got = SendMessageA(Handle(), EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<std::size_t>(std::max<LRESULT>(0, got)));
  return s;
}

void RichEdit::ReplaceSelection(std::string_view text, bool canUndo) {
  const std::string normal = NormaliseLineBreaks(text);
  SendMessageA(Handle(), EM_REPLACESEL, canUndo ? TRUE : FALSE,
               reinterpret_cast<LPARAM>(normal.c_str()));
}

void RichEdit::ReplaceRange(long start, long end, std::string_view text,
                            const LoadProgress* progress) {
  // Measured by bench/win (vd_bench_files): see docs/architecture.md.
  ReplaceRangeUsing(start, end, text, [&](long from, long to, const std::string& normal) -> DWORD {
    if (const long len = TextLength();
        to - from > kLarge || static_cast<long long>(normal.size()) > kLarge) {
      // Deleting or inserting much text in place costs far more than streaming the whole new
      // text into an empty control (1 MB: minutes against a second), so that is what happens.
      const std::string whole = TextRange(0, from) + normal + TextRange(to, len);
      return StreamIntoFreshWindow(whole, progress);
    }
    DeleteInSlices(from, to);
    if (TextLength() == 0)
      return StreamIn(normal, SF_TEXT);
    SetSelection(from, from);
    SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(normal.c_str()));
    return 0;
  });
}

wchar_t RichEdit::CharAt(long index) const {
  wchar_t buf[2] = {0, 0};
  TEXTRANGEW tr{{index, index + 1}, buf};
  SendMessageW(Handle(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr));
  return buf[0];
}

// Wine's control joins paragraphs one by one and renumbers everything after each join, so one
// large deletion costs far more than its length; slices taken from the end keep that work small.
void RichEdit::DeleteInSlices(long start, long end) {
  constexpr long kSlice = 4096;
  const long len = TextLength();
  end = (end < 0 || end > len) ? len : end;
  start = std::clamp(start, 0L, end);
  while (end > start) {
    long from = std::max(start, end - kSlice);
    // Never cut a CR LF pair: the control holds it as one paragraph mark.
    if (from > start && CharAt(from - 1) == L'\r' && CharAt(from) == L'\n')
      --from;
    SetSelection(from, end);
    SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
    end = from;
  }
}

// Emptying: a short text in slices; a long one by starting a fresh control with the same
// settings. Wine's control deletes laid-out text in time that grows faster than the text (1 MB of
// short lines: twenty seconds, notices off) while a fresh control costs a tenth of a second.
void RichEdit::Clear() {
  const long len = TextLength();
  if (len <= kLarge) {
    DeleteInSlices(0, len);
    return;
  }
  RecreateWindow();
  SetUpFreshWindow();
}

void RichEdit::SetUpFreshWindow() {
  ApplySettings();
  SetRedraw(false);
  SendMessageA(Handle(), EM_SETEVENTMASK, 0, 0); // still inside a quiet edit
}

DWORD RichEdit::StreamIntoFreshWindow(std::string_view whole, const LoadProgress* progress) {
  const HWND old = StartFreshWindow();
  DWORD err = 0;
  try {
    SetUpFreshWindow();
    err = StreamInText(whole, progress);
  } catch (...) {
    EndFreshWindow(old, false);
    throw;
  }
  // Only a whole text replaces the old one; anything less leaves it as it was.
  EndFreshWindow(old, err == 0);
  return err;
}

std::string RichEdit::TextRange(long start, long end) const {
  if (end <= start)
    return {};
  // Room for two bytes a character, should the code page need them.
  std::string s(static_cast<std::size_t>(end - start) * 2 + 1, '\0');
  TEXTRANGEA tr{{start, end}, s.data()};
  const LRESULT got = SendMessageA(Handle(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr));
  s.resize(static_cast<std::size_t>(std::max<LRESULT>(0, got)));
  return s;
}

void RichEdit::ReplaceRangeUsing(long start, long end, std::string_view text,
                                 const ReplaceWay& how) {
  const std::string normal = NormaliseLineBreaks(text);
  DWORD err = 0;
  {
    QuietEdit quiet(*this);
    const CHARRANGE before = Selection();
    SetSelection(start, end);
    const CHARRANGE sel = Selection();
    const long from = sel.cpMin;
    err = how(from, std::max(from, sel.cpMax), normal);
    if (err == kStreamCancelled) { // the text is as it was: so is everything else
      SetSelection(before.cpMin, before.cpMax);
      throw LoadCancelled();
    }
    SendMessageA(Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
    const long caret =
        from + CharsOf(normal.substr(0, std::min(normal.size(), std::strlen(normal.c_str()))));
    SetSelection(caret, caret);
    SetModified(true);
  }
  if (err != 0)
    throw Error(kFailedToLoadStream);
}

long RichEdit::LineFromChar(long index) const {
  return static_cast<long>(SendMessageA(Handle(), EM_EXLINEFROMCHAR, 0, index));
}
long RichEdit::LineIndex(long line) const {
  return static_cast<long>(SendMessageA(Handle(), EM_LINEINDEX, static_cast<WPARAM>(line), 0));
}
long RichEdit::LineCount() const {
  return static_cast<long>(SendMessageA(Handle(), EM_GETLINECOUNT, 0, 0));
}
void RichEdit::ScrollCaret() { SendMessageA(Handle(), EM_SCROLLCARET, 0, 0); }

bool RichEdit::Modified() const { return SendMessageA(Handle(), EM_GETMODIFY, 0, 0) != 0; }
void RichEdit::SetModified(bool modified) {
  SendMessageA(Handle(), EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}
bool RichEdit::CanUndo() const { return SendMessageA(Handle(), EM_CANUNDO, 0, 0) != 0; }
void RichEdit::Undo() { SendMessageA(Handle(), EM_UNDO, 0, 0); }
void RichEdit::Cut() { SendMessageA(Handle(), WM_CUT, 0, 0); }
void RichEdit::Copy() { SendMessageA(Handle(), WM_COPY, 0, 0); }
void RichEdit::SelectAll() { SetSelection(0, TextLength()); }

void RichEdit::Paste() {
  std::string text;
  if (IsClipboardFormatAvailable(CF_TEXT) && OpenClipboard(Handle())) {
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      if (const char* p = static_cast<const char*>(GlobalLock(data))) {
        const std::size_t room = GlobalSize(data);
        text.assign(p, strnlen(p, room));
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
  }
  const bool modified = Modified();
  const long s = Selection().cpMin;
  if (!text.empty())
    ReplaceSelection(text, true);
  const long e = Selection().cpMin;
  SetSelection(s, e);
  ApplyCharFormat(SCF_SELECTION);
  SetSelection(e, e);
  SetModified(modified || !text.empty());
}

long RichEdit::FindText(std::string_view pattern, long start, long end, bool wholeWord,
                        bool matchCase) const {
  const std::string p(pattern);
  FINDTEXTA ft{};
  ft.chrg.cpMin = start;
  ft.chrg.cpMax = end;
  ft.lpstrText = p.c_str();
  // FR_DOWN always: without it the 1.0 control searches backwards when the range stops short of
  // the end of the text.
  WPARAM flags = FR_DOWN;
  if (wholeWord)
    flags |= FR_WHOLEWORD;
  if (matchCase)
    flags |= FR_MATCHCASE;
  return static_cast<long>(
      SendMessageA(Handle(), EM_FINDTEXT, flags, reinterpret_cast<LPARAM>(&ft)));
}

// ---- Appearance ----

void RichEdit::ApplyCharFormat(WPARAM scope) const {
  CHARFORMATA cf{};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_COLOR | CFM_CHARSET |
              CFM_UNDERLINE | CFM_STRIKEOUT;
  cf.dwEffects = (font_.bold ? CFE_BOLD : 0) | (font_.italic ? CFE_ITALIC : 0);
  cf.yHeight = font_.size * 20; // twips
  cf.crTextColor = ToColorRef(font_.colour);
  cf.bCharSet = ANSI_CHARSET;
  cf.bPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  lstrcpynA(cf.szFaceName, font_.name.c_str(), LF_FACESIZE);
  SendMessageA(Handle(), EM_SETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&cf));
}

void RichEdit::SetFontSpec(const FontSpec& font) {
  font_ = font;
  // A change of look is no change of text: the modified flag stays as it was.
  const bool modified = Modified();
  ApplyCharFormat(SCF_ALL);
  ApplyCharFormat(0); // the default character format: typed and pasted text
  SetModified(modified);
}

void RichEdit::SetBackgroundColour(Colour c) {
  background_ = c;
  SendMessageA(Handle(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ToColorRef(c)));
}

void RichEdit::SetWordWrap(bool on) {
  wordWrap_ = on;
  // Width 0 wraps at the window's edge; any other width with no device means no wrapping.
  SendMessageA(Handle(), EM_SETTARGETDEVICE, 0, on ? 0 : 1);
}

void RichEdit::SetRedraw(bool on) {
  SendMessageA(Handle(), WM_SETREDRAW, on ? TRUE : FALSE, 0);
  if (on)
    InvalidateRect(Handle(), nullptr, TRUE);
}

// ---- Messages and events ----

bool RichEdit::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
    if (OnChange)
      OnChange();
    *result = 0;
    return true;
  }
  if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == EN_SELCHANGE) {
    if (OnSelectionChange)
      OnSelectionChange();
    *result = 0;
    return true;
  }
  return false;
}

LRESULT RichEdit::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_GETDLGCODE:
    // The Tab key inserts a tab; no key moves the focus out of the editor.
    return DefaultHandling(msg, wParam, lParam) | DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTCHARS |
           DLGC_WANTARROWS;
  case WM_SETFOCUS: {
    const LRESULT r = DefaultHandling(msg, wParam, lParam);
    if (OnEnter)
      OnEnter();
    return r;
  }
  case WM_KEYUP: {
    const LRESULT r = DefaultHandling(msg, wParam, lParam);
    if (OnKeyUp)
      OnKeyUp(wParam, KeyShift());
    return r;
  }
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDBLCLK: {
    const LRESULT r = DefaultHandling(msg, wParam, lParam);
    if (OnMouseDown)
      OnMouseDown(MouseButtonOf(msg), MouseShift(msg, wParam), GET_X_LPARAM(lParam),
                  GET_Y_LPARAM(lParam));
    return r;
  }
  case WM_CONTEXTMENU:
    if (OnContextMenu) {
      POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (lParam == -1) { // from the keyboard: at the caret
        if (!GetCaretPos(&pt))
          pt = POINT{0, 0};
        ClientToScreen(Handle(), &pt);
      }
      OnContextMenu(pt);
      return 0;
    }
    break;
  default:
    break;
  }
  return DefaultHandling(msg, wParam, lParam);
}

} // namespace vd::forms
