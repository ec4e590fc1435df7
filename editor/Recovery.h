// Recovery files: copies of the unsaved level (and library) written beside
// nothing of the designer's own, in the user's data folder, so that a crash
// loses at most the last half minute. A marker file says a run is going on;
// found at start-up, it means the last run did not end cleanly.
//
// Only one level is unsaved at a time, so its copy has one name: the matrix
// file "level-copy.mtf", its back-plane file and "level-copy.mtf.path", which
// keeps the level's own file (empty for a level never saved). The three are
// one set of platform/AtomicFileSet.h, written and read back by its journal
// rules: a new copy replaces the earlier one only when it is committed, so an
// autosave that fails or is killed at any call leaves the earlier copy or the
// new one. The library's copy is the objects file and its graphics file, one
// set of two in "library/". Copies kept under other "level-*.mtf" names (as
// earlier versions named them after the level's path) are found too: the
// newest wins, and the others go once a new copy is committed. A copy that
// cannot be read is moved into "damaged/", never deleted.
#pragma once

#include <QDateTime>

#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace kestrilo {

class TMatrix;
class TObjectDataBase;

class TRecovery {
 public:
  // The folder the copies live in; empty keeps no copies at all.
  std::string Folder;

  bool Enabled() const { return !Folder.empty(); }
  // The calls that write, finish, remove and move the copies go through
  // `files` (a test fails them); the operating system's by default.
  void UseFileSystem(TFileSystem& files) { files_ = &files; }

  // The run starts: true when a marker of an earlier run was still there.
  // The marker is (re)written.
  bool StartRun();
  // A clean end: the marker and every copy go.
  void EndRun();

  // Write a copy (atomically). LevelFile may be empty.
  void WriteLevel(const TMatrix& Level, const std::string& LevelFile);
  void WriteLibrary(TObjectDataBase& Library);
  // Removes the copies of the level or of the library, once the designer's
  // own files hold what they held.
  void RemoveLevel();
  void RemoveLibrary();
  // The library's copy is read by the library's own load, which must not
  // take it for the designer's file and remove it.
  bool IsLibraryCopy(const std::string& Path) const { return Path == LibraryCopyPath(); }

  // A copy that could not be read, and why.
  struct TDamaged {
    std::string Copy;
    std::string Reason;
  };
  // What an earlier run left, each copy read in full by the rules it was
  // written with: the newest level copy, the level's own file (empty for a
  // level never saved) and the time the copy was written; the library's copy
  // and its time; and the copies that could not be read, left in place.
  struct TFound {
    std::string LevelCopy;
    std::string LevelFile;
    std::shared_ptr<const TMatrix> Level;
    QDateTime LevelWritten;
    std::string LibraryCopy;
    QDateTime LibraryWritten;
    std::vector<TDamaged> Damaged;
    bool Any() const { return !LevelCopy.empty() || !LibraryCopy.empty(); }
  };
  // Finishes what an interrupted autosave left, as any load does.
  TFound Find();
  // Moves a copy's files, and what a save of it left, into a new numbered
  // folder in "damaged/" and returns that folder. Raises EFCreateError when a
  // file cannot be moved.
  std::string SetAside(const std::string& Copy);

 private:
  struct TLevelCopy;
  TLevelCopy ReadLevelCopy(const std::string& Copy) const;
  QDateTime CheckLibraryCopy() const;
  // The files of the set a copy is written as; the first names the copy.
  std::vector<std::string> FilesOf(const std::string& Copy) const;
  // Every level copy present, by its matrix file, also one committed but
  // not yet renamed into place.
  std::vector<std::string> LevelCopies() const;
  // The copy's files, what a save of it left, in an order that makes the copy
  // unfindable first: a removal stopped half-way leaves no copy behind.
  std::vector<std::string> FilesAndLeftoversOf(const std::string& Copy) const;
  void RemoveCopy(const std::string& Copy) const;
  std::string LevelCopyPath() const;
  std::string LibraryCopyPath() const;
  std::string MarkerPath() const;
  TFileSystem* files_ = &PosixFileSystem();
};

}  // namespace kestrilo
