// What the designer set in the new-object dialog, as plain values: the
// dialog's controls read into one place, so that building the record needs
// no widget.
#pragma once

#include <cstdint>
#include <string>

#include "library/PictureSettings.h"

namespace kestrilo {

struct TNewObjectChoices {
  std::string PictureFileName;                             // last confirmed in "Взять спрайт"
  uint32_t TransparentColor = TPictureSettings::kNoColor;  // "Цвет прозрачности"
  bool Transparent = false;                                // "Объект прозрачный ?"
  bool Animated = false;                                   // "Объект с простой анимацией ?"
  std::string Name = "новый";                              // UTF-8, as typed
  int32_t FrameWidth = 0;                                  // 0..1024, 0 = whole picture
  int32_t FrameHeight = 0;                                 // 0..1024, 0 = whole picture
  int32_t TypeIndex = 0;                                   // 0..9, the type code
  std::string SpeedFrames = "0";                           // animation speed numerator
  std::string SpeedTicks = "10";                           // animation speed denominator
  int32_t Health = 0;                                      // -128..127
  bool ConstantEffect = true;                              // "Пост." (true) or "Одиноч."
  int32_t WeaponTypeIndex = 0;                             // 0..6 ("Тип 1".."Тип 7")
  int32_t AmmoCount = 1;                                   // 1..25
};

}  // namespace kestrilo
