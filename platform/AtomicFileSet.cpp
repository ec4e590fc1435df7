#include "platform/AtomicFileSet.h"

#include <filesystem>
#include <stdexcept>

#include "platform/BinaryIO.h"
#include "platform/Errors.h"

namespace kestrilo {

namespace {

constexpr std::string_view kJournalHeader = "Kestrilo save journal 1\n";

std::string FolderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

std::string NameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

// ---- saving ---------------------------------------------------------------------

void TAtomicFileSet::Add(const std::string& path, std::string bytes) {
  // The journal names the files by name alone, so that a folder can be moved
  // or reached by another path between a save and the load that finishes it.
  if (!entries_.empty() && FolderOf(path) != FolderOf(entries_.front().Path)) {
    throw std::logic_error("the files saved together must share a folder");
  }
  entries_.push_back({path, std::move(bytes)});
}

void TAtomicFileSet::Check(int error, const std::string& file) const {
  if (error != 0) throw EFCreateError(CannotCreateBecause(file, error));
}

void TAtomicFileSet::WriteDurably(const std::string& path, const std::string& bytes, const std::string& nameInErrors,
                                  std::vector<std::string>& written) {
  written.push_back(path);  // before the call: a failed create may still leave a file
  int fd = -1;
  Check(files_.Create(path, fd), nameInErrors);
  int error = files_.Write(fd, bytes);
  if (error == 0) error = files_.Sync(fd);
  const int closeError = files_.Close(fd);
  Check(error != 0 ? error : closeError, nameInErrors);
}

void TAtomicFileSet::Commit() {
  if (entries_.empty()) return;
  std::vector<std::string> targets;
  for (const TEntry& entry : entries_) targets.push_back(entry.Path);
  TSaveLeftovers(targets, files_).ResolveForSave();

  const std::string& first = targets.front();
  const std::string folder = FolderOf(first);
  const bool journaled = targets.size() > 1;
  const std::string journal = TSaveLeftovers::JournalPath(first);
  std::vector<std::string> written;
  try {
    for (const TEntry& entry : entries_) {
      WriteDurably(TSaveLeftovers::TemporaryPath(entry.Path), entry.Bytes, entry.Path, written);
    }
    if (journaled) {
      const std::string journalTemporary = TSaveLeftovers::JournalTemporaryPath(first);
      WriteDurably(journalTemporary, TSaveLeftovers::EncodeJournal(targets), first, written);
      // The complete temporaries must be on record before the journal that names them.
      Check(files_.SyncFolder(folder), first);
      Check(files_.Rename(journalTemporary, journal), first);
    } else {
      Check(files_.Rename(TSaveLeftovers::TemporaryPath(first), first), first);
    }
  } catch (const EKestriloError&) {
    // Before the commit: the old files are intact and the temporaries only
    // clutter. What cannot be removed now goes with the next load or save.
    for (const std::string& path : written) files_.Remove(path);
    throw;
  }
  entries_.clear();
  // Committed. A failure from here on leaves the journal for the next load or
  // save to finish.
  Check(files_.SyncFolder(folder), first);
  if (!journaled) return;
  for (const std::string& target : targets) Check(files_.Rename(TSaveLeftovers::TemporaryPath(target), target), target);
  // The renames must be on record before the journal that would redo them goes.
  Check(files_.SyncFolder(folder), first);
  Check(files_.Remove(journal), first);
}

void WriteFileAtomic(const std::string& path, std::string bytes, TFileSystem& files) {
  TAtomicFileSet set(files);
  // Moved, not copied: a graphics file may hold hundreds of megabytes.
  set.Add(path, std::move(bytes));
  set.Commit();
}

// ---- leftovers of an interrupted save -------------------------------------------

std::string TSaveLeftovers::EncodeJournal(const std::vector<std::string>& targets) {
  TByteWriter out;
  out.Bytes(kJournalHeader);
  for (const std::string& target : targets) {
    const std::string name = NameOf(target);
    out.U32(static_cast<uint32_t>(name.size()));
    out.Bytes(name);
  }
  return std::move(out.Data());
}

TSaveLeftovers::TOutcome TSaveLeftovers::Resolve() {
  TOutcome outcome;
  outcome.ReadPaths = targets_;
  if (targets_.empty()) return outcome;
  const std::string& first = targets_.front();
  const std::string journal = JournalPath(first);
  const std::string journalTemporary = JournalTemporaryPath(first);

  // Every name is examined before anything is touched. A name that cannot be
  // examined may be a committed journal or the only copy of a new file:
  // taken for absent, it would lose the save or leave the set mixed for good.
  auto examine = [&](const std::string& path, const std::string& target) {
    bool present = false;
    if (outcome.Unexamined) return false;
    if (const int error = files_.Exists(path, present); error != 0) {
      outcome.Unexamined = true;
      outcome.Error = error;
      outcome.FailedFile = target;
    }
    return present;
  };
  const bool journalTemporaryLeft = examine(journalTemporary, first);
  const bool journalLeft = examine(journal, first);
  std::vector<bool> temporaryLeft;
  for (const std::string& target : targets_) temporaryLeft.push_back(examine(TemporaryPath(target), target));
  if (outcome.Unexamined) return outcome;

  // Written whole and renamed into place, a journal is complete; one that does
  // not name these files was not written by a save of them.
  if (journalLeft && ReadWholeFile(journal) != EncodeJournal(targets_)) {
    throw EFOpenError(CannotOpenMessage(journal) + ": " + kInvalidStreamFormat);
  }
  // A journal still under its temporary name was never committed. A failed
  // removal only leaves clutter for next time.
  if (journalTemporaryLeft) files_.Remove(journalTemporary);
  if (!journalLeft) {
    for (size_t i = 0; i < targets_.size(); ++i) {
      if (temporaryLeft[i]) files_.Remove(TemporaryPath(targets_[i]));
    }
    return outcome;
  }
  bool renamed = false;
  for (size_t i = 0; i < targets_.size(); ++i) {
    if (!temporaryLeft[i]) continue;  // renamed before the save stopped
    const std::string temporary = TemporaryPath(targets_[i]);
    if (const int error = files_.Rename(temporary, targets_[i]); error != 0) {
      outcome.ReadPaths[i] = temporary;
      if (outcome.Error == 0) {
        outcome.Error = error;
        outcome.FailedFile = targets_[i];
      }
      continue;
    }
    renamed = true;
  }
  if (outcome.Error != 0) return outcome;
  if (renamed) outcome.Error = files_.SyncFolder(FolderOf(first));
  if (outcome.Error == 0) outcome.Error = files_.Remove(journal);
  if (outcome.Error != 0) outcome.FailedFile = first;
  return outcome;
}

std::vector<std::string> TSaveLeftovers::ResolveForLoad() {
  TOutcome outcome = Resolve();
  if (outcome.Unexamined) throw EFOpenError(CannotOpenBecause(outcome.FailedFile, outcome.Error));
  return std::move(outcome.ReadPaths);
}
void TSaveLeftovers::ResolveForSave() {
  const TOutcome outcome = Resolve();
  if (outcome.Error != 0) throw EFCreateError(CannotCreateBecause(outcome.FailedFile, outcome.Error));
}

}  // namespace kestrilo
