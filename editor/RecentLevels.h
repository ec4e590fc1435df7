// The last levels opened or saved, newest first, kept in the user's settings.
#pragma once

#include <string>
#include <vector>

class QSettings;

namespace kestrilo {

class TRecentLevels {
 public:
  static constexpr int kMaxCount = 8;

  // The list lives in Settings (not owned), under one key.
  explicit TRecentLevels(QSettings& Settings);

  // Newest first, at most kMaxCount absolute paths.
  std::vector<std::string> Paths() const;
  // Puts Path (made absolute) at the top; an older entry for it goes, and so
  // does the oldest entry beyond kMaxCount.
  void Add(const std::string& Path);
  void Remove(const std::string& Path);

 private:
  void Store(const std::vector<std::string>& Paths);
  QSettings& Settings;
};

}  // namespace kestrilo
