#include "forms/Menus.h"

#include "core/Hint.h"

#include <algorithm>
#include <unordered_map>

namespace vd::forms {

namespace {
// Menu command numbers start above the ids that dialogs' own controls use.
UINT gNextCommand = 1000;
std::unordered_map<UINT, MenuItem*>& ByCommand() {
  static std::unordered_map<UINT, MenuItem*> m;
  return m;
}
std::unordered_map<HMENU, MenuItem*>& BySubMenu() {
  static std::unordered_map<HMENU, MenuItem*> m;
  return m;
}
std::unordered_map<HMENU, Menu*>& PopupMenus() {
  static std::unordered_map<HMENU, Menu*> m;
  return m;
}

std::string KeyName(WORD key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
    return std::string(1, char(key));
  if (key >= VK_F1 && key <= VK_F12)
    return "F" + std::to_string(key - VK_F1 + 1);
  switch (key) {
  case VK_DELETE:
    return "Del";
  case VK_INSERT:
    return "Ins";
  case VK_RETURN:
    return "Enter";
  case VK_ESCAPE:
    return "Esc";
  default:
    return "?";
  }
}

std::string DisplayText(const std::string& caption, const ShortCut& sc) {
  return sc.Empty() ? caption : caption + "\t" + sc.Text();
}
} // namespace

std::string ShortCut::Text() const {
  if (Empty())
    return {};
  std::string s;
  if (ctrl)
    s += "Ctrl+";
  if (shift)
    s += "Shift+";
  if (alt)
    s += "Alt+";
  return s + KeyName(key);
}

ShortCut Ctrl(WORD key) { return {key, true, false, false}; }
ShortCut CtrlAlt(WORD key) { return {key, true, false, true}; }
ShortCut Key(WORD key) { return {key, false, false, false}; }

MenuItem::MenuItem(std::string caption, ShortCut shortcut, std::string hint)
    : caption_(std::move(caption)), shortcut_(shortcut), hint_(std::move(hint)),
      command_(gNextCommand++) {
  ByCommand()[command_] = this;
  // The accelerator table names the item by a number of its own rather than the menu item's:
  // given the item's, Windows' translation skips an item greyed when its menu last opened (Paste
  // before text reached the clipboard), and Wine's stops on an internal assertion when the item
  // is a submenu header (Ctrl+D).
  if (!shortcut_.Empty()) {
    shortcutCommand_ = gNextCommand++;
    ByCommand()[shortcutCommand_] = this;
  }
}

MenuItem::~MenuItem() {
  ByCommand().erase(command_);
  if (shortcutCommand_)
    ByCommand().erase(shortcutCommand_);
  items_.clear();
  if (subMenu_) {
    BySubMenu().erase(subMenu_);
    // A submenu still attached to its parent is destroyed with the parent.
    if (!parentMenu_ || !IsMenu(parentMenu_))
      DestroyMenu(subMenu_);
  }
}

std::string MenuItem::LongHint() const { return LongHintPart(hint_); }

void MenuItem::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  UpdateInParent();
}

void MenuItem::SetChecked(bool checked) {
  checked_ = checked;
  UpdateInParent();
}

void MenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  UpdateInParent();
}

void MenuItem::UpdateInParent() {
  if (!parentMenu_ || IsSeparator())
    return;
  const std::string text = DisplayText(caption_, shortcut_);
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_STRING | MIIM_STATE;
  mii.dwTypeData = const_cast<char*>(text.c_str());
  mii.fState = (checked_ ? MFS_CHECKED : MFS_UNCHECKED) | (enabled_ ? MFS_ENABLED : MFS_GRAYED);
  SetMenuItemInfoA(parentMenu_, command_, FALSE, &mii);
}

void MenuItem::AppendTo(HMENU parent) {
  parentMenu_ = parent;
  if (IsSeparator()) {
    AppendMenuA(parent, MF_SEPARATOR, command_, nullptr);
    return;
  }
  if (!subMenu_ && !items_.empty())
    RebuildSubMenu();
  const std::string text = DisplayText(caption_, shortcut_);
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_STRING | MIIM_STATE | MIIM_ID | (subMenu_ ? MIIM_SUBMENU : 0);
  mii.wID = command_;
  mii.hSubMenu = subMenu_;
  mii.dwTypeData = const_cast<char*>(text.c_str());
  mii.fState = (checked_ ? MFS_CHECKED : MFS_UNCHECKED) | (enabled_ ? MFS_ENABLED : MFS_GRAYED);
  InsertMenuItemA(parent, GetMenuItemCount(parent), TRUE, &mii);
}

void MenuItem::RebuildSubMenu() {
  if (!subMenu_) {
    subMenu_ = CreatePopupMenu();
    BySubMenu()[subMenu_] = this;
    if (parentMenu_) {
      MENUITEMINFOA mii{};
      mii.cbSize = sizeof(mii);
      mii.fMask = MIIM_SUBMENU;
      mii.hSubMenu = subMenu_;
      SetMenuItemInfoA(parentMenu_, command_, FALSE, &mii);
    }
  }
  for (int n = GetMenuItemCount(subMenu_); n > 0; --n)
    RemoveMenu(subMenu_, n - 1, MF_BYPOSITION);
  for (auto& item : items_)
    item->AppendTo(subMenu_);
}

