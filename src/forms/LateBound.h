#pragma once
#include "forms/Errors.h"
#include "forms/Win.h"

namespace vd::forms {

// A function of a system library that is loaded when it is first called instead of at start.
// For the common dialogs' library: with the print spooler it brings along it adds about 5 MB to
// the working set of every start, and a start that opens no dialog never needs it.
// Throws forms::Error when the library or the function cannot be found.
template <class Fn> Fn LateBound(const char* library, const char* name) {
  const HMODULE module = LoadLibraryA(library);
  const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
  if (!found)
    throw Error(std::string("Cannot load ") + name + " from " + library);
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(found));
}

} // namespace vd::forms
