// Changes of objects already placed, worked out on a level draft so that the
// editor writes each as one undo step and the command-line tool saves the
// draft's level: replacing one library object by another across the level,
// a plane or a region; and, for one placed object, its lift height or key
// code, its plane, or the object itself. What cannot be done is refused with
// the reason the designer is told, and the draft is then left as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "world/LevelClipboard.h"
#include "world/PlacedObjects.h"

namespace kestrilo {

class TLevelDraft;
class TObjectDataBase;

// What a change of one placed object came to: done, or refused with a reason.
struct TObjectEditResult {
  std::string Refusal;  // empty when done
  bool Done() const { return Refusal.empty(); }
};

// What a replacement came to. Placements whose new footprint would cross the
// level's edge or another object's cells are left as they are and counted.
struct TReplacement {
  std::string Refusal;  // the whole replacement refused (a name the library lacks); nothing changed
  int32_t Replaced = 0;
  int32_t LeftAtEdge = 0;
  int32_t LeftBlocked = 0;
  // "Заменено объектов: N" and what was left, for the designer.
  std::string Summary() const;
};

// "В библиотеке нет объекта «NAME»".
std::string NoObjectNamed(std::string_view Name);

// The whole level, for a replacement that is not limited to a region.
constexpr TCellRegion kWholeLevel{0, 0, TMatrix::kColumns - 1, TMatrix::kRows - 1};

// Replaces every placement of the object named From by the object named To
// on the given planes whose anchor lies in Region. The anchor stays; on the
// main plane the footprint becomes To's, the cells keep their lift height and
// key code (new cells take the anchor's) and their kind becomes To's type.
TReplacement ReplaceObjects(TLevelDraft& Draft, const TObjectDataBase& Library, std::string_view From,
                            std::string_view To, TPlaneMask Planes = kAllPlanes,
                            const TCellRegion& Region = kWholeLevel);

// The lift height (-128..127) or key code (0..255) of the object anchored at
// a cell, written into every cell of its footprint as placing writes it.
// Refused when nothing is anchored there, when the object keeps no such value
// (a back plane, or a type without it), or when the value is out of range.
TObjectEditResult SetLiftHeight(TLevelDraft& Draft, const TObjectDataBase& Library, const TPlacedAnchor& At,
                                int32_t Value);
TObjectEditResult SetKeyCode(TLevelDraft& Draft, const TObjectDataBase& Library, const TPlacedAnchor& At,
                             int32_t Value);

// Moves the object anchored at a cell to another plane, same cell. Refused
// when the target plane's cells are taken (the entry on a back plane, the
// footprint on the main plane) or the footprint would cross the level's edge.
TObjectEditResult MoveToPlane(TLevelDraft& Draft, const TObjectDataBase& Library, const TPlacedAnchor& At,
                              int32_t Plane);

// Puts another library object at the same anchor, as a replacement of that
// one placement; refused when its footprint does not fit.
TObjectEditResult ChangeObject(TLevelDraft& Draft, const TObjectDataBase& Library, const TPlacedAnchor& At,
                               std::string_view Name);

}  // namespace kestrilo
