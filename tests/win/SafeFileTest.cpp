// Reading a document file and replacing one safely, against the real file system under Wine;
// and the key state the editors and Find and Replace pass with their events.
#include "forms/Errors.h"
#include "forms/KeyShift.h"
#include "forms/SafeFile.h"
#include "forms/TextLoad.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace vd::test {
namespace {

using forms::ReadResult;

// A file that claims 2 GiB without holding them: the file system keeps it sparse.
bool WriteHugeSparseFile(const std::string& path) {
  forms::FileHandle h(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.ok())
    return false;
  LARGE_INTEGER at{};
  at.QuadPart = 0x80000000LL;
  return SetFilePointerEx(h.get(), at, nullptr, FILE_BEGIN) && SetEndOfFile(h.get());
}

class SafeFileTest : public testing::Test {
protected:
  void SetUp() override {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    dir_ = std::string(tmp) + "VdSafeFile-" +
           testing::UnitTest::GetInstance()->current_test_info()->name();
    Clean();
    CreateDirectoryA(dir_.c_str(), nullptr);
  }
  void TearDown() override { Clean(); }
  std::vector<std::string> Files() const {
    std::vector<std::string> names = FilesIn(dir_);
    std::sort(names.begin(), names.end());
    return names;
  }
  void Clean() {
    for (const auto& n : Files()) {
      const std::string p = dir_ + "\\" + n;
      SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileA(p.c_str()))
        RemoveDirectoryA(p.c_str());
    }
    RemoveDirectoryA(dir_.c_str());
  }
  std::string Temp(const std::string& name) const { return dir_ + "\\" + name; }
  std::string dir_;
};

TEST_F(SafeFileTest, ReadingAFileTellsWhyItCannot) {
  WriteBytes(Temp("plain.txt"), "one\r\ntwo");
  WriteBytes(Temp("with-nul.bin"), std::string("a\0b", 3));
  WriteBytes(Temp("empty.txt"), "");
  CreateDirectoryA(Temp("folder").c_str(), nullptr);
  ASSERT_TRUE(WriteHugeSparseFile(Temp("huge.txt")));
  const struct {
    std::string path;
    ReadResult result;
    std::string bytes;
  } cases[] = {
      {Temp("plain.txt"), ReadResult::Ok, "one\r\ntwo"},
      {Temp("with-nul.bin"), ReadResult::Ok, std::string("a\0b", 3)}, // judging is the caller's
      {Temp("empty.txt"), ReadResult::Ok, ""},
      {Temp("missing.txt"), ReadResult::CannotOpen, ""},
      {Temp("folder"), ReadResult::CannotOpen, ""},
      {"NUL", ReadResult::CannotOpen, ""},
      {"CON", ReadResult::CannotOpen, ""},
      {"COM1", ReadResult::CannotOpen, ""},
      {"nul.txt", ReadResult::CannotOpen, ""},
      {Temp("huge.txt"), ReadResult::TooLarge, ""},
  };
  for (const auto& c : cases) {
    std::string bytes;
    EXPECT_EQ(forms::ReadWholeFile(c.path, bytes), c.result) << c.path;
    if (c.result == ReadResult::Ok) {
      EXPECT_EQ(bytes, c.bytes) << c.path;
    }
  }
}

TEST_F(SafeFileTest, AFileForTheEditorIsJudgedBeforeAnyTextMoves) {
  WriteBytes(Temp("lf.txt"), "a\nb\rc\r\n");
  WriteBytes(Temp("with-nul.txt"), std::string("text\0more", 9));
  WriteBytes(Temp("doc.rtf"), "{\\rtf1 hi}");
  const std::string deep = "{\\rtf1 " + std::string(40, '{') + "x" + std::string(40, '}') + "}";
  WriteBytes(Temp("deep.rtf"), deep);
  ASSERT_TRUE(WriteHugeSparseFile(Temp("huge.txt")));
  const struct {
    std::string path, error;
    bool rtf;
    std::string plain;
  } cases[] = {
      {Temp("lf.txt"), "", false, "a\r\nb\r\nc\r\n"},
      {Temp("doc.rtf"), "", true, ""},
      {Temp("deep.rtf"), "", false, deep}, // rich text the control cannot take stays plain
      {Temp("missing.txt"), "Cannot open file " + Temp("missing.txt"), false, ""},
      {Temp("with-nul.txt"),
       "File " + Temp("with-nul.txt") + " contains NUL characters and cannot be opened as text.",
       false, ""},
      {Temp("huge.txt"), "File " + Temp("huge.txt") + " is too large to open.", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      const forms::LoadableFile f = forms::ReadLoadableFile(c.path);
      EXPECT_EQ(c.error, "");
      EXPECT_EQ(f.rtf, c.rtf);
      if (!c.rtf) {
        EXPECT_EQ(f.plain, c.plain);
        EXPECT_EQ(f.expected, static_cast<long>(c.plain.size()));
      }
    } catch (const forms::Error& e) {
      EXPECT_EQ(e.what(), c.error);
    }
  }
}

