#pragma once
// What a file or a text needs before it goes into the editor control: the checks a load makes
// and the control's counting. See docs/architecture.md, "Loading large texts".
#include "forms/Win.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vd::forms {

// The text in the control's counting: one per UTF-16 unit after the code page's decoding (in
// the 1.0 counting CR and LF are one each, so CR LF is two).
long CharsOf(std::string_view bytes);

// Whether the bytes go to the control as rich text. Rich text the control cannot read safely
// (it would bring the whole process down) is shown as the plain text it is, so nothing is lost.
bool LoadsAsRtf(std::string_view bytes);

// Whether the process can still get the memory the control would need for `chars` characters.
bool ControlCanHold(std::size_t chars);

// How much of a text of `size` bytes goes in first: enough to fill the window, so the scroll
// bar appears (and the control re-lays out what it holds) while that is little. `start` is the
// text's beginning (at least kHeadBytes + 1 of it when the text is that long). Cut before a CR,
// so the rest begins with a whole line break. 0: the text goes in at once.
inline constexpr std::size_t kHeadBytes = 16 * 1024;
std::size_t HeadLength(std::string_view start, std::size_t size);

// A file read and judged for the control: rich text as it is, or plain text with CR LF breaks
// and the number of characters the control must then hold.
struct LoadableFile {
  bool rtf = false;
  std::string bytes; // rich text: the file's bytes
  std::string plain; // plain text: the file with CR LF breaks
  long expected = 0; // the characters of plain
  // Rich text the control refused after all: the plain text it is.
  void TakeAsPlain();
};
// Throws forms::Error with the file's message when it cannot be opened, holds a NUL or is more
// than the control could hold.
LoadableFile ReadLoadableFile(const std::string& path);

// Text on its way into the control, CR LF breaks only, handed out in pieces.
class TextSource {
public:
  virtual ~TextSource() = default;
  // What is left, not yet consumed: at least `want` bytes of it when there are as many.
  virtual std::string_view Peek(std::size_t want) = 0;
  virtual void Consume(std::size_t n) = 0;
  // False once reading failed.
  virtual bool Ok() const { return true; }
};

// A text held in memory (already with CR LF breaks).
class StringSource : public TextSource {
public:
  explicit StringSource(std::string_view text) : rest_(text) {}
  std::string_view Peek(std::size_t) override { return rest_; }
  void Consume(std::size_t n) override { rest_.remove_prefix(n); }

private:
  std::string_view rest_;
};

// A file read from its start in pieces of `piece` bytes, lone LF and lone CR made CR LF as it
// goes (a CR at the end of a piece waits for the next one), so no copy of the whole file is
// ever held.
class FileTextSource : public TextSource {
public:
  static constexpr std::size_t kPiece = 64 * 1024;
  explicit FileTextSource(HANDLE file, std::size_t piece = kPiece);
  std::string_view Peek(std::size_t want) override;
  void Consume(std::size_t n) override { pos_ += n; }
  bool Ok() const override { return ok_; }
  // Back to the file's start, for a second pass.
  bool Rewind();

private:
  void Fill();
  HANDLE file_;
  std::string raw_;
  std::string ready_; // normalised bytes; those before pos_ are consumed
  std::size_t pos_ = 0;
  bool pendingCr_ = false;
  bool end_ = false;
  bool ok_ = true;
};

// What a first pass over a plain text finds: whether it can go in, and what the control must
// then hold.
struct PlainTextScan {
  bool nul = false;   // the control would keep only the text before it
  long long size = 0; // bytes with CR LF breaks
  long chars = 0;     // in the control's counting (CharsOf)
  std::string start;  // its first kHeadBytes + 1 bytes, for HeadLength
};
// Consumes the whole source.
PlainTextScan ScanPlainText(TextSource& source);

} // namespace vd::forms
