// The object library: lookups, numbering, adding and deleting entries with
// their pictures, and the objects file with its graphics file.
#include <gtest/gtest.h>

#include <filesystem>

#include "LibraryDbTestSupport.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "tests/library/PictureTestSupport.h"

namespace kestrilo {
namespace {

using testing::TScratchFolder;
using testing::WriteBytes;
using testing::WriteSolidBitmap;

TObjectRecord Entry(uint8_t type, int32_t number, const std::string& utf8Name) {
  TObjectRecord r;
  r.ObjType = type;
  r.Number = number;
  r.Name = W1251(utf8Name);
  return r;
}

class ObjectDataBaseTest : public ::testing::Test {
 protected:
  // An entry with a picture item of its name (no picture data) in the collection.
  void AddWithItem(uint8_t type, int32_t number, const std::string& utf8Name, int32_t patternWidth = 32,
                   int32_t patternHeight = 32) {
    db.Records.push_back(Entry(type, number, utf8Name));
    TPictureCollectionItem* item = images.Add();
    item->SetName(W1251(utf8Name));
    item->PatternWidth = patternWidth;
    item->PatternHeight = patternHeight;
  }
  void AddFromBitmap(uint8_t type, int32_t number, const std::string& utf8Name, int32_t w, int32_t h,
                     TPictureSettings settings = {}) {
    db.AddObject(Entry(type, number, utf8Name), WriteSolidBitmap(folder, "pic" + std::to_string(number) + ".bmp", w, h),
                 settings);
  }
  std::vector<int32_t> Numbers() const {
    std::vector<int32_t> n;
    for (const auto& r : db.Records) n.push_back(r.Number);
    return n;
  }

