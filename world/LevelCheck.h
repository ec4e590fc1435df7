// What a designer must know about a level and its library after loading it:
// object numbers the library lacks, monster objects without a monster record,
// no start marker or more than one, doors no key of the level opens, keys that
// open no door, and pictures the library's records name but its graphics file
// lacks. The editor lists them in a window; `kestrilo-tool level check` prints
// them for designers' scripts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrilo {

class TMatrix;
class TMonstersDataBase;
class TObjectDataBase;
struct TObjectRecord;

struct TLevelFinding {
  // What was found, as scripts match it: "unknownObject", "monsterWithoutRecord",
  // "noStartMarker", "severalStartMarkers", "doorWithoutKey", "keyWithoutDoor",
  // "missingPicture".
  std::string Kind;
  std::string Text;  // the designer's sentence, UTF-8
  struct TCell {
    int32_t Plane, Column, Row;
  };
  std::vector<TCell> Cells;  // where it is, when it has a place (at most kMaxCells)
  int32_t CellCount = 0;     // how many places in all
  static constexpr size_t kMaxCells = 20;
};

// Monsters may be null (no monster file): every monster object is then without a record.
std::vector<TLevelFinding> CheckLevel(const TMatrix& Level, const TObjectDataBase& Library,
                                      const TMonstersDataBase* Monsters);

// The object numbers a level places whose library entry the saved objects
// file does not hold yet, in ascending order: a number counts when `Library`
// has an entry of that number whose record no record of `Saved` (what the
// objects file holds) equals in every field. Saved alone, such a level names
// an object the objects file lacks, and the next new entry would take its
// number. A placed number the library no longer has (an entry deleted since)
// does not count: the saved file still holds it.
std::vector<int32_t> UnsavedEntriesInUse(const TMatrix& Level, const std::vector<TObjectRecord>& Library,
                                         const std::vector<TObjectRecord>& Saved);

}  // namespace kestrilo
