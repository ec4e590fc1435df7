// A temporary folder holding the stress data and levels; removed afterwards.
#pragma once

#include <QTemporaryDir>
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

}  // namespace kestrilo::bench
