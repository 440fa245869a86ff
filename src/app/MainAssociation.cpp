// The file association: every start registers the program as the opener of .txt files.
#include "app/MainAssociation.h"

#include "core/Association.h"
#include "forms/Registry.h"

#include <vector>

namespace vd::app {

namespace {
void Run(forms::Registry& reg, const std::vector<association::KeyStep>& steps) {
  for (const auto& step : steps) {
    if (step.fromRoot)
      reg.CloseKey();
    reg.OpenKey(step.key, true);
    if (step.value)
      reg.WriteString("", *step.value);
  }
  reg.CloseKey();
}
} // namespace

Service<const HKEY>& AssociationRoot() {
  static const HKEY real = HKEY_CLASSES_ROOT;
  static Service<const HKEY> slot(real);
  return slot;
}

std::string ProgramFilePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0)
      return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2); // cut short: a longer path than the buffer
  }
}

void WriteFileAssociation(HKEY root, const std::string& programPath) noexcept {
  // Nobody is told of a failure: a user without write access simply keeps the old opener.
  try {
    forms::Registry reg(root);
    Run(reg, association::DefaultIconSteps(programPath));
    reg.OpenKey(association::kExtension, true);
    const std::string txtValue = reg.ReadString("");
    Run(reg, association::TypeSteps(txtValue, programPath));
  } catch (...) {
  }
}

} // namespace vd::app
