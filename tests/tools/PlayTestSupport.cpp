#include "PlayTestSupport.h"

#include <QDir>

#include "library/MonsterRecord.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "platform/Cp1251.h"
#include "support/LibraryEntry.h"

namespace kestrilo::playtest {

namespace {

struct TSampleObject {
  std::string_view Name;  // UTF-8
  uint8_t Type;
  int32_t Number;
  int32_t Width, Height;
  uint32_t Color;
};

constexpr TSampleObject kObjects[] = {
    {"Стена", otWall, nWall, 32, 32, kWallColor},     {"Игрок", otPlayer, nPlayerPicture, 32, 38, 0x00FF00},
    {"Старт", otPlayer, nStart, 32, 32, 0x808080},    {"Ключ", otKey, nKey, 16, 16, 0x00FFFF},
    {"Дверь", otDoor, nDoor, 32, 64, 0x804000},       {"Лифт", otLift, nLift, 64, 16, 0xFF00FF},
    {"Ёж", otMonster, nMonster, 32, 32, 0xFFFF00},    {"Сопля 2", otTrap, nShot, 16, 24, 0x40FF40},
    {"Аптечка", otMedKit, nMedKit, 16, 16, 0xFFFFFF}, {"Взрыв", otTrap, nBlast, 16, 16, 0x0080FF},
    {"Мина", otMonster, nMine, 32, 32, 0x202020},  // a monster whose touch kills
};

}  // namespace

TPlayLevel::TPlayLevel() {
  WriteData();
  for (int32_t column = 0; column < 20; ++column) Place(nWall, column, 10);
  PlaceBack(4, nStart, 2, 8);
}

void TPlayLevel::Write(const std::string& name, std::string_view text) const {
  testing::WriteBytes(Path(name), std::string(text));
}

void TPlayLevel::WriteData() {
  QDir(QString::fromStdString(folder_.Root())).mkdir("Data");
  TPictureCollection pictures;
  TObjectDataBase library(&pictures);
  for (const TSampleObject& object : kObjects) {
    const std::string bitmap =
        testing::WriteSolidBitmap(folder_, "picture.bmp", object.Width, object.Height, object.Color);
    testsupport::AddLibraryEntry(library, object.Type, object.Number, object.Name, bitmap);
  }
  library.SaveToFile(Path("Data/test.obj"));

  TMonsterRecord monster;
  monster.Name = W1251("Ёж");
  monster.HealthMin = 10;
  monster.HealthMax = 60;
  monster.DamageMin = 1;
  monster.DamageMax = 3;
  monster.WalkSpeed = 1;
  monster.AnimSpeed = 0.1;
  TMonsterRecord mine = monster;
  mine.Name = W1251("Мина");
  mine.DamageMin = 200;
  mine.DamageMax = 201;
  testing::WriteBytes(Path("Data/1.mon"), monster.ToBytes() + mine.ToBytes());

  TPictureCollection dynamic;
  TPictureCollectionItem* cloud = dynamic.Add();
  cloud->Picture.LoadFromFile(testing::WriteSolidBitmap(folder_, "cloud.bmp", 48, 24, 0xFFFFFF));
  cloud->SetName(W1251("Тучка"));
  dynamic.SaveToFile(Path("Data/DinObj.dxg"));
}

void TPlayLevel::Place(int32_t Number, int32_t Column, int32_t Row, int32_t LiftHeight, int32_t KeyCode) {
  TMatrixCell cell;
  for (const TSampleObject& object : kObjects) {
    if (object.Number != Number) continue;
    cell.Kind = static_cast<int8_t>(object.Type);
    cell.ObjectNumber = Number;
    cell.LiftHeight = static_cast<int8_t>(LiftHeight);
    cell.KeyCode = static_cast<uint8_t>(KeyCode);
    Matrix.PutObjectSized(cell, Column * 32.0, Row * 32.0, object.Height, object.Width);
  }
}

void TPlayLevel::PlaceBack(int32_t Plane, int32_t Number, int32_t Column, int32_t Row) {
  Matrix.PutBackObject(static_cast<uint8_t>(Plane), Number, Column * 32.0, Row * 32.0);
}

std::string TPlayLevel::Save(const std::string& name) {
  Matrix.SaveToFile(Path(name));  // over a level saved before
  return Path(name);
}

}  // namespace kestrilo::playtest
