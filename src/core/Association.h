#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the program writes to make itself the opener of .txt files, given what the registry
// holds. Executed by the main window at every start; every value is a key's default value.
namespace vd::association {

inline constexpr char kFileType[] = "VellumdeskFile";
inline constexpr char kExtension[] = ".txt";

// One key to open (creating it when missing), either from the root or relative to the key
// opened by the step before; and the default value to write there, if any.
struct KeyStep {
  bool fromRoot;
  std::string key;
  std::optional<std::string> value;
  bool operator==(const KeyStep&) const = default;
};

// The icon follows the program file wherever it was started from last: written at every start.
std::vector<KeyStep> DefaultIconSteps(std::string_view programPath);

// Whether .txt, whose default value is txtValue, already names our file type. Letter case counts:
// a value another program rewrote in other letters is taken back whole.
bool NamesOurType(std::string_view txtValue);

// The steps that make .txt ours: empty when it names our type already. The open command keeps
// the program path unquoted, then a blank and the quoted file name.
std::vector<KeyStep> TypeSteps(std::string_view txtValue, std::string_view programPath);

std::string OpenCommand(std::string_view programPath);

} // namespace vd::association
