// The monster file as the monster editor changes it: the records in file
// order, each kept with the 184 bytes it was read from, so that saving writes
// back every byte the record's fields do not cover exactly as it was read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/MonsterRecord.h"
#include "platform/FileSystem.h"

namespace kestrilo {

struct TMonsterFileEntry {
  TMonsterRecord Record;
  std::string Bytes = std::string(TMonsterRecord::kSize, '\0');  // as read; zeros for a new record

  // The record's 184 bytes: its fields written over the bytes as read.
  std::string ToBytes() const;
  static TMonsterFileEntry FromBytes(std::string_view bytes);
};

class TMonsterFile {
 public:
  // The records of a monster file's bytes. A trailing part shorter than a
  // record is no record and is not written back (records added after it
  // would otherwise not start on a record boundary).
  static TMonsterFile FromBytes(std::string_view bytes);
  // A missing file gives an empty list, as the editor treats it when loading;
  // a file that cannot be read raises "Cannot open file %s". The temporary
  // file a killed save left beside it is removed first.
  static TMonsterFile Load(const std::string& path);
  std::string ToBytes() const;
  // Writes the file atomically: a temporary file renamed over the old one.
  void Save(const std::string& path, TFileSystem& files = PosixFileSystem()) const;

  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  // Every accessor and change raises "List index out of bounds (%d)" for an
  // index outside the list.
  const TMonsterFileEntry& Entry(int32_t index) const;
  const TMonsterRecord& Record(int32_t index) const { return Entry(index).Record; }
  // The records alone, in file order.
  std::vector<TMonsterRecord> Records() const;
  void SetRecord(int32_t index, const TMonsterRecord& record);

  // A new record at the end; returns its index.
  int32_t Add(const TMonsterRecord& record);
  // A copy of the record (with its bytes) right after it; returns the copy's index.
  int32_t Duplicate(int32_t index);
  // Puts an entry at `index` (0 to Count).
  void Insert(int32_t index, TMonsterFileEntry entry);
  // Takes the entry out and returns it.
  TMonsterFileEntry Remove(int32_t index);
  // Moves the record at `from` so that it ends at `to`.
  void Move(int32_t from, int32_t to);

  // The first record with this name (byte for byte), -1 when none has it.
  int32_t FindName(std::string_view name) const;
  // The record a monster object of this name is made from: the first with
  // the name, or the first record of all when none has it; -1 when empty.
  int32_t RecordUsedFor(std::string_view name) const;

 private:
  void CheckIndex(int32_t index, int32_t count) const;
  std::vector<TMonsterFileEntry> entries_;
};

}  // namespace kestrilo
