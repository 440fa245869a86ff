#include "core/Association.h"

namespace vd::association {

std::vector<KeyStep> DefaultIconSteps(std::string_view programPath) {
  return {{true, kFileType, std::nullopt}, {false, "DefaultIcon", std::string(programPath) + ",0"}};
}

bool NamesOurType(std::string_view txtValue) { return txtValue == kFileType; }

std::string OpenCommand(std::string_view programPath) {
  return std::string(programPath) + " \"%1\"";
}

std::vector<KeyStep> TypeSteps(std::string_view txtValue, std::string_view programPath) {
  if (NamesOurType(txtValue))
    return {};
  return {
      {true, kExtension, std::string(kFileType)},   {true, kFileType, std::string("Text Document")},
      {false, "shell", std::string("open")},        {false, "open", std::string("&Open")},
      {false, "command", OpenCommand(programPath)},
  };
}

} // namespace vd::association
