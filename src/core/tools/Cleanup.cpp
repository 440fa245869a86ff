#include "core/tools/Cleanup.h"

#include "core/tools/TextLines.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace vd::tools {
namespace {

bool Contains(std::string_view text, std::string_view keyword) {
  return text.find(keyword) != std::string_view::npos;
}

bool ContainsAny(std::string_view text, std::initializer_list<std::string_view> keywords) {
  return std::any_of(keywords.begin(), keywords.end(),
                     [text](std::string_view keyword) { return Contains(text, keyword); });
}

bool BeginsWithAny(std::string_view text, std::initializer_list<std::string_view> keywords) {
  return std::any_of(keywords.begin(), keywords.end(),
                     [text](std::string_view keyword) { return text.starts_with(keyword); });
}

void AppendCollapsed(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ' && i > 0 && text[i - 1] == ' ')
      continue;
    out += text[i];
  }
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
  std::string out;
  out.reserve(text.size());
  AppendCollapsed(out, text);
  return out;
}

CleanupRule MatchCleanupRule(std::string_view line, std::string_view upperLine,
                             std::string_view nextLine) {
  if (CountChar('@', line) >= 1)
    return CleanupRule::AtSign;
  if (BeginsWithAny(Trim(upperLine), {"SUBJECT:", "DATE:", "FROM:", "TO:", "SENT:"}))
    return CleanupRule::HeaderStart;
  if (Contains(upperLine, "ORIGINAL") && Contains(upperLine, "MESSAGE") &&
      ContainsAny(upperLine, {"FOLLOWS", "--"}))
    return CleanupRule::OriginalMessage;
  if (IsBlankLine(line) && IsBlankLine(nextLine))
    return CleanupRule::BlankPair;
  if (ContainsAny(upperLine,
                  {"RECEIVED", "WWW.", "HTTP", "___", "---", "CONTENT", "MESSAGE ATTACHED"}))
    return CleanupRule::TransportNoise;
  if (ContainsAny(upperLine, {"ID", "MIME"}) ||
      (ContainsAny(upperLine, {"GET", "FREE"}) && ContainsAny(upperLine, {"EMAIL", "E-MAIL"})))
    return CleanupRule::IdOrAdvert;
  return CleanupRule::None;
}

std::string CleanupEmail(std::string_view text, const UpperCaseFn& upperCase) {
  const TextLines source = SplitLines(text);
  const std::size_t lineCount = source.lines.size();

  // Spaces and quote marks, kept as one CR LF text so the platform upper-cases it in one call.
  // Collapsing after the quote marks gives the same line as collapsing first: the marks end at
  // a character that is not a space, so no run of spaces straddles that point.
  std::string stripped;
  stripped.reserve(text.size());
  std::vector<std::size_t> starts(lineCount + 1);
  for (std::size_t k = 0; k < lineCount; ++k) {
    if (k > 0)
      stripped += kLineBreak;
    starts[k] = stripped.size();
    AppendCollapsed(stripped, StripQuoteMarks(source.lines[k]).text);
  }
  starts[lineCount] = stripped.size() + kLineBreak.size();
  std::string upper = stripped;
  if (!upper.empty())
    upperCase(upper.data(), upper.size());

  auto lineAt = [&](const std::string& buffer, std::size_t k) {
    if (k >= lineCount)
      return std::string_view();
    return std::string_view(buffer).substr(starts[k], starts[k + 1] - kLineBreak.size() - starts[k]);
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