TEST_F(SafeFileTest, AFailedSaveLeavesTheOldFileByteForByteAndNoLeftover) {
  const std::string old = std::string("old\r\ncontent\xFF\0end", 17);
  const std::string target = Temp("doc.txt");
  const std::string temp = forms::SaveTempPath(target);
  struct Case {
    const char* what;
    std::function<void()> arrange; // makes the save fail; the target holds `old` before
    std::function<void()> release;
  };
  HANDLE held = INVALID_HANDLE_VALUE;
  const auto hold = [&](const std::string& path, DWORD access) {
    held = CreateFileA(path.c_str(), access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE) << path;
  };
  const auto unhold = [&] {
    CloseHandle(held);
    held = INVALID_HANDLE_VALUE;
  };
  const Case cases[] = {
      {"the target held without sharing", [&] { hold(target, GENERIC_READ); }, unhold},
      {"a read-only target", [&] { SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY); },
       [&] { SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL); }},
      // Half-way: the target was found writable, then its temporary file cannot be written.
      {"the temporary name taken by a folder", [&] { CreateDirectoryA(temp.c_str(), nullptr); },
       [&] { RemoveDirectoryA(temp.c_str()); }},
      {"the temporary file held by another program",
       [&] {
         WriteBytes(temp, "x");
         hold(temp, GENERIC_READ);
       },
       [&] {
         unhold();
         DeleteFileA(temp.c_str());
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(target, old);
    const auto before = Files();
    c.arrange();
    const auto arranged = Files();
    EXPECT_FALSE(forms::ReplaceFileSafely(target, "new text"));
    EXPECT_EQ(Files(), arranged); // nothing added, nothing taken
    c.release();
    EXPECT_EQ(ReadBytes(target), old);
    EXPECT_EQ(Files(), before);
  }
  // A folder that does not exist, and a folder as the target.
  EXPECT_FALSE(forms::ReplaceFileSafely(Temp("no-such-folder\\file.txt"), "x"));
  CreateDirectoryA(Temp("sub").c_str(), nullptr);
  EXPECT_FALSE(forms::ReplaceFileSafely(Temp("sub"), "x"));
  // Released, the same save goes through and leaves only the target.
  RemoveDirectoryA(Temp("sub").c_str());
  EXPECT_TRUE(forms::ReplaceFileSafely(target, "new text"));
  EXPECT_EQ(ReadBytes(target), "new text");
  EXPECT_EQ(Files(), std::vector<std::string>{"doc.txt"});
}

TEST_F(SafeFileTest, TheMessagesNameTheFile) {
  const std::string p = "C:\\Docs\\a.txt";
  EXPECT_EQ(forms::CannotOpenFileMessage(p), "Cannot open file C:\\Docs\\a.txt");
  EXPECT_EQ(forms::CannotCreateFileMessage(p), "Cannot create file C:\\Docs\\a.txt");
  EXPECT_EQ(forms::FileTooLargeMessage(p), "File C:\\Docs\\a.txt is too large to open.");
  EXPECT_EQ(forms::FileHoldsNulMessage(p),
            "File C:\\Docs\\a.txt contains NUL characters and cannot be opened as text.");
}

