#include "core/TextFormat.h"

#include <algorithm>
#include <cstring>

namespace vd {

bool IsRtf(std::string_view bytes) { return bytes.starts_with("{\\rtf"); }

bool StartsWithUtf8Bom(std::string_view bytes) { return bytes.starts_with(kUtf8Bom); }

std::size_t FirstNul(std::string_view bytes) {
  if (bytes.empty())
    return std::string_view::npos;
  const void* p = std::memchr(bytes.data(), '\0', bytes.size());
  return p ? static_cast<std::size_t>(static_cast<const char*>(p) - bytes.data())
           : std::string_view::npos;
}

bool ContainsNul(std::string_view bytes) { return FirstNul(bytes) != std::string_view::npos; }

bool HasOnlyCrLfBreaks(std::string_view t) {
  const std::size_t n = t.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (t[i] == '\r') {
      if (i + 1 >= n || t[i + 1] != '\n')
        return false;
      ++i;
    } else if (t[i] == '\n') {
      return false;
    }
  }
  return true;
}

std::string NormaliseLineBreaks(std::string_view t) {
  // Count the lone breaks first so the result is allocated once.
  const std::size_t n = t.size();
  std::size_t lone = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (t[i] == '\r') {
      if (i + 1 < n && t[i + 1] == '\n')
        ++i;
      else
        ++lone;
    } else if (t[i] == '\n') {
      ++lone;
    }
  }
  if (lone == 0)
    return std::string(t);
  std::string out;
  out.reserve(n + lone);
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = t[i];
    if (c != '\r' && c != '\n')
      continue;
    if (c == '\r' && i + 1 < n && t[i + 1] == '\n') {
      ++i;
      continue;
    }
    out.append(t.data() + runStart, i - runStart);
    out.append("\r\n", 2);
    runStart = i + 1;
  }
  out.append(t.data() + runStart, n - runStart);
  return out;
}

std::size_t StreamChunkSize(std::string_view remaining, std::size_t room, bool firstChunk) {
  std::size_t n = std::min(remaining.size(), room);
  if (n == 0)
    return 0;
  if (firstChunk && StartsWithUtf8Bom(remaining))
    return 1;
  // Hold back a CR whose LF would go in the next chunk, unless the CR is all there is room for.
  if (n < remaining.size() && n > 1 && remaining[n - 1] == '\r' && remaining[n] == '\n')
    --n;
  return n;
}

std::string FileMessage(std::string_view path, std::string_view sentence) {
  std::string s;
  s.reserve(5 + path.size() + 1 + sentence.size());
  s.append("File ").append(path).append(" ").append(sentence);
  return s;
}

} // namespace vd
