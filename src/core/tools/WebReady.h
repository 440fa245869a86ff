#pragma once
#include <string>
#include <string_view>

namespace vd::tools {

// Source text made ready to paste into a web page: every "<" becomes "&lt;" and every ">"
// becomes "&gt;" (nothing else is escaped, entities already written stay as they are), and the
// lines are framed by a first line "<pre>" and a last line "</pre>".
std::string MakeWebReady(std::string_view text);

} // namespace vd::tools
