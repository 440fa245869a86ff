#pragma once
#include "forms/Component.h"
#include "forms/Control.h"
#include "forms/Window.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vd::forms {

// A child window of our own class that holds other controls: their notifications reach them
// through this window's procedure.
class Panel : public Component, public Window {
public:
  enum class Edge { None, BevelTop }; // BevelTop: a two-pixel etched line along the top
  Panel(Component* owner, HWND parent, const ControlArgs& args, Edge edge = Edge::None);

  void SetBounds(int left, int top, int width, int height);
  void SetVisible(bool visible);
  bool Visible() const;
  // The hint shown while the pointer rests on the panel itself (not on a child control).
  std::string hint;

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  Edge edge_;
};

class PageControl;

// One page of a PageControl; its child windows fill it. They are found when laid out, not
// remembered: an editor may replace its window with a fresh one.
class TabSheet : public Component, public Window {
public:
  TabSheet(PageControl& owner, HWND tabControl);
  void Layout();

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A tab control whose pages are child windows placed over its display area. It never takes the
// keyboard focus itself.
class PageControl : public Control {
public:
  PageControl(Component* owner, const ControlArgs& args);
  ~PageControl() override;

  TabSheet& AddPage(const std::string& caption);
  void RemovePage(int index);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TabSheet& Page(int index) { return *pages_.at(static_cast<size_t>(index)); }
  std::string Caption(int index) const;
  void SetCaption(int index, const std::string& caption);

  int ActivePageIndex() const;
  void SetActivePageIndex(int index);

  void Layout();
  std::function<void()> OnChange;

  bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  void ShowActivePage();
  std::vector<std::unique_ptr<TabSheet>> pages_;
};

} // namespace vd::forms
