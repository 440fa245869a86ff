// The hand-off between starts against scripted timing: a receiver window on its own thread
// plays the running instance, other threads play other starts and older instances.
#include "app/HandOff.h"
#include "app/Mainform2.h"
#include "forms/Errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace vd::test {
namespace {

using app::HandOffBounds;
using namespace std::chrono_literals;

constexpr char kReceiverClass[] = "VdTestHandOffReceiver";

// A top-level window that takes the slot on each open request, as the running instance does.
class Receiver {
public:
  explicit Receiver(std::string settingsFile) : file_(std::move(settingsFile)) {
    thread_ = std::thread([this] { Run(); });
    while (!window_.load())
      std::this_thread::sleep_for(5ms);
  }
  ~Receiver() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  HWND Window() const { return window_; }
  std::vector<std::string> Taken() {
    std::lock_guard<std::mutex> lock(mutex_);
    return taken_;
  }

private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Receiver*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == app::WM_OPENREQUEST && self) {
      forms::IniFile settings(self->file_);
      const std::string path = app::TakeHandedOverFile(settings);
      std::lock_guard<std::mutex> lock(self->mutex_);
      if (!path.empty())
        self->taken_.push_back(path);
      return 0;
    }
    if (msg == WM_CLOSE) {
      DestroyWindow(hwnd);
      PostQuitMessage(0);
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  void Run() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kReceiverClass;
    RegisterClassA(&wc);
    HWND w = CreateWindowA(kReceiverClass, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                           wc.hInstance, nullptr);
    SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    window_ = w;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
      DispatchMessageA(&msg);
  }
  std::string file_;
  std::thread thread_;
  std::atomic<HWND> window_{nullptr};
  std::mutex mutex_;
  std::vector<std::string> taken_;
};

class HandOffTest : public testing::Test {
protected:
  void SetUp() override {
    name_ = std::string("VdTest-") + testing::UnitTest::GetInstance()->current_test_info()->name() +
            ".ini";
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, MAX_PATH);
    path_ = std::string(dir) + "\\" + name_;
    DeleteFileA(path_.c_str());
  }
  void TearDown() override { DeleteFileA(path_.c_str()); }
  std::string Slot() { return forms::IniFile(name_).ReadString(settings::kHandOffFile); }
  void SetSlot(const std::string& v) {
    forms::IniFile(name_).WriteString(settings::kHandOffFile, v);
  }
  static std::string Refusal(const std::string& path, const std::string& reason) {
    return "File " + path + " could not be handed over to the running Vellumdesk.  " + reason;
  }
  static HandOffBounds Short() {
    HandOffBounds b;
    b.windowMs = 300;
    b.slotLockMs = 300;
    b.slotFreeMs = 300;
    b.pollMs = 5;
    return b;
  }
  std::string name_, path_;
};

TEST_F(HandOffTest, ABusySlotIsWaitedForAndNeverOverwritten) {
  Receiver receiver(name_);
  // An older instance's start wrote a path without the lock; the running one is slow to take it.
  SetSlot("C:\\older.txt");
  std::string seenWhenFreed;
  std::thread older([&] {
    std::this_thread::sleep_for(400ms);
    forms::IniFile settings(name_);
    seenWhenFreed = app::TakeHandedOverFile(settings);
  });
  HandOffBounds bounds = Short();
  bounds.slotFreeMs = 5000;
  const auto start = std::chrono::steady_clock::now();
  const app::HandOffResult r = app::HandOver(name_, "C:\\mine.txt", receiver.Window(), bounds);
  const auto waited = std::chrono::steady_clock::now() - start;
  older.join();
  EXPECT_TRUE(r.delivered) << r.message;
  EXPECT_EQ(seenWhenFreed, "C:\\older.txt");
  EXPECT_GE(waited, 350ms);
  EXPECT_EQ(receiver.Taken(), std::vector<std::string>{"C:\\mine.txt"});
  EXPECT_EQ(Slot(), "");
}

