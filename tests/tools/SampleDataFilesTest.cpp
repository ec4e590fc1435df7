// The generated sample data: written whole and repeatably, readable by the
// editor's own readers, and complete (every object has its picture, every
// monster its record, every placement of the demo level an object).
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <set>

#include "SampleDataTestSupport.h"
#include "library/MonstersDataBase.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"

namespace kestrilo::sampletest {
namespace {

const std::vector<std::string> kFiles = {"test.obj", "test.dxg", "1.mon", "DinObj.dxg", "matrix1.mtf", "matrix1mtb"};

// One generated Data folder, read back with the editor's readers.
class SampleData : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    std::string errors;
    exitCode_ = RunGenerator(DataDir(), &errors);
    if (exitCode_ != 0) ADD_FAILURE() << errors;
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  static std::string DataDir() { return JoinPath(dir_->path().toStdString(), "Data"); }
  static std::string File(const std::string& name) { return JoinPath(DataDir(), name); }

  void SetUp() override {
    ASSERT_EQ(exitCode_, 0);
    ASSERT_TRUE(library.LoadFromFile(File("test.obj")));
    monsters.LoadFromFile(File("1.mon"));
    ASSERT_TRUE(level->LoadFromFile(File("matrix1.mtf"), nullptr, nullptr));
  }

  std::vector<TObjectRecord> OfType(uint8_t type) const {
    std::vector<TObjectRecord> found;
    for (const TObjectRecord& r : library.Records)
      if (r.ObjType == type) found.push_back(r);
    return found;
  }
  TPictureCollectionItem& PictureOf(std::string_view utf8Name) const { return *pictures.Find(W1251(utf8Name)); }

  static QTemporaryDir* dir_;
  static int exitCode_;
  TPictureCollection pictures;
  TObjectDataBase library{&pictures};
  TMonstersDataBase monsters;
  std::unique_ptr<TMatrix> level = std::make_unique<TMatrix>();
};

QTemporaryDir* SampleData::dir_ = nullptr;
int SampleData::exitCode_ = -1;

TEST_F(SampleData, EveryRunWritesTheSameBytesAndReplacesWhatIsThere) {
  QTemporaryDir other;
  const std::string second = JoinPath(other.path().toStdString(), "Data");
  ASSERT_EQ(RunGenerator(second), 0);
  ASSERT_EQ(RunGenerator(second), 0);  // over existing files: replaced without a question
  for (const std::string& name : kFiles) {
    SCOPED_TRACE(name);
    const std::string bytes = ReadWholeFile(File(name));
    EXPECT_FALSE(bytes.empty());
    EXPECT_EQ(bytes, ReadWholeFile(JoinPath(second, name)));
  }
  EXPECT_EQ(ReadWholeFile(File("test.obj")).size() % TObjectRecord::kSize, 0u);
  EXPECT_EQ(ReadWholeFile(File("1.mon")).size(), monsters.Records.size() * TMonsterRecord::kSize);
}

TEST_F(SampleData, ScreenshotShowsTheLevelInTheMainWindow) {
  QTemporaryDir scratch;
  const std::string png = JoinPath(scratch.path().toStdString(), "shot.png");
  QProcess process;
  process.start(QStringLiteral(KESTRILO_SAMPLE_DATA_PATH), {"--screenshot", QString::fromStdString(png)});
  process.waitForFinished(120000);
  ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  const QImage shot(QString::fromStdString(png));
  ASSERT_FALSE(shot.isNull());
  EXPECT_GE(shot.width(), 800);
  EXPECT_GE(shot.height(), 534);
  // The drawing area shows the level, not the empty dark-green back buffer.
  std::set<QRgb> colours;
  for (int y = 60; y < 500; y += 7)
    for (int x = 10; x < 640; x += 7) colours.insert(shot.pixel(x, y));
  EXPECT_GT(colours.size(), 100u);
}

TEST_F(SampleData, EveryObjectHasItsBitmapPictureAndANumberOfItsOwn) {
  std::set<int32_t> numbers;
  for (const TObjectRecord& r : library.Records) {
    SCOPED_TRACE(cp1251::ToUtf8(r.Name));
    EXPECT_TRUE(numbers.insert(r.Number).second);
    EXPECT_GE(r.Number, 1);
    EXPECT_LE(r.Name.size(), TObjectRecord::kMaxNameLength);
    TPictureCollectionItem* picture = pictures.Find(r.Name);
    EXPECT_EQ(picture->Picture.Kind(), "TBitmap");
    EXPECT_GT(picture->PatternCount(), 0);
    // Whole frames only: the picture is an exact strip of its frames.
    EXPECT_EQ(picture->Picture.Width() % picture->Width(), 0);
    EXPECT_EQ(picture->Picture.Height() % picture->Height(), 0);
  }
  EXPECT_EQ(pictures.Count(), static_cast<int32_t>(library.Records.size()));
}

TEST_F(SampleData, PicturesAreKeptAsWhole24BitBitmapFiles) {
  for (int32_t i = 0; i < pictures.Count(); ++i) {
    const TPicture& picture = pictures.Items(i)->Picture;
    SCOPED_TRACE(cp1251::ToUtf8(pictures.Items(i)->Name()));
    const std::string& bmp = picture.Data();
    ASSERT_GE(bmp.size(), 54u);
    TByteReader in(bmp);
    EXPECT_EQ(in.Bytes(2), "BM");
    EXPECT_EQ(in.U32(), bmp.size());  // file size
    EXPECT_EQ(in.U32(), 0u);          // reserved
    EXPECT_EQ(in.U32(), 54u);         // pixels right after the two headers
    EXPECT_EQ(in.U32(), 40u);         // info header size
    const int32_t width = in.I32(), height = in.I32();
    EXPECT_EQ(width, picture.Width());
    EXPECT_EQ(height, picture.Height());  // positive: rows bottom-up
    EXPECT_EQ(in.U16(), 1);               // planes
    EXPECT_EQ(in.U16(), 24);              // bits per pixel
    EXPECT_EQ(in.U32(), 0u);              // uncompressed
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) / 4 * 4;
    EXPECT_EQ(in.U32(), rowBytes * static_cast<uint32_t>(height));
    EXPECT_EQ(bmp.size(), 54u + rowBytes * static_cast<uint32_t>(height));
  }
}

