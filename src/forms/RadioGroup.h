#pragma once
#include "forms/DialogControls.h"

#include <memory>
#include <string>
#include <vector>

namespace vd::forms {

// A framed group of radio buttons, one of which is chosen. The buttons are siblings of the frame
// on the same parent (a group box does not pass its children's clicks on), spread down the frame
// one under the other; they form one dialog group, so Tab reaches the chosen one and the arrow
// keys move between them.
class RadioGroup : public Component {
public:
  // args: the frame's place and caption.
  RadioGroup(Component* owner, const ControlArgs& args, const std::vector<std::string>& items);

  // The chosen item, -1 when none is.
  int ItemIndex() const;
  void SetItemIndex(int index);
  Control& Frame() { return *frame_; }
  Control& Item(int index) { return *items_.at(static_cast<size_t>(index)); }

private:
  std::unique_ptr<GroupBox> frame_;
  std::vector<std::unique_ptr<Control>> items_;
};

} // namespace vd::forms
