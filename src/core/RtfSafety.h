#pragma once
#include <cstddef>
#include <string_view>

namespace vd {

// Limits of what the rich-edit control under Wine survives reading as rich text. Its reader keeps
// a fixed stack of group states (it dies at about 33 levels) and fixed 1024-byte buffers for a
// control word and for a font or style name. The limits leave a wide margin below both, and
// far above what any real document uses.
inline constexpr int kRtfMaxGroupDepth = 24;
inline constexpr std::size_t kRtfMaxTokenLength = 255;

// Whether rich-text bytes can be handed to the control: no group nested deeper than
// kRtfMaxGroupDepth, and no control word (name and parameter) or font or style name longer
// than kRtfMaxTokenLength. Judged from the bytes alone; any input gives an answer.
bool RtfIsSafeForControl(std::string_view bytes);

} // namespace vd
