#include "SampleLibrary.h"

#include <cmath>

#include "BitmapWriter.h"
#include "PixelArt.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "platform/Cp1251.h"

namespace kestrilo::sample {

uint8_t PackWeaponValue(int weaponType, int rounds) {
  return static_cast<uint8_t>(std::lround(weaponType * 36.43 + rounds));
}

const std::vector<TSampleObject>& SampleObjects() {
  static const std::vector<TSampleObject> objects = {
      {"Кирпич", otWall, BrickWallPicture},
      {"Камень", otWall, StoneWallPicture},
      {"Балка", otWall, GirderPicture},
      {"Земля", otWall, GrassWallPicture},
      // The lamps of the lift blink: about one frame in twelve ticks.
      {"Лифт", otLift, LiftPicture, 0, false, 0, true, 0.005},
      {"Ключ красный", otKey, [] { return KeyPicture(0xFFE03A3A); }},
      {"Ключ синий", otKey, [] { return KeyPicture(0xFF3A7AF0); }},
      {"Дверь красная", otDoor, [] { return DoorPicture(0xFFA8322C); }},
      {"Дверь синяя", otDoor, [] { return DoorPicture(0xFF2E5CB0); }},
      {"Кирпичи фона", otBackground, BackBricksPicture},
      {"Колонна", otBackground, PillarPicture},
      {"Окно", otBackground, WindowPicture},
      {"Облако", otBackground, CloudPicture},
      {"Небо", otBackground, SkyPicture},
      {"Бродяга", otMonster, [] { return MonsterPicture(TMonsterLook::Slime); }},
      {"Стрелок", otMonster, [] { return MonsterPicture(TMonsterLook::Gunner); }},
      {"Летун", otMonster, [] { return MonsterPicture(TMonsterLook::Bat); }},
      {"Прыгун", otMonster, [] { return MonsterPicture(TMonsterLook::Frog); }},
      // Used up at the first touch.
      {"Аптечка", otMedKit, MedKitPicture, 25, false},
      // Heals one point in every tick the player stands in it.
      {"Родник", otMedKit, HealingSpringPicture, 1, true, 0, true, 0.01},
      {"Патроны", otAmmo, AmmoCratePicture, 0, false, PackWeaponValue(0, 10)},
      {"Шипы", otTrap, SpikesPicture},
      {"Игрок", otPlayer, PlayerPicture},
      {"Старт", otPlayer, StartMarkerPicture},
      {"Сопля 2", otPlayer, PlayerShotPicture},
      {"Бомба", otDynamic, BombPicture},
      {"Взрыв", otDynamic, BlastPicture},
      {"Пуля", otDynamic, BulletPicture},
      {"Факел", otDynamic, TorchPicture, 0, false, 0, true, 0.01},
  };
  return objects;
}

void AddPicture(TPictureCollection& pictures, std::string_view utf8Name, const TSamplePicture& picture) {
  TPictureCollectionItem* item = pictures.Add();
  item->Picture.LoadFromData(TPicture::kBitmap, EncodeBitmap24(picture.Image));
  item->SetName(W1251(utf8Name));
  item->PatternWidth = picture.FrameWidth;
  item->PatternHeight = picture.FrameHeight;
  item->Transparent = picture.Transparent;
  item->SetTransparentColor(picture.Transparent ? kKeyColorValue : 0);
}

void FillSampleLibrary(TObjectDataBase& library) {
  int32_t number = 1;
  for (const TSampleObject& object : SampleObjects()) {
    TObjectRecord record;
    record.ObjType = object.Type;
    record.Number = number++;
    record.Name = W1251(object.Name);
    record.Health = object.Health;
    record.ConstantEffect = object.ConstantEffect;
    record.WeaponValue = object.WeaponValue;
    record.Animated = object.Animated;
    record.AnimSpeed = object.AnimSpeed;
    library.Records.push_back(record);
    AddPicture(*library.Images, object.Name, object.Draw());
  }
}

void FillDynamicPictures(TPictureCollection& pictures) {
  AddPicture(pictures, "Птица", BirdPicture());
  AddPicture(pictures, "Тучка", DriftingCloudPicture());
  AddPicture(pictures, "Лист", LeafPicture());
}

}  // namespace kestrilo::sample
