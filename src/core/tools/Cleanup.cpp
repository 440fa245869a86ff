#include "core/tools/Cleanup.h"

#include "core/tools/TextLines.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace vd::tools {
namespace {

// The keywords a line holds, found in one pass over it: testing each keyword with its own search
// reads the line seventeen times and made this the slowest step of the clean-up.
constexpr unsigned kOriginal = 1u << 0;
constexpr unsigned kMessage = 1u << 1;
constexpr unsigned kFollowsOrDashes = 1u << 2; // "FOLLOWS" or "--"
constexpr unsigned kNoise = 1u << 3;           // any keyword of the transport-noise rule
constexpr unsigned kIdOrMime = 1u << 4;
constexpr unsigned kGetOrFree = 1u << 5;
constexpr unsigned kEmail = 1u << 6; // "EMAIL" or "E-MAIL"

struct Keyword {
  std::string_view text;
  unsigned bit;
};

constexpr std::array<Keyword, 17> kKeywords = {{
    {"ORIGINAL", kOriginal},
    {"MESSAGE", kMessage},
    {"FOLLOWS", kFollowsOrDashes},
    {"--", kFollowsOrDashes},
    {"RECEIVED", kNoise},
    {"WWW.", kNoise},
    {"HTTP", kNoise},
    {"___", kNoise},
    {"---", kNoise},
    {"CONTENT", kNoise},
    {"MESSAGE ATTACHED", kNoise},
    {"ID", kIdOrMime},
    {"MIME", kIdOrMime},
    {"GET", kGetOrFree},
    {"FREE", kGetOrFree},
    {"EMAIL", kEmail},
    {"E-MAIL", kEmail},
}};

// The first two characters of every keyword. Most positions of a line start none, and one table
// look-up tells so before any keyword is compared.
class KeywordStarts {
public:
  constexpr KeywordStarts() {
    for (const Keyword& keyword : kKeywords) {
      unsigned pair = Pair(keyword.text[0], keyword.text[1]);
      bits_[pair / 64] |= std::uint64_t{1} << (pair % 64);
    }
  }
  constexpr bool Holds(char first, char second) const {
    unsigned pair = Pair(first, second);
    return (bits_[pair / 64] >> (pair % 64)) & 1u;
  }

private:
  static constexpr unsigned Pair(char first, char second) {
    return static_cast<unsigned char>(first) * 256u + static_cast<unsigned char>(second);
  }
  std::array<std::uint64_t, 65536 / 64> bits_{};
};

constexpr KeywordStarts kKeywordStarts;

unsigned ScanKeywords(std::string_view upper) {
  unsigned found = 0;
  for (std::size_t i = 0; i + 1 < upper.size(); ++i) {
    if (!kKeywordStarts.Holds(upper[i], upper[i + 1]))
      continue;
    std::string_view rest = upper.substr(i);
    for (const Keyword& keyword : kKeywords)
      if (keyword.text[0] == rest[0] && keyword.text[1] == rest[1] &&
          rest.starts_with(keyword.text))
        found |= keyword.bit;
  }
  return found;
}

bool BeginsWithAny(std::string_view text, std::initializer_list<std::string_view> keywords) {
  return std::any_of(keywords.begin(), keywords.end(),
                     [text](std::string_view keyword) { return text.starts_with(keyword); });
}

// Writes `text` with its runs of spaces collapsed at `out` and returns the end of what it wrote.
char* CopyCollapsed(char* out, std::string_view text) {
  // Branch-free: every character is written, and the write position moves on unless the
  // character repeats a space.
  char previous = '\0';
  for (char c : text) {
    *out = c;
    out += !(c == ' ' && previous == ' ');
    previous = c;
  }
  return out;
}

} // namespace

StrippedLine StripQuoteMarks(std::string_view line) {
  std::size_t first = line.find_first_not_of(" >");
  if (first == std::string_view::npos)
    first = line.size();
  return {line.substr(first), first > 0};
}

std::size_t CountChar(char ch, std::string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), ch));
}

std::string CollapseSpaces(std::string_view text) {
  std::string out(text.size(), '\0');
  out.resize(CopyCollapsed(out.data(), text) - out.data());
  return out;
}

CleanupRule MatchCleanupRule(std::string_view line, std::string_view upperLine,
                             std::string_view nextLine) {
  if (line.find('@') != std::string_view::npos) // a count of one or more: the first will do
    return CleanupRule::AtSign;
  if (BeginsWithAny(Trim(upperLine), {"SUBJECT:", "DATE:", "FROM:", "TO:", "SENT:"}))
    return CleanupRule::HeaderStart;
  const unsigned found = ScanKeywords(upperLine);
  auto all = [found](unsigned bits) { return (found & bits) == bits; };
  if (all(kOriginal | kMessage | kFollowsOrDashes))
    return CleanupRule::OriginalMessage;
  if (IsBlankLine(line) && IsBlankLine(nextLine))
    return CleanupRule::BlankPair;
  if (all(kNoise))
    return CleanupRule::TransportNoise;
  if (all(kIdOrMime) || all(kGetOrFree | kEmail))
    return CleanupRule::IdOrAdvert;
  return CleanupRule::None;
}

std::string CleanupEmail(std::string_view text, const UpperCaseFn& upperCase) {
  const TextLines source = SplitLines(text);
  const std::size_t lineCount = source.lines.size();

  // Spaces and quote marks, kept as one CR LF text so the platform upper-cases it in one call.
  // Collapsing after the quote marks gives the same line as collapsing first: the marks end at
  // a character that is not a space, so no run of spaces straddles that point.
  std::string stripped(text.size(), '\0');
  std::vector<std::size_t> starts(lineCount + 1);
  char* end = stripped.data();
  for (std::size_t k = 0; k < lineCount; ++k) {
    if (k > 0)
      end = std::copy(kLineBreak.begin(), kLineBreak.end(), end);
    starts[k] = end - stripped.data();
    end = CopyCollapsed(end, StripQuoteMarks(source.lines[k]).text);
  }
  stripped.resize(end - stripped.data());
  starts[lineCount] = stripped.size() + kLineBreak.size();
  std::string upper = stripped;
  if (!upper.empty())
    upperCase(upper.data(), upper.size());

  auto lineAt = [&](const std::string& buffer, std::size_t k) {
    if (k >= lineCount)
      return std::string_view();
    return std::string_view(buffer).substr(starts[k],
                                           starts[k + 1] - kLineBreak.size() - starts[k]);
  };

  // A deleted line's successor moves up and is judged next against its own successor, which no
  // deletion has touched yet; so each line is judged once against the line after it.
  std::vector<std::string_view> kept;
  kept.reserve(lineCount);
  for (std::size_t k = 0; k < lineCount; ++k) {
    if (MatchCleanupRule(lineAt(stripped, k), lineAt(upper, k), lineAt(stripped, k + 1)) ==
        CleanupRule::None)
      kept.push_back(lineAt(stripped, k));
  }

  // The same reasoning for the blank runs that the removals left next to each other.
  std::vector<std::string_view> result;
  result.reserve(kept.size());
  for (std::size_t k = 0; k < kept.size(); ++k) {
    bool nextBlank = k + 1 >= kept.size() || IsBlankLine(kept[k + 1]);
    if (!(IsBlankLine(kept[k]) && nextBlank))
      result.push_back(kept[k]);
  }
  return JoinLines(result, source.endsWithBreak);
}

} // namespace vd::tools
