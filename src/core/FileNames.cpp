#include "core/FileNames.h"

namespace vd {

namespace {

bool IsFullPath(std::string_view name) {
  if (name.size() >= 2 && name[1] == ':')
    return true; // C:...
  return name.size() >= 2 && (name[0] == '\\' || name[0] == '/') &&
         (name[1] == '\\' || name[1] == '/'); // UNC
}

std::vector<std::string_view> NulSeparated(std::string_view buffer) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start < buffer.size()) {
    const size_t end = buffer.find('\0', start);
    const size_t stop = end == std::string_view::npos ? buffer.size() : end;
    if (stop == start)
      break; // the empty string that ends the list
    parts.push_back(buffer.substr(start, stop - start));
    start = stop + 1;
  }
  return parts;
}

} // namespace

std::vector<std::string> SplitChosenFileNames(std::string_view buffer) {
  const std::vector<std::string_view> parts = NulSeparated(buffer);
  if (parts.size() <= 1)
    return {parts.begin(), parts.end()};
  std::string folder(parts.front());
  // A drive's root comes with its backslash; any other folder without one.
  if (folder.back() != '\\' && folder.back() != '/')
    folder.push_back('\\');
  std::vector<std::string> paths;
  for (size_t i = 1; i < parts.size(); ++i)
    paths.push_back(IsFullPath(parts[i]) ? std::string(parts[i]) : folder + std::string(parts[i]));
  return paths;
}

std::string FoldersNotOpenedMessage(const std::vector<std::string>& folders) {
  if (folders.empty())
    return {};
  if (folders.size() == 1)
    return "Folder " + folders.front() + " was not opened.  Only files open in tabs.";
  std::string list;
  for (size_t i = 0; i < folders.size(); ++i) {
    if (i > 0)
      list += i + 1 == folders.size() ? " and " : ", ";
    list += folders[i];
  }
  return "Folders " + list + " were not opened.  Only files open in tabs.";
}

} // namespace vd