  TScratchFolder folder;
  TPictureCollection images;
  TObjectDataBase db{&images};
};

// ---- numbering and lookups ---------------------------------------------------

TEST_F(ObjectDataBaseTest, NextFreeNumberStartsAtCountPlusOneAndSkipsUsedNumbers) {
  EXPECT_EQ(db.NextFreeNumber(), 1);
  for (int32_t n : {1, 2, 3}) db.Records.push_back(Entry(otWall, n, "w"));
  EXPECT_EQ(db.NextFreeNumber(), 4);

  db.Records = {Entry(otWall, 1, "a"), Entry(otWall, 5, "b")};
  EXPECT_EQ(db.NextFreeNumber(), 3);

  db.Records = {Entry(otWall, 3, "a"), Entry(otWall, 4, "b")};
  EXPECT_EQ(db.NextFreeNumber(), 5);

  // A later entry holding the candidate forces a rescan from the first one.
  db.Records = {Entry(otWall, 4, "a"), Entry(otWall, 3, "b")};
  EXPECT_EQ(db.NextFreeNumber(), 5);
}

TEST_F(ObjectDataBaseTest, FindByNameIsCaseSensitiveWhilePicturesAreNot) {
  AddWithItem(otWall, 1, "Стена");
  EXPECT_EQ(db.FindByName(W1251("Стена")).Number, 1);
  const TObjectRecord missing = db.FindByName(W1251("стена"));
  EXPECT_EQ(missing.ObjType, otEmpty);
  EXPECT_EQ(missing.Number, -1);
  EXPECT_EQ(cp1251::ToUtf8(missing.Name), "пустая");
  EXPECT_EQ(images.IndexOf(W1251("Стена")), 0);
  EXPECT_EQ(images.IndexOf(W1251("стена")), 0);
  // The picture box finds the picture by either form.
  EXPECT_EQ(db.ShowPicture(W1251("стена")).isNull(), false);
}

TEST_F(ObjectDataBaseTest, LookupsTakeTheFirstOfEqualNames) {
  db.Records = {Entry(otWall, 1, "Двойник"), Entry(otLift, 2, "Двойник"), Entry(otWall, 2, "Другой")};
  EXPECT_EQ(db.FindByName(W1251("Двойник")).Number, 1);
  EXPECT_EQ(cp1251::ToUtf8(db.NameOfNumber(2)), "Двойник");
  EXPECT_EQ(cp1251::ToUtf8(db.NameOfNumber(7)), "пустая");
  EXPECT_EQ(cp1251::ToUtf8(db.NameOfNumber(-1)), "пустая");
}

TEST_F(ObjectDataBaseTest, FillNameListListsEveryEntryOfTheTypeInOrder) {
  db.Records = {Entry(otWall, 1, "Б"), Entry(otLift, 2, "Лифт"), Entry(otWall, 3, "А"), Entry(otWall, 4, "Б")};
  std::vector<std::string> list = {"old"};
  EXPECT_EQ(db.FillNameList(otWall, list), 0);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(cp1251::ToUtf8(list[0]), "Б");
  EXPECT_EQ(cp1251::ToUtf8(list[1]), "А");
  EXPECT_EQ(cp1251::ToUtf8(list[2]), "Б");
  EXPECT_EQ(db.FillNameList(otDoor, list), -1);
  EXPECT_TRUE(list.empty());
}

// ---- frame sizes and the picture box -----------------------------------------

TEST_F(ObjectDataBaseTest, FrameSizeIsHeightFirstAndTheLastEntryWins) {
  AddWithItem(otWall, 1, "Широкая", 64, 16);
  AddWithItem(otWall, 2, "Первая", 32, 32);
  AddWithItem(otWall, 2, "Вторая", 96, 48);
  EXPECT_EQ(db.FrameSizeOfNumber(1), (TObjectDataBase::TFrameSize{16, 64}));
  EXPECT_EQ(db.FrameSizeOfNumber(2), (TObjectDataBase::TFrameSize{48, 96}));
  EXPECT_EQ(db.FrameSizeOfNumber(3), (TObjectDataBase::TFrameSize{0, 0}));
}

TEST_F(ObjectDataBaseTest, FrameSizeOfANegativeNumberNeverTouchesThePictures) {
  TObjectDataBase noPictures(nullptr);
  noPictures.Records = {Entry(otWall, -1, "x")};
  EXPECT_EQ(noPictures.FrameSizeOfNumber(-1), (TObjectDataBase::TFrameSize{0, 0}));
}

TEST_F(ObjectDataBaseTest, FrameSizeWithoutPatternSizeIsThePicturesSize) {
  AddFromBitmap(otWall, 1, "Кирпич", 40, 24);
  EXPECT_EQ(db.FrameSizeOfNumber(1), (TObjectDataBase::TFrameSize{24, 40}));
}

TEST_F(ObjectDataBaseTest, FrameSizeOfAnEntryWithoutPictureIsAnError) {
  db.Records = {Entry(otWall, 1, "Сирота")};
  try {
    db.FrameSizeOfNumber(1);
    FAIL() << "no error";
  } catch (const EPictureCollectionError& e) {
    EXPECT_EQ(std::string(e.what()), "Image 'Сирота' not found");
  }
}

TEST_F(ObjectDataBaseTest, ShowPictureDrawsAtOwnSizeFromTheCornerClipped) {
  AddFromBitmap(otWall, 1, "Малая", 10, 5, {});
  const QImage box = db.ShowPicture(W1251("Малая"));
  ASSERT_EQ(box.size(), QSize(128, 128));
  EXPECT_EQ(box.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(box.pixelColor(9, 4), QColor(255, 0, 0));
  EXPECT_EQ(box.pixelColor(10, 4).alpha(), 0);
  EXPECT_EQ(box.pixelColor(9, 5).alpha(), 0);

  db.AddObject(Entry(otWall, 2, "Большая"), WriteSolidBitmap(folder, "big.bmp", 300, 200, 0x00FF00), {});
  const QImage big = db.ShowPicture(W1251("Большая"));
  ASSERT_EQ(big.size(), QSize(128, 128));
  EXPECT_EQ(big.pixelColor(127, 127), QColor(0, 255, 0));
}

TEST_F(ObjectDataBaseTest, ShowPictureWithAnEmptyNameDoesNothingAndUnknownNamesFail) {
  EXPECT_TRUE(db.ShowPicture("").isNull());
  EXPECT_THROW(db.ShowPicture("nobody"), EPictureCollectionError);
}

// ---- adding and deleting -------------------------------------------------------

TEST_F(ObjectDataBaseTest, AddObjectAppendsTheRecordAndANamedPictureWithItsSettings) {
  TPictureSettings settings;
  settings.PatternWidth = 16;
  settings.PatternHeight = 8;
  settings.Transparent = true;
  settings.TransparentColor = 0x00FF00FF;
  TObjectRecord record = Entry(otMonster, 5, "Жук");
  record.Health = -3;
  db.AddObject(record, WriteSolidBitmap(folder, "bug.bmp", 64, 8), settings);

  ASSERT_EQ(db.Records.size(), 1u);
  EXPECT_EQ(db.Records[0], record);
  ASSERT_EQ(images.Count(), 1);
  const TPictureCollectionItem* item = images.Items(0);
  EXPECT_EQ(item->Name(), W1251("Жук"));
  EXPECT_EQ(item->PatternWidth, 16);
  EXPECT_EQ(item->PatternHeight, 8);
  EXPECT_TRUE(item->Transparent);
  EXPECT_EQ(item->TransparentColor(), 0x00FF00FFu);
  EXPECT_EQ(item->Picture.Width(), 64);
  EXPECT_EQ(item->PatternCount(), 4);
}

TEST_F(ObjectDataBaseTest, AddObjectWithoutAPictureFileChangesNothing) {
  db.AddObject(Entry(otWall, 1, "Стена"), "", {});
  EXPECT_TRUE(db.Records.empty());
  EXPECT_EQ(images.Count(), 0);
}

TEST_F(ObjectDataBaseTest, AddObjectWhosePictureFailsAddsNeitherEntryNorItem) {
  EXPECT_THROW(db.AddObject(Entry(otWall, 1, "Стена"), folder.Path("absent.bmp"), {}), EFOpenError);
  WriteBytes(folder.Path("notes.txt"), "text");
  try {
    db.AddObject(Entry(otWall, 1, "Стена"), folder.Path("notes.txt"), {});
    FAIL() << "no error";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(std::string(e.what()), "Unknown picture file extension (.txt): " + folder.Path("notes.txt"));
  }
  WriteBytes(folder.Path("broken.bmp"), "BMxx");
  EXPECT_THROW(db.AddObject(Entry(otWall, 1, "Стена"), folder.Path("broken.bmp"), {}), EInvalidGraphic);
  EXPECT_TRUE(db.Records.empty());
  EXPECT_EQ(images.Count(), 0);
}

TEST_F(ObjectDataBaseTest, AddObjectKeepsNameOfRecordAndPictureEqualWhenTooLong) {
  const std::string longName(30, 'x');
  TObjectRecord record = Entry(otWall, 1, "");
  record.Name = longName;
  db.AddObject(record, WriteSolidBitmap(folder, "x.bmp", 4, 4), {});
  ASSERT_EQ(db.Records.size(), 1u);
  EXPECT_EQ(db.Records[0].Name, std::string(25, 'x'));
  EXPECT_EQ(images.Items(0)->Name(), std::string(25, 'x'));
}

TEST_F(ObjectDataBaseTest, DeletingTheOnlyEntryTellsBothPositionsThenSaysDeleted) {
  AddFromBitmap(otWall, 1, "Стена", 8, 8);
  EXPECT_EQ(db.DeleteObject(W1251("Стена")).Notices, (std::vector<std::string>{"0", "-1", "Запись удалена!"}));
  EXPECT_TRUE(db.Records.empty());
  EXPECT_EQ(images.Count(), 0);

  const std::string path = folder.Path("test.obj");
  db.SaveToFile(path);
  EXPECT_EQ(ReadWholeFile(path).size(), 0u);
}

TEST_F(ObjectDataBaseTest, DeletingALaterEntryTellsOnlyItsPosition) {
  AddWithItem(otWall, 1, "А");
  AddWithItem(otWall, 2, "Б");
  AddWithItem(otWall, 3, "В");
  EXPECT_EQ(db.DeleteObject(W1251("Б")).Notices, (std::vector<std::string>{"1", "Запись удалена!"}));
  EXPECT_EQ(Numbers(), (std::vector<int32_t>{1, 3}));
  EXPECT_EQ(images.IndexOf(W1251("Б")), -1);
  EXPECT_EQ(images.IndexOf(W1251("В")), 1);
}

TEST_F(ObjectDataBaseTest, DeletingTheFirstOfSeveralTellsTheNewHighestPosition) {
  AddWithItem(otWall, 1, "А");
  AddWithItem(otWall, 2, "Б");
  AddWithItem(otWall, 3, "В");
  EXPECT_EQ(db.DeleteObject(W1251("А")).Notices, (std::vector<std::string>{"0", "1", "Запись удалена!"}));
}

TEST_F(ObjectDataBaseTest, DeletingAnUnknownNameChangesNothing) {
  AddWithItem(otWall, 1, "Стена");
  const TObjectDeletion deletion = db.DeleteObject(W1251("стена"));  // letter case matters for entries
  EXPECT_EQ(deletion.Notices, (std::vector<std::string>{"В массиве нет такого имени. Нечего удалять!"}));
  EXPECT_FALSE(deletion.Removed);
  EXPECT_EQ(db.Records.size(), 1u);
  EXPECT_EQ(images.Count(), 1);
}

TEST_F(ObjectDataBaseTest, DeletingTakesTheFirstOfEqualNames) {
  db.Records = {Entry(otWall, 1, "Двойник"), Entry(otLift, 2, "Двойник")};
  images.Add()->SetName(W1251("Двойник"));
  images.Add()->SetName(W1251("Двойник"));
  db.DeleteObject(W1251("Двойник"));
  EXPECT_EQ(Numbers(), (std::vector<int32_t>{2}));
  EXPECT_EQ(images.Count(), 1);
}

TEST_F(ObjectDataBaseTest, DeletingKeepsThePictureOfAnEntryWhoseNameDiffersOnlyInCase) {
  AddWithItem(otWall, 1, "Стена", 32, 32);
  AddWithItem(otWall, 2, "стена", 64, 96);  // filed later: the collection's lookup prefers it
  db.DeleteObject(W1251("Стена"));
  EXPECT_EQ(Numbers(), (std::vector<int32_t>{2}));
  ASSERT_EQ(images.Count(), 1);
  EXPECT_EQ(images.Items(0)->Name(), W1251("стена"));
  EXPECT_EQ(db.FrameSizeOfNumber(2), (TObjectDataBase::TFrameSize{96, 64}));
}

TEST_F(ObjectDataBaseTest, DeletingAnEntryWhosePictureOnlyMatchesIgnoringCaseTakesThatPicture) {
  AddWithItem(otWall, 1, "Знак");
  db.Records.push_back(Entry(otWall, 2, "ЗНАК"));  // found its picture through the case-blind lookup
  const TObjectDeletion deletion = db.DeleteObject(W1251("ЗНАК"));
  EXPECT_EQ(Numbers(), (std::vector<int32_t>{1}));
  EXPECT_EQ(images.Count(), 0);
  EXPECT_EQ(deletion.Notices.back(), "Запись удалена!");
}

TEST_F(ObjectDataBaseTest, DeletingAnEntryWithoutPictureRemovesTheEntryAndReportsTheListError) {
  db.Records = {Entry(otWall, 1, "Сирота"), Entry(otWall, 2, "Другая")};
  images.Add()->SetName(W1251("Другая"));
  const TObjectDeletion deletion = db.DeleteObject(W1251("Сирота"));
  EXPECT_FALSE(deletion.Removed);
  try {
    if (deletion.Error) std::rethrow_exception(deletion.Error);
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (-1)");
  }
  EXPECT_EQ(deletion.Notices, (std::vector<std::string>{"0", "0"}));
  EXPECT_EQ(Numbers(), (std::vector<int32_t>{2}));
  EXPECT_EQ(images.Count(), 1);
}

// ---- files ---------------------------------------------------------------------

TEST(ObjectDataBaseFiles, GraphicsFileNameReplacesTheFileNamesExtension) {
  EXPECT_EQ(TObjectDataBase::GraphicsFileName("Data/test.obj"), "Data/test.dxg");
  EXPECT_EQ(TObjectDataBase::GraphicsFileName("C:\\Game\\Data\\test.obj"), "C:\\Game\\Data\\test.dxg");
  EXPECT_EQ(TObjectDataBase::GraphicsFileName("lib.v2/objects"), "lib.v2/objects.dxg");
  EXPECT_EQ(TObjectDataBase::GraphicsFileName("a.b.obj"), "a.b.dxg");
  EXPECT_EQ(TObjectDataBase::GraphicsFileName("test."), "test.dxg");
  EXPECT_EQ(TObjectDataBase::GraphicsFileName("test"), "test.dxg");
}

TEST_F(ObjectDataBaseTest, SaveWritesEveryRecordAndTheGraphicsFileBeside) {
  AddFromBitmap(otWall, 1, "Стена", 8, 8);
  AddFromBitmap(otLift, 2, "Лифт", 16, 8);
  const std::string path = folder.Path("test.obj");
  db.SaveToFile(path);
  const std::string bytes = ReadWholeFile(path);
  EXPECT_EQ(bytes, db.Records[0].ToBytes() + db.Records[1].ToBytes());
  const std::string graphics = ReadWholeFile(folder.Path("test.dxg"));
  EXPECT_EQ(graphics, images.SaveToBytes());
  // Nothing but the pair is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Root()), {}), 4);  // two bitmaps + pair
}

TEST_F(ObjectDataBaseTest, SavingOverAnExistingPairReplacesBothFiles) {
  const std::string path = folder.Path("test.obj");
  WriteBytes(path, "old objects");
  WriteBytes(folder.Path("test.dxg"), "old graphics");
  AddFromBitmap(otWall, 1, "Стена", 8, 8);
  db.SaveToFile(path);
  EXPECT_EQ(ReadWholeFile(path).size(), 48u);
  EXPECT_NE(ReadWholeFile(folder.Path("test.dxg")), "old graphics");
}

TEST_F(ObjectDataBaseTest, ASaveThatCannotWriteTheGraphicsFileLeavesTheOldPair) {
  const std::string path = folder.Path("test.obj");
  WriteBytes(path, "old objects");
  std::filesystem::create_directory(folder.Path("test.dxg"));  // in the way of the graphics file
  AddFromBitmap(otWall, 1, "Стена", 8, 8);
  try {
    db.SaveToFile(path);
    FAIL() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + folder.Path("test.dxg"));
  }
  EXPECT_EQ(ReadWholeFile(path), "old objects");
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path("test.dxg")));
  // No half-written temporary is left beside them.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Root()), {}), 3);  // bitmap + pair
}

