// Reading a plain-text file in pieces for the editor: line breaks made CR LF across the pieces'
// edges, and the first pass's findings, against whole-text answers.
#include "core/TextFormat.h"
#include "forms/SafeFile.h"
#include "forms/TextLoad.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vd::test {
namespace {

using forms::FileTextSource;

std::string TempFile(const std::string& name) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  return std::string(tmp) + "VdTextLoad-" + name;
}

class PiecesOfAFile {
public:
  PiecesOfAFile(const std::string& bytes, std::size_t piece) : path_(TempFile("pieces.txt")) {
    WriteBytes(path_, bytes);
    file_.reset(CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    source_ = std::make_unique<FileTextSource>(file_.get(), piece);
  }
  ~PiecesOfAFile() {
    file_.Close();
    DeleteFileA(path_.c_str());
  }
  FileTextSource& source() { return *source_; }
  // Everything the source hands out, taken `take` bytes at a time.
  std::string Drain(std::size_t take) {
    std::string out;
    for (;;) {
      const std::string_view v = source_->Peek(take);
      if (v.empty())
        return out;
      const std::size_t n = std::min(take, v.size());
      out.append(v.substr(0, n));
      source_->Consume(n);
    }
  }

private:
  std::string path_;
  forms::FileHandle file_;
  std::unique_ptr<FileTextSource> source_;
};

// Texts whose breaks fall on and around the edges of 4-byte pieces.
const struct {
  const char* what;
  std::string bytes;
} kEdgeCases[] = {
    {"empty", ""},
    {"exactly one piece", "abcd"},
    {"one piece ending in CR", "abc\r"},
    {"CR at the end of a piece, then text", "abc\rdefg"},
    {"CR LF split across pieces", "abc\r\ndefg"},
    {"LF first in a piece", "abcd\nefg"},
    {"CR at a piece's end, CR next", "abc\r\rx"},
    {"breaks only", "\r\n\r\n\n\n\r\r\n\r"},
    {"CR LF exactly filling a piece", "ab\r\ncd\r\n"},
    {"a long mix", "line one\r\nline\ttwo\nthree\r\rfour\n\r\nfive\r"},
};

TEST(FileTextSource, BreaksAreMadeCrLfWhereverThePiecesEnd) {
  for (const auto& c : kEdgeCases) {
    const std::string expected = NormaliseLineBreaks(c.bytes);
    for (std::size_t piece : {1, 2, 3, 4, 5, 7, 64}) {
      for (std::size_t take : {1, 3, 4096}) {
        PiecesOfAFile f(c.bytes, piece);
        EXPECT_EQ(f.Drain(take), expected)
            << c.what << ", pieces of " << piece << ", taken " << take << " at a time";
        EXPECT_TRUE(f.source().Ok());
      }
    }
  }
}

TEST(FileTextSource, PeekNeverEndsBetweenCrAndLfAndRewindStartsAgain) {
  PiecesOfAFile f("ab\rcd\r\nef\n", 3);
  // The view is always whole normalised text: a CR in it is followed by its LF.
  for (std::size_t want = 1; want < 20; ++want) {
    const std::string_view v = f.source().Peek(want);
    if (!v.empty()) {
      EXPECT_NE(v.back(), '\r') << want;
    }
  }
  EXPECT_EQ(f.Drain(2), "ab\r\ncd\r\nef\r\n");
  ASSERT_TRUE(f.source().Rewind());
  EXPECT_EQ(f.Drain(5), "ab\r\ncd\r\nef\r\n");
}

TEST(ScanPlainText, FindsWhatTheWholeTextWouldShow) {
  std::string longText;
  for (int i = 0; longText.size() < 3 * forms::kHeadBytes; ++i)
    longText += "line " + std::to_string(i) + (i % 3 ? "\n" : "\r\n");
  struct Case {
    const char* what;
    std::string bytes;
    bool nul;
  };
  std::vector<Case> cases;
  for (const auto& c : kEdgeCases)
    cases.push_back({c.what, c.bytes, false});
  cases.push_back({"NUL at a piece's edge", std::string("abc\0def", 7), true});
  cases.push_back({"NUL last", std::string("abcdefg\0", 8), true});
  cases.push_back({"longer than the head", longText, false});
  cases.push_back({"high bytes", "\xE9t\xE9\r\xFF\xFE", false});
  for (const auto& c : cases) {
    const std::string normal = NormaliseLineBreaks(c.bytes);
    for (std::size_t piece : {std::size_t{3}, std::size_t{4}, FileTextSource::kPiece}) {
      SCOPED_TRACE(std::string(c.what) + ", pieces of " + std::to_string(piece));
      PiecesOfAFile f(c.bytes, piece);
      const forms::PlainTextScan scan = forms::ScanPlainText(f.source());
      EXPECT_EQ(scan.nul, c.nul);
      EXPECT_EQ(scan.size, static_cast<long long>(normal.size()));
      EXPECT_EQ(scan.chars, forms::CharsOf(normal));
      EXPECT_EQ(scan.start, normal.substr(0, forms::kHeadBytes + 1));
      EXPECT_EQ(forms::HeadLength(scan.start, normal.size()),
                forms::HeadLength(normal, normal.size()));
    }
  }
}

TEST(HeadLength, CutsAShortHeadBeforeACr) {
  const std::size_t k = forms::kHeadBytes;
  const std::string lines = [&] {
    std::string s;
    while (s.size() < 3 * k)
      s += "0123456789\r\n";
    return s;
  }();
  const std::size_t lastCr = lines.rfind('\r', k);
  const struct {
    const char* what;
    std::string text;
    std::size_t head;
  } cases[] = {
      {"short: all at once", lines.substr(0, 2 * k), 0},
      {"long: cut before the CR at or before the head's end", lines, lastCr},
      {"no CR in the head", std::string(k + 1, 'x') + "\r\n" + std::string(2 * k, 'y'), 0},
      {"the only CR first", "\r\n" + std::string(3 * k, 'y'), 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(forms::HeadLength(c.text, c.text.size()), c.head) << c.what;
}

} // namespace
} // namespace vd::test
