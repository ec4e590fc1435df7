// Turns the new-object dialog's choices into what the object library's
// AddObject takes: the record, the picture settings and the picture file.
#pragma once

#include <cstdint>
#include <string>

#include "library/NewObjectChoices.h"
#include "library/ObjectRecord.h"
#include "library/PictureSettings.h"

namespace kestrilo {

struct TNewObject {
  TObjectRecord Record;
  TPictureSettings Settings;
  std::string PictureFileName;
};

class TNewObjectBuilder {
 public:
  // Step between the weapon types in a packed weapon value.
  static constexpr double kWeaponTypeStep = 36.43;

  // The weapon type (0..6) and ammunition count (1..25) in one byte:
  // round(type x 36.43 + count); out-of-range inputs are clamped first.
  static uint8_t PackWeaponValue(int32_t weaponType, int32_t ammoCount);

  // Builds the entry numbered `number`. The speed fields are read only when
  // the animation box is on; their conversion and division errors propagate
  // (EConvertError, EZeroDivide, EInvalidOp, EOverflow) and nothing is built.
  static TNewObject Build(const TNewObjectChoices& choices, int32_t number, char decimalSeparator = '.');
};

}  // namespace kestrilo