TEST(SafeFileNames, TheTemporaryNameFollowsTheFullPathWhateverItsLetterCase) {
  const struct {
    std::string a, b;
    bool same;
  } cases[] = {
      {"C:\\Docs\\Notes.txt", "c:\\docs\\NOTES.TXT", true},
      {"C:\\Docs\\Notes.txt", "C:\\Docs\\Notes2.txt", false},
      {"C:\\Docs\\Notes.txt", "C:\\Other\\Notes.txt", false},
      {"C:\\a.txt", "D:\\a.txt", false},
  };
  for (const auto& c : cases) {
    const std::string ta = forms::SaveTempPath(c.a), tb = forms::SaveTempPath(c.b);
    // The folder keeps the spelling it was given; the name is what must agree.
    EXPECT_EQ(ta.substr(ta.find_last_of('\\')) == tb.substr(tb.find_last_of('\\')), c.same)
        << ta << " " << tb;
    // Beside the file, "vd~", sixteen hex digits, ".tmp".
    const std::string folder = c.a.substr(0, c.a.find_last_of('\\') + 1);
    ASSERT_EQ(ta.rfind(folder, 0), 0u) << ta;
    const std::string name = ta.substr(folder.size());
    EXPECT_EQ(name.size(), 3u + 16u + 4u) << name;
    EXPECT_EQ(name.rfind("vd~", 0), 0u) << name;
    EXPECT_EQ(name.substr(19), ".tmp") << name;
    EXPECT_EQ(name.find_first_not_of("0123456789abcdef", 3), 19u) << name;
  }
  // Many files of one folder get names of their own.
  std::set<std::string> names;
  for (int i = 0; i < 5000; ++i)
    names.insert(forms::SaveTempPath("C:\\Docs\\file" + std::to_string(i) + ".txt"));
  EXPECT_EQ(names.size(), 5000u);
}

TEST(KeyShift, MouseMessagesGiveTheirButtonAndShiftState) {
  const struct {
    UINT msg;
    WPARAM mk;
    forms::MouseButton button;
    unsigned shift; // Alt aside: it comes from the key state
  } cases[] = {
      {WM_LBUTTONDOWN, MK_LBUTTON, forms::kMouseLeft, forms::kShiftLeft},
      {WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, forms::kMouseRight,
       forms::kShiftRight | forms::kShiftShift},
      {WM_MBUTTONDOWN, MK_MBUTTON | MK_CONTROL, forms::kMouseMiddle,
       forms::kShiftMiddle | forms::kShiftCtrl},
      {WM_LBUTTONDBLCLK, MK_LBUTTON, forms::kMouseLeft, forms::kShiftLeft | forms::kShiftDouble},
      {WM_RBUTTONDBLCLK, MK_RBUTTON, forms::kMouseRight, forms::kShiftRight | forms::kShiftDouble},
      {WM_MBUTTONDBLCLK, 0, forms::kMouseMiddle, forms::kShiftDouble},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(forms::MouseButtonOf(c.msg), c.button) << c.msg;
    EXPECT_EQ(forms::MouseShift(c.msg, c.mk) & ~unsigned(forms::kShiftAlt), c.shift) << c.msg;
  }
}

TEST(KeyShift, TheKeyStateOfTheThreadIsRead) {
  BYTE saved[256];
  ASSERT_TRUE(GetKeyboardState(saved));
  const struct {
    std::vector<int> down;
    unsigned shift;
  } cases[] = {
      {{}, 0},
      {{VK_SHIFT}, forms::kShiftShift},
      {{VK_CONTROL}, forms::kShiftCtrl},
      {{VK_MENU, VK_CONTROL}, forms::kShiftAlt | forms::kShiftCtrl},
      {{VK_LBUTTON, VK_SHIFT}, forms::kShiftLeft | forms::kShiftShift},
      {{VK_RBUTTON, VK_MBUTTON}, forms::kShiftRight | forms::kShiftMiddle},
  };
  for (const auto& c : cases) {
    BYTE keys[256] = {};
    for (int k : c.down)
      keys[k] = 0x80;
    ASSERT_TRUE(SetKeyboardState(keys));
    EXPECT_EQ(forms::KeyShift(), c.shift) << c.down.size();
  }
  SetKeyboardState(saved);
}

} // namespace
} // namespace vd::test