TEST_F(ObjectDataBaseTest, ASaveIntoAMissingFolderWritesNothing) {
  AddFromBitmap(otWall, 1, "Стена", 8, 8);
  const std::string path = folder.Path("absent/test.obj");
  EXPECT_THROW(db.SaveToFile(path), EFCreateError);
  EXPECT_FALSE(std::filesystem::exists(folder.Path("absent")));
}

TEST_F(ObjectDataBaseTest, AnObjectsFileNamedLikeItsGraphicsFileIsRefused) {
  AddFromBitmap(otWall, 1, "Стена", 8, 8);
  const std::string path = folder.Path("library.dxg");
  WriteBytes(path, "old");
  try {
    db.SaveToFile(path);
    FAIL() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + path);
  }
  EXPECT_EQ(ReadWholeFile(path), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Root()), {}), 2);  // the bitmap and the file
}

TEST_F(ObjectDataBaseTest, SaveAndLoadGiveBackRecordsAndPictures) {
  TPictureSettings settings;
  settings.PatternWidth = 8;
  settings.Transparent = true;
  settings.TransparentColor = 0x0000FF;
  TObjectRecord door = Entry(otDoor, 2, "Дверь");
  door.Animated = true;
  door.AnimSpeed = 0.25;
  db.AddObject(Entry(otWall, 1, "Стена"), WriteSolidBitmap(folder, "a.bmp", 8, 8), {});
  db.AddObject(door, WriteSolidBitmap(folder, "b.bmp", 32, 8), settings);
  const std::string path = folder.Path("test.obj");
  db.SaveToFile(path);

  TPictureCollection otherImages;
  TObjectDataBase other(&otherImages);
  ASSERT_TRUE(other.LoadFromFile(path));
  EXPECT_EQ(other.Records, db.Records);
  ASSERT_EQ(otherImages.Count(), 2);
  const TPictureCollectionItem* item = otherImages.Find(W1251("Дверь"));
  EXPECT_EQ(item->PatternWidth, 8);
  EXPECT_TRUE(item->Transparent);
  EXPECT_EQ(item->TransparentColor(), 0x0000FFu);
  EXPECT_EQ(item->Picture.Width(), 32);
  EXPECT_EQ(other.FrameSizeOfNumber(2), (TObjectDataBase::TFrameSize{8, 8}));
}

