#include "core/TextFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace vd {
namespace {

TEST(TextFormat, RtfIsOnlyAFileThatBeginsWithTheRtfControlWord) {
  struct Case {
    std::string bytes;
    bool rtf;
  };
  const Case cases[] = {
      {"{\\rtf1\\ansi hello}", true},
      {"{\\rtf", true},
      {"{\"a\": 1}", false}, // JSON: plain text, although it begins with "{"
      {"{\\rt", false},
      {" {\\rtf1}", false},
      {"\xEF\xBB\xBF{\\rtf1}", false},
      {"", false},
      {"{\\RTF1}", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsRtf(c.bytes), c.rtf) << "bytes: " << c.bytes;
}

TEST(TextFormat, NulDetection) {
  EXPECT_FALSE(ContainsNul(""));
  EXPECT_FALSE(ContainsNul("abc\xFF\x01"));
  EXPECT_TRUE(ContainsNul(std::string("ab\0c", 4)));
  EXPECT_EQ(FirstNul(std::string("ab\0c\0", 5)), 2u);
  EXPECT_EQ(FirstNul(std::string("\0", 1)), 0u);
  EXPECT_EQ(FirstNul("abc"), std::string_view::npos);
}

TEST(TextFormat, Utf8Bom) {
  EXPECT_TRUE(StartsWithUtf8Bom("\xEF\xBB\xBFx"));
  EXPECT_TRUE(StartsWithUtf8Bom("\xEF\xBB\xBF"));
  EXPECT_FALSE(StartsWithUtf8Bom("\xEF\xBB"));
  EXPECT_FALSE(StartsWithUtf8Bom("x\xEF\xBB\xBF"));
}

TEST(TextFormat, NormaliseLineBreaksMakesEveryBreakCrLf) {
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      {"", ""},
      {"abc", "abc"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"a\r\n\nb\r\rc\n\r", "a\r\n\r\nb\r\n\r\nc\r\n\r\n"}, // LF CR is two lone breaks
      {"\n", "\r\n"},
      {"\r", "\r\n"},
      {"\r\n", "\r\n"},
      {"\n\r\n", "\r\n\r\n"},
      {"x\r\r\n", "x\r\n\r\n"},
      {"\xE9\n\xFF", "\xE9\r\n\xFF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NormaliseLineBreaks(c.in), c.out) << "in: " << testing::PrintToString(c.in);
    EXPECT_TRUE(HasOnlyCrLfBreaks(NormaliseLineBreaks(c.in)));
    EXPECT_EQ(HasOnlyCrLfBreaks(c.in), c.in == c.out) << testing::PrintToString(c.in);
  }
}

TEST(TextFormat, NormaliseLineBreaksIsLinearOnALargeText) {
  // 8 MB of LF lines: a quadratic pass would not finish in the test's time.
  std::string in;
  for (int i = 0; i < 1 << 20; ++i)
    in += "1234567\n";
  const std::string out = NormaliseLineBreaks(in);
  EXPECT_EQ(out.size(), in.size() + (1u << 20));
  EXPECT_EQ(out.substr(0, 18), "1234567\r\n1234567\r\n");
}

TEST(TextFormat, StreamChunks) {
  // The first chunk of a text that begins with the mark is one byte.
  EXPECT_EQ(StreamChunkSize("\xEF\xBB\xBF"
                            "abc",
                            4096, true),
            1u);
  EXPECT_EQ(StreamChunkSize("\xEF\xBB\xBF"
                            "abc",
                            4096, false),
            6u);
  EXPECT_EQ(StreamChunkSize("abc", 4096, true), 3u);
  EXPECT_EQ(StreamChunkSize("abcdef", 4, true), 4u);
  // A chunk never ends between CR and LF.
  EXPECT_EQ(StreamChunkSize("abc\r\ndef", 4, false), 3u);
  EXPECT_EQ(StreamChunkSize("abc\r\ndef", 5, false), 5u);
  EXPECT_EQ(StreamChunkSize("abc\r", 4, false), 4u);  // a CR at the very end goes
  EXPECT_EQ(StreamChunkSize("abc\rx", 4, false), 4u); // a lone CR may end a chunk
  EXPECT_EQ(StreamChunkSize("\r\n", 1, false), 1u);   // no room for both: progress anyway
  EXPECT_EQ(StreamChunkSize("", 4096, true), 0u);
  EXPECT_EQ(StreamChunkSize("abc", 0, false), 0u);

  // Chunking a text of CR LF lines into 7-byte rooms never splits a pair and loses nothing.
  std::string text;
  for (int i = 0; i < 100; ++i)
    text += "ab\r\n";
  std::string joined;
  std::string_view rest = text;
  bool first = true;
  while (!rest.empty()) {
    const std::size_t n = StreamChunkSize(rest, 7, first);
    ASSERT_GT(n, 0u);
    EXPECT_FALSE(rest[n - 1] == '\r' && n < rest.size() && rest[n] == '\n');
    joined.append(rest.substr(0, n));
    rest.remove_prefix(n);
    first = false;
  }
  EXPECT_EQ(joined, text);
}

TEST(TextFormat, FileMessage) {
  EXPECT_EQ(FileMessage("C:\\a.txt", "is too large to open."),
            "File C:\\a.txt is too large to open.");
}

} // namespace
} // namespace vd
