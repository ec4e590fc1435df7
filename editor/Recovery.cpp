#include "editor/Recovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <exception>
#include <set>
#include <utility>

#include "library/DataFileNames.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "matrix/MatrixFile.h"
#include "platform/AtomicFileSet.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"

namespace kestrilo {

namespace {

constexpr const char* kLevelCopyName = "level-copy.mtf";
constexpr const char* kLevelCopyPattern = "level-*.mtf";
constexpr const char* kPathExtension = ".path";
constexpr const char* kDamagedFolder = "damaged";

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

std::string NameOf(const std::string& path) { return QFileInfo(Q(path)).fileName().toStdString(); }

}  // namespace

struct TRecovery::TLevelCopy {
  std::string Copy;
  std::string LevelFile;
  std::shared_ptr<TMatrix> Level;
  QDateTime Written;
};

std::string TRecovery::MarkerPath() const { return Folder + "/running"; }

std::string TRecovery::LibraryCopyPath() const { return Folder + "/library/" + kObjectsFileName; }

std::string TRecovery::LevelCopyPath() const { return Folder + "/" + kLevelCopyName; }

std::vector<std::string> TRecovery::FilesOf(const std::string& Copy) const {
  if (Copy == LibraryCopyPath()) return {Copy, TObjectDataBase::GraphicsFileName(Copy)};
  return {Copy, TMatrixFile::BackPlaneFileName(Copy), Copy + kPathExtension};
}

std::vector<std::string> TRecovery::FilesAndLeftoversOf(const std::string& Copy) const {
  const std::vector<std::string> files = FilesOf(Copy);
  const std::string& first = files.front();
  // Without its first file, and then without its journal, a copy is no
  // longer found; the rest is clutter.
  std::vector<std::string> all = {TSaveLeftovers::TemporaryPath(first), first,
                                  TSaveLeftovers::JournalTemporaryPath(first), TSaveLeftovers::JournalPath(first)};
  for (size_t i = 1; i < files.size(); ++i) {
    all.push_back(files[i]);
    all.push_back(TSaveLeftovers::TemporaryPath(files[i]));
  }
  return all;
}

std::vector<std::string> TRecovery::LevelCopies() const {
  // A copy committed but not yet renamed into place is found by its journal.
  const std::string journalSuffix = TSaveLeftovers::JournalPath("");
  std::set<std::string> copies;
  const QDir folder(Q(Folder));
  for (const QString& name : folder.entryList({kLevelCopyPattern, kLevelCopyPattern + Q(journalSuffix)}, QDir::Files)) {
    std::string copy = Folder + "/" + name.toStdString();
    if (copy.ends_with(journalSuffix)) copy.resize(copy.size() - journalSuffix.size());
    copies.insert(copy);
  }
  return {copies.begin(), copies.end()};
}

bool TRecovery::StartRun() {
  if (!Enabled()) return false;
  QDir().mkpath(Q(Folder));
  const bool unclean = QFileInfo::exists(Q(MarkerPath()));
  WriteFileAtomic(MarkerPath(), "running\n", *files_);
  return unclean;
}

void TRecovery::EndRun() {
  if (!Enabled()) return;
  RemoveLevel();
  RemoveLibrary();
  QFile::remove(Q(MarkerPath()));
}

void TRecovery::RemoveCopy(const std::string& Copy) const {
  // Finished first, so that a removal stopped half-way cannot leave a copy
  // whose journal is gone while its files are half renamed. A copy that
  // cannot be finished goes all the same: it is no longer wanted.
  try {
    TSaveLeftovers(FilesOf(Copy), *files_).ResolveForLoad();
  } catch (const EKestriloError&) {}
  // A file that stays stops the removal: without it the rest could leave a
  // first file whose partners are gone, a copy that no longer reads. The
  // next removal takes it up again.
  for (const std::string& path : FilesAndLeftoversOf(Copy)) {
    if (const int error = files_->Remove(path); error != 0 && error != ENOENT) return;
  }
}

void TRecovery::WriteLevel(const TMatrix& Level, const std::string& LevelFile) {
  if (!Enabled()) return;
  QDir().mkpath(Q(Folder));
  const std::string copy = LevelCopyPath();
  const std::vector<std::string> files = FilesOf(copy);
  TAtomicFileSet set(*files_);
  set.Add(files[0], TMatrixFile::EncodeCells(Level));
  set.Add(files[1], TMatrixFile::EncodeBackPlanes(Level));
  set.Add(files[2], LevelFile);
  set.Commit();
  // Only a committed copy makes a copy kept under another name stale.
  for (const std::string& other : LevelCopies()) {
    if (other != copy) RemoveCopy(other);
  }
}

void TRecovery::WriteLibrary(TObjectDataBase& Library) {
  if (!Enabled()) return;
  QDir().mkpath(Q(Folder + "/library"));
  const std::vector<std::string> files = FilesOf(LibraryCopyPath());
  TAtomicFileSet set(*files_);
  set.Add(files[0], TObjectDataBase::RecordsToBytes(Library.Records));
  set.Add(files[1], Library.Images->SaveToBytes());
  set.Commit();
}

void TRecovery::RemoveLevel() {
  if (!Enabled()) return;
  for (const std::string& copy : LevelCopies()) RemoveCopy(copy);
  // What a removal stopped half-way left of a copy is found by no one.
  QDir folder(Q(Folder));
  for (const QString& name : folder.entryList({"level-*"}, QDir::Files)) folder.remove(name);
}

void TRecovery::RemoveLibrary() {
  if (!Enabled() || !QFileInfo::exists(Q(Folder + "/library"))) return;
  RemoveCopy(LibraryCopyPath());
  QDir(Q(Folder + "/library")).removeRecursively();
}

TRecovery::TLevelCopy TRecovery::ReadLevelCopy(const std::string& Copy) const {
  const std::vector<std::string> sources = TSaveLeftovers(FilesOf(Copy), *files_).ResolveForLoad();
  TLevelCopy read;
  read.Copy = Copy;
  read.Level = std::make_shared<TMatrix>();
  TMatrixFile::DecodeCells(TMatrixFile::ReadFixedSize(sources[0], TMatrixFile::kMatrixFileSize), *read.Level, nullptr);
  TMatrixFile::DecodeBackPlanes(TMatrixFile::ReadFixedSize(sources[1], TMatrixFile::kBackPlaneFileSize), *read.Level,
                                nullptr);
  read.LevelFile = ReadWholeFile(sources[2]);
  read.Written = QFileInfo(Q(sources[0])).lastModified();
  return read;
}

QDateTime TRecovery::CheckLibraryCopy() const {
  if (!QFileInfo::exists(Q(Folder + "/library"))) return {};
  const std::vector<std::string> sources = TSaveLeftovers(FilesOf(LibraryCopyPath()), *files_).ResolveForLoad();
  if (!FileExists(sources[0])) return {};
  // Read as the library's load reads it, so that a copy offered can be restored.
  TObjectDataBase::RecordsFromBytes(ReadWholeFile(sources[0]));
  TPictureCollection pictures;
  pictures.LoadFromFile(sources[1]);
  return QFileInfo(Q(sources[0])).lastModified();
}

TRecovery::TFound TRecovery::Find() {
  TFound found;
  if (!Enabled()) return found;
  std::vector<TLevelCopy> readable;
  for (const std::string& copy : LevelCopies()) {
    try {
      readable.push_back(ReadLevelCopy(copy));
    } catch (const std::exception& e) {
      found.Damaged.push_back({copy, e.what()});
    }
  }
  // The newest copy wins; of two written within one tick of the file
  // system's clock, the one under the current name.
  auto order = [&](const TLevelCopy& copy) { return std::pair(copy.Written, copy.Copy == LevelCopyPath()); };
  const auto newest = std::max_element(readable.begin(), readable.end(),
                                       [&](const TLevelCopy& a, const TLevelCopy& b) { return order(a) < order(b); });
  if (newest != readable.end()) {
    found.LevelCopy = newest->Copy;
    found.LevelFile = newest->LevelFile;
    found.Level = newest->Level;
    found.LevelWritten = newest->Written;
  }
  try {
    found.LibraryWritten = CheckLibraryCopy();
    if (found.LibraryWritten.isValid()) found.LibraryCopy = LibraryCopyPath();
  } catch (const std::exception& e) {
    found.Damaged.push_back({LibraryCopyPath(), e.what()});
  }
  return found;
}

std::string TRecovery::SetAside(const std::string& Copy) {
  // Each damaged copy gets a numbered folder of its own, where its files keep
  // their names (and so still belong together).
  std::string aside;
  for (int n = 1;; ++n) {
    aside = Folder + "/" + kDamagedFolder + "/" + std::to_string(n);
    bool taken = false;
    if (const int error = files_->Exists(aside, taken); error != 0) throw EFOpenError(CannotOpenBecause(aside, error));
    if (!taken) break;
  }
  if (!QDir().mkpath(Q(aside))) throw EFCreateError(CannotCreateMessage(aside));
  for (const std::string& path : FilesAndLeftoversOf(Copy)) {
    bool present = false;
    if (const int error = files_->Exists(path, present); error != 0) throw EFOpenError(CannotOpenBecause(path, error));
    if (!present) continue;
    const std::string target = aside + "/" + NameOf(path);
    if (const int error = files_->Rename(path, target); error != 0)
      throw EFCreateError(CannotCreateBecause(target, error));
  }
  return aside;
}

}  // namespace kestrilo
