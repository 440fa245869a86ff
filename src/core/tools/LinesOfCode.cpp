#include "core/tools/LinesOfCode.h"

#include "core/tools/TextLines.h"

namespace vd::tools {

std::size_t CountLinesOfCode(std::string_view text) {
  std::size_t count = 0;
  ForEachLine(text, [&count](std::string_view line) {
    std::string_view trimmed = Trim(line);
    if (!trimmed.empty() && !trimmed.starts_with("//"))
      ++count;
  });
  return count;
}

} // namespace vd::tools
