#pragma once
#include "forms/Control.h"

#include <string>
#include <vector>

namespace vd::forms {

// A single-selection list of strings; ItemIndex -1 when nothing is selected.
class ListBox : public Control {
public:
  ListBox(Component* owner, const ControlArgs& args, const std::vector<std::string>& items = {});
  void AddItem(const std::string& item);
  int Count() const;
  std::string Item(int index) const;
  int ItemIndex() const;
  void SetItemIndex(int index); // -1 clears the selection
};

} // namespace vd::forms
