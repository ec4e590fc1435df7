// The sample object library: every entry with its type, game parameters and
// picture, in table order (numbers 1, 2, 3, ...).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "SamplePictures.h"

namespace kestrilo {
class TObjectDataBase;
class TPictureCollection;
}  // namespace kestrilo

namespace kestrilo::sample {

struct TSampleObject {
  std::string_view Name;  // UTF-8
  uint8_t Type = 0;
  std::function<TSamplePicture()> Draw;
  int8_t Health = 0;
  bool ConstantEffect = false;
  uint8_t WeaponValue = 0;
  bool Animated = false;
  double AnimSpeed = 0.0;
};

const std::vector<TSampleObject>& SampleObjects();

// The weapon type and rounds of a crate packed as the new-object dialog packs them.
uint8_t PackWeaponValue(int weaponType, int rounds);

// Adds a picture to a collection as a bitmap kept in its file form.
void AddPicture(TPictureCollection& pictures, std::string_view utf8Name, const TSamplePicture& picture);

// Fills an empty library (records and their pictures).
void FillSampleLibrary(TObjectDataBase& library);

// The drifting pictures of the portal, in their order.
void FillDynamicPictures(TPictureCollection& pictures);

}  // namespace kestrilo::sample
