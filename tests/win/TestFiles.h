#pragma once
// Files of the layer-2 tests: bytes in and out, and what a folder holds.
#include "forms/Win.h"

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace vd::test {

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The names in a folder, "." and ".." left out, in the order the system lists them.
inline std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE)
    return names;
  do {
    const std::string n = fd.cFileName;
    if (n != "." && n != "..")
      names.push_back(n);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return names;
}

} // namespace vd::test
