#pragma once
// Stand-ins for the platform's upper-casing and collation, and generated texts for the
// property tests.
#include <cctype>
#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace vd::tools::testing {

// ASCII letters only, as a locale with no accented letters would do it.
inline void AsciiUpperCase(char* text, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i)
    if (text[i] >= 'a' && text[i] <= 'z')
      text[i] = static_cast<char>(text[i] - 'a' + 'A');
}

inline int CompareIgnoringCase(std::string_view a, std::string_view b) {
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    int x = std::tolower(static_cast<unsigned char>(a[i]));
    int y = std::tolower(static_cast<unsigned char>(b[i]));
    if (x != y)
      return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

inline std::string Join(const std::vector<std::string>& lines, std::string_view separator) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i)
    text += (i > 0 ? std::string(separator) : "") + lines[i];
  return text;
}

// A text of up to maxLines lines, each made of one to three pieces drawn from `pieces`, joined
// by CR LF and ending with a break or not.
inline std::string GenerateText(std::mt19937& random, const std::vector<std::string>& pieces,
                                std::size_t maxLines) {
  std::uniform_int_distribution<std::size_t> lineCount(0, maxLines);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<int> pieceCount(1, 3);
  std::vector<std::string> lines(lineCount(random));
  for (std::string& line : lines)
    for (int n = pieceCount(random); n > 0; --n)
      line += pieces[pick(random)];
  return Join(lines, "\r\n") + (random() % 2 == 0 ? "\r\n" : "");
}

} // namespace vd::tools::testing
