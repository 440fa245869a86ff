#pragma once
// Pure helpers for what a text file holds and how it travels to and from the editor control.
// Portable: no Windows headers. Every function is linear in the length of its input.
#include <cstddef>
#include <string>
#include <string_view>

namespace vd {

// The UTF-8 byte-order mark, EF BB BF.
inline constexpr std::string_view kUtf8Bom{"\xEF\xBB\xBF", 3};

// True when the bytes begin with "{\rtf": only such a file is read as rich text. A file that
// merely begins with "{" (JSON, say) is plain text.
bool IsRtf(std::string_view bytes);

// True when the bytes begin with the UTF-8 byte-order mark.
bool StartsWithUtf8Bom(std::string_view bytes);

// Whether the bytes hold a NUL, and where the first one is (npos when none).
bool ContainsNul(std::string_view bytes);
std::size_t FirstNul(std::string_view bytes);

// True when every CR is followed by LF and every LF preceded by CR.
bool HasOnlyCrLfBreaks(std::string_view text);

// The text with every lone LF and every lone CR turned into CR LF; CR LF pairs stay as they are.
// One pass; the result is reserved once.
std::string NormaliseLineBreaks(std::string_view text);

// How many bytes the next chunk of a stream into the editor should carry, given the bytes not yet
// sent and the room the control offers. Two rules, both about the control under Wine:
//  - the first chunk of a text that begins with the UTF-8 mark carries one byte only, since the
//    control decodes a first chunk that begins with the whole mark as UTF-8 and drops the mark;
//  - a chunk never ends between a CR and its LF, so a CR LF pair reaches the control whole.
// Answers 0 only when nothing is left or there is no room.
std::size_t StreamChunkSize(std::string_view remaining, std::size_t room, bool firstChunk);

// "File " + path + sentence, the pattern of every file message.
std::string FileMessage(std::string_view path, std::string_view sentence);

} // namespace vd
