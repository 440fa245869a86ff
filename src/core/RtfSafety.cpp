#include "core/RtfSafety.h"

#include <vector>

namespace vd {

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Groups whose text the reader gathers into a fixed buffer, one name per entry.
bool IsNameTable(std::string_view word) { return word == "fonttbl" || word == "stylesheet"; }

// One pass over the bytes. With skipBinary, the N bytes after \binN are data, as the format
// says; without, they are read as any other bytes. A reader may do either, so the decision
// asks both passes.
bool Scan(std::string_view b, bool skipBinary) {
  struct Group {
    bool inNameTable;
    bool awaitingDestination; // no control word seen yet in this group
  };
  std::vector<Group> groups;
  // Text bytes of the current name inside a font or style table; control words are not kept
  // in the name, so they do not count.
  std::size_t nameRun = 0;
  const auto inNameTable = [&] { return !groups.empty() && groups.back().inNameTable; };
  const auto nameByte = [&] { return !inNameTable() || ++nameRun <= kRtfMaxTokenLength; };

  std::size_t i = 0;
  while (i < b.size()) {
    const char c = b[i];
    if (c == '{') {
      groups.push_back({inNameTable(), true});
      if (static_cast<int>(groups.size()) > kRtfMaxGroupDepth)
        return false;
      nameRun = 0;
      ++i;
    } else if (c == '}') {
      if (!groups.empty())
        groups.pop_back();
      nameRun = 0;
      ++i;
    } else if (c == '\\' && i + 1 < b.size() && IsLetter(b[i + 1])) {
      const std::size_t start = ++i;
      while (i < b.size() && IsLetter(b[i]))
        ++i;
      const std::string_view word = b.substr(start, i - start);
      const std::size_t paramStart = i;
      if (i < b.size() && b[i] == '-')
        ++i;
      while (i < b.size() && IsDigit(b[i]))
        ++i;
      if (i - start > kRtfMaxTokenLength)
        return false;
      if (!groups.empty() && groups.back().awaitingDestination) {
        groups.back().awaitingDestination = false;
        if (IsNameTable(word))
          groups.back().inNameTable = true;
      }
      if (skipBinary && word == "bin") {
        std::size_t n = 0;
        for (std::size_t k = paramStart; k < i && n <= b.size(); ++k)
          if (IsDigit(b[k]))
            n = n * 10 + static_cast<std::size_t>(b[k] - '0');
        if (i < b.size() && b[i] == ' ')
          ++i; // the delimiter is not data
        i = n >= b.size() - i ? b.size() : i + n;
        continue;
      }
      if (i < b.size() && b[i] == ' ')
        ++i; // the delimiter belongs to the word
    } else if (c == '\\') {
      // A control symbol: "\*" keeps the group waiting for its destination word; "\'hh" is
      // one character of a name.
      const bool star = i + 1 < b.size() && b[i + 1] == '*';
      const std::size_t len = (i + 1 < b.size() && b[i + 1] == '\'') ? 4 : 2;
      if (!star && !groups.empty())
        groups.back().awaitingDestination = false;
      i = len >= b.size() - i ? b.size() : i + len;
      if (!nameByte())
        return false;
    } else {
      if (c == ';')
        nameRun = 0;
      else if (c != '\r' && c != '\n' && !nameByte())
        return false;
      if (c != ' ' && c != '\r' && c != '\n' && !groups.empty())
        groups.back().awaitingDestination = false;
      ++i;
    }
  }
  return true;
}

} // namespace

bool RtfIsSafeForControl(std::string_view bytes) { return Scan(bytes, true) && Scan(bytes, false); }

} // namespace vd
