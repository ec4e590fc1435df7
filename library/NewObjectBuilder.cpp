#include "library/NewObjectBuilder.h"

#include <algorithm>

#include "library/FloatText.h"
#include "platform/Cp1251.h"
#include "platform/Rounding.h"

namespace kestrilo {

uint8_t TNewObjectBuilder::PackWeaponValue(int32_t weaponType, int32_t ammoCount) {
  const int32_t type = std::clamp(weaponType, 0, 6);
  const int32_t count = std::clamp(ammoCount, 1, 25);
  return static_cast<uint8_t>(Round(type * kWeaponTypeStep + count));
}

TNewObject TNewObjectBuilder::Build(const TNewObjectChoices& choices, int32_t number, char decimalSeparator) {
  TNewObject result;
  TObjectRecord& record = result.Record;
  record.WeaponValue = PackWeaponValue(choices.WeaponTypeIndex, choices.AmmoCount);
  record.Health = static_cast<int8_t>(std::clamp(choices.Health, -128, 127));
  record.ConstantEffect = choices.ConstantEffect;
  // The type list holds the types from the wall to the player.
  record.ObjType = static_cast<uint8_t>(std::clamp<int32_t>(choices.TypeIndex, otWall, otPlayer));
  record.Number = number;
  // Each character is one byte in the stored code page, so 25 bytes are 25 characters.
  record.Name = W1251(choices.Name).substr(0, TObjectRecord::kMaxNameLength);
  record.LiftHeight = 0;
  record.KeyCode = 0;
  record.Animated = choices.Animated;
  if (choices.Animated) {
    const double frames = TFloatText::StrToFloat(choices.SpeedFrames, decimalSeparator);
    const double ticks = TFloatText::StrToFloat(choices.SpeedTicks, decimalSeparator);
    record.AnimSpeed = TFloatText::Divide(frames, ticks);
  }

  result.Settings.PatternWidth = std::clamp(choices.FrameWidth, 0, 1024);
  result.Settings.PatternHeight = std::clamp(choices.FrameHeight, 0, 1024);
  result.Settings.Transparent = choices.Transparent;
  result.Settings.TransparentColor = choices.TransparentColor;
  result.PictureFileName = choices.PictureFileName;
  return result;
}

}  // namespace kestrilo
