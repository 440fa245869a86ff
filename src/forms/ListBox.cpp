#include "forms/ListBox.h"

namespace vd::forms {

ListBox::ListBox(Component* owner, const ControlArgs& args, const std::vector<std::string>& items)
    : Control(owner, "LISTBOX", [&] {
        ControlArgs a = args;
        a.style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
        a.exStyle |= WS_EX_CLIENTEDGE;
        return a;
      }()) {
  for (const auto& item : items)
    AddItem(item);
}

void ListBox::AddItem(const std::string& item) {
  SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int ListBox::Count() const { return static_cast<int>(SendMessageA(Handle(), LB_GETCOUNT, 0, 0)); }

std::string ListBox::Item(int index) const {
  const LRESULT n = SendMessageA(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n == LB_ERR)
    return {};
  std::string s(static_cast<size_t>(n) + 1, '\0');
  SendMessageA(Handle(), LB_GETTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(n));
  return s;
}

int ListBox::ItemIndex() const {
  return static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
}

void ListBox::SetItemIndex(int index) {
  SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

} // namespace vd::forms