TEST_F(ObjectDataBaseTest, AnObjectsFileOf100BytesGivesTwoEntries) {
  const std::string path = folder.Path("test.obj");
  WriteBytes(path, Entry(otWall, 1, "А").ToBytes() + Entry(otLift, 2, "Б").ToBytes() + "abcd");
  TPictureCollection empty;
  empty.SaveToFile(folder.Path("test.dxg"));
  ASSERT_TRUE(db.LoadFromFile(path));
  ASSERT_EQ(db.Records.size(), 2u);
  EXPECT_EQ(db.Records[1].Number, 2);
  EXPECT_EQ(db.Records[1].ObjType, otLift);
}

TEST_F(ObjectDataBaseTest, LoadingAMissingObjectsFileSaysSoAndChangesNothing) {
  AddWithItem(otWall, 1, "Стена");
  const TLoadOutcome read = db.LoadFromFile(folder.Path("absent.obj"));
  EXPECT_FALSE(read);
  EXPECT_EQ(read.Message, "Файл не существует! " + folder.Path("absent.obj"));
  EXPECT_EQ(db.Records.size(), 1u);
  EXPECT_EQ(images.Count(), 1);
}

TEST_F(ObjectDataBaseTest, LoadingWithoutItsGraphicsFileLeavesTheLibraryUntouched) {
  AddWithItem(otWall, 1, "Стена");
  const std::string path = folder.Path("test.obj");
  WriteBytes(path, Entry(otLift, 7, "Лифт").ToBytes());
  try {
    db.LoadFromFile(path);
    FAIL() << "no error";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + folder.Path("test.dxg") + ": No such file or directory");
  }
  ASSERT_EQ(db.Records.size(), 1u);
  EXPECT_EQ(db.Records[0].Number, 1);
  ASSERT_EQ(images.Count(), 1);
  EXPECT_EQ(images.Items(0)->Name(), W1251("Стена"));
}

