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
  if (bytes.empty())
    return 0;
  long total = 0;
  // In slices, so a huge text needs no int-sized length; slices end after a single-byte char.
  constexpr std::size_t kSlice = 1 << 24;
  while (!bytes.empty()) {
    std::size_t n = std::min(bytes.size(), kSlice);
    while (n < bytes.size() && n > 1 && IsDBCSLeadByte(static_cast<BYTE>(bytes[n - 1])))
      --n;
    total += MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(n), nullptr, 0);
    bytes.remove_prefix(n);
  }
  return total;
}

bool LoadsAsRtf(std::string_view bytes) { return IsRtf(bytes) && RtfIsSafeForControl(bytes); }

bool ControlCanHold(std::size_t chars) {
  MEMORYSTATUSEX ms{};
  ms.dwLength = sizeof(ms);
  if (!GlobalMemoryStatusEx(&ms))
    return true;
  const unsigned long long need = static_cast<unsigned long long>(chars) * kControlBytesPerChar;
  return need <= ms.ullAvailVirtual && need <= ms.ullAvailPageFile;
}

std::size_t HeadLength(std::string_view start, std::size_t size) {
  if (size <= kHeadBytes * 2)
    return 0;
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
  ThrowUnlessRead(ReadWholeFile(path, bytes), path);
  // The control keeps only the text before a NUL: the file would be shown, and saved, cut.
  if (ContainsNul(bytes))
    throw Error(FileHoldsNulMessage(path));
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

FileTextSource::FileTextSource(HANDLE file, std::size_t piece) : file_(file), raw_(piece, '\0') {}

bool FileTextSource::Rewind() {
  LARGE_INTEGER zero{};
  ready_.clear();
  pos_ = 0;
  pendingCr_ = false;
  end_ = false;
  ok_ = SetFilePointerEx(file_, zero, nullptr, FILE_BEGIN) != FALSE;
  return ok_;
}

std::string_view FileTextSource::Peek(std::size_t want) {
  while (ready_.size() - pos_ < want && !end_)
    Fill();
  return std::string_view(ready_).substr(pos_);
}

void FileTextSource::Fill() {
  ready_.erase(0, pos_);
  pos_ = 0;
  std::size_t got = 0;
  if (!ReadPiece(file_, raw_.data(), raw_.size(), got))
    ok_ = false;
  if (got == 0) {
    end_ = true;
    if (pendingCr_)
      ready_ += "\r\n";
    pendingCr_ = false;
    return;
  }
  const char* p = raw_.data();
  const char* const end = p + got;
  if (pendingCr_) { // the previous piece ended with a CR: a pair, or a lone CR
    ready_ += "\r\n";
    pendingCr_ = false;
    if (*p == '\n')
      ++p;
  }
  while (p < end) {
    const char* q = p;
    while (q < end && *q != '\r' && *q != '\n')
      ++q;
    ready_.append(p, q);
    if (q == end)
      break;
    if (*q == '\n') {
      ready_ += "\r\n";
      p = q + 1;
    } else if (q + 1 == end) {
      pendingCr_ = true; // decided by the next piece
      p = end;
    } else {
      ready_ += "\r\n";
      p = q[1] == '\n' ? q + 2 : q + 1;
    }
  }
}

PlainTextScan ScanPlainText(TextSource& source) {
  PlainTextScan scan;
  for (;;) {
    std::string_view v = source.Peek(FileTextSource::kPiece);
    if (v.empty())
      break;
    // Counted in slices that end after a single-byte character, as CharsOf does: a lead byte
    // last waits for its trail byte, unless nothing follows.
    std::size_t n = v.size();
    while (n > 1 && IsDBCSLeadByte(static_cast<BYTE>(v[n - 1])))
      --n;
    if (n < v.size()) {
      const std::size_t had = v.size();
      v = source.Peek(had + 1); // may move the bytes: the view is taken again
      if (v.size() == had)
        n = had;
    }
    v = v.substr(0, n);
    if (!scan.nul && ContainsNul(v))
      scan.nul = true;
    if (scan.start.size() <= kHeadBytes)
      scan.start.append(v.substr(0, kHeadBytes + 1 - scan.start.size()));
    scan.chars += CharsOf(v);
    scan.size += static_cast<long long>(v.size());
    source.Consume(n);
  }
  return scan;
}

} // namespace vd::forms
