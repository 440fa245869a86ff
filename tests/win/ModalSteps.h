#pragma once
// Steps run from inside a modal loop (a dialog's, a popup menu's), and a short pump.
#include "forms/Win.h"

#include <functional>
#include <utility>

namespace vd::test {

inline std::function<void()>& ModalStep() {
  static std::function<void()> step;
  return step;
}

inline void CALLBACK RunModalStep(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto step = std::move(ModalStep());
  ModalStep() = nullptr;
  if (step)
    step();
}

// Runs `step` from inside the next modal loop: a thread timer fires there.
inline void DuringModal(std::function<void()> step) {
  ModalStep() = std::move(step);
  SetTimer(nullptr, 0, 10, &RunModalStep);
}

inline void Pump() {
  MSG msg;
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  }
}

} // namespace vd::test
