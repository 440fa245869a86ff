#include "forms/SafeFile.h"

#include "core/TextFormat.h"
#include "forms/Errors.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <new>

namespace vd::forms {

std::string CannotOpenFileMessage(const std::string& path) { return "Cannot open file " + path; }
std::string CannotCreateFileMessage(const std::string& path) {
  return "Cannot create file " + path;
}
std::string FileTooLargeMessage(const std::string& path) {
  return FileMessage(path, "is too large to open.");
}
std::string FileHoldsNulMessage(const std::string& path) {
  return FileMessage(path, "contains NUL characters and cannot be opened as text.");
}

bool FileHandle::Close() {
  bool r = true;
  if (ok())
    r = CloseHandle(h_) != FALSE;
  h_ = INVALID_HANDLE_VALUE;
  return r;
}

std::string SaveTempPath(const std::string& fullPath) {
  std::string lower = fullPath;
  if (!lower.empty())
    CharLowerBuffA(lower.data(), static_cast<DWORD>(lower.size()));
  std::uint64_t hash = 14695981039346656037ull; // 64-bit FNV-1a
  for (const char c : lower) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char name[32];
  std::snprintf(name, sizeof(name), "vd~%016llx.tmp", static_cast<unsigned long long>(hash));
  const auto cut = fullPath.find_last_of("\\/");
  return (cut == std::string::npos ? std::string() : fullPath.substr(0, cut + 1)) + name;
}

namespace {

// ReadFile and WriteFile take a DWORD count: large buffers go in pieces of this size.
constexpr std::size_t kIoPiece = 1u << 24;

bool WriteAll(HANDLE h, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD want = static_cast<DWORD>(std::min(bytes.size(), kIoPiece));
    DWORD n = 0;
    if (!WriteFile(h, bytes.data(), want, &n, nullptr) || n == 0)
      return false;
    bytes.remove_prefix(n);
  }
  return true;
}

} // namespace

ReadResult OpenForReading(const std::string& path, FileHandle& file, long long& size) {
  file.reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                         nullptr));
  if (!file.ok())
    return ReadResult::CannotOpen;
  // A device opens like a file but holds no document, and a save to it fails.
  if (GetFileType(file.get()) != FILE_TYPE_DISK)
    return ReadResult::CannotOpen;
  LARGE_INTEGER li{};
  if (!GetFileSizeEx(file.get(), &li))
    return ReadResult::CannotOpen;
  size = li.QuadPart;
  // The control counts in LONG; a file past that can never be held.
  if (size >= 0x7FFFFFFF)
    return ReadResult::TooLarge;
  return ReadResult::Ok;
}

bool ReadPiece(HANDLE file, char* buffer, std::size_t want, std::size_t& got) {
  DWORD n = 0;
  got = 0;
  if (!ReadFile(file, buffer, static_cast<DWORD>(std::min(want, kIoPiece)), &n, nullptr))
    return false;
  got = n;
  return true;
}

ReadResult ReadWholeFile(const std::string& path, std::string& bytes) {
  FileHandle h;
  long long size = 0;
  if (const ReadResult r = OpenForReading(path, h, size); r != ReadResult::Ok)
    return r;
  try {
    bytes.assign(static_cast<std::size_t>(size), '\0');
  } catch (const std::bad_alloc&) {
    return ReadResult::TooLarge;
  }
  std::size_t got = 0;
  while (got < bytes.size()) {
    std::size_t n = 0;
    if (!ReadPiece(h.get(), bytes.data() + got, bytes.size() - got, n))
      return ReadResult::CannotOpen;
    if (n == 0)
      break; // the file shrank while we read it
    got += n;
  }
  bytes.resize(got);
  return ReadResult::Ok;
}

void ThrowUnlessRead(ReadResult result, const std::string& path) {
  switch (result) {
  case ReadResult::Ok:
    return;
  case ReadResult::CannotOpen:
    throw Error(CannotOpenFileMessage(path));
  case ReadResult::TooLarge:
    throw Error(FileTooLargeMessage(path));
  }
}

bool ReplaceFileSafely(const std::string& path, std::string_view bytes) {
  char full[MAX_PATH * 4];
  const DWORD fl = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
  if (fl == 0 || fl >= sizeof(full))
    return false;
  const std::string target(full);

  const DWORD attrs = GetFileAttributesA(target.c_str());
  const bool exists = attrs != INVALID_FILE_ATTRIBUTES;
  FILETIME created{};
  bool haveCreated = false;
  if (exists) {
    // Windows refuses to write a read-only file, whoever asks (root under Wine would not be).
    if (attrs & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
      return false;
    // The target must be writable now, as the original's direct write would need it: a file
    // held open without sharing refuses the save (a rename over it might not notice).
    FileHandle probe(CreateFileA(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.ok())
      return false;
    haveCreated = GetFileTime(probe.get(), &created, nullptr, nullptr) != FALSE;
  }

  // Named after the target, so a leftover of a killed save of this file is overwritten here.
  const std::string tempPath = SaveTempPath(target);
  const char* temp = tempPath.c_str();
  bool ok = false;
  {
    FileHandle h(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             nullptr));
    ok = h.ok() && WriteAll(h.get(), bytes) && FlushFileBuffers(h.get());
    ok = h.Close() && ok;
  }
  if (ok)
    ok = MoveFileExA(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
         FALSE;
  if (!ok) {
    DeleteFileA(temp);
    return false;
  }
  if (exists) {
    // The text is saved by now; these only restore what the old file showed.
    SetFileAttributesA(target.c_str(), attrs == 0 ? FILE_ATTRIBUTE_NORMAL : attrs);
    if (haveCreated) {
      FileHandle h(CreateFileA(target.c_str(), FILE_WRITE_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
      if (h.ok())
        SetFileTime(h.get(), &created, nullptr, nullptr);
    }
  }
  return true;
}

} // namespace vd::forms
