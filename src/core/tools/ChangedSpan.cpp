#include "core/tools/ChangedSpan.h"

#include <algorithm>

namespace vd::tools {
namespace {

// Whether position `at` of `text` lies between a CR and an LF.
bool SplitsBreak(std::string_view text, std::size_t at) {
  return at > 0 && at < text.size() && text[at - 1] == '\r' && text[at] == '\n';
}

} // namespace

ChangedSpan FindChangedSpan(std::string_view oldText, std::string_view newText) {
  const std::size_t shorter = std::min(oldText.size(), newText.size());
  std::size_t prefix = 0;
  while (prefix < shorter && oldText[prefix] == newText[prefix])
    ++prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         oldText[oldText.size() - 1 - suffix] == newText[newText.size() - 1 - suffix])
    ++suffix;

  if (SplitsBreak(oldText, prefix) || SplitsBreak(newText, prefix))
    --prefix;
  if (SplitsBreak(oldText, oldText.size() - suffix) ||
      SplitsBreak(newText, newText.size() - suffix))
    --suffix;
  return {prefix, oldText.size() - prefix - suffix,
          newText.substr(prefix, newText.size() - prefix - suffix)};
}

} // namespace vd::tools