TEST_F(HandOffTest, BoundedWaitsEndWithTheirMessageAndWriteNothing) {
  struct Case {
    const char* what;
    bool holdSlotLock; // another start is handing over and never finishes
    std::string inSlot;
    std::string reason;
  };
  const std::vector<Case> cases{
      {"slot never freed", false, "C:\\older.txt",
       "It had not taken the file handed over before within 1 seconds."},
      {"other starts ahead", true, "", "Other files were still being handed over after 1 seconds."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DeleteFileA(path_.c_str());
    if (!c.inSlot.empty())
      SetSlot(c.inSlot);
    Receiver receiver(name_);
    std::atomic<bool> held{false}, done{false};
    std::thread other;
    if (c.holdSlotLock) {
      other = std::thread([&] {
        HANDLE m = CreateMutexA(nullptr, FALSE, app::HandOffLockName(name_).c_str());
        WaitForSingleObject(m, INFINITE);
        held = true;
        while (!done)
          std::this_thread::sleep_for(5ms);
        ReleaseMutex(m);
        CloseHandle(m);
      });
      while (!held)
        std::this_thread::sleep_for(5ms);
    }
    const app::HandOffResult r = app::HandOver(name_, "C:\\mine.txt", receiver.Window(), Short());
    done = true;
    if (other.joinable())
      other.join();
    EXPECT_FALSE(r.delivered);
    EXPECT_EQ(r.message, Refusal("C:\\mine.txt", c.reason));
    EXPECT_EQ(Slot(), c.inSlot);
    EXPECT_TRUE(receiver.Taken().empty());
  }
}

TEST_F(HandOffTest, ARefusedSlotWriteSaysTheFileWasNotHandedOver) {
  Receiver receiver(name_);
  SetSlot("");
  // Another program holds the file open without sharing (a read-only file is writable to root).
  HANDLE held = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const app::HandOffResult r = app::HandOver(name_, "C:\\mine.txt", receiver.Window(), Short());
  CloseHandle(held);
  EXPECT_FALSE(r.delivered);
  EXPECT_EQ(r.message, Refusal("C:\\mine.txt", "Unable to write to " + name_ + "."));
  EXPECT_EQ(Slot(), "");
  EXPECT_TRUE(receiver.Taken().empty());
}

TEST_F(HandOffTest, ManyStartsAtOnceEachArriveExactlyOnce) {
  Receiver receiver(name_);
  std::vector<std::string> paths;
  for (int i = 0; i < 12; ++i)
    paths.push_back("C:\\file " + std::to_string(i) + ".txt");
  std::vector<app::HandOffResult> results(paths.size());
  std::vector<std::thread> starts;
  HandOffBounds bounds;
  bounds.pollMs = 5;
  for (size_t i = 0; i < paths.size(); ++i)
    starts.emplace_back(
        [&, i] { results[i] = app::HandOver(name_, paths[i], receiver.Window(), bounds); });
  for (auto& t : starts)
    t.join();
  for (const auto& r : results)
    EXPECT_TRUE(r.delivered) << r.message;
  std::vector<std::string> taken = receiver.Taken();
  std::sort(taken.begin(), taken.end());
  std::sort(paths.begin(), paths.end());
  EXPECT_EQ(taken, paths);
}

TEST_F(HandOffTest, TheRaceForFirstPlaceHasOneWinnerAndTheOthersWaitForItsWindow) {
  const std::string mutexName = "VdTest.First." + std::to_string(GetCurrentProcessId());
  constexpr char kClass[] = "VdTestFirstPlaceWindow";
  struct Case {
    const char* what;
    bool held;        // another start holds the mutex
    int windowAfter;  // ms until that start's window exists; -1 never
    int releaseAfter; // ms until that start ends without a window; -1 never
    bool wins, findsWindow;
  };
  const std::vector<Case> cases{
      {"nobody else", false, -1, -1, true, false},
      {"window comes late", true, 150, -1, false, true},
      {"window never comes", true, -1, -1, false, false},
      {"the other start ends", true, -1, 150, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::atomic<bool> held{false}, done{false};
    std::thread other([&] {
      HANDLE m = c.held ? CreateMutexA(nullptr, TRUE, mutexName.c_str()) : nullptr;
      held = true;
      HWND w = nullptr;
      const auto start = std::chrono::steady_clock::now();
      while (!done) {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
        if (c.windowAfter >= 0 && !w && ms >= c.windowAfter) {
          WNDCLASSA wc{};
          wc.lpfnWndProc = &DefWindowProcA;
          wc.hInstance = GetModuleHandleA(nullptr);
          wc.lpszClassName = kClass;
          RegisterClassA(&wc);
          w = CreateWindowA(kClass, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                            nullptr);
        }
        if (c.releaseAfter >= 0 && m && ms >= c.releaseAfter) {
          ReleaseMutex(m);
          CloseHandle(m);
          m = nullptr;
        }
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
          DispatchMessageA(&msg);
        std::this_thread::sleep_for(5ms);
      }
      if (w)
        DestroyWindow(w);
      if (m) {
        ReleaseMutex(m);
        CloseHandle(m);
      }
    });
    while (!held)
      std::this_thread::sleep_for(5ms);
    HandOffBounds bounds = Short();
    bounds.windowMs = 1000;
    const app::FirstPlace place = app::ClaimFirstPlace(mutexName.c_str(), kClass, bounds);
    done = true;
    other.join();
    EXPECT_EQ(place.mutex != nullptr, c.wins);
    EXPECT_EQ(place.running != nullptr, c.findsWindow);
    if (place.mutex) {
      ReleaseMutex(place.mutex);
      CloseHandle(place.mutex);
    }
  }
}

} // namespace
} // namespace vd::test
