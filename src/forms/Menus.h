#pragma once
#include "forms/Component.h"
#include "forms/Win.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vd::forms {

// A keyboard shortcut as menus show it ("Ctrl+Alt+S") and accelerators use it.
struct ShortCut {
  WORD key = 0; // virtual-key code; 0 for none
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  bool Empty() const { return key == 0; }
  std::string Text() const;
  bool operator==(const ShortCut&) const = default;
};
ShortCut Ctrl(WORD key);
ShortCut CtrlAlt(WORD key);
ShortCut Key(WORD key);

class Menu;

// One menu item: caption, shortcut, hint ("short|long"), check mark, enabled state, click
// handler, and sub-items. Every item has a command number of its own, unique in the process, so
// a WM_COMMAND finds its item wherever the item stands.
class MenuItem : public Component {
public:
  MenuItem(std::string caption, ShortCut shortcut = {}, std::string hint = {});
  ~MenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  const ShortCut& Shortcut() const { return shortcut_; }
  const std::string& Hint() const { return hint_; }
  std::string LongHint() const;
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool IsSeparator() const { return caption_ == "-"; }
  UINT Command() const { return command_; }

  std::function<void(MenuItem& sender)> OnClick;
  // Runs when this item's submenu is about to open (before it is drawn).
  std::function<void(MenuItem& sender)> OnPopup;

  // Sub-items, owned. Adding or removing rebuilds the submenu at once.
  MenuItem& Add(std::unique_ptr<MenuItem> item);
  MenuItem& Add(std::string caption, ShortCut shortcut = {}, std::string hint = {},
                std::function<void(MenuItem&)> onClick = {});
  MenuItem& AddSeparator();
  void Clear();
  const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
  size_t Count() const { return items_.size(); }
  MenuItem& operator[](size_t i) { return *items_[i]; }

  void Click();

  static MenuItem* FromCommand(UINT command);
  static MenuItem* FromSubMenu(HMENU menu);

private:
  friend class Menu;
  void AppendTo(HMENU parent);
  void RebuildSubMenu();
  void UpdateInParent();

  std::string caption_;
  ShortCut shortcut_;
  std::string hint_;
  bool checked_ = false;
  bool enabled_ = true;
  UINT command_;
  // The shortcut's own command number, which names no item of any menu (0: no shortcut).
  UINT shortcutCommand_ = 0;
  HMENU parentMenu_ = nullptr;
  HMENU subMenu_ = nullptr;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

// A menu bar or popup menu built from items in code. The main menu's accelerator table is
// derived from the same items, so a shortcut and its menu text can never disagree.
class Menu : public Component {
public:
  enum class Kind { Bar, Popup };
  Menu(Component* owner, Kind kind);
  ~Menu() override;

  HMENU Handle() const { return handle_; }
  MenuItem& Add(std::unique_ptr<MenuItem> item);
  MenuItem& Add(std::string caption, ShortCut shortcut = {}, std::string hint = {},
                std::function<void(MenuItem&)> onClick = {});
  MenuItem& AddSeparator();
  const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
  MenuItem& operator[](size_t i) { return *items_[i]; }
  // Depth-first search by caption path, for tests and the robot ("&File", "&Open...").
  MenuItem* Find(const std::vector<std::string>& captions);

  // Accelerators of every item with a shortcut, made afresh on each call after a change.
  HACCEL Accelerators();

  // Popup menus: opens at a screen point; commands go to `owner`'s window procedure.
  std::function<void(Menu& sender)> OnPopup;
  void Popup(int x, int y, HWND owner);

private:
  void Collect(const std::vector<std::unique_ptr<MenuItem>>& items, std::vector<ACCEL>& out);

  Kind kind_;
  HMENU handle_ = nullptr;
  HACCEL accel_ = nullptr;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

// Window-procedure helpers for forms that carry menus: a menu command (WM_COMMAND from a menu
// or accelerator) runs its item's OnClick; WM_INITMENUPOPUP runs the opening item's OnPopup.
// Return true when the message was a menu message they handled.
bool DispatchMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace vd::forms