TEST_F(SampleData, LibraryHoldsEveryKindTheLevelNeeds) {
  EXPECT_GE(OfType(otWall).size(), 3u);
  EXPECT_GE(OfType(otLift).size(), 1u);
  EXPECT_GE(OfType(otKey).size(), 2u);
  EXPECT_GE(OfType(otDoor).size(), 2u);
  EXPECT_GE(OfType(otBackground).size(), 3u);
  EXPECT_GE(OfType(otMonster).size(), 4u);
  EXPECT_GE(OfType(otTrap).size(), 1u);
  for (const TObjectRecord& door : OfType(otDoor)) EXPECT_GE(pictures.Find(door.Name)->PatternCount(), 5);

  const TObjectRecord player = library.FindByName(W1251("Игрок"));
  EXPECT_EQ(player.ObjType, otPlayer);
  EXPECT_EQ(PictureOf("Игрок").PatternCount(), 8);
  EXPECT_EQ(library.FindByName(W1251("Старт")).ObjType, otPlayer);
  for (const char* name : {"Сопля 2", "Бомба", "Взрыв", "Пуля"}) EXPECT_NO_THROW(PictureOf(name)) << name;
  EXPECT_GT(PictureOf("Взрыв").PatternCount(), 1);

  // A single-use and a constant med kit, and a crate of rounds the player can fire.
  const auto kits = OfType(otMedKit);
  EXPECT_TRUE(std::any_of(kits.begin(), kits.end(), [](auto& k) { return !k.ConstantEffect && k.Health > 0; }));
  EXPECT_TRUE(std::any_of(kits.begin(), kits.end(), [](auto& k) { return k.ConstantEffect && k.Health > 0; }));
  const auto crates = OfType(otAmmo);
  ASSERT_FALSE(crates.empty());
  for (const TObjectRecord& crate : crates) {
    const int weaponType = crate.WeaponValue / 36;
    EXPECT_EQ(weaponType, 0) << "the player fires weapon type 0 only";
    EXPECT_GT(std::lround(crate.WeaponValue - weaponType * 36.43), 0);
  }
  // Transparent pictures are keyed on magenta, which no picture uses for itself.
  EXPECT_TRUE(PictureOf("Игрок").Transparent);
  EXPECT_EQ(PictureOf("Игрок").TransparentColor(), 0x00FF00FFu);
  EXPECT_FALSE(PictureOf("Кирпич").Transparent);
}

