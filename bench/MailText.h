#pragma once
// The benchmarks' text: generated e-mail of a given size, the same bytes on every run.
#include <array>
#include <cstddef>
#include <random>
#include <string>
#include <string_view>

namespace vd::bench {

// A line of 4 to 14 words after `depth` quote marks, a double space after every fifth word.
inline void AppendQuotedWords(std::string& text, std::mt19937& random, int depth,
                              const std::array<std::string_view, 24>& words) {
  std::uniform_int_distribution<std::size_t> word(0, words.size() - 1);
  std::uniform_int_distribution<int> wordCount(4, 14);
  for (int d = 0; d < depth; ++d)
    text += (d % 2 == 0) ? "> " : ">";
  for (int w = wordCount(random); w > 0; --w) {
    text += words[word(random)];
    text += (w % 5 == 0) ? "  " : " ";
  }
}

// Forwarded mail as it is pasted: headers, quoted prose with stray double spaces, links,
// banners, blank runs, the odd accented letter and some code with angle brackets.
inline std::string GenerateMail(std::size_t size) {
  static const std::array<std::string_view, 24> kWords = {
      "the",  "meeting", "is",    "moved", "to",      "Thursday", "please", "bring",
      "your", "notes",   "and",   "a",     "copy",    "of",       "report", "caf\xe9",
      "we",   "did",     "agree", "on",    "budget,", "thanks",   "x<y",    "<b>"};
  static const std::array<std::string_view, 10> kLines = {
      "-----Original Message-----",      "From: Sam Doe [mailto:sam@example.org]",
      "Sent: Monday, 3 June 2024 10:14", "To: Pat",
      "Subject: FW: FW: the plan",       "http://www.example.org/offer",
      "Get your free e-mail now",        "______________________",
      "Content-Type: text/plain",        "// a comment line"};
  std::mt19937 random(1234);
  std::uniform_int_distribution<int> kind(0, 9);
  std::uniform_int_distribution<std::size_t> fixedLine(0, kLines.size() - 1);
  std::string text;
  text.reserve(size + 256);
  while (text.size() < size) {
    int k = kind(random);
    if (k == 0)
      text += kLines[fixedLine(random)];
    else if (k != 1) // 1 is a blank line
      AppendQuotedWords(text, random, k % 4, kWords);
    text += "\r\n";
  }
  text.resize(size);
  return text;
}

// Quoted mail of words and spaces only, with blank lines: Wine's control lays such a text out
// in time that grows with its size, where for the mail above it grows much faster (its heap's
// search for a free block walks ever longer lists).
inline std::string GenerateQuotedProse(std::size_t size) {
  static const std::array<std::string_view, 24> kWords = {
      "the",  "meeting", "is",    "moved", "to",     "Thursday", "please", "bring",
      "your", "notes",   "and",   "a",     "copy",   "of",       "report", "caf\xe9",
      "we",   "did",     "agree", "on",    "budget", "thanks",   "plan",   "Pat"};
  std::mt19937 random(5);
  std::uniform_int_distribution<int> kind(0, 9);
  std::string text;
  text.reserve(size + 256);
  while (text.size() < size) {
    int k = kind(random);
    if (k != 1) // 1 is a blank line
      AppendQuotedWords(text, random, k % 3, kWords);
    text += "\r\n";
  }
  text.resize(size);
  return text;
}

} // namespace vd::bench
