#include "forms/RadioGroup.h"

namespace vd::forms {

namespace {
constexpr int kCaptionHeight = 16; // the frame's caption line, above the first item
constexpr int kItemHeight = 17;
constexpr int kIndent = 8;
} // namespace

RadioGroup::RadioGroup(Component* owner, const ControlArgs& args,
                       const std::vector<std::string>& items)
    : Component(owner) {
  frame_ = std::make_unique<GroupBox>(this, args);
  // The items share the height below the caption equally, each centred in its share.
  const int count = static_cast<int>(items.size());
  const int share = count > 0 ? (args.height - kCaptionHeight - 4) / count : 0;
  for (int i = 0; i < count; ++i) {
    ControlArgs a;
    a.parent = args.parent;
    a.left = args.left + kIndent;
    a.top = args.top + kCaptionHeight + i * share + (share - kItemHeight) / 2;
    a.width = args.width - 2 * kIndent;
    a.height = kItemHeight;
    a.text = items[static_cast<size_t>(i)];
    a.style = BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0);
    items_.push_back(std::make_unique<Control>(this, "BUTTON", a));
  }
}

int RadioGroup::ItemIndex() const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (SendMessageA(items_[i]->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED)
      return static_cast<int>(i);
  return -1;
}

void RadioGroup::SetItemIndex(int index) {
  for (size_t i = 0; i < items_.size(); ++i)
    SendMessageA(items_[i]->Handle(), BM_SETCHECK,
                 static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace vd::forms
