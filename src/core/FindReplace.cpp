#include "core/FindReplace.h"

namespace vd::search {

std::size_t ReplaceAll(long start, std::size_t patternLength, const ReplaceAllEditor& editor) {
  if (patternLength == 0 || start < 0)
    return 0;
  std::size_t count = 0;
  long next = start;
  for (long pos = editor.find(next); pos >= next; pos = editor.find(next)) {
    next = editor.replaceAt(pos, patternLength);
    ++count;
    if (next < pos)
      break; // the caret must end after the inserted text
  }
  return count;
}

} // namespace vd::search
