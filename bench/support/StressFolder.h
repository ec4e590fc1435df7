// A temporary folder holding the stress data and levels; removed afterwards.
#pragma once

#include <QTemporaryDir>
#include <cstdint>
#include <string>

#include "support/StressLevel.h"

namespace kestrilo::bench {

class TStressFolder {
 public:
  TStressFolder() { WriteStressData(Path()); }
  std::string Path() const { return dir_.path().toStdString(); }
  // Writes a level for Layout under Name and returns its matrix file.
  std::string Level(const std::string& Name, const TStressLayout& Layout) const {
    const std::string path = Path() + "/" + Name + ".mtf";
    WriteStressLevel(path, Layout);
    return path;
  }

 private:
  QTemporaryDir dir_;
};

// The seed the benchmarks' editors start with, so that runs compare.
inline constexpr uint32_t kStressSeed = 4242;

// One stress folder for a whole benchmark program, written at its first use.
inline const TStressFolder& SharedStressFolder() {
  static const TStressFolder folder;
  return folder;
}

}  // namespace kestrilo::bench
