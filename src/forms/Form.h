#pragma once
#include "core/Placement.h"
#include "forms/Component.h"
#include "forms/Window.h"

#include <functional>
#include <string>
#include <vector>

namespace vd::forms {

struct FormDesign {
  std::string className; // the form's class name, which is also its window class ("TfrmMain")
  std::string caption;
  // Outer bounds at 96 DPI. When clientWidth/clientHeight are set, width and height are worked
  // out from the client area instead.
  int left = 0, top = 0, width = 0, height = 0;
  int clientWidth = 0, clientHeight = 0;
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  bool dialogKeys = false; // Tab, Enter and Esc move and press as in a dialog
  HICON icon = nullptr;
};

// A top-level window with a designed size, show and modal show, and placement over the main form.
class Form : public Component, public Window {
public:
  Form(Component* owner, FormDesign design);
  ~Form() override;

  const FormDesign& Design() const { return design_; }

  void Show();
  void Hide();
  bool Visible() const;
  // Shows the form modally: every other window of the program is disabled until ModalResult is
  // set (by a button or the close box, which gives kIdCancel) or the application terminates.
  int ShowModal();
  bool IsModal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  Bounds BoundsRect() const;
  void SetBounds(const Bounds& b);
  // Places the form centred over the main form's current bounds (also while that is hidden).
  void CentreOverMain();

  // Runs each time the form is about to appear.
  std::function<void()> OnShow;

  bool UsesDialogKeys() const { return design_.dialogKeys; }
  static Form* FromHandle(HWND hwnd);

protected:
  // The close box: a modal form ends with kIdCancel, any other form hides. Override to refuse.
  virtual void CloseRequested();
  virtual void FormShow() {}
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  FormDesign design_;
  bool modal_ = false;
  int modalResult_ = 0;
};

// While it lives, the program's visible stay-on-top windows (Find and Replace) are ordinary
// windows, so that a modal dialog or message box is not hidden behind one; they go back on top
// afterwards.
class TopMostPause {
public:
  TopMostPause();
  ~TopMostPause();
  TopMostPause(const TopMostPause&) = delete;
  TopMostPause& operator=(const TopMostPause&) = delete;

private:
  std::vector<HWND> paused_;
};

} // namespace vd::forms
