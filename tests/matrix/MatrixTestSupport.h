// Helpers shared by the matrix tests: a fresh matrix on the heap (it is a
// large fixed block), a temporary folder, a progress-bar recorder.
#pragma once

#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "matrix/Matrix.h"
#include "matrix/ProgressBar.h"

namespace kestrilo::testing {

inline std::unique_ptr<TMatrix> NewMatrix() { return std::make_unique<TMatrix>(); }

inline TMatrixCell MakeCell(int8_t kind, int32_t number, int8_t liftHeight = 0, uint8_t keyCode = 0) {
  TMatrixCell cell;
  cell.Kind = kind;
  cell.ObjectNumber = number;
  cell.LiftHeight = liftHeight;
  cell.KeyCode = keyCode;
  return cell;
}

// Every position a loader gave a bar, in order.
class TRecordingBar : public TProgressBar {
 public:
  void SetPosition(int32_t Position) override { Positions.push_back(Position); }
  std::vector<int32_t> Positions;
};

class TTempFolder {
 public:
  TTempFolder() { EXPECT_TRUE(dir_.isValid()); }
  std::string Path(const std::string& name) const { return dir_.filePath(QString::fromStdString(name)).toStdString(); }

 private:
  QTemporaryDir dir_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Compares the significant content of two matrices (padding excluded).
inline bool SameLevel(const TMatrix& a, const TMatrix& b) {
  for (int32_t x = 0; x < TMatrix::kColumns; ++x)
    for (int32_t y = 0; y < TMatrix::kRows; ++y)
      if (!a.Cells[x][y].SameContent(b.Cells[x][y]) || a.BackPlanes[x][y] != b.BackPlanes[x][y]) return false;
  return true;
}

}  // namespace kestrilo::testing
