// The monster database: the records of the monster file, read only, found by
// the monster object's name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/MonsterRecord.h"

namespace kestrilo {

class TMonstersDataBase {
 public:
  std::vector<TMonsterRecord> Records;

  // Replaces the table from the monster file. A missing file is not an error:
  // nothing changes. A file that cannot be read raises its error and leaves
  // the table as it was. A trailing part shorter than a record is ignored.
  // The temporary file a killed save left beside it is removed first.
  void LoadFromFile(const std::string& path);

  // Position of the first record whose name equals `name` byte for byte; 0
  // when none does, so the first record stands in for unknown monsters.
  int32_t IndexOfName(std::string_view name) const;

  // A copy of the record at `index`; "List index out of bounds (%d)" outside
  // the table (also for index 0 of an empty table).
  TMonsterRecord GetRecord(int32_t index) const;

  int32_t Count() const { return static_cast<int32_t>(Records.size()); }

  // The records of a monster file's bytes; a trailing part shorter than a
  // record is ignored.
  static std::vector<TMonsterRecord> RecordsFromBytes(std::string_view bytes);
};

}  // namespace kestrilo