TEST_F(ObjectDataBaseTest, LoadingADamagedGraphicsFileLeavesTheLibraryUntouched) {
  AddWithItem(otWall, 1, "Стена");
  // A valid pair first, then the graphics file cut short in the middle of its items.
  TPictureCollection source;
  for (const char* name : {"a", "b", "c"}) source.Add()->SetName(name);
  const std::string graphics = source.SaveToBytes();
  const std::string path = folder.Path("test.obj");
  WriteBytes(path, Entry(otLift, 7, "Лифт").ToBytes());

  WriteBytes(folder.Path("test.dxg"), graphics.substr(0, graphics.size() - 20));
  EXPECT_THROW(db.LoadFromFile(path), EKestriloError);
  WriteBytes(folder.Path("test.dxg"), "\x01not a graphics file");
  try {
    db.LoadFromFile(path);
    FAIL() << "no error";
  } catch (const EFilerError& e) {
    EXPECT_EQ(std::string(e.what()), "Invalid stream format: " + folder.Path("test.dxg") + ": not a graphics file");
  }
  ASSERT_EQ(db.Records.size(), 1u);
  EXPECT_EQ(db.Records[0].Number, 1);
  ASSERT_EQ(images.Count(), 1);
  EXPECT_EQ(images.Items(0)->Name(), W1251("Стена"));
}