TEST_F(SampleData, EveryMonsterObjectHasARecordThatFitsItsPicture) {
  for (const TObjectRecord& object : OfType(otMonster)) {
    SCOPED_TRACE(cp1251::ToUtf8(object.Name));
    const auto found = std::find_if(monsters.Records.begin(), monsters.Records.end(),
                                    [&](const TMonsterRecord& m) { return m.Name == object.Name; });
    ASSERT_NE(found, monsters.Records.end());
    const int32_t frames = pictures.Find(object.Name)->PatternCount();
    for (const TMonsterFrameRange& range : found->FrameRanges) {
      EXPECT_LE(range.First, frames);
      EXPECT_LE(range.Last, frames);
    }
    // The dying ranges end on a frame that exists (the remains).
    EXPECT_LT(found->FrameRanges[6].Last - 1, frames);
    // The whole picture plays in the first tick, so the state ranges rule at once.
    EXPECT_GE(16 * found->AnimSpeed, frames);
    EXPECT_LE(found->HealthMin, found->HealthMax);
    EXPECT_LE(found->DamageMin, found->DamageMax);
    EXPECT_GT(found->WalkSpeed, 0);
    if (!found->ShotPicture.empty()) {
      EXPECT_NO_THROW(pictures.Find(found->ShotPicture));
    }
  }
  // Each kind of monster is there: a walker that explodes, a shooter, a flyer, a jumper.
  const auto any = [&](auto rule) { return std::any_of(monsters.Records.begin(), monsters.Records.end(), rule); };
  EXPECT_TRUE(any([](auto& m) { return !m.Hunter && m.MoveMode == 0 && !m.CanJump && m.DamageMin > 0; }));
  EXPECT_TRUE(any([](auto& m) { return m.Hunter && !m.ShotPicture.empty(); }));
  EXPECT_TRUE(any([](auto& m) { return m.MoveMode == 2; }));
  EXPECT_TRUE(any([](auto& m) { return m.CanJump && m.MoveMode == 0 && !m.Hunter; }));
}

TEST_F(SampleData, PortalPicturesAreThere) {
  TPictureCollection drifting;
  drifting.LoadFromFile(File("DinObj.dxg"));
  ASSERT_GE(drifting.Count(), 3);
  for (int32_t i = 0; i < drifting.Count(); ++i) {
    EXPECT_FALSE(drifting.Items(i)->Picture.Empty());
    EXPECT_GE(drifting.Items(i)->PatternCount(), 1);
  }
}

TEST_F(SampleData, EveryPlacementOfTheDemoLevelNamesALibraryObject) {
  std::set<int> kinds;
  std::set<int> planesUsed;
  int starts = 0;
  const std::string empty = W1251("пустая");
  for (int x = 0; x < TMatrix::kColumns; ++x)
    for (int y = 0; y < TMatrix::kRows; ++y) {
      const TMatrixCell& cell = level->Cells[x][y];
      if (cell.ObjectNumber >= 0) {
        const TObjectRecord record = library.FindByName(library.NameOfNumber(cell.ObjectNumber));
        EXPECT_NE(record.Name, empty) << "anchor at " << x << ", " << y;
        EXPECT_EQ(record.ObjType, static_cast<uint8_t>(cell.Kind)) << "anchor at " << x << ", " << y;
        kinds.insert(record.ObjType);
        planesUsed.insert(0);
      }
      for (int plane = 1; plane <= TMatrix::kBackPlaneCount; ++plane) {
        const int32_t number = level->BackPlanes[x][y][plane - 1];
        if (number <= 0) continue;
        const TObjectRecord record = library.FindByName(library.NameOfNumber(number));
        EXPECT_NE(record.Name, empty) << "plane " << plane << " at " << x << ", " << y;
        kinds.insert(record.ObjType);
        planesUsed.insert(plane);
        if (record.Name == W1251("Старт")) ++starts;
      }
    }
  EXPECT_EQ(kinds.size(), 11u) << "every object kind, wall to dynamic object";
  EXPECT_EQ(planesUsed.size(), 5u);
  EXPECT_EQ(starts, 1);
  // The level background: the large picture at back-plane entry (0, 0, 4).
  const TObjectRecord sky = library.FindByName(library.NameOfNumber(level->BackPlanes[0][0][3]));
  EXPECT_EQ(sky.ObjType, otBackground);
  EXPECT_GE(pictures.Find(sky.Name)->Width(), 640);
  EXPECT_GE(pictures.Find(sky.Name)->Height(), 480);
}

TEST_F(SampleData, EveryDoorHasItsKeyAndTheLiftRises) {
  std::multiset<int> keyCodes, doorCodes;
  int lifts = 0;
  for (int x = 0; x < TMatrix::kColumns; ++x)
    for (int y = 0; y < TMatrix::kRows; ++y) {
      const TMatrixCell& cell = level->Cells[x][y];
      if (cell.ObjectNumber < 0) continue;
      if (cell.Kind == otKey) keyCodes.insert(cell.KeyCode);
      if (cell.Kind == otDoor) doorCodes.insert(cell.KeyCode);
      if (cell.Kind == otLift) {
        ++lifts;
        EXPECT_GT(cell.LiftHeight, 0);
      }
    }
  EXPECT_GE(lifts, 1);
  ASSERT_EQ(doorCodes.size(), 2u);
  EXPECT_NE(*doorCodes.begin(), *doorCodes.rbegin()) << "the two doors take different keys";
  for (int code : doorCodes) {
    EXPECT_NE(code, 0) << "a door of code 0 would open for anyone";
    EXPECT_EQ(keyCodes.count(code), 1u) << "key for door code " << code;
  }
}

}  // namespace
}  // namespace kestrilo::sampletest
