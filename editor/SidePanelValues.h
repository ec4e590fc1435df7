// What the side panel and the editor's commands pass each other: the fields a
// type enables, what the panel must show after a command, and the values a
// placement reads from it.
#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrilo {

// The side-panel fields that the type change switches on and off.
struct TFieldStates {
  bool ZPlane = true;      // UpDown1, Edit1
  bool LiftHeight = true;  // UpDown3, Edit6
  bool KeyCode = true;     // UpDown2, Edit2
  bool operator==(const TFieldStates&) const = default;
};

// What the side panel must show after a command; only the parts set change.
struct TSidePanelUpdate {
  std::optional<std::vector<std::string>> ObjectNames;  // ComboBox2's lines (Windows-1251)
  int32_t ObjectIndex = -1;                             // the line to select, -1 none
  std::optional<QImage> Picture;                        // Image1
  std::optional<TFieldStates> EnabledFields;
  std::optional<int32_t> ZPosition;  // UpDown1
};

// The side-panel values a placement reads.
struct TPlacementInputs {
  std::string ObjectName;  // ComboBox2's selected name (Windows-1251), empty when none
  int32_t LiftHeight = 0;  // UpDown3, -128..127
  int32_t KeyCode = 0;     // UpDown2, 0..255
};

// The Z-spinner position the type change gives each type with auto control on.
int32_t AutoPlaneOfType(uint8_t Type);
// The side-panel fields the type change enables for each type.
TFieldStates AutoFieldsOfType(uint8_t Type);

}  // namespace kestrilo
