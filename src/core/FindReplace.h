#pragma once
#include <cstddef>
#include <functional>

// Where each search of the Find and Replace window starts, and the Replace All loop. The editor
// does the searching and the replacing; these rules only decide where, and when to stop.
namespace vd::search {

enum class Origin { TopOfFile, CursorPosition };

// Find: from the top, or just after the current selection.
constexpr long FindStart(Origin origin, long selStart, long selEnd) {
  (void)selStart;
  return origin == Origin::TopOfFile ? 0 : selEnd;
}

// Find Next: always just after the current selection.
constexpr long FindNextStart(long selEnd) { return selEnd; }

// Replace All: from the top, or from the start of the selection, so that a match a previous
// Find selected is replaced too.
constexpr long ReplaceAllStart(Origin origin, long selStart) {
  return origin == Origin::TopOfFile ? 0 : selStart;
}

// What Replace All needs of the editor.
struct ReplaceAllEditor {
  // The first match at or after start, up to the end of the text; -1 when there is none.
  std::function<long(long start)> find;
  // Replaces [pos, pos + length) with the replacement; returns the caret after it.
  std::function<long(long pos, std::size_t length)> replaceAt;
};

// Replaces every match from start to the end of the text and returns how many it replaced.
// Each search starts after the text just inserted, so a replacement that holds the search text
// is not searched again. The loop always ends: an empty search text replaces nothing (it would
// match again where it was), and a match before the point the search started from (which a
// sound editor never gives) ends it too. Every further round then leaves strictly less text
// after the search point.
std::size_t ReplaceAll(long start, std::size_t patternLength, const ReplaceAllEditor& editor);

} // namespace vd::search
