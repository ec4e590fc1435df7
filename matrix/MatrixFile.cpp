#include "matrix/MatrixFile.h"

#include <filesystem>

#include "matrix/Matrix.h"
#include "matrix/ProgressBar.h"
#include "platform/AtomicFileSet.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"
#include "platform/Translated.h"

namespace kestrilo {

namespace {

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
  TByteWriter out;
  out.Data().reserve(kMatrixFileSize);
  for (const TMatrix::TColumnCells& column : matrix.Cells) {
    for (const TMatrixCell& cell : column) {
      out.I8(cell.Kind);
      out.Write(cell.Padding1, sizeof cell.Padding1);
      out.I32(cell.ObjectNumber);
      out.I8(cell.LiftHeight);
      out.U8(cell.KeyCode);
      out.Write(cell.Padding2, sizeof cell.Padding2);
    }
  }
  return std::move(out.Data());
}

std::string TMatrixFile::EncodeBackPlanes(const TMatrix& matrix) {
  TByteWriter out;
  out.Data().reserve(kBackPlaneFileSize);
  for (const auto& column : matrix.BackPlanes)
    for (const TMatrix::TCellPlanes& planes : column)
      for (int32_t entry : planes) out.I32(entry);
  return std::move(out.Data());
}

void TMatrixFile::DecodeCells(std::string_view bytes, TMatrix& matrix, TProgressBar* bar) {
  if (bytes.size() < kMatrixFileSize) TByteReader::Fail();
  TBarStepper stepper(bar, kMainBarDivisor);
  TByteReader in(bytes);
  int32_t n = 0;
  for (TMatrix::TColumnCells& column : matrix.Cells) {
    for (TMatrixCell& cell : column) {
      cell.Kind = in.I8();
      in.Read(cell.Padding1, sizeof cell.Padding1);
      cell.ObjectNumber = in.I32();
      cell.LiftHeight = in.I8();
      cell.KeyCode = in.U8();
      in.Read(cell.Padding2, sizeof cell.Padding2);
      stepper.After(++n);
    }
  }
}

void TMatrixFile::DecodeBackPlanes(std::string_view bytes, TMatrix& matrix, TProgressBar* bar) {
  if (bytes.size() < kBackPlaneFileSize) TByteReader::Fail();
  TBarStepper stepper(bar, kPlanesBarDivisor);
  TByteReader in(bytes);
  int32_t m = 0;
  for (auto& column : matrix.BackPlanes) {
    for (TMatrix::TCellPlanes& planes : column) {
      for (int32_t& entry : planes) {
        entry = in.I32();
        stepper.After(++m);
      }
    }
  }
}

std::string TMatrixFile::ReadFixedSize(const std::string& path, size_t size) {
  std::string bytes = ReadFileStart(path, size);
  if (bytes.size() != size) throw EReadError(FileMessage(kStreamReadError, path, TruncatedReason(bytes.size(), size)));
  return bytes;
}

void TMatrix::SaveToFile(const std::string& FileName, TFileSystem& Files) const {
  // Both files are replaced together or not at all, so a failed or killed save
  // never leaves a matrix file beside a back-plane file of another level.
  const std::string planesFileName = TMatrixFile::BackPlaneFileName(FileName);
  // A folder in the place of either file would fail only when the files are
  // renamed into place, after the other one may already have been replaced.
  for (const std::string* target : {&FileName, &planesFileName}) {
    std::error_code ec;
    if (std::filesystem::is_directory(*target, ec)) throw EFCreateError(CannotCreateMessage(*target));
  }
  TAtomicFileSet files(Files);
  files.Add(FileName, TMatrixFile::EncodeCells(*this));
  files.Add(planesFileName, TMatrixFile::EncodeBackPlanes(*this));
  files.Commit();
}

TLoadOutcome TMatrix::LoadFromFile(const std::string& FileName, TProgressBar* MainBar, TProgressBar* PlanesBar,
                                   TFileSystem& Files) {
  // A save that was interrupted after its commit may have left the new pair
  // partly under temporary names; they are where the pair is read from.
  const std::vector<std::string> sources =
      TSaveLeftovers({FileName, TMatrixFile::BackPlaneFileName(FileName)}, Files).ResolveForLoad();
  if (!FileExists(sources[0])) {
    return TLoadOutcome::NotRead(
        FileMessage(Translated("TMatrix", "Нет файла с таким именем!"), sources[0], MissingFileReason(sources[0])));
  }
  // Both files are read and checked before a cell changes, so a missing or
  // short file leaves the level as it was.
  const std::string cells = TMatrixFile::ReadFixedSize(sources[0], TMatrixFile::kMatrixFileSize);
  const std::string planes = TMatrixFile::ReadFixedSize(sources[1], TMatrixFile::kBackPlaneFileSize);
  TMatrixFile::DecodeCells(cells, *this, MainBar);
  TMatrixFile::DecodeBackPlanes(planes, *this, PlanesBar);
  return TLoadOutcome::Read();
}

}  // namespace kestrilo
