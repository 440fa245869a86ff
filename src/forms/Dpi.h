#pragma once

namespace vd::forms {

// Layout is designed in pixels at 96 DPI. Every position, size, pixel font height and glyph
// placement passes through here, so the program keeps its proportions at the system DPI: at
// 96 DPI every size is exactly as designed, at 144 DPI one and a half times as large.
//
// The program declares itself system-DPI aware in its manifest; without that Windows would
// answer 96 here and stretch the windows as a blurred bitmap.
int ScreenDpi();
int Scale(int pixelsAt96);

// The lfHeight of a font whose characters are the given number of pixels high at 96 DPI.
int FontHeight(int pixelsAt96);

// The toolbar glyphs come drawn at 16 and at 24 pixels: the larger one from 144 DPI up, so
// glyphs stay sharp rather than stretched. Answers 16 or 24.
int GlyphSize();

} // namespace vd::forms
