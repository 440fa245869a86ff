#pragma once

namespace vd {

// Which way a keystroke moves through the tabs: +1 for Ctrl+Tab and Ctrl+Page Down, -1 for
// Ctrl+Shift+Tab and Ctrl+Page Up, 0 for anything else (Alt held, Shift with the page keys, no
// Ctrl). Key codes are the Windows virtual-key codes, passed in so that the core stays portable.
struct TabKeys {
  unsigned tab;
  unsigned pageUp;
  unsigned pageDown;
};
int TabStepForKey(const TabKeys& keys, unsigned key, bool ctrl, bool shift, bool alt);

// The tab that becomes active when stepping from current by step, wrapping at both ends. A
// current outside the tabs (no selection) starts from before the first. -1 when there are none.
int CycledTab(int current, int count, int step);

} // namespace vd
