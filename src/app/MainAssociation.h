#pragma once
#include "core/Services.h"
#include "forms/Win.h"

#include <string>

namespace vd::app {

// Makes the program the opener of .txt files below `root` (HKEY_CLASSES_ROOT in the program).
// Never fails and never reports: a step that the registry refuses ends the work there, and what
// was written before it stays.
void WriteFileAssociation(HKEY root, const std::string& programPath) noexcept;

// The root the main window's start-up writes below: HKEY_CLASSES_ROOT, or a test's scratch key.
Service<const HKEY>& AssociationRoot();

// The full path of the running program file.
std::string ProgramFilePath();

} // namespace vd::app
