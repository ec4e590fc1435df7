#include "editor/RecentLevels.h"

#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <algorithm>

namespace kestrilo {

namespace {

const char* const kRecentLevelsKey = "RecentLevels";

std::string AbsolutePath(const std::string& Path) {
  return QFileInfo(QString::fromStdString(Path)).absoluteFilePath().toStdString();
}

}  // namespace

TRecentLevels::TRecentLevels(QSettings& Settings) : Settings(Settings) {}

std::vector<std::string> TRecentLevels::Paths() const {
  std::vector<std::string> paths;
  for (const QString& path : Settings.value(kRecentLevelsKey).toStringList()) {
    // A hand-edited settings file may hold blanks or repeats; they are not shown.
    const std::string entry = path.toStdString();
    if (entry.empty() || std::find(paths.begin(), paths.end(), entry) != paths.end()) continue;
    paths.push_back(entry);
    if (static_cast<int>(paths.size()) == kMaxCount) break;
  }
  return paths;
}

void TRecentLevels::Add(const std::string& Path) {
  if (Path.empty()) return;
  const std::string entry = AbsolutePath(Path);
  std::vector<std::string> paths = Paths();
  paths.erase(std::remove(paths.begin(), paths.end(), entry), paths.end());
  paths.insert(paths.begin(), entry);
  if (static_cast<int>(paths.size()) > kMaxCount) paths.resize(kMaxCount);
  Store(paths);
}

void TRecentLevels::Remove(const std::string& Path) {
  std::vector<std::string> paths = Paths();
  const std::string entry = AbsolutePath(Path);
  paths.erase(std::remove_if(paths.begin(), paths.end(), [&](const std::string& p) { return p == Path || p == entry; }),
              paths.end());
  Store(paths);
}

void TRecentLevels::Store(const std::vector<std::string>& Paths) {
  QStringList list;
  for (const std::string& path : Paths) list << QString::fromStdString(path);
  Settings.setValue(kRecentLevelsKey, list);
  Settings.sync();
}

}  // namespace kestrilo
