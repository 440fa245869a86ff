#pragma once
#include <utility>

namespace vd {

// A service the program reaches through one accessor and a test may replace: message boxes, the
// file and common dialogs, the printer, the settings file name, the registry root, the tray
// shell. Each accessor keeps a function-local slot beside the real object, so the real one is
// made on first use and nothing depends on the order of static construction:
//
//   Service<MessageBoxService>& MessageBoxes() {
//     static RealMessageBoxes real;
//     static Service<MessageBoxService> slot(real);
//     return slot;
//   }
//
// Callers use Get(); tests put a stand-in in force for a scope with ServiceOverride.
template <class T> class Service {
public:
  explicit Service(T& real) noexcept : real_(&real) {}
  Service(const Service&) = delete;
  Service& operator=(const Service&) = delete;

  // The installed replacement, else the real one.
  T& Get() const noexcept { return current_ ? *current_ : *real_; }
  // Puts a replacement in force (not owned); nullptr brings the real one back. Returns the
  // replacement that was in force before, nullptr when it was the real one.
  T* Install(T* replacement) noexcept { return std::exchange(current_, replacement); }
  bool IsReplaced() const noexcept { return current_ != nullptr; }

private:
  T* real_;
  T* current_ = nullptr;
};

// Puts a replacement in force for its own lifetime and then gives back whatever was in force
// before, so overrides nest (a fixture's, then one test's).
template <class T> class ServiceOverride {
public:
  ServiceOverride(Service<T>& service, T& replacement) noexcept
      : service_(service), previous_(service.Install(&replacement)) {}
  ~ServiceOverride() { service_.Install(previous_); }
  ServiceOverride(const ServiceOverride&) = delete;
  ServiceOverride& operator=(const ServiceOverride&) = delete;

private:
  Service<T>& service_;
  T* previous_;
};

} // namespace vd
