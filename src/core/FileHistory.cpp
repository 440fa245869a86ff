#include "core/FileHistory.h"

#include "core/SettingsKeys.h"

#include <algorithm>

namespace vd {

void FileHistory::Load(const std::vector<std::pair<std::string, std::string>>& sectionValues) {
  for (const auto& [key, value] : sectionValues) {
    if (entries_.size() >= kCapacity)
      break;
    if (!value.empty())
      entries_.push_back(value);
  }
}

std::vector<std::pair<std::string, std::string>> FileHistory::KeysToSave() const {
  std::vector<std::pair<std::string, std::string>> keys;
  for (int n = 1; n <= settings::kHistoryKeysWritten; ++n) {
    const size_t i = static_cast<size_t>(n - 1);
    keys.emplace_back(std::string(settings::kHistoryKeyPrefix) + std::to_string(n),
                      i < entries_.size() ? entries_[i] : std::string());
  }
  return keys;
}

void FileHistory::Add(const std::string& path) {
  auto same = std::find_if(entries_.begin(), entries_.end(),
                           [&](const std::string& e) { return sameText_(e, path); });
  if (same != entries_.end())
    entries_.erase(same);
  entries_.insert(entries_.begin(), path);
  if (entries_.size() > kCapacity)
    entries_.resize(kCapacity);
}

void FileHistory::RemoveObsolete(const std::function<bool(const std::string&)>& exists) {
  std::erase_if(entries_, [&](const std::string& e) { return !exists(e); });
}

std::string FileNamePart(std::string_view path) {
  const auto cut = path.find_last_of("\\:");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

} // namespace vd
