// Finding and replacing placed objects by their library name: the next and
// the previous placement (the view centred on it and its anchor marked), all
// placements marked at once, and one object replaced by another as one undo
// step, in the whole level or inside the selection. Placements whose new
// footprint would cross the level's edge or another object stay as they are
// and are counted in the result (world/PlacedObjectEdits.h does the work).
#pragma once

#include <QMetaObject>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "world/LevelClipboard.h"
#include "world/PlacedObjectEdits.h"
#include "world/PlacedObjects.h"

namespace kestrilo {

class TEditor;

// Where a search or a replacement looks: every plane of the whole level, or
// the selected cells on the selection's planes (the current plane, or all
// with "all planes" chosen).
enum class TSearchScope { Level, Selection };

// What a step of the search found.
struct TFoundPlacement {
  std::optional<TPlacedAnchor> At;  // none when nothing was found (Message says why)
  int32_t Position = 0;             // 1-based, in the order the search walks
  int32_t Count = 0;                // placements in the scope
  bool Wrapped = false;             // the search went past the last (or first) one
  std::string Message;              // the result line, also shown by the editor
};

class TFindAndReplace {
 public:
  explicit TFindAndReplace(TEditor& Editor);
  ~TFindAndReplace();
  TFindAndReplace(const TFindAndReplace&) = delete;
  TFindAndReplace& operator=(const TFindAndReplace&) = delete;

  // Every placement of the object named Name in the scope: plane by plane
  // from the main plane back, each column by column, top to bottom.
  std::vector<TPlacedAnchor> Placements(const QString& Name, TSearchScope Scope) const;

  // The placement after (before) the one last shown, wrapping at the end;
  // the view is centred on it and its anchor cell marked. A new name starts
  // from the first (last) placement.
  TFoundPlacement FindNext(const QString& Name, TSearchScope Scope);
  TFoundPlacement FindPrevious(const QString& Name, TSearchScope Scope);

  // Marks every placement in the scope: the edit view outlines each one's
  // footprint, kept up to date through every later change of the level,
  // until ClearMarks. The result line counts them.
  std::string MarkAll(const QString& Name, TSearchScope Scope);
  void ClearMarks();
  // The footprints of the marked placements, as the level holds them now.
  const std::vector<TCellRegion>& MarkedRegions() const { return markedRegions_; }

  // Replaces every placement of From by To in the scope as one undo step
  // (none when nothing changed); the result line says how many were replaced
  // and how many were left.
  TReplacement Replace(const QString& From, const QString& To, TSearchScope Scope);

 private:
  struct TScope {
    TPlaneMask Planes = kAllPlanes;
    TCellRegion Region = kWholeLevel;
    bool operator==(const TScope&) const = default;
  };
  // The planes and cells of a scope; a refusal when the selection is empty.
  std::optional<TScope> ScopeOf(TSearchScope Scope, std::string& Refusal) const;
  std::vector<TPlacedAnchor> PlacementsIn(const std::string& Name, const TScope& Scope) const;
  TFoundPlacement Step(const QString& Name, TSearchScope Scope, bool Forward);
  void RefreshMarks();

  TEditor& editor_;
  QMetaObject::Connection followsHistory_;
  // What the last step looked for and where it was; another name or scope starts afresh.
  std::string lastName_;
  std::optional<TScope> lastScope_;
  std::optional<TPlacedAnchor> lastShown_;
  std::optional<std::pair<std::string, TScope>> marked_;  // what MarkAll was asked
  std::vector<TCellRegion> markedRegions_;
};

}  // namespace kestrilo
