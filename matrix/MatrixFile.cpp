#include "matrix/MatrixFile.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include "matrix/Matrix.h"
#include "matrix/ProgressBar.h"
#include "platform/BinaryIO.h"
#include "platform/DialogService.h"
#include "platform/Errors.h"

namespace kestrilo {

namespace {

void PutI32(char* out, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  out[0] = static_cast<char>(v & 0xFF);
  out[1] = static_cast<char>((v >> 8) & 0xFF);
  out[2] = static_cast<char>((v >> 16) & 0xFF);
  out[3] = static_cast<char>((v >> 24) & 0xFF);
}

int32_t GetI32(const char* in) {
  const auto* b = reinterpret_cast<const unsigned char*>(in);
  return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                              (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24));
}

// Sets a bar's position only when it changes, so that a bar that repaints
// itself on every change is not asked to repaint 120,000 times.
class TBarStepper {
 public:
  TBarStepper(TProgressBar* bar, int32_t divisor) : bar_(bar), divisor_(divisor) {}
  void After(int32_t count) {
    if (!bar_) return;
    const int32_t position = count / divisor_;
    if (position == last_) return;
    last_ = position;
    bar_->SetPosition(position);
  }

 private:
  TProgressBar* bar_;
  int32_t divisor_;
  int32_t last_ = -1;
};

}  // namespace

std::string TMatrixFile::BackPlaneFileName(const std::string& matrixFileName) {
  // Both "/" and "\" end a folder name, so that a dot in a folder name is never
  // taken for the extension, whichever way the path is written.
  const size_t mark = matrixFileName.find_last_of(".\\/:");
  std::string base = matrixFileName;
  if (mark != std::string::npos && matrixFileName[mark] == '.') base.erase(mark);
  return base + "mtb";
}

std::string TMatrixFile::EncodeCells(const TMatrix& matrix) {
  std::string bytes(kMatrixFileSize, '\0');
  char* out = bytes.data();
  for (int32_t x = 0; x < TMatrix::kColumns; ++x) {
    for (int32_t y = 0; y < TMatrix::kRows; ++y) {
      const TMatrixCell& cell = matrix.Cells[x][y];
      out[0] = static_cast<char>(cell.Kind);
      std::memcpy(out + 1, cell.Padding1, 3);
      PutI32(out + 4, cell.ObjectNumber);
      out[8] = static_cast<char>(cell.LiftHeight);
      out[9] = static_cast<char>(cell.KeyCode);
      std::memcpy(out + 10, cell.Padding2, 2);
      out += kCellRecordSize;
    }
  }
  return bytes;
}

std::string TMatrixFile::EncodeBackPlanes(const TMatrix& matrix) {
  std::string bytes(kBackPlaneFileSize, '\0');
  char* out = bytes.data();
  for (int32_t x = 0; x < TMatrix::kColumns; ++x) {
    for (int32_t y = 0; y < TMatrix::kRows; ++y) {
      for (int32_t entry : matrix.BackPlanes[x][y]) {
        PutI32(out, entry);
        out += 4;
      }
    }
  }
  return bytes;
}

void TMatrixFile::DecodeCells(std::string_view bytes, TMatrix& matrix, TProgressBar* bar) {
  if (bytes.size() < kMatrixFileSize) TByteReader::Fail();
  TBarStepper stepper(bar, kMainBarDivisor);
  const char* in = bytes.data();
  int32_t n = 0;
  for (int32_t x = 0; x < TMatrix::kColumns; ++x) {
    for (int32_t y = 0; y < TMatrix::kRows; ++y) {
      TMatrixCell& cell = matrix.Cells[x][y];
      cell.Kind = static_cast<int8_t>(in[0]);
      std::memcpy(cell.Padding1, in + 1, 3);
      cell.ObjectNumber = GetI32(in + 4);
      cell.LiftHeight = static_cast<int8_t>(in[8]);
      cell.KeyCode = static_cast<uint8_t>(in[9]);
      std::memcpy(cell.Padding2, in + 10, 2);
      in += kCellRecordSize;
      stepper.After(++n);
    }
  }
}

void TMatrixFile::DecodeBackPlanes(std::string_view bytes, TMatrix& matrix, TProgressBar* bar) {
  if (bytes.size() < kBackPlaneFileSize) TByteReader::Fail();
  TBarStepper stepper(bar, kPlanesBarDivisor);
  const char* in = bytes.data();
  int32_t m = 0;
  for (int32_t x = 0; x < TMatrix::kColumns; ++x) {
    for (int32_t y = 0; y < TMatrix::kRows; ++y) {
      for (int32_t& entry : matrix.BackPlanes[x][y]) {
        entry = GetI32(in);
        in += 4;
        stepper.After(++m);
      }
    }
  }
}

std::string TMatrixFile::ReadFixedSize(const std::string& path, size_t size) {
  if (!FileExists(path)) throw EFOpenError(CannotOpenMessage(path));
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFOpenError(CannotOpenMessage(path));
  std::string bytes(size, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  if (static_cast<size_t>(in.gcount()) != size) TByteReader::Fail();
  return bytes;
}

bool TMatrix::SaveToFile(const std::string& FileName, TDialogService& Dialogs) const {
  if (FileExists(FileName) &&
      Dialogs.MessageBox("Файл существует! Перезаписать ?", "Перезапись", TMsgButtons::YesNo) != TModalResult::mrYes)
    return false;
  // Both files are replaced together or not at all, so a failed save never
  // leaves a matrix file beside a back-plane file of another level.
  const std::string planesFileName = TMatrixFile::BackPlaneFileName(FileName);
  // A folder in the place of either file would fail only when the files are
  // renamed into place, after the other one may already have been replaced.
  for (const std::string* target : {&FileName, &planesFileName}) {
    std::error_code ec;
    if (std::filesystem::is_directory(*target, ec)) throw EFCreateError(CannotCreateMessage(*target));
  }
  TAtomicFileSet files;
  files.Add(FileName, TMatrixFile::EncodeCells(*this));
  files.Add(planesFileName, TMatrixFile::EncodeBackPlanes(*this));
  files.Commit();
  return true;
}

bool TMatrix::LoadFromFile(const std::string& FileName, TDialogService& Dialogs, TProgressBar* MainBar,
                           TProgressBar* PlanesBar) {
  if (!FileExists(FileName)) {
    Dialogs.ShowMessage("Нет файла с таким именем!");
    return false;
  }
  // Both files are read and checked before a cell changes, so a missing or
  // short file leaves the level as it was.
  const std::string cells = TMatrixFile::ReadFixedSize(FileName, TMatrixFile::kMatrixFileSize);
  const std::string planes =
      TMatrixFile::ReadFixedSize(TMatrixFile::BackPlaneFileName(FileName), TMatrixFile::kBackPlaneFileSize);
  TMatrixFile::DecodeCells(cells, *this, MainBar);
  TMatrixFile::DecodeBackPlanes(planes, *this, PlanesBar);
  return true;
}

}  // namespace kestrilo
