#pragma once
#include <cstddef>
#include <string_view>

namespace vd::tools {

// Lines that are not blank and do not begin with "//" once trimmed. A comment after code, a
// block comment or any other comment marker still counts as code.
std::size_t CountLinesOfCode(std::string_view text);

} // namespace vd::tools
