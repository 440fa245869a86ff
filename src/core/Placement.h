#pragma once

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

} // namespace vd
