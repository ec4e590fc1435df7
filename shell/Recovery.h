// Recovery files: copies of the unsaved level (and library) written beside
// nothing of the designer's own, in the user's data folder, so that a crash
// loses at most the last half minute. A marker file says a run is going on;
// found at start-up, it means the last run did not end cleanly.
//
// Names: the level's copy is named after a hash of its file's absolute path
// ("untitled" for a level never saved), so levels of the same name in
// different folders never share a copy; a small text file beside it keeps the
// path. The library's copy keeps the objects file's name inside its own folder.
#pragma once

#include <string>

namespace kestrilo {

class TMatrix;
class TObjectDataBase;

class TRecovery {
 public:
  // The folder the copies live in; empty keeps no copies at all.
  std::string Folder;

  bool Enabled() const { return !Folder.empty(); }

  // The run starts: true when a marker of an earlier run was still there.
  // The marker is (re)written.
  bool StartRun();
  // A clean end: the marker and every copy go.
  void EndRun();

  // Writes the copies (atomically). LevelFile may be empty.
  void WriteLevel(const TMatrix& Level, const std::string& LevelFile);
  void WriteLibrary(TObjectDataBase& Library);
  // Removes the copies of the level or of the library, once the designer's
  // own files hold what they held.
  void RemoveLevel();
  void RemoveLibrary();

  // What an earlier run left: the level's copy and the file it was a copy of
  // (empty for a level never saved), and the library's copy; empty paths
  // when there is none.
  struct TFound {
    std::string LevelCopy;
    std::string LevelFile;
    std::string LibraryCopy;
    bool Any() const { return !LevelCopy.empty() || !LibraryCopy.empty(); }
  };
  TFound Find() const;

 private:
  std::string LevelCopyPath(const std::string& LevelFile) const;
  std::string LibraryCopyPath() const;
  std::string MarkerPath() const;
  void RemoveLevelCopies() const;
};

}  // namespace kestrilo
