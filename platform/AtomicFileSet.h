// Saving files so that a failed or killed save never leaves a mix of old and
// new files, and finishing or clearing what an interrupted save left behind.
#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace kestrilo {

// Replaces a set of files in one folder so that the next load finds either
// all the old files or all the new ones, whatever call fails and wherever the
// process is killed.
//
// Each file is written to "<file>.kestrilo-new" and made durable. For more
// than one file a small journal, "<first file>.kestrilo-journal", naming the
// files is then written to its own temporary file and renamed into place: that
// rename is the moment of commit. Only after it are the temporaries renamed
// over the files, and the journal removed. A save that stops before the commit
// leaves the old files untouched; one that stops after it is finished by the
// next load or save (see TSaveLeftovers). A single file needs no journal: its
// one rename is the commit.
//
// Failures raise EFCreateError "Cannot create file <file>: <system's reason>".
// A failure after the commit is reported too, although the new files are then
// the ones the next load sees.
class TAtomicFileSet {
 public:
  explicit TAtomicFileSet(TFileSystem& files = PosixFileSystem()) : files_(files) {}
  // Every file of a set lies in the folder of the first one.
  void Add(const std::string& path, std::string bytes);
  void Commit();

 private:
  struct TEntry {
    std::string Path;
    std::string Bytes;
  };
  void WriteDurably(const std::string& path, const std::string& bytes, const std::string& nameInErrors,
                    std::vector<std::string>& written);
  void Check(int error, const std::string& file) const;
  TFileSystem& files_;
  std::vector<TEntry> entries_;
};

// Writes one file atomically.
void WriteFileAtomic(const std::string& path, std::string bytes, TFileSystem& files = PosixFileSystem());

// What an interrupted save of a set of files (the same list, in the same
// order, that the save was given) left beside them. A journal means the save
// had committed: the renames it names that remain are done now. Temporary files
// without a journal belong to a save that stopped before its commit and are
// removed; the old files are intact.
class TSaveLeftovers {
 public:
  explicit TSaveLeftovers(std::vector<std::string> targets, TFileSystem& files = PosixFileSystem())
      : targets_(std::move(targets)), files_(files) {}

  // Before a load: finishes what it can and gives, for each file, the path to
  // read it from. A rename that still cannot be done leaves its new file at
  // the temporary path, which is then read in the file's place, so the load
  // still sees the complete new set. Without leftovers the paths are the
  // files themselves and nothing is written. A name that cannot be examined
  // (any failure but "no such file") stops it before anything is touched:
  // EFOpenError "Cannot open file <file>: <system's reason>", and the next
  // load tries again.
  std::vector<std::string> ResolveForLoad();
  // Before a save: finishes everything, or raises the reason it cannot, since
  // a new save must not overwrite temporaries that a journal still names.
  void ResolveForSave();

  static std::string TemporaryPath(const std::string& target) { return target + ".kestrilo-new"; }
  static std::string JournalPath(const std::string& firstTarget) { return firstTarget + ".kestrilo-journal"; }
  static std::string JournalTemporaryPath(const std::string& firstTarget) { return JournalPath(firstTarget) + "-new"; }
  // The journal's bytes: a header line and the files' names, each after its
  // length (four bytes, little-endian).
  static std::string EncodeJournal(const std::vector<std::string>& targets);

 private:
  struct TOutcome {
    std::vector<std::string> ReadPaths;
    int Error = 0;
    std::string FailedFile;
    bool Unexamined = false;  // a name could not be examined; nothing was touched
  };
  TOutcome Resolve();
  std::vector<std::string> targets_;
  TFileSystem& files_;
};

}  // namespace kestrilo
