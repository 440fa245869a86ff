#include "core/tools/WordCount.h"

#include "core/tools/TextLines.h"

namespace vd::tools {
namespace {

constexpr bool IsBreakOrTab(char c) { return c == '\r' || c == '\n' || c == '\t'; }

} // namespace

// Both counts read the text once instead of building the normalised copy: blanks after the last
// character that survives trimming are held back and dropped at the end.
std::size_t CountFiveCharacterWords(std::string_view text) {
  std::size_t length = 0;
  std::size_t heldBack = 0;
  bool started = false;
  char previous = '\0';
  for (char c : text) {
    if (IsBreakOrTab(c))
      continue; // removed, so the characters either side become neighbours
    bool repeatedSpace = c == ' ' && previous == ' ';
    previous = c;
    if (!IsTrimmable(c)) {
      started = true;
      length += heldBack + 1;
      heldBack = 0;
    } else if (started && !repeatedSpace) {
      ++heldBack;
    }
  }
  return length / 5;
}

std::size_t CountIndividualWords(std::string_view text) {
  std::size_t separators = 0;
  std::size_t heldBack = 0;
  bool started = false;
  bool previousSpace = false;
  for (char c : text) {
    bool space = c == ' ' || IsBreakOrTab(c);
    if (!IsTrimmable(c)) {
      started = true;
      separators += heldBack;
      heldBack = 0;
    } else if (started && space && !previousSpace) {
      ++heldBack;
    }
    previousSpace = space;
  }
  return started ? separators + 1 : 0;
}

} // namespace vd::tools
