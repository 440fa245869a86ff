#pragma once
#include <stdexcept>
#include <string>

namespace vd::forms {

// A failure inside the form library (a file that cannot be opened, a refused settings write, a
// number that does not convert). The running handler does not catch it: the window procedure's
// barrier shows its message in the standard exception box and the program goes on.
class Error : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

} // namespace vd::forms
