#pragma once
// Reading a document file and replacing one without losing the old bytes when a save fails.
// See docs/architecture.md, "The editor wrapper and file I/O".
#include "forms/Win.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vd::forms {

// A Win32 file handle, closed when it goes.
class FileHandle {
public:
  explicit FileHandle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return h_; }
  bool ok() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  void reset(HANDLE h) {
    Close();
    h_ = h;
  }
  // False when closing reported an error (a write the system could not finish).
  bool Close();

private:
  HANDLE h_;
};

enum class ReadResult { Ok, CannotOpen, TooLarge };

// Opens a disk file to be read from the start, and tells its size. A name that opens something
// other than a disk file (NUL, CON, COM1...) cannot be opened: it holds no document. A file the
// editor could never hold (2 GB or more) is TooLarge.
ReadResult OpenForReading(const std::string& path, FileHandle& file, long long& size);
// Reads up to `want` bytes at the file's position; false on a read error, `got` 0 at its end.
bool ReadPiece(HANDLE file, char* buffer, std::size_t want, std::size_t& got);
// The whole file, with the rules of OpenForReading; a file the process has no memory for is
// TooLarge.
ReadResult ReadWholeFile(const std::string& path, std::string& bytes);
// Throws forms::Error with the message that names the file, unless the result is Ok.
void ThrowUnlessRead(ReadResult result, const std::string& path);

// Writes the bytes to a temporary file beside the target (SaveTempPath), flushes it and only then
// moves it over the target, keeping the target's attributes and creation time. False on any
// failure, with the target as it was and the temporary file gone. A read-only target, or one
// another handle holds without sharing, refuses.
bool ReplaceFileSafely(const std::string& path, std::string_view bytes);

// The temporary file a save of the file at fullPath writes first, beside it: the same for every
// save of that file (letter case aside), so a save killed half-way leaves one leftover that the
// next save of the file reuses, and a save never touches another file's.
std::string SaveTempPath(const std::string& fullPath);

// Messages of the file operations, the exact texts the program shows.
std::string CannotOpenFileMessage(const std::string& path);   // "Cannot open file <path>"
std::string CannotCreateFileMessage(const std::string& path); // "Cannot create file <path>"
std::string FileTooLargeMessage(const std::string& path);     // "File <path> is too large to open."
std::string FileHoldsNulMessage(const std::string& path);

} // namespace vd::forms
