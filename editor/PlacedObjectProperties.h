// The properties of one placed object, behind the properties panel: which
// object the designer chose (Alt+click, or the inspect command), what it is,
// and its changes. Each change is worked out on a draft of the designed level
// and handed to the editor, which writes it and records it as one undo step;
// what cannot be done comes back with its reason and changes nothing.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "world/PlacedObjectEdits.h"
#include "world/PlacedObjects.h"

namespace kestrilo {

struct TGameContext;
class TLevelDraft;

// What the panel shows of the chosen object, as texts and values.
struct TPlacedObjectSheet {
  QString Name;  // the library's name
  int32_t Number = -1;
  QString TypeName;  // as the type list shows it
  int32_t Plane = 0;
  int32_t Column = 0, Row = 0;
  TFootprintSize Footprint;
  int32_t LiftHeight = 0, KeyCode = 0;
  bool HasLiftHeight = false, HasKeyCode = false;
};

class TPlacedObjectProperties {
 public:
  // Writes a change worked out on a draft as one undo step with its name and
  // the result line the status shows.
  using TRecorder =
      std::function<std::string(const TLevelDraft& Draft, const QString& Text, const std::string& Result)>;

  TPlacedObjectProperties(TGameContext& Context, TRecorder Record);

  // Chooses the object whose footprint covers a level cell, looked for on
  // Plane first; false (and nothing chosen) when no object covers it.
  bool ChooseAt(int64_t Column, int64_t Row, int32_t Plane);
  // The same with the editor's current plane first.
  bool ChooseAt(int64_t Column, int64_t Row);
  void Forget() { chosen_.reset(); }
  // The chosen object as the designed level holds it now; none when nothing
  // is chosen or the object is no longer there (an undo took it away). When
  // an undo or redo moved it to another plane of its cell, the choice follows.
  std::optional<TPlacedObjectSheet> Sheet();
  // Every name of the library, in table order, for choosing another object.
  std::vector<QString> LibraryNames() const;

  // The changes. Moving to another plane takes the choice along.
  TObjectEditResult SetLiftHeight(int32_t Value);
  TObjectEditResult SetKeyCode(int32_t Value);
  TObjectEditResult MoveToPlane(int32_t Plane);
  TObjectEditResult ChangeObject(const QString& Name);

 private:
  std::optional<TPlacedObject> Chosen();
  // Runs an edit on a draft of the designed level and records it when done.
  TObjectEditResult Apply(const std::function<TObjectEditResult(TLevelDraft&, const TPlacedAnchor&)>& Edit,
                          const QString& Text);

  TGameContext& context_;
  TRecorder record_;
  std::optional<TPlacedAnchor> chosen_;
  int32_t chosenNumber_ = -1;  // the object last seen there, to follow it across planes
};

}  // namespace kestrilo
