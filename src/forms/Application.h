#pragma once
#include "forms/Win.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace vd::forms {

class Form;

// The one application object: its title, the message loop with its filters, termination on
// request, and the standard exception box.
class Application {
public:
  static Application& Instance();

  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  void Initialize(HINSTANCE instance);
  HINSTANCE InstanceHandle() const { return instance_; }

  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

  // The first form created becomes the main form unless one is named.
  Form* MainForm() const { return mainForm_; }
  void SetMainForm(Form* form) { mainForm_ = form; }

  // The window a message box should belong to: the active enabled window of this thread, else
  // the main form's window.
  HWND ActiveWindow() const;

  // A filter sees every message before it is dispatched and returns true when it handled it
  // (accelerators, dialog navigation). Filters run in the order added.
  using MessageFilter = std::function<bool(MSG&)>;
  void AddMessageFilter(MessageFilter filter);

  // Runs the loop until Terminate is called. An exception that escapes dispatching is shown in
  // the standard box and ends the loop.
  void Run();
  // Dispatches one message if there is one (or waits for one); false when the loop should end.
  bool HandleMessage(bool wait);

  // For a long task inside a handler (a large file streaming in): paints what needs painting
  // and takes an Esc key press off the queue, dispatching nothing else, so no command, second
  // open or close can start meanwhile. Messages other threads send still arrive during it; the
  // window that runs the task refuses those that would interfere. True when Esc was pressed.
  bool PumpPaintsAndEscape();

  // Asks the loop to end once the current handler has returned.
  void Terminate();
  bool Terminated() const { return terminated_; }
  // For tests that run several loops in one process.
  void ResetTerminated() { terminated_ = false; }

  // The hint of what the pointer or the highlighted menu item is on. OnHint hears each change.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  std::function<void(const std::string& hint)> OnHint;

  // The standard exception box: the exception's message, the application title, the error icon.
  void ShowException(const std::exception& e);
  void ShowException(const char* message);
  // Catches whatever the current exception is and shows it; for catch (...) blocks.
  void ShowCurrentException();

private:
  Application() = default;
  bool Filter(MSG& msg);

  HINSTANCE instance_ = nullptr;
  std::string title_;
  Form* mainForm_ = nullptr;
  std::vector<MessageFilter> filters_;
  bool terminated_ = false;
  std::string hint_;
};

// Runs f, and shows any exception it throws in the standard box instead of letting it unwind
// through Windows' frames. Returns whether f completed. Every Win32 callback goes through this.
template <class F> bool Guarded(F&& f) noexcept {
  try {
    f();
    return true;
  } catch (...) {
    Application::Instance().ShowCurrentException();
    return false;
  }
}

} // namespace vd::forms
