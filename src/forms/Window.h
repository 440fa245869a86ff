#pragma once
#include "forms/Win.h"

#include <string>

namespace vd::forms {

struct WindowCreate {
  std::string className; // registered on first use with this class's window procedure
  std::string caption;
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  int left = CW_USEDEFAULT, top = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
  HWND parent = nullptr;
  HMENU menu = nullptr;
  HICON icon = nullptr;
  UINT classStyle = CS_DBLCLKS;
  HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
};

// One owning base for every window of the program's own classes. It binds `this` at
// WM_NCCREATE, dispatches to the virtual HandleMessage, and holds the exception barrier: no C++
// exception leaves a window procedure; it is shown in the standard box and the message gets a
// neutral answer.
class Window {
public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }
  // The object behind a window of one of our classes, or nullptr.
  static Window* FromHandle(HWND hwnd);

protected:
  void CreateHandle(const WindowCreate& params);
  void DestroyHandle();
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
  }

private:
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

} // namespace vd::forms
