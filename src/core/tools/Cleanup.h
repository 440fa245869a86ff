#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace vd::tools {

// Upper-cases `length` characters of `text` in place, one for one, as the user's locale does
// for the ANSI code page (the program passes CharUpperBuffA).
using UpperCaseFn = std::function<void(char* text, std::size_t length)>;

struct StrippedLine {
  std::string_view text;
  bool changed = false; // at least one character was removed
};

// Drops every space and ">" at the start of a line, in any mix: the quote marks of a reply.
StrippedLine StripQuoteMarks(std::string_view line);

std::size_t CountChar(char ch, std::string_view text);

// Every run of two or more spaces becomes one space; tabs and other blanks stay as they are.
std::string CollapseSpaces(std::string_view text);

// The line-removal rules of the clean-up, in the order they are tried.
enum class CleanupRule {
  None = 0,
  AtSign = 1,          // an address anywhere in the line
  HeaderStart = 2,     // Subject:, Date:, From:, To:, Sent: at the start
  OriginalMessage = 3, // "original message follows" and its dashed banners
  BlankPair = 4,       // a blank line followed by another (or by the end)
  TransportNoise = 5,  // Received, links, rules of underscores or dashes, Content-...
  IdOrAdvert = 6,      // "ID" or "MIME" anywhere, or get/free together with e-mail
};

// The first rule that holds for `line` (already stripped), `upperLine` being the same line
// upper-cased and `nextLine` the line after it (empty past the end).
CleanupRule MatchCleanupRule(std::string_view line, std::string_view upperLine,
                             std::string_view nextLine);

// The e-mail forward clean-up of a whole CR LF text: spaces collapsed, quote marks stripped,
// lines matching a rule removed, runs of blank lines reduced to one and blank lines at the end
// removed. Linear in the text: each line is judged once against its successor, which is the
// outcome of deleting lines one by one and re-examining the line that moves up.
std::string CleanupEmail(std::string_view text, const UpperCaseFn& upperCase);

} // namespace vd::tools
