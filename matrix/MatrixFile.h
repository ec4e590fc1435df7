// The two files of a level: the matrix file (30,000 main-plane records of 12
// bytes, column-major) and the back-plane file (120,000 little-endian 32-bit
// entries: for each column, each row, planes 1..4). No header, no count.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "matrix/Matrix.h"

namespace kestrilo {

class TProgressBar;

class TMatrixFile {
 public:
  static constexpr size_t kCellRecordSize = 12;
  static constexpr size_t kCellCount = TMatrix::kCellCount;
  static constexpr size_t kMatrixFileSize = kCellCount * kCellRecordSize;  // 360,000
  static constexpr size_t kBackPlaneEntryCount = kCellCount * TMatrix::kBackPlaneCount;
  static constexpr size_t kBackPlaneFileSize = kBackPlaneEntryCount * 4;  // 480,000
  // Progress positions: records read div 300 (0..100), entries read div 1186
  // (which passes 100 near the end; the bar shows full from there on).
  static constexpr int32_t kMainBarDivisor = 300;
  static constexpr int32_t kPlanesBarDivisor = 1186;

  // The back-plane file of a matrix file: the extension (the part from the
  // last "." when no "/", "\" or ":" follows it) is cut and "mtb" appended,
  // without a dot: level1.mtf -> level1mtb.
  static std::string BackPlaneFileName(const std::string& matrixFileName);

  // The file images of a matrix, exactly as stored (padding written as held).
  static std::string EncodeCells(const TMatrix& matrix);
  static std::string EncodeBackPlanes(const TMatrix& matrix);

  // Fill the matrix from file images that the caller has checked to be at
  // least their fixed size; the bar, when given, moves as records are taken.
  static void DecodeCells(std::string_view bytes, TMatrix& matrix, TProgressBar* bar);
  static void DecodeBackPlanes(std::string_view bytes, TMatrix& matrix, TProgressBar* bar);

  // The first `size` bytes of a file in one read; a longer file's rest is
  // ignored. "Cannot open file <file>: <reason>" when it cannot be opened,
  // "Stream read error: <file>: truncated: 1000 of 360000 bytes" when it is
  // shorter.
  static std::string ReadFixedSize(const std::string& path, size_t size);
};

}  // namespace kestrilo
