#pragma once
#include "forms/Component.h"
#include "forms/Win.h"

#include <string>

namespace vd::forms {

// Where a child control goes: its parent window and its designed bounds at 96 DPI.
struct ControlArgs {
  HWND parent = nullptr;
  int left = 0, top = 0, width = 0, height = 0;
  std::string text;
  DWORD style = 0; // added to WS_CHILD | WS_VISIBLE
  DWORD exStyle = 0;
  int id = 0;
  std::string hint; // "short|long"; a hint without a bar serves as both
};

// A child control of a standard window class. The object is found from its window (a window
// property), the control is subclassed so that its own messages reach HandleMessage, and the
// parent reflects WM_COMMAND and WM_NOTIFY to it, so that a button turns its click into its own
// event. Tear-down: stop dispatching, unsubclass, destroy.
class Control : public Component {
public:
  Control(Component* owner, const char* windowClass, const ControlArgs& args);
  ~Control() override;

  HWND Handle() const { return hwnd_; }
  static Control* FromHandle(HWND hwnd);

  void SetBounds(int left, int top, int width, int height); // in device pixels
  void SetVisible(bool visible);
  bool Visible() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
  std::string Text() const;
  void SetText(const std::string& text);
  void SetFocus();
  void SetFont(HFONT font);

  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint) { hint_ = std::move(hint); }
  std::string ShortHint() const;
  std::string LongHint() const;

  // A notification from the parent: WM_COMMAND (code in HIWORD(wParam)) or WM_NOTIFY.
  // Returns true when handled, with *result the answer.
  virtual bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

protected:
  // Puts a fresh, empty window of the same class, styles, place and id in the old one's place
  // (z-order and focus go with it) and destroys the old one. For a control whose own way of
  // emptying itself is far slower than starting anew; the caller restores its own settings.
  void RecreateWindow();
  // The same in two steps, for a fresh window filled before it may replace the old one: the
  // object moves to a fresh, empty, hidden window just behind the old one, which stays on
  // screen as it is and is returned. EndFreshWindow(old, true) then puts the fresh window in the
  // old one's place as RecreateWindow does; EndFreshWindow(old, false) destroys the fresh one
  // and gives the object its old window back, untouched.
  HWND StartFreshWindow();
  void EndFreshWindow(HWND old, bool keepFresh);
  // The control's own messages (after subclassing); the default passes them on.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam);

private:
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void Attach(HWND hwnd); // a new window: bound, with the default GUI font
  void Bind(HWND hwnd);   // messages of hwnd reach this object
  void Unbind();          // they no longer do; the window stays
  HWND hwnd_ = nullptr;
  std::string hint_;
  std::string windowClass_;
  DWORD style_ = 0, exStyle_ = 0; // as created: the control may change its own style bits later
};

// Sends a reflected notification to the child control it concerns. Our own windows call this
// from their window procedure; it returns true when a control handled the message.
bool ReflectToControl(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

// The default GUI font, made once for the whole program.
HFONT DefaultGuiFont();

} // namespace vd::forms
