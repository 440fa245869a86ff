// The rich-edit wrapper against the real 1.0 control (riched32) under Wine: counting, search,
// loading and saving, and the file corpus that must survive open-then-save byte for byte.
#include "core/TextFormat.h"
#include "forms/Application.h"
#include "forms/Errors.h"
#include "forms/Form.h"
#include "forms/RichEdit.h"
#include "forms/RichEditBench.h"
#include "forms/TextLoad.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifndef VD_TEST_DATA_DIR
#error "VD_TEST_DATA_DIR must name tests/data (Z: + the source folder)"
#endif

namespace vd::test {
namespace {

using forms::FontSpec;
using forms::RichEdit;

std::string WindowsPath(std::string p) {
  for (char& c : p)
    if (c == '/')
      c = '\\';
  return p;
}

std::string DataFile(const std::string& name) {
  return WindowsPath(std::string(VD_TEST_DATA_DIR) + "/" + name);
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const forms::Error& e) {
    return e.what();
  }
  return "(no error)";
}

class RichEditTest : public testing::Test {
protected:
  void SetUp() override {
    forms::FormDesign d;
    d.className = "VdRichEditTestHost";
    d.caption = "RichEdit test";
    d.left = 50;
    d.top = 50;
    d.width = 640;
    d.height = 480;
    host_ = std::make_unique<forms::Form>(nullptr, d);
    host_->Show();
    edit_ = MakeEditor();
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    dir_ = std::string(tmp) + "VdRichEdit-" +
           testing::UnitTest::GetInstance()->current_test_info()->name();
    Clean();
    CreateDirectoryA(dir_.c_str(), nullptr);
  }
  void TearDown() override {
    edit_.reset();
    host_.reset();
    Clean();
  }
  void Clean() {
    for (const auto& n : FilesIn(dir_)) {
      SetFileAttributesA((dir_ + "\\" + n).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA((dir_ + "\\" + n).c_str());
    }
    RemoveDirectoryA(dir_.c_str());
  }
  std::unique_ptr<RichEdit> MakeEditor() {
    forms::ControlArgs a;
    a.parent = host_->Handle();
    a.width = 600;
    a.height = 400;
    return std::make_unique<RichEdit>(nullptr, a);
  }
  std::string Temp(const std::string& name) const { return dir_ + "\\" + name; }
  HWND H() const { return edit_->Handle(); }

  std::unique_ptr<forms::Form> host_;
  std::unique_ptr<RichEdit> edit_;
  std::string dir_;
};

TEST_F(RichEditTest, IsTheOnePointZeroControlCountingCrLfAsTwo) {
  char cls[64] = {};
  GetClassNameA(H(), cls, sizeof(cls));
  EXPECT_STREQ(cls, "RICHEDIT");
  edit_->SetAllText("ab\r\ncd\r\n\r\nefg");
  EXPECT_EQ(edit_->TextLength(), 13);
  EXPECT_EQ(edit_->AllText(), "ab\r\ncd\r\n\r\nefg");
  EXPECT_EQ(edit_->LineCount(), 4);
  struct {
    long line, index;
  } lines[] = {{0, 0}, {1, 4}, {2, 8}, {3, 10}, {4, -1}};
  for (auto c : lines)
    EXPECT_EQ(edit_->LineIndex(c.line), c.index) << "line " << c.line;
  struct {
    long index, line;
  } chars[] = {{0, 0}, {2, 0}, {3, 0}, {4, 1}, {7, 1}, {8, 2}, {10, 3}, {13, 3}};
  for (auto c : chars)
    EXPECT_EQ(edit_->LineFromChar(c.index), c.line) << "char " << c.index;
  edit_->SetSelection(5, 5);
  EXPECT_EQ(edit_->LineIndex(-1), 4); // the caret's line
}

TEST_F(RichEditTest, TextPutInGetsCrLfBreaks) {
  edit_->SetAllText("a\nb\rc\r\nd");
  EXPECT_EQ(edit_->AllText(), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(edit_->TextLength(), 10);
  edit_->SetSelection(1, 1);
  edit_->ReplaceSelection("X\nY", true);
  EXPECT_EQ(edit_->AllText(), "aX\r\nY\r\nb\r\nc\r\nd");
}

TEST_F(RichEditTest, SelectionAndReplaceSelectionWithUndo) {
  edit_->SetAllText("ab\r\ncd");
  EXPECT_FALSE(edit_->CanUndo()); // SetAllText leaves no undo record
  edit_->SetSelection(1, 4);
  EXPECT_EQ(edit_->Selection().cpMin, 1);
  EXPECT_EQ(edit_->Selection().cpMax, 4);
  EXPECT_EQ(edit_->SelLength(), 3);
  EXPECT_EQ(edit_->SelectedText(), "b\r\n");
  edit_->ReplaceSelection("\xE9", true);
  EXPECT_EQ(edit_->AllText(), "a\xE9"
                              "cd");
  EXPECT_TRUE(edit_->Modified());
  EXPECT_TRUE(edit_->CanUndo());
  edit_->Undo();
  EXPECT_EQ(edit_->AllText(), "ab\r\ncd");
  edit_->SelectAll();
  EXPECT_EQ(edit_->SelLength(), 6); // the control's final paragraph mark is not part of the text
  EXPECT_EQ(edit_->SelectedText(), "ab\r\ncd");
}

TEST_F(RichEditTest, ReplaceRangeIsOneEditWithoutUndoAndSetsModified) {
  using M = forms::RichEditBench::ReplaceMethod;
  for (auto method : {M::StreamedSelection, M::ReplaceSel, M::SlicedDelete}) {
    SCOPED_TRACE(method == M::StreamedSelection ? "streamed"
                 : method == M::ReplaceSel      ? "replacesel"
                                                : "sliced");
    edit_->SetAllText("one\r\ntwo\r\nthree");
    edit_->SetModified(false);
    edit_->SetSelection(0, 0);
    edit_->ReplaceSelection("x", true); // an undoable edit before
    forms::RichEditBench::ReplaceRangeBy(*edit_, method, 7, 9, "W\nO\xFF"); // "wo" of "two"
    EXPECT_EQ(edit_->AllText(), "xone\r\ntW\r\nO\xFF\r\nthree");
    EXPECT_TRUE(edit_->Modified());
    EXPECT_FALSE(edit_->CanUndo());
    EXPECT_EQ(edit_->Selection().cpMin, 12);
    EXPECT_EQ(edit_->Selection().cpMax, 12);
    // A replacement that begins with the UTF-8 mark keeps its bytes.
    forms::RichEditBench::ReplaceRangeBy(*edit_, method, 0, edit_->TextLength(),
                                         "\xEF\xBB\xBF"
                                         "abc");
    EXPECT_EQ(edit_->AllText(), "\xEF\xBB\xBF"
                                "abc");
    EXPECT_EQ(edit_->TextLength(), 6);
  }
  edit_->ReplaceRange(0, -1, "done");
  EXPECT_EQ(edit_->AllText(), "done");
  // Slices never cut a CR LF pair, whatever the length.
  std::string lines;
  for (int i = 0; i < 3000; ++i)
    lines += "abc\r\n";
  edit_->SetAllText(lines);
  edit_->SetAllText(lines + "x"); // replaces a text longer than one slice
  EXPECT_EQ(edit_->AllText(), lines + "x");
  edit_->ReplaceRange(2, 14000, "-");
  EXPECT_EQ(edit_->AllText(), "ab-" + lines.substr(14000) + "x");
}

TEST_F(RichEditTest, BulkEditsTellOfThemselvesOnceAndLeaveTheNoticesOn) {
  std::string lines;
  for (int i = 0; i < 20000; ++i)
    lines += "line " + std::to_string(i) + "\r\n";
  int changes = 0, moves = 0;
  edit_->OnChange = [&] { ++changes; };
  edit_->OnSelectionChange = [&] { ++moves; };
  // A large edit starts a fresh control: it must keep the settings, the focus and its place.
  FontSpec font;
  font.name = "Arial";
  font.size = 14;
  font.italic = true;
  font.colour = 0x0000FF;
  edit_->SetFontSpec(font);
  edit_->SetBackgroundColour(0x00FFFF);
  edit_->SetWordWrap(false);
  SetForegroundWindow(host_->Handle());
  edit_->SetFocus();
  ASSERT_EQ(GetFocus(), edit_->Handle());
  const HWND parent = GetParent(edit_->Handle());
  const long len = static_cast<long>(lines.size());
  std::string big;
  for (int i = 0; i < 30000; ++i)
    big += "ab\n";
  struct Case {
    const char* what;
    long start, end;
    std::string replacement;
    std::string expected;
  };
  const Case cases[] = {
      {"whole text", 0, len, "short\nnew", "short\r\nnew"},
      {"most, keeping both ends", 5, len - 8, "-",
       lines.substr(0, 5) + "-" + lines.substr(lines.size() - 8)},
      {"a small middle part", 100, 120, "", lines.substr(0, 100) + lines.substr(120)},
      {"much new text in the middle", 100, 120, big,
       lines.substr(0, 100) + NormaliseLineBreaks(big) + lines.substr(120)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    changes = moves = 0;
    edit_->SetAllText(lines);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(moves, 1);
    edit_->SetModified(false);
    edit_->SetSelection(0, 0);
    edit_->ReplaceSelection("x", true);
    edit_->SetSelection(0, 1);
    edit_->ReplaceSelection("", true); // an undoable edit before
    changes = moves = 0;
    edit_->ReplaceRange(c.start, c.end, c.replacement);
    EXPECT_EQ(edit_->AllText(), c.expected);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(moves, 1);
    EXPECT_TRUE(edit_->Modified());
    EXPECT_FALSE(edit_->CanUndo());
    const long caret = c.start + static_cast<long>(NormaliseLineBreaks(c.replacement).size());
    EXPECT_EQ(edit_->Selection().cpMin, caret);
    CHARFORMATA cf{};
    cf.cbSize = sizeof cf;
    SendMessageA(edit_->Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_STREQ(cf.szFaceName, "Arial");
    EXPECT_EQ(cf.crTextColor, 0x0000FFu);
    EXPECT_TRUE(cf.dwEffects & CFE_ITALIC);
    EXPECT_EQ(forms::Control::FromHandle(edit_->Handle()), edit_.get());
    EXPECT_EQ(GetFocus(), edit_->Handle());
    EXPECT_TRUE(IsWindowVisible(edit_->Handle()));
    EXPECT_EQ(GetParent(edit_->Handle()), parent);
    EXPECT_EQ(SendMessageA(edit_->Handle(), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
    // The control's own notices are back: a keystroke-sized edit is heard.
    changes = moves = 0;
    edit_->ReplaceSelection("typed", true);
    EXPECT_GT(changes, 0);
    EXPECT_GT(moves, 0);
  }
  // A file loaded over a large text is whole, the modified flag kept, and told of once.
  const std::string path = dir_ + "\\small.txt";
  WriteBytes(path, "small\r\nfile");
  edit_->SetAllText(lines);
  edit_->SetModified(true);
  changes = moves = 0;
  edit_->LoadFromFile(path);
  EXPECT_EQ(edit_->AllText(), "small\r\nfile");
  EXPECT_TRUE(edit_->Modified());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(moves, 1);
}

TEST_F(RichEditTest, ForwardSearchWithWholeWordAndMatchCase) {
  edit_->SetAllText("Foo food\r\nfoo FOO bar_foo foo");
  // positions: Foo 0, food 4, foo 10, FOO 14, bar_foo 18 (foo at 22), foo 26; length 29
  const long len = edit_->TextLength();
  ASSERT_EQ(len, 29);
  struct Case {
    const char* pattern;
    long start, end;
    bool whole, cased;
    long expected;
  };
  const Case cases[] = {
      {"foo", 0, len, false, false, 0},
      {"foo", 0, len, false, true, 4},
      {"foo", 1, len, false, false, 4},
      {"foo", 1, len, true, false, 10},
      {"FOO", 11, len, true, true, 14},
      {"foo", 15, len, true, true, 22}, // "_" counts as a word boundary in Wine's control
      {"foo", 23, len, true, true, 26},
      {"foo", 27, len, false, false, -1},
      {"foo", 0, 3, false, false, 0},
      {"food", 0, 6, false, false, -1}, // the match must end within the range
      {"foo", 5, 12, false, false, -1}, // range short of the end: still searches forward
      {"foo", 5, 13, false, false, 10},
      {"d\r\nf", 0, len, false, false, 7},
      {"bar", 0, -1, false, false, 18},
      {"", 0, len, false, false, -1},
      {"zzz", 0, len, false, false, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(edit_->FindText(c.pattern, c.start, c.end, c.whole, c.cased), c.expected)
        << "find \"" << c.pattern << "\" in [" << c.start << "," << c.end << ") whole=" << c.whole
        << " case=" << c.cased;
}

TEST_F(RichEditTest, RtfFileIsReadAsRichTextAndJsonAsPlainText) {
  edit_->LoadFromFile(DataFile("sample.rtf"));
  const std::string rtf = edit_->AllText();
  EXPECT_NE(rtf.find("Hello bold world\r\nSecond paragraph"), std::string::npos) << rtf;
  EXPECT_EQ(rtf.find('\\'), std::string::npos) << rtf;
  edit_->LoadFromFile(DataFile("data.json"));
  EXPECT_EQ(edit_->AllText(), ReadBytes(DataFile("data.json")));
}

TEST_F(RichEditTest, AFileThatClaimsRtfButIsNotIsReadAsPlainText) {
  // Begins with "{\rtf" but is no RTF the control accepts: the second pass reads it as text.
  const std::string bad = "{\\rtf1 unterminated {{{ \\bin999999999 x";
  WriteBytes(Temp("bad.rtf"), bad);
  edit_->LoadFromFile(Temp("bad.rtf"));
  const std::string got = edit_->AllText();
  // Either the control took it as RTF (no error) or it is the plain text; never half of both.
  EXPECT_TRUE(got == bad || got.find('\\') == std::string::npos) << got;
}

TEST_F(RichEditTest, SaveWritesPlainCrLfTextWithoutMark) {
  edit_->LoadFromFile(DataFile("sample.rtf"));
  edit_->SetModified(true);
  edit_->SaveToFile(Temp("out.txt"));
  const std::string saved = ReadBytes(Temp("out.txt"));
  EXPECT_EQ(saved, edit_->AllText());
  EXPECT_EQ(saved.find("rtf"), std::string::npos);
  EXPECT_TRUE(HasOnlyCrLfBreaks(saved));
  EXPECT_TRUE(edit_->Modified()); // the caller clears it
  // Whatever the control holds: a lone LF typed through the control's own message is saved CR LF.
  edit_->SetAllText("");
  SendMessageA(H(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("a\nb\rc"));
  edit_->SaveToFile(Temp("out.txt"));
  EXPECT_EQ(ReadBytes(Temp("out.txt")), "a\r\nb\r\nc");
  EXPECT_EQ(FilesIn(dir_), std::vector<std::string>{"out.txt"}); // no temporary file left
}

TEST_F(RichEditTest, TextLimitIsRaisedForTypingPastingAndLoading) {
  EXPECT_GE(SendMessageA(H(), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
  std::string big;
  while (big.size() < 100000)
    big += "0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrs\r\n";
  edit_->SetSelection(0, 0);
  edit_->ReplaceSelection(big, true); // as a paste
  EXPECT_EQ(edit_->TextLength(), static_cast<long>(big.size()));
  edit_->SetSelection(-1, -1);
  for (char c : std::string("typed"))
    SendMessageA(H(), WM_CHAR, static_cast<WPARAM>(c), 0);
  EXPECT_EQ(edit_->AllText(), big + "typed");
  WriteBytes(Temp("big.txt"), big);
  auto fresh = MakeEditor();
  fresh->LoadFromFile(Temp("big.txt"));
  EXPECT_EQ(fresh->TextLength(), static_cast<long>(big.size()));
  EXPECT_EQ(fresh->AllText(), big);
}

// Stands in for a control that takes in fewer characters than it is given (Wine's ignores its
// text limit when streaming): EM_STREAMIN's callback is wrapped to end the stream after 1000 bytes.
struct Truncating {
  EDITSTREAMCALLBACK inner = nullptr;
  DWORD_PTR innerCookie = 0;
  LONG left = 1000;
};
Truncating* g_truncating = nullptr;
DWORD CALLBACK TruncatingCallback(DWORD_PTR, LPBYTE buf, LONG cb, LONG* got) {
  Truncating& t = *g_truncating;
  const DWORD r = t.inner(t.innerCookie, buf, std::min(cb, t.left), got);
  t.left -= *got;
  return r;
}
LRESULT CALLBACK TruncatingProc(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  if (msg == EM_STREAMIN && g_truncating && (w & SF_TEXT)) {
    auto* es = reinterpret_cast<EDITSTREAM*>(l);
    g_truncating->inner = es->pfnCallback;
    g_truncating->innerCookie = es->dwCookie;
    EDITSTREAM wrapped = *es;
    wrapped.pfnCallback = &TruncatingCallback;
    const LRESULT r = DefSubclassProc(h, msg, w, reinterpret_cast<LPARAM>(&wrapped));
    es->dwError = wrapped.dwError;
    return r;
  }
  return DefSubclassProc(h, msg, w, l);
}

TEST_F(RichEditTest, AFileTheControlCannotHoldWholeIsRefusedAndNothingIsLeft) {
  Truncating t;
  g_truncating = &t;
  ASSERT_TRUE(SetWindowSubclass(H(), &TruncatingProc, 0x7E57, 0));
  const std::string path = Temp("long.txt");
  WriteBytes(path, std::string(5000, 'x'));
  edit_->SetAllText("before");
  EXPECT_EQ(ErrorOf([&] { edit_->LoadFromFile(path); }), "File " + path + " is too large to open.");
  EXPECT_EQ(edit_->TextLength(), 0);
  RemoveWindowSubclass(H(), &TruncatingProc, 0x7E57);
  g_truncating = nullptr;
  edit_->LoadFromFile(path); // without the stand-in the same file loads whole
  EXPECT_EQ(edit_->TextLength(), 5000);
}

TEST_F(RichEditTest, NulBytesAreRefusedAndTheControlKeepsItsText) {
  edit_->SetAllText("kept");
  const std::string path = Temp("with-nul.bin"); // not "nul.*": that is the NUL device
  WriteBytes(path, std::string("text\0more", 9));
  EXPECT_EQ(ErrorOf([&] { edit_->LoadFromFile(path); }),
            "File " + path + " contains NUL characters and cannot be opened as text.");
  EXPECT_EQ(edit_->AllText(), "kept");
}

TEST_F(RichEditTest, AnUnreadableFileNamesThePath) {
  const std::string path = Temp("missing.txt");
  edit_->SetAllText("kept");
  EXPECT_EQ(ErrorOf([&] { edit_->LoadFromFile(path); }), "Cannot open file " + path);
  EXPECT_EQ(edit_->AllText(), "kept");
}

TEST_F(RichEditTest, OpenThenSaveGivesBackTheSameBytesForTheCorpus) {
  struct Case {
    const char* file;
    bool crlfForm;
  };
  const Case cases[] = {
      {"crlf.txt", false},     {"high-bytes.txt", false}, {"utf8.txt", false},
      {"utf8-bom.txt", false}, {"data.json", false},      {"empty.txt", false},
      {"lf.txt", true},        {"cr.txt", true},          {"mixed.txt", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string original = ReadBytes(DataFile(c.file));
    ASSERT_TRUE(Exists(DataFile(c.file)));
    auto e = MakeEditor();
    e->LoadFromFile(DataFile(c.file));
    EXPECT_FALSE(e->Modified());
    const std::string expected = c.crlfForm ? NormaliseLineBreaks(original) : original;
    EXPECT_EQ(e->TextLength(), static_cast<long>(expected.size())); // one character a byte
    const std::string out = Temp(std::string("saved-") + c.file);
    e->SaveToFile(out);
    EXPECT_EQ(ReadBytes(out), expected) << "got " << testing::PrintToString(ReadBytes(out));
  }
  EXPECT_EQ(NormaliseLineBreaks(ReadBytes(DataFile("mixed.txt"))),
            "crlf\r\nlf\r\ncr\r\nlf-cr\r\n\r\nend");
}

// Wine's control takes minutes over 10 MB (its stream-in grows faster than the size), so this
// one runs when VD_TEST_10MB=1 is set; scripts/bench-files shows the same round trip's bytes too.
TEST_F(RichEditTest, OpenThenSaveOfATenMegabyteFileGivesBackTheSameBytes) {
  if (!getenv("VD_TEST_10MB"))
    GTEST_SKIP() << "set VD_TEST_10MB=1 to run the 10 MB round trip";
  std::string text;
  text.reserve(10u << 20);
  for (unsigned i = 0; text.size() < (10u << 20); ++i) {
    text += "Line ";
    text += std::to_string(i);
    text += " \xE9\xFC\xA9 text of the large file, "; // no tab: Wine makes each tab a run of its
                                                      // own, and is many times slower
    text.append(i % 50, static_cast<char>('a' + i % 26));
    text += "\r\n";
  }
  const std::string in = Temp("ten.txt"), out = Temp("ten-saved.txt");
  WriteBytes(in, text);
  edit_->LoadFromFile(in);
  EXPECT_EQ(edit_->TextLength(), static_cast<long>(text.size()));
  edit_->SaveToFile(out);
  const std::string saved = ReadBytes(out);
  EXPECT_EQ(saved.size(), text.size());
  EXPECT_TRUE(saved == text) << "the saved file differs from the opened one";
}

TEST_F(RichEditTest, AFailedSaveLeavesTheOldFileByteForByte) {
  const std::string old = "old\r\ncontent\xFF\r\n";
  edit_->SetAllText("new text");
  edit_->SetModified(true);

  // The target folder does not exist.
  const std::string nowhere = Temp("no-such-folder\\file.txt");
  EXPECT_EQ(ErrorOf([&] { edit_->SaveToFile(nowhere); }), "Cannot create file " + nowhere);
  EXPECT_FALSE(Exists(nowhere));

  // The target is held open without sharing by another handle.
  const std::string target = Temp("held.txt");
  WriteBytes(target, old);
  HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ErrorOf([&] { edit_->SaveToFile(target); }), "Cannot create file " + target);
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(target), old);
  EXPECT_EQ(FilesIn(dir_), std::vector<std::string>{"held.txt"}); // no temporary file left
  EXPECT_TRUE(edit_->Modified());
  EXPECT_EQ(edit_->AllText(), "new text");

  // A read-only target refuses as Windows refuses it (root under Wine would not be refused).
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(ErrorOf([&] { edit_->SaveToFile(target); }), "Cannot create file " + target);
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(target), old);

  // Released, the save goes through.
  edit_->SaveToFile(target);
  EXPECT_EQ(ReadBytes(target), "new text");
}

TEST_F(RichEditTest, ASaveReplacesItsOwnLeftoverTemporaryFileAndTouchesNoOther) {
  const std::string target = Temp("doc.txt");
  WriteBytes(target, "old");
  // What a killed save of this file, of another file and of another program left behind.
  const std::string own = forms::SaveTempPath(target);
  const std::string others = forms::SaveTempPath(Temp("other.txt"));
  const std::string stranger = Temp("vd~1A2B.tmp");
  WriteBytes(own, "a partial copy of doc.txt");
  WriteBytes(others, "other.txt's leftover");
  WriteBytes(stranger, "not ours");
  edit_->SetAllText("new text");
  edit_->SaveToFile(target);
  EXPECT_EQ(ReadBytes(target), "new text");
  EXPECT_FALSE(Exists(own)) << "the leftover was used for the save";
  EXPECT_EQ(ReadBytes(others), "other.txt's leftover");
  EXPECT_EQ(ReadBytes(stranger), "not ours");
  EXPECT_EQ(FilesIn(dir_).size(), 3u);

  // A failed save takes its temporary file away and leaves the others.
  HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  WriteBytes(own, "another partial copy");
  EXPECT_EQ(ErrorOf([&] { edit_->SaveToFile(target); }), "Cannot create file " + target);
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(target), "new text");
  EXPECT_EQ(ReadBytes(others), "other.txt's leftover");
  EXPECT_EQ(ReadBytes(stranger), "not ours");
}

TEST_F(RichEditTest, RichTextTheControlCannotTakeIsReadAsItsPlainText) {
  const auto nested = [](int levels) {
    return "{\\rtf1 " + std::string(static_cast<size_t>(levels), '{') + "hi" +
           std::string(static_cast<size_t>(levels), '}') + "}";
  };
  const std::string deep = Temp("deep.txt"), shallow = Temp("shallow.txt");
  WriteBytes(deep, nested(40));
  WriteBytes(shallow, nested(20));
  edit_->LoadFromFile(deep);
  EXPECT_EQ(edit_->AllText(), nested(40));
  edit_->LoadFromFile(shallow);
  EXPECT_EQ(edit_->AllText(), "hi");
}

TEST_F(RichEditTest, DeviceNamesAreRefusedAsUnreadable) {
  edit_->SetAllText("kept");
  for (const std::string device : {"NUL", "CON", "COM1", "nul.txt"}) {
    EXPECT_EQ(ErrorOf([&] { edit_->LoadFromFile(device); }), "Cannot open file " + device);
    EXPECT_EQ(edit_->AllText(), "kept") << device;
  }
}

TEST_F(RichEditTest, SaveKeepsTheTargetsAttributes) {
  const std::string target = Temp("hidden.txt");
  WriteBytes(target, "old");
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  edit_->SetAllText("new");
  edit_->SaveToFile(target);
  EXPECT_EQ(ReadBytes(target), "new");
  EXPECT_TRUE(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(RichEditTest, FontBackgroundAndWordWrap) {
  FontSpec f;
  f.name = "Arial";
  f.size = 14;
  f.bold = true;
  f.italic = true;
  f.colour = 0x0000FF;
  edit_->SetAllText("some text");
  edit_->SetModified(false);
  edit_->SetFontSpec(f);
  EXPECT_EQ(edit_->Font(), f);
  EXPECT_FALSE(edit_->Modified());
  for (WPARAM scope : {WPARAM(0), WPARAM(SCF_SELECTION)}) {
    edit_->SetSelection(2, 5);
    CHARFORMATA cf{};
    cf.cbSize = sizeof(cf);
    SendMessageA(H(), EM_GETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&cf));
    EXPECT_STREQ(cf.szFaceName, "Arial") << scope;
    EXPECT_EQ(cf.yHeight, 14 * 20) << scope;
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD) << scope;
    EXPECT_TRUE(cf.dwEffects & CFE_ITALIC) << scope;
    EXPECT_EQ(cf.crTextColor, 0x0000FFu) << scope;
  }
  edit_->SetBackgroundColour(kColourWindowBackground);
  EXPECT_EQ(edit_->BackgroundColour(), kColourWindowBackground);
  edit_->SetBackgroundColour(0x00FF00);
  EXPECT_EQ(edit_->BackgroundColour(), 0x00FF00u);

  edit_->SetAllText(std::string(3000, 'w') + " " + std::string(3000, 'w'));
  edit_->SetWordWrap(true);
  EXPECT_TRUE(edit_->WordWrap());
  EXPECT_GT(edit_->LineCount(), 1);
  edit_->SetWordWrap(false);
  EXPECT_FALSE(edit_->WordWrap());
  EXPECT_EQ(edit_->LineCount(), 1);
}

TEST_F(RichEditTest, PasteIsPlainTextInTheEditorsFont) {
  FontSpec f;
  f.name = "Courier New";
  f.size = 10;
  edit_->SetFontSpec(f);
  edit_->SetAllText("abcdef");
  // Make the text around the caret bold, as pasted formatting would be.
  edit_->SetSelection(0, 6);
  CHARFORMATA bold{};
  bold.cbSize = sizeof(bold);
  bold.dwMask = CFM_BOLD | CFM_FACE;
  bold.dwEffects = CFE_BOLD;
  lstrcpyA(bold.szFaceName, "Arial");
  SendMessageA(H(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bold));

  ASSERT_TRUE(OpenClipboard(H()));
  EmptyClipboard();
  const char clip[] = "x\ny";
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, sizeof(clip));
  memcpy(GlobalLock(mem), clip, sizeof(clip));
  GlobalUnlock(mem);
  SetClipboardData(CF_TEXT, mem);
  CloseClipboard();

  edit_->SetModified(false);
  edit_->SetSelection(3, 3);
  edit_->Paste();
  EXPECT_EQ(edit_->AllText(), "abcx\r\nydef");
  EXPECT_EQ(edit_->Selection().cpMin, 7);
  EXPECT_EQ(edit_->Selection().cpMax, 7);
  EXPECT_TRUE(edit_->Modified());
  edit_->SetSelection(3, 7);
  CHARFORMATA cf{};
  cf.cbSize = sizeof(cf);
  SendMessageA(H(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  EXPECT_STREQ(cf.szFaceName, "Courier New");
  EXPECT_FALSE(cf.dwEffects & CFE_BOLD);
}

TEST_F(RichEditTest, EventsAndKeys) {
  int enter = 0, sel = 0, change = 0, keys = 0, mouse = 0, menus = 0;
  POINT menuAt{};
  WPARAM key = 0;
  int button = -1;
  edit_->OnEnter = [&] { ++enter; };
  edit_->OnSelectionChange = [&] { ++sel; };
  edit_->OnChange = [&] { ++change; };
  edit_->OnKeyUp = [&](WPARAM k, unsigned) {
    ++keys;
    key = k;
  };
  edit_->OnMouseDown = [&](int b, unsigned, int, int) {
    ++mouse;
    button = b;
  };
  edit_->OnContextMenu = [&](POINT p) {
    ++menus;
    menuAt = p;
  };

  ::SetFocus(nullptr);
  edit_->SetFocus();
  EXPECT_EQ(enter, 1);
  EXPECT_TRUE(SendMessageA(H(), WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTTAB);
  SendMessageA(H(), WM_CHAR, '\t', 0);
  EXPECT_EQ(edit_->AllText(), "\t");
  EXPECT_GE(change, 1);
  edit_->SetAllText("abc");
  const int before = sel;
  edit_->SetSelection(1, 2);
  EXPECT_GT(sel, before);
  SendMessageA(H(), WM_KEYUP, VK_RIGHT, 0xC0000001);
  EXPECT_EQ(keys, 1);
  EXPECT_EQ(key, static_cast<WPARAM>(VK_RIGHT));
  SendMessageA(H(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(mouse, 1);
  EXPECT_EQ(button, forms::kMouseRight);
  SendMessageA(H(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(H()), MAKELPARAM(10, 20));
  EXPECT_EQ(menus, 1);
  EXPECT_EQ(menuAt.x, 10);
  EXPECT_EQ(menuAt.y, 20);
}

TEST_F(RichEditTest, LoadingKeepsTheModifiedFlagAndLeavesNoUndo) {
  edit_->SetModified(false);
  edit_->LoadFromFile(DataFile("crlf.txt"));
  EXPECT_FALSE(edit_->Modified());
  EXPECT_FALSE(edit_->CanUndo());
  edit_->SetModified(true);
  edit_->SetAllText("x");
  EXPECT_TRUE(edit_->Modified());
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

// Text that streams in two parts (longer than the first piece), indented and tabbed.
std::string LargeText() {
  std::string text;
  for (int i = 0; text.size() < 200000; ++i)
    text += std::string(i % 9, ' ') + "line\t" + std::to_string(i) + "\r\n";
  return text;
}

TEST_F(RichEditTest, ALoadedFileIsInTheEditorsFontThroughoutWithoutAPassAfterIt) {
  FontSpec f;
  f.name = "Arial";
  f.size = 14;
  f.bold = true;
  f.colour = 0x0000FF;
  edit_->SetFontSpec(f); // before the text, as a new tab gets it
  const std::string text = LargeText();
  WriteBytes(Temp("plain.txt"), text);
  struct Case {
    std::string file;
    std::string contains;
  } cases[] = {{Temp("plain.txt"), "line\t1\r\n"}, {DataFile("sample.rtf"), "Hello bold world"}};
  for (const auto& c : cases) {
    edit_->LoadFromFile(c.file);
    EXPECT_NE(edit_->AllText().find(c.contains), std::string::npos) << c.file;
    // Over the whole text: a mask bit is set only when every character has that attribute alike.
    edit_->SelectAll();
    CHARFORMATA cf{};
    cf.cbSize = sizeof(cf);
    SendMessageA(H(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    const DWORD uniform = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_COLOR;
    EXPECT_EQ(cf.dwMask & uniform, uniform) << c.file;
    EXPECT_STREQ(cf.szFaceName, "Arial") << c.file;
    EXPECT_EQ(cf.yHeight, 14 * 20) << c.file;
    EXPECT_EQ(cf.dwEffects & (CFE_BOLD | CFE_ITALIC), DWORD(CFE_BOLD)) << c.file;
    EXPECT_EQ(cf.crTextColor, 0x0000FFu) << c.file;
  }
}

TEST_F(RichEditTest, ALoadTellsItsProgressUpToTheWholeSizeAndCanBeCancelled) {
  const std::string text = LargeText();
  const std::string path = Temp("progress.txt");
  WriteBytes(path, text);
  std::vector<long long> seen;
  long long total = -1;
  edit_->LoadFromFile(path, [&](long long done, long long all) {
    seen.push_back(done);
    total = all;
    return true;
  });
  EXPECT_EQ(edit_->AllText(), text);
  EXPECT_EQ(total, static_cast<long long>(text.size()));
  ASSERT_GT(seen.size(), 2u);
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(seen.back(), total);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  // The load ran without undo; typing afterwards is undoable again.
  EXPECT_FALSE(edit_->CanUndo());
  edit_->SetSelection(0, 0);
  SendMessageA(H(), WM_CHAR, 'x', 0);
  EXPECT_TRUE(edit_->CanUndo());

  // Cancelled at once, and halfway after a part went in: an empty control, the flag as it was.
  for (long long stopAt : {0LL, total / 2}) {
    edit_->SetAllText("before");
    edit_->SetModified(true);
    EXPECT_THROW(
        edit_->LoadFromFile(path, [&](long long done, long long) { return done < stopAt; }),
        forms::LoadCancelled)
        << stopAt;
    EXPECT_EQ(edit_->TextLength(), 0) << stopAt;
    EXPECT_TRUE(edit_->Modified()) << stopAt;
    EXPECT_FALSE(edit_->CanUndo()) << stopAt;
  }
}

TEST_F(RichEditTest, ALargeReplacementTellsItsProgressAndACancelLeavesTheEditorAsItWas) {
  const std::string text = LargeText();
  edit_->SetAllText(text);
  edit_->SetSelection(3, 3);
  SendMessageA(H(), WM_CHAR, 'x', 0); // an undoable edit, and the modified flag
  edit_->SetSelection(10, 20);
  const std::string before = edit_->AllText();
  const HWND window = H();
  std::string after = before;
  std::reverse(after.begin(), after.end()); // as large as the text: streamed into a fresh control
  after = NormaliseLineBreaks(after);

  // Cancelled at once, and halfway after a part went in: the same window, untouched.
  for (long long stopAt : {0LL, static_cast<long long>(after.size() / 2)}) {
    const forms::RichEdit::LoadProgress stop = [&](long long done, long long) {
      return done < stopAt;
    };
    EXPECT_THROW(edit_->ReplaceRange(0, edit_->TextLength(), after, &stop), forms::LoadCancelled)
        << stopAt;
    EXPECT_EQ(H(), window) << stopAt;
    EXPECT_TRUE(IsWindowVisible(window)) << stopAt;
    EXPECT_EQ(edit_->AllText(), before) << stopAt;
    EXPECT_EQ(edit_->Selection().cpMin, 10) << stopAt;
    EXPECT_EQ(edit_->Selection().cpMax, 20) << stopAt;
    EXPECT_TRUE(edit_->Modified()) << stopAt;
    EXPECT_TRUE(edit_->CanUndo()) << stopAt;
    EXPECT_EQ(GetWindow(GetParent(window), GW_CHILD), window) << "a fresh window stayed behind";
    EXPECT_EQ(GetWindow(window, GW_HWNDNEXT), nullptr) << "a fresh window stayed behind";
  }

  std::vector<long long> seen;
  long long total = -1;
  const forms::RichEdit::LoadProgress hear = [&](long long done, long long all) {
    seen.push_back(done);
    total = all;
    return true;
  };
  edit_->SetFocus();
  edit_->ReplaceRange(0, edit_->TextLength(), after, &hear);
  EXPECT_EQ(edit_->AllText(), after);
  EXPECT_EQ(total, static_cast<long long>(after.size()));
  ASSERT_GT(seen.size(), 2u);
  EXPECT_EQ(seen.back(), total);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_FALSE(IsWindow(window)) << "the old window stays";
  EXPECT_TRUE(IsWindowVisible(H()));
  EXPECT_EQ(GetFocus(), H()) << "the focus did not move to the fresh window";
  EXPECT_FALSE(edit_->CanUndo());
  EXPECT_TRUE(edit_->Modified());
}

TEST_F(RichEditTest, AFileReadInPiecesLoadsWholeWhereverItsBreaksFall) {
  // The file is read in pieces of FileTextSource::kPiece bytes; breaks on either side of an edge.
  const std::size_t piece = forms::FileTextSource::kPiece;
  const auto filler = [](std::size_t n) {
    std::string s;
    while (s.size() < n)
      s += "words and spaces\r\n";
    s.resize(n);
    if (!s.empty() && s.back() == '\r')
      s.back() = 'x';
    return s;
  };
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"exactly one piece", filler(piece - 2) + "\r\n"},
      {"a lone CR last in the first piece", filler(piece - 1) + "\rnext line\n"},
      {"CR LF split across the edge", filler(piece - 1) + "\r\nnext line"},
      {"a lone LF first in the second piece", filler(piece) + "\nnext line\r"},
      {"two pieces and a UTF-8 mark", "\xEF\xBB\xBF" + filler(2 * piece - 4) + "\r\r"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = Temp("pieces.txt");
    WriteBytes(path, c.bytes);
    edit_->SetAllText("before");
    edit_->LoadFromFile(path);
    const std::string expected = NormaliseLineBreaks(c.bytes);
    EXPECT_EQ(edit_->TextLength(), static_cast<long>(expected.size()));
    EXPECT_TRUE(edit_->AllText() == expected) << "the loaded text differs from the file's";
    edit_->SaveToFile(Temp("saved.txt"));
    EXPECT_TRUE(ReadBytes(Temp("saved.txt")) == expected);
  }
}

} // namespace
} // namespace vd::test