TEST_F(ObjectDataBaseTest, ADamagedGraphicsFileLeavesABoundLibraryItsCutPictures) {
  picturetest::TTestDisplay display;
  images.Initialize(&display);
  TPictureSettings settings;
  settings.PatternWidth = 32;
  AddFromBitmap(otWall, 1, "Стена", 64, 32, settings);
  images.Restore();
  TPictureCollectionItem* wall = images.Items(0);
  ASSERT_EQ(wall->SurfaceCount(), 1);

  // A pair whose second picture is damaged after a good first one.
  TPictureCollection source;
  for (const char* name : {"a", "b"}) {
    TPictureCollectionItem* item = source.Add();
    item->SetName(name);
    item->Picture.LoadFromData(TPicture::kBitmap, testing::SolidBitmap(16, 16, 0x00FF00));
  }
  std::string graphics = source.SaveToBytes();
  graphics[graphics.rfind("TBitmap") + 7 + 4 + 28] = 7;  // the second bitmap's bits per pixel
  const std::string path = folder.Path("test.obj");
  WriteBytes(path, Entry(otLift, 7, "Лифт").ToBytes() + Entry(otLift, 8, "Лифт2").ToBytes());
  WriteBytes(folder.Path("test.dxg"), graphics);
  try {
    db.LoadFromFile(path);
    FAIL() << "no error";
  } catch (const EInvalidGraphic& e) {
    // Where the second bitmap's payload ends: its decoding failed after the payload was read.
    const size_t payloadEnd = graphics.rfind("TBitmap") + 7 + 4 + source.Items(1)->Picture.Data().size();
    EXPECT_EQ(std::string(e.what()), "Bitmap image is not valid: " + folder.Path("test.dxg") + ": damaged at byte " +
                                         std::to_string(payloadEnd));
  }
  EXPECT_EQ(Numbers(), (std::vector<int32_t>{1}));
  ASSERT_EQ(images.Count(), 1);
  EXPECT_EQ(images.Items(0), wall);
  EXPECT_TRUE(wall->Prepared());
  EXPECT_EQ(wall->SurfaceCount(), 1);
  EXPECT_EQ(wall->PatternCount(), 2);
  EXPECT_EQ(wall->Surface(0).Pixel(0, 0), ColorToRgb565(0x0000FF));

  // Mended, the pair replaces the library; its pictures come cut.
  source.Items(1)->SetName("c");
  source.SaveToFile(folder.Path("test.dxg"));
  ASSERT_TRUE(db.LoadFromFile(path));
  EXPECT_EQ(Numbers(), (std::vector<int32_t>{7, 8}));
  ASSERT_EQ(images.Count(), 2);
  EXPECT_TRUE(images.Initialized());
  for (int32_t i = 0; i < 2; ++i) {
    EXPECT_TRUE(images.Items(i)->Prepared());
    ASSERT_EQ(images.Items(i)->SurfaceCount(), 1);
    EXPECT_EQ(images.Items(i)->Surface(0).Pixel(15, 15), ColorToRgb565(0x00FF00));
  }
  EXPECT_EQ(images.IndexOf("c"), 1);
  // The old picture is retired: a sprite still pointing at it draws nothing.
  EXPECT_EQ(wall->Index(), -1);
  EXPECT_TRUE(wall->Picture.Empty());
  EXPECT_EQ(wall->SurfaceCount(), 0);
}

TEST_F(ObjectDataBaseTest, LoadReplacesTheWholeLibrary) {
  AddWithItem(otWall, 1, "Стена");
  AddWithItem(otWall, 2, "Кирпич");
  TPictureCollection source;
  source.Add()->SetName(W1251("Лифт"));
  const std::string path = folder.Path("test.obj");
  WriteBytes(path, Entry(otLift, 7, "Лифт").ToBytes());
  source.SaveToFile(folder.Path("test.dxg"));
  ASSERT_TRUE(db.LoadFromFile(path));
  EXPECT_EQ(Numbers(), (std::vector<int32_t>{7}));
  ASSERT_EQ(images.Count(), 1);
  EXPECT_EQ(images.Items(0)->Name(), W1251("Лифт"));
}

}  // namespace
}  // namespace kestrilo
