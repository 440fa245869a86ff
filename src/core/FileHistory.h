#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vd {

// The recent-files list: most recent first, at most ten, no two entries equal when letter case is
// ignored after an addition. Entries loaded from the settings file are kept as they stand (a
// duplicate there stays until the next addition), but only the first ten.
class FileHistory {
public:
  // The platform's case-insensitive comparison: true when the two texts are equal.
  using SameText = std::function<bool(std::string_view, std::string_view)>;
  static constexpr size_t kCapacity = 10;

  explicit FileHistory(SameText sameText) : sameText_(std::move(sameText)) {}

  const std::vector<std::string>& Entries() const { return entries_; }
  size_t Size() const { return entries_.size(); }

  // Fills the list from a settings section in file order, skipping empty values and stopping at
  // ten: a hand-edited file may hold thousands.
  void Load(const std::vector<std::pair<std::string, std::string>>& sectionValues);
  // The ten keys written back: File1..File10, entry n or the empty string.
  std::vector<std::pair<std::string, std::string>> KeysToSave() const;

  // Moves or inserts path at the top and cuts the list back to ten.
  void Add(const std::string& path);
  // Removes every entry for which exists(path) is false, keeping the order of the rest.
  void RemoveObsolete(const std::function<bool(const std::string&)>& exists);
  void Clear() { entries_.clear(); }

private:
  SameText sameText_;
  std::vector<std::string> entries_;
};

// What follows the last backslash or colon of a path: the caption of a file's tab.
std::string FileNamePart(std::string_view path);

} // namespace vd
