#include "shell/Recovery.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "library/DataFileNames.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "matrix/MatrixFile.h"
#include "platform/AtomicFileSet.h"
#include "platform/BinaryIO.h"

namespace kestrilo {

namespace {

constexpr const char* kLevelPrefix = "level-";
constexpr const char* kLevelExtension = ".mtf";
constexpr const char* kPathExtension = ".path";

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

std::string TRecovery::MarkerPath() const { return Folder + "/running"; }

std::string TRecovery::LibraryCopyPath() const { return Folder + "/library/" + kObjectsFileName; }

std::string TRecovery::LevelCopyPath(const std::string& LevelFile) const {
  std::string key = "untitled";
  if (!LevelFile.empty()) {
    const QByteArray absolute = QFileInfo(Q(LevelFile)).absoluteFilePath().toUtf8();
    key = QCryptographicHash::hash(absolute, QCryptographicHash::Sha1).toHex().left(16).toStdString();
  }
  return Folder + "/" + kLevelPrefix + key + kLevelExtension;
}

bool TRecovery::StartRun() {
  if (!Enabled()) return false;
  QDir().mkpath(Q(Folder));
  const bool unclean = QFileInfo::exists(Q(MarkerPath()));
  WriteFileAtomic(MarkerPath(), "running\n");
  return unclean;
}

void TRecovery::EndRun() {
  if (!Enabled()) return;
  RemoveLevel();
  RemoveLibrary();
  QFile::remove(Q(MarkerPath()));
}

void TRecovery::RemoveLevelCopies() const {
  QDir folder(Q(Folder));
  for (const QString& name : folder.entryList({QString(kLevelPrefix) + "*"}, QDir::Files)) folder.remove(name);
}

void TRecovery::WriteLevel(const TMatrix& Level, const std::string& LevelFile) {
  if (!Enabled()) return;
  QDir().mkpath(Q(Folder));
  // One level at a time is unsaved: a copy of another level is stale.
  RemoveLevelCopies();
  const std::string copy = LevelCopyPath(LevelFile);
  TAtomicFileSet files;
  files.Add(copy, TMatrixFile::EncodeCells(Level));
  files.Add(TMatrixFile::BackPlaneFileName(copy), TMatrixFile::EncodeBackPlanes(Level));
  files.Add(copy + kPathExtension, LevelFile);
  files.Commit();
}

void TRecovery::WriteLibrary(TObjectDataBase& Library) {
  if (!Enabled()) return;
  QDir().mkpath(Q(Folder + "/library"));
  const std::string copy = LibraryCopyPath();
  TAtomicFileSet files;
  files.Add(copy, TObjectDataBase::RecordsToBytes(Library.Records));
  files.Add(TObjectDataBase::GraphicsFileName(copy), Library.Images->SaveToBytes());
  files.Commit();
}

void TRecovery::RemoveLevel() {
  if (Enabled()) RemoveLevelCopies();
}

void TRecovery::RemoveLibrary() {
  if (Enabled()) QDir(Q(Folder + "/library")).removeRecursively();
}

TRecovery::TFound TRecovery::Find() const {
  TFound found;
  if (!Enabled()) return found;
  const QDir folder(Q(Folder));
  for (const QString& name : folder.entryList({QString(kLevelPrefix) + "*" + kLevelExtension}, QDir::Files)) {
    const std::string copy = Folder + "/" + name.toStdString();
    if (!FileExists(TMatrixFile::BackPlaneFileName(copy))) continue;
    found.LevelCopy = copy;
    QFile path(Q(copy + kPathExtension));
    if (path.open(QIODevice::ReadOnly)) found.LevelFile = path.readAll().toStdString();
    break;
  }
  if (FileExists(LibraryCopyPath()) && FileExists(TObjectDataBase::GraphicsFileName(LibraryCopyPath())))
    found.LibraryCopy = LibraryCopyPath();
  return found;
}

}  // namespace kestrilo
