#pragma once
#include <string_view>

namespace vd::tools {

// The frame of a web page that the Programming menu inserts at the caret: twelve lines joined by
// line feeds, none after the last, every attribute value left empty or a single space.
extern const std::string_view kHtmlSkeleton;

} // namespace vd::tools
