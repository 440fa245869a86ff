#include "forms/TextLoad.h"

#include "core/RtfSafety.h"
#include "core/TextFormat.h"
#include "forms/Errors.h"
#include "forms/SafeFile.h"

#include <algorithm>
#include <new>

namespace vd::forms {

namespace {

// What the control under Wine needs per byte of plain text it holds (measured: about 115 bytes
// for short lines; see bench/win). A file whose estimate exceeds the memory the process can still
// get is refused before the control is asked, since the control does not survive running out.
constexpr unsigned long long kControlBytesPerChar = 128;

} // namespace

long CharsOf(std::string_view bytes) {
  if (bytes.empty()) return 0;
  long total = 0;
  // In slices, so a huge text needs no int-sized length; slices end after a single-byte char.
  constexpr std::size_t kSlice = 1 << 24;
  while (!bytes.empty()) {
    std::size_t n = std::min(bytes.size(), kSlice);
    while (n < bytes.size() && n > 1 && IsDBCSLeadByte(static_cast<BYTE>(bytes[n - 1]))) --n;
    total += MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(n), nullptr, 0);
    bytes.remove_prefix(n);
  }
  return total;
}

bool LoadsAsRtf(std::string_view bytes) { return IsRtf(bytes) && RtfIsSafeForControl(bytes); }

bool ControlCanHold(std::size_t chars) {
  MEMORYSTATUSEX ms{};
  ms.dwLength = sizeof(ms);
  if (!GlobalMemoryStatusEx(&ms)) return true;
  const unsigned long long need = static_cast<unsigned long long>(chars) * kControlBytesPerChar;
  return need <= ms.ullAvailVirtual && need <= ms.ullAvailPageFile;
}

std::size_t HeadLength(std::string_view start, std::size_t size) {
  if (size <= kHeadBytes * 2) return 0;
  const std::size_t cr = start.rfind('\r', kHeadBytes);
  return cr == std::string_view::npos || cr == 0 ? 0 : cr;
}

void LoadableFile::TakeAsPlain() {
  plain = NormaliseLineBreaks(bytes);
  expected = CharsOf(plain);
  rtf = false;
}

LoadableFile ReadLoadableFile(const std::string& path) {
  LoadableFile file;
  std::string& bytes = file.bytes;
  switch (ReadWholeFile(path, bytes)) {
  case ReadResult::Ok: break;
  case ReadResult::CannotOpen: throw Error(CannotOpenFileMessage(path));
  case ReadResult::TooLarge: throw Error(FileTooLargeMessage(path));
  }
  // The control keeps only the text before a NUL: the file would be shown, and saved, cut.
  if (ContainsNul(bytes)) throw Error(FileHoldsNulMessage(path));
  file.rtf = LoadsAsRtf(bytes);
  try {
    if (!file.rtf) {
      file.plain = HasOnlyCrLfBreaks(bytes) ? std::move(bytes) : NormaliseLineBreaks(bytes);
      file.expected = CharsOf(file.plain);
    }
  } catch (const std::bad_alloc&) {
    throw Error(FileTooLargeMessage(path));
  }
  if (!ControlCanHold(file.rtf ? bytes.size() : file.plain.size()))
    throw Error(FileTooLargeMessage(path));
  return file;
}

} // namespace vd::forms
