// The objects file and its graphics file under failing saves: whichever system
// call fails, the next load sees the whole old library or the whole new one,
// and no temporary file outlives the next load or save.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "LibraryDbTestSupport.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "platform/Cp1251.h"
#include "platform/Errors.h"
#include "tests/support/FailingFileSystem.h"

namespace kestrilo {
namespace {

using testing::TScratchFolder;
using testing::WriteSolidBitmap;
using testsupport::FolderEntries;
using testsupport::TFailingFileSystem;
using testsupport::TSyncFreeFolder;

// A library of `count` entries with pictures of their own sizes; libraries of
// different counts share no name and no picture size.
struct TLibrary {
  TPictureCollection Images;
  TObjectDataBase Objects{&Images};
  TLibrary(const TScratchFolder& pictures, int count) {
    for (int i = 1; i <= count; ++i) {
      TObjectRecord record;
      record.ObjType = otWall;
      record.Number = count * 10 + i;
      record.Name = W1251("Стена " + std::to_string(count) + "." + std::to_string(i));
      Objects.AddObject(record, WriteSolidBitmap(pictures, "p.bmp", 8 * count, 4 * i, 0x102030u * i), {});
    }
  }
  // What a load gave, as one string: the records' bytes and each picture's
  // name and size.
  std::string Summary() const {
    std::string summary = TObjectDataBase::RecordsToBytes(Objects.Records);
    for (int32_t i = 0; i < Images.Count(); ++i) {
      const TPictureCollectionItem* item = Images.Items(i);
      summary += "|" + item->Name() + " " + std::to_string(item->Picture.Width()) + "x" +
                 std::to_string(item->Picture.Height());
    }
    return summary;
  }
};

class ObjectDataBasePairSave : public ::testing::Test {
 protected:
  std::string Path() const { return folder->Path("test.obj"); }
  // True once the pair is written (a failure throws).
  bool Save(TLibrary& library, TFileSystem& files = PosixFileSystem()) {
    library.Objects.SaveToFile(Path(), files);
    return true;
  }
  std::string LoadedSummary(TFileSystem& files = PosixFileSystem()) {
    TLibrary loaded(pictures, 0);
    EXPECT_TRUE(loaded.Objects.LoadFromFile(Path(), files));
    return loaded.Summary();
  }
  void ExpectOnlyThePair() const {
    EXPECT_EQ(FolderEntries(folder->Root()), (std::vector<std::string>{"test.dxg", "test.obj"}));
  }

  TScratchFolder pictures;
  std::unique_ptr<TSyncFreeFolder> folder = std::make_unique<TSyncFreeFolder>();
  TLibrary oldLibrary{pictures, 1};
  TLibrary newLibrary{pictures, 2};
};

TEST_F(ObjectDataBasePairSave, EveryFailedCallLeavesTheOldPairOrTheNewOne) {
  ASSERT_TRUE(Save(oldLibrary));
  const std::string oldSummary = LoadedSummary();
  const std::string oldObjects = ReadWholeFile(Path());
  const std::string oldGraphics = ReadWholeFile(folder->Path("test.dxg"));
  ASSERT_TRUE(Save(newLibrary));
  const std::string newSummary = LoadedSummary();
  const std::string newObjects = ReadWholeFile(Path());
  const std::string newGraphics = ReadWholeFile(folder->Path("test.dxg"));
  ASSERT_NE(oldSummary, newSummary);

  // As in the level's test: a load sees the old pair or the new one, never a
  // mix, also through a folder where nothing can change.
  TLibrary third(pictures, 3);
  testsupport::SaveFailingEachCallInTurn(
      ENOSPC,
      [&] {
        folder = std::make_unique<TSyncFreeFolder>();
        EXPECT_TRUE(folder->IsValid());
        EXPECT_TRUE(Save(oldLibrary));
        return std::vector<std::string>{Path(), folder->Path("test.dxg")};
      },
      [&](TFileSystem& files) { return Save(newLibrary, files); },
      [&](bool succeeded, bool everyLaterCallFails) {
        TFailingFileSystem readOnly;
        readOnly.MakeReadOnly();
        const std::string seen = LoadedSummary(readOnly);
        EXPECT_TRUE(seen == oldSummary || seen == newSummary) << "a mixed pair";
        if (succeeded) EXPECT_EQ(seen, newSummary);
        const bool isNew = seen == newSummary;
        if (everyLaterCallFails) {
          EXPECT_TRUE(Save(third));
          ExpectOnlyThePair();
          EXPECT_EQ(LoadedSummary(), third.Summary());
        } else {
          EXPECT_EQ(LoadedSummary(), seen);
          ExpectOnlyThePair();
          EXPECT_TRUE(ReadWholeFile(Path()) == (isNew ? newObjects : oldObjects));
          EXPECT_TRUE(ReadWholeFile(folder->Path("test.dxg")) == (isNew ? newGraphics : oldGraphics));
        }
        return isNew;
      });
}

}  // namespace
}  // namespace kestrilo
