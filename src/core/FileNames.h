#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vd {

// The names an Open dialog with several selectable files hands back: NUL-separated strings
// ending with an empty one. One string is a single full path; more are a folder followed by
// names in it. A name that is itself a full path (typed by the user) is kept as it is. Nothing
// past the terminating empty string is read.
std::vector<std::string> SplitChosenFileNames(std::string_view buffer);

// The one message that names every folder left out of a drop.
std::string FoldersNotOpenedMessage(const std::vector<std::string>& folders);

} // namespace vd
