#pragma once
#include "forms/Win.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <initializer_list>
#include <vector>

// The robot drives Vellumdesk.exe from outside, as any Windows automation tool would: by window
// class, real menus, messages and the settings file.
namespace vd::robot {

using namespace std::chrono_literals;

// The program's Windows path, given on the robot's command line.
const std::string& ProgramPath();
void SetProgramPath(std::string path);

// Polls until the condition holds or the time is up; never a fixed sleep.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 30s);

// The settings file the program uses (Windows directory, bare name).
std::string SettingsPath();
void RemoveSettings();

// A test that starts from no settings file and writes its files into a folder of its own.
class FolderTest : public testing::Test {
protected:
  void SetUp() override;
  // Writes bytes into the test's folder as name and returns the full path.
  std::string File(const std::string& name, const std::string& bytes);
  std::string folder_;
};
std::string ReadFileText(const std::string& path);

class Program {
public:
  // Starts the program with the given argument text (may be empty).
  explicit Program(const std::string& arguments = "");
  ~Program(); // ends the process if it still runs
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  DWORD ProcessId() const { return pi_.dwProcessId; }
  bool Running() const;
  // Waits for the process to end; returns its exit code, or -1 on time-out.
  long WaitForExit(std::chrono::milliseconds limit = 30s);
  // The top-level window of this process with the given class, waiting for it to appear.
  HWND WaitForWindow(const char* className, std::chrono::milliseconds limit = 30s) const;
  HWND FindWindowOfClass(const char* className) const;
  void Kill();

private:
  PROCESS_INFORMATION pi_{};
};

// Runs a main-menu command by its caption path, through the keyboard.
bool MenuCommand(HWND window, const std::vector<std::string>& captions);

// Message boxes and dialogs (class #32770) of a process.
HWND FindDialog(DWORD processId);
HWND WaitForDialog(DWORD processId, std::chrono::milliseconds limit = 20s);
// The message text of a message box (its static text that is not the icon).
std::string MessageBoxText(HWND box);
void PressButton(HWND dialog, int id);

// The main window's parts, read across the process boundary.
HWND TabControlOf(HWND main);
std::vector<std::string> TabCaptions(HWND main);
int ActiveTab(HWND main);
HWND ActiveEditorOf(HWND main); // the visible rich-edit control
std::string EditorText(HWND editor);
void TypeText(HWND editor, const std::string& text); // as keystrokes the control receives

// Ends the program through its own Exit command and waits for its window to go.
bool ExitProgram(HWND mainWindow);
// The same for whichever instance's main window is found first.
bool ExitRunningProgram();

std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);

// The tray: the component's hidden window, and a mouse message on the icon as the shell sends
// it (posted, so that a modal dialog it opens does not hold the robot).
HWND TrayWindowOf(const Program& program);
void PostTrayMouse(HWND trayWindow, UINT mouseMessage);
// Whether the process shows any top-level window (its taskbar entry goes with the main window).
bool HasVisibleWindow(DWORD processId);
// A toolbar button by its designed left edge within the toolbar, pressed by a posted click.
HWND ToolbarButtonAt(HWND main, int designedLeft);
// Any toolbar control of a window class by its designed left edge; visibleOnly skips hidden ones.
HWND ToolbarChildAt(HWND main, const char* className, int designedLeft, bool visibleOnly);
void PostClick(HWND button);
// Presses a key (a virtual-key code) as the keyboard would.
void PressKey(WORD vk);

} // namespace vd::robot

namespace vd::robot {

// Presses keys together, as a person holds Ctrl and presses F: down in order, up in reverse.
void PressChord(std::initializer_list<WORD> keys);
// Moves the real mouse pointer to the middle of a window, or also clicks its left button there.
void PointAt(HWND hwnd);
void ClickOn(HWND hwnd);
void ClickAt(POINT screen);
// A status-bar panel's text, read through memory in the program's process.
std::string StatusPanelText(HWND main, int panel);
// Whether the process shows a tool tip now.
bool ShowsToolTip(DWORD processId);
// Puts text on the clipboard the program shares with the robot.
bool SetClipboardText(const std::string& text);

} // namespace vd::robot
