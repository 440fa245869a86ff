#include "core/TabCycle.h"

namespace vd {

int TabStepForKey(const TabKeys& keys, unsigned key, bool ctrl, bool shift, bool alt) {
  if (!ctrl || alt)
    return 0;
  if (key == keys.tab)
    return shift ? -1 : 1;
  // Ctrl+Shift+Page Up/Down is left to the editor, which extends the selection with it.
  if (shift)
    return 0;
  if (key == keys.pageDown)
    return 1;
  if (key == keys.pageUp)
    return -1;
  return 0;
}

int CycledTab(int current, int count, int step) {
  if (count <= 0)
    return -1;
  if (current < 0 || current >= count)
    current = step < 0 ? 0 : -1;
  const int next = (current + step % count + count) % count;
  return next;
}

} // namespace vd
