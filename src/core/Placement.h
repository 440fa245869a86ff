#pragma once
#include <algorithm>
#include <span>

namespace vd {

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Bounds&) const = default;
};

// Where a dialog of the given size goes so that it stands centred over the main window. C++
// integer division truncates towards zero, as the rule requires for negative positions too.
constexpr Bounds CentreOver(const Bounds& main, int dialogWidth, int dialogHeight) {
  return Bounds{main.left + main.width / 2 - dialogWidth / 2,
                main.top + main.height / 2 - dialogHeight / 2, dialogWidth, dialogHeight};
}

// A stored window rectangle is used only when the window is usable there: at least this size,
// and with its caption strip (the top kMinCaptionVisible pixels) on one monitor's work area over
// at least kMinCaptionVisible pixels of its width, so that it can be seen and dragged.
inline constexpr int kMinUsableWidth = 200;
inline constexpr int kMinUsableHeight = 150;
inline constexpr int kMinCaptionVisible = 32;

constexpr bool PlacementIsUsable(const Bounds& b, std::span<const Bounds> workAreas) {
  if (b.width < kMinUsableWidth || b.height < kMinUsableHeight)
    return false;
  // In 64 bits: settings may hold any 32-bit values, and their sums must not wrap.
  using L = long long;
  const L left = b.left, top = b.top, right = left + b.width;
  for (const Bounds& m : workAreas) {
    const L mLeft = m.left, mTop = m.top, mRight = mLeft + m.width, mBottom = mTop + m.height;
    const L across = std::min(right, mRight) - std::max(left, mLeft);
    if (across >= kMinCaptionVisible && top >= mTop && top + kMinCaptionVisible <= mBottom)
      return true;
  }
  return false;
}

// The stored rectangle when usable, exactly as stored; otherwise the design bounds.
constexpr Bounds CheckedPlacement(const Bounds& stored, const Bounds& design,
                                  std::span<const Bounds> workAreas) {
  return PlacementIsUsable(stored, workAreas) ? stored : design;
}

} // namespace vd
