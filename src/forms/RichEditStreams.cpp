// The editor's streams: text into and out of the control, and files loaded and saved through
// them. See docs/architecture.md, "Loading large texts".
#include "forms/RichEdit.h"

#include "core/TextFormat.h"
#include "forms/Errors.h"
#include "forms/TextLoad.h"

#include <algorithm>
#include <cstring>

namespace vd::forms {

namespace {

// Enough of a file's start to tell rich text ("{\rtf").
constexpr std::size_t kRtfPeek = 5;

struct InCookie {
  TextSource* source;
  long long left; // bytes this stream still takes from the source
  bool first = true;
  // For progress: the bytes of the whole load, how many went in before this stream began, and
  // how many this stream brings.
  const RichEdit::LoadProgress* progress = nullptr;
  long long total = 0;
  long long before = 0;
  long long size = 0;
};

// Stream callbacks must not throw; they report through their answer (the stream's dwError).
DWORD CALLBACK StreamInCallback(DWORD_PTR cookie, LPBYTE buffer, LONG room, LONG* done) {
  auto* c = reinterpret_cast<InCookie*>(cookie);
  *done = 0;
  if (c->progress && *c->progress) {
    const long long done = c->before + c->size - c->left;
    bool goOn = false;
    try {
      goOn = (*c->progress)(done, c->total);
    } catch (...) {
      goOn = false;
    }
    if (!goOn)
      return kStreamCancelled;
  }
  const std::size_t space = room > 0 ? static_cast<std::size_t>(room) : 0;
  const std::size_t left = static_cast<std::size_t>(c->left);
  // One byte past the room, so the chunk rule sees whether an LF follows a CR.
  std::string_view rest = c->source->Peek(std::min(space, left) + 1);
  if (!c->source->Ok())
    return kStreamUnreadable;
  rest = rest.substr(0, std::min(rest.size(), left));
  const std::size_t n = StreamChunkSize(rest, space, c->first);
  if (n)
    std::memcpy(buffer, rest.data(), n);
  c->source->Consume(n);
  c->left -= static_cast<long long>(n);
  c->first = false;
  *done = static_cast<LONG>(n);
  return 0;
}

// The control's own undo limit, put back after a load that ran without one.
constexpr WPARAM kDefaultUndoLimit = 100;

DWORD CALLBACK StreamOutCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto* out = reinterpret_cast<std::string*>(cookie);
  try {
    out->append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(size));
  } catch (...) {
    *done = 0;
    return 1;
  }
  *done = size;
  return 0;
}

} // namespace

DWORD RichEdit::StreamIn(std::string_view bytes, UINT format) {
  StringSource source(bytes);
  InCookie cookie{&source, static_cast<long long>(bytes.size())};
  EDITSTREAM es{};
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&cookie);
  es.pfnCallback = &StreamInCallback;
  SendMessageA(Handle(), EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
  return es.dwError;
}

DWORD RichEdit::StreamInText(std::string_view text, const LoadProgress* progress) {
  StringSource source(text);
  return StreamInText(source, static_cast<long long>(text.size()), text, progress);
}

DWORD RichEdit::StreamInText(TextSource& source, long long size, std::string_view start,
                             const LoadProgress* progress) {
  // Without an undo record the control keeps no copy of what it takes in.
  SendMessageA(Handle(), EM_SETUNDOLIMIT, 0, 0);
  const auto head = static_cast<long long>(HeadLength(start, static_cast<std::size_t>(size)));
  auto stream = [&](long long part, long long before, UINT format, bool first) {
    InCookie cookie{&source, part, first, progress, size, before, part};
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&cookie);
    es.pfnCallback = &StreamInCallback;
    SendMessageA(Handle(), EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
    return es.dwError;
  };
  DWORD err = stream(head ? head : size, 0, SF_TEXT, true);
  if (err == 0 && head) {
    const long end = TextLength();
    SetSelection(end, end);
    err = stream(size - head, head, SF_TEXT | SFF_SELECTION, false);
  }
  SendMessageA(Handle(), EM_SETUNDOLIMIT, kDefaultUndoLimit, 0);
  return err;
}

DWORD RichEdit::StreamOut(std::string& out, UINT format) const {
  EDITSTREAM es{};
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&out);
  es.pfnCallback = &StreamOutCallback;
  SendMessageA(Handle(), EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&es));
  return es.dwError;
}

void RichEdit::LoadFromFile(const std::string& path, const LoadProgress& progress) {
  FileHandle file;
  long long fileSize = 0;
  ThrowUnlessRead(OpenForReading(path, file, fileSize), path);
  FileTextSource source(file.get());
  if (IsRtf(source.Peek(kRtfPeek))) {
    file.Close();
    LoadRichTextFile(path, progress);
    return;
  }
  // Plain text goes from the file to the control in pieces: a first pass makes every check
  // before any text moves, the second streams it.
  const PlainTextScan scan = ScanPlainText(source);
  if (!source.Ok() || !source.Rewind())
    throw Error(CannotOpenFileMessage(path));
  if (scan.nul)
    throw Error(FileHoldsNulMessage(path));
  if (!ControlCanHold(static_cast<std::size_t>(scan.size)))
    throw Error(FileTooLargeMessage(path));
  FillFromFile(path, [&](long& expected) {
    expected = scan.chars;
    return StreamInText(source, scan.size, scan.start, &progress);
  });
}

void RichEdit::LoadRichTextFile(const std::string& path, const LoadProgress& progress) {
  LoadableFile file = ReadLoadableFile(path);
  FillFromFile(path, [&](long& expected) -> DWORD {
    if (file.rtf) {
      if (StreamIn(file.bytes, SF_RTF) == 0) {
        // RTF brings its own fonts; the editor shows its own, as for every text.
        ApplyCharFormat(SCF_ALL);
        ApplyCharFormat(0);
        return 0;
      }
      file.TakeAsPlain(); // not RTF after all: read it as the plain text it is
    }
    expected = file.expected;
    return StreamInText(file.plain, &progress);
  });
}

void RichEdit::FillFromFile(const std::string& path, const std::function<DWORD(long&)>& fill) {
  const bool modified = Modified();
  QuietEdit quiet(*this);
  Clear();
  // The editor's default character format already carries its font, colour and wrapping, and
  // plain text takes it as it streams in: the text is laid out once, with no font pass after.
  long expected = 0;
  const DWORD err = fill(expected);
  const bool cut = err == 0 && TextLength() < expected;
  if (err != 0 || cut)
    Clear(); // nothing half loaded
  SendMessageA(Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
  SetSelection(0, 0);
  SetModified(modified);
  if (err == kStreamCancelled)
    throw LoadCancelled();
  if (err == kStreamUnreadable)
    throw Error(CannotOpenFileMessage(path));
  if (err != 0)
    throw Error(kFailedToLoadStream);
  if (cut)
    throw Error(FileTooLargeMessage(path));
}

void RichEdit::SaveToFile(const std::string& path) {
  std::string text = AllText();
  if (!HasOnlyCrLfBreaks(text))
    text = NormaliseLineBreaks(text);
  if (!ReplaceFileSafely(path, text))
    throw Error(CannotCreateFileMessage(path));
}

} // namespace vd::forms
