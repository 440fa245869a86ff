#pragma once

namespace vd::forms {

// Layout is given in pixels at 96 DPI; every position and size passes through here so that the
// program keeps its proportions at other system DPI settings.
int ScreenDpi();
int Scale(int pixelsAt96);

} // namespace vd::forms
