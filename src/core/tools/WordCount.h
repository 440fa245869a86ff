#pragma once
#include <cstddef>
#include <string_view>

namespace vd::tools {

// Words of five characters: line breaks and tabs are dropped (so the words either side of them
// run together), blanks at both ends are not counted and a run of spaces counts as one.
std::size_t CountFiveCharacterWords(std::string_view text);

// Words as stretches of characters other than space, tab, CR and LF.
std::size_t CountIndividualWords(std::string_view text);

} // namespace vd::tools