MenuItem& MenuItem::Add(std::unique_ptr<MenuItem> item) {
  items_.push_back(std::move(item));
  // Only the new item is appended: rebuilding the whole submenu for each addition made filling
  // a long list quadratic.
  if (subMenu_)
    items_.back()->AppendTo(subMenu_);
  else
    RebuildSubMenu();
  return *items_.back();
}

namespace {
std::unique_ptr<MenuItem> MakeItem(std::string caption, ShortCut shortcut, std::string hint,
                                   std::function<void(MenuItem&)> onClick) {
  auto item = std::make_unique<MenuItem>(std::move(caption), shortcut, std::move(hint));
  item->OnClick = std::move(onClick);
  return item;
}
} // namespace

MenuItem& MenuItem::Add(std::string caption, ShortCut shortcut, std::string hint,
                        std::function<void(MenuItem&)> onClick) {
  return Add(MakeItem(std::move(caption), shortcut, std::move(hint), std::move(onClick)));
}

MenuItem& MenuItem::AddSeparator() { return Add("-"); }

void MenuItem::Clear() {
  // From the end: removing the first item moves all the others each time.
  if (subMenu_)
    for (int n = GetMenuItemCount(subMenu_); n > 0; --n)
      RemoveMenu(subMenu_, n - 1, MF_BYPOSITION);
  // Sub-items' own submenus are detached now, so their destructors free them.
  for (auto& item : items_)
    item->parentMenu_ = nullptr;
  items_.clear();
}

void MenuItem::Click() {
  if (OnClick)
    OnClick(*this);
}

MenuItem* MenuItem::FromCommand(UINT command) {
  auto it = ByCommand().find(command);
  return it == ByCommand().end() ? nullptr : it->second;
}

MenuItem* MenuItem::FromSubMenu(HMENU menu) {
  auto it = BySubMenu().find(menu);
  return it == BySubMenu().end() ? nullptr : it->second;
}

Menu::Menu(Component* owner, Kind kind)
    : Component(owner), kind_(kind), handle_(kind == Kind::Bar ? CreateMenu() : CreatePopupMenu()) {
  if (kind_ == Kind::Popup)
    PopupMenus()[handle_] = this;
}

Menu::~Menu() {
  PopupMenus().erase(handle_);
  // Detach everything first, so that no item frees a submenu the menu still holds.
  while (GetMenuItemCount(handle_) > 0)
    RemoveMenu(handle_, 0, MF_BYPOSITION);
  for (auto& item : items_)
    item->parentMenu_ = nullptr;
  items_.clear();
  DestroyMenu(handle_);
  if (accel_)
    DestroyAcceleratorTable(accel_);
}

MenuItem& Menu::Add(std::unique_ptr<MenuItem> item) {
  items_.push_back(std::move(item));
  items_.back()->AppendTo(handle_);
  return *items_.back();
}

MenuItem& Menu::Add(std::string caption, ShortCut shortcut, std::string hint,
                    std::function<void(MenuItem&)> onClick) {
  return Add(MakeItem(std::move(caption), shortcut, std::move(hint), std::move(onClick)));
}

MenuItem& Menu::AddSeparator() { return Add("-"); }

namespace {
MenuItem* FindIn(const std::vector<std::unique_ptr<MenuItem>>& items,
                 const std::vector<std::string>& path, size_t depth) {
  for (auto& item : items) {
    if (item->Caption() != path[depth])
      continue;
    if (depth + 1 == path.size())
      return item.get();
    if (MenuItem* found = FindIn(item->Items(), path, depth + 1))
      return found;
  }
  return nullptr;
}
} // namespace

MenuItem* Menu::Find(const std::vector<std::string>& captions) {
  return captions.empty() ? nullptr : FindIn(items_, captions, 0);
}

void Menu::Collect(const std::vector<std::unique_ptr<MenuItem>>& items, std::vector<ACCEL>& out) {
  for (auto& item : items) {
    const ShortCut& sc = item->Shortcut();
    if (!sc.Empty()) {
      BYTE virt = FVIRTKEY;
      if (sc.ctrl)
        virt |= FCONTROL;
      if (sc.shift)
        virt |= FSHIFT;
      if (sc.alt)
        virt |= FALT;
      out.push_back(ACCEL{virt, sc.key, static_cast<WORD>(item->shortcutCommand_)});
    }
    Collect(item->Items(), out);
  }
}

HACCEL Menu::Accelerators() {
  // Items can gain sub-items after the menu was built (the Reopen list), so always rebuild.
  std::vector<ACCEL> table;
  Collect(items_, table);
  if (accel_)
    DestroyAcceleratorTable(accel_);
  accel_ = table.empty() ? nullptr
                         : CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
  return accel_;
}

void Menu::Popup(int x, int y, HWND owner) {
  if (OnPopup)
    OnPopup(*this);
  TrackPopupMenu(handle_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
}

bool DispatchMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && lParam == 0) {
    if (MenuItem* item = MenuItem::FromCommand(LOWORD(wParam))) {
      // Item states are worked out when a menu opens, so they may be stale by the time a
      // shortcut is pressed; a shortcut always runs its command.
      if (item->Enabled() || HIWORD(wParam) == 1)
        item->Click();
      return true;
    }
    return false;
  }
  if (msg == WM_INITMENUPOPUP) {
    HMENU menu = reinterpret_cast<HMENU>(wParam);
    if (MenuItem* item = MenuItem::FromSubMenu(menu)) {
      if (item->OnPopup)
        item->OnPopup(*item);
      return true;
    }
  }
  return false;
}

} // namespace vd::forms
