// Name lookups of the picture collection: the bucket hash, letter case,
// several items of one name, positions after deletions.
#include <gtest/gtest.h>

#include "library/HashCollection.h"
#include "library/PictureCollection.h"
#include "platform/Cp1251.h"
#include "platform/Errors.h"

namespace kestrilo {
namespace {

TEST(NameHashTest, LengthTimesSixteenPlusFirstAndNextToLastLetter) {
  EXPECT_EQ(NameHash(""), 0);
  EXPECT_EQ(NameHash("A"), 16);
  EXPECT_EQ(NameHash("a"), 16);
  // 2 * 16 + 'a' + 'a' = 226
  EXPECT_EQ(NameHash("AB"), 226);
  EXPECT_EQ(NameHash("ab"), 226);
  // 5 * 16 + 'д' (0xE4) + 'р' (0xF0) = 548, low 8 bits 36
  EXPECT_EQ(NameHash(W1251("Дверь")), 36);
  EXPECT_EQ(NameHash(W1251("ДВЕРЬ")), 36);
  EXPECT_EQ(NameHash(W1251("ёЁ")), NameHash(W1251("ЁЁ")));
  // Only the length, first and next-to-last letters count.
  EXPECT_EQ(NameHash("abXd"), NameHash("aZXq"));
}

TEST(HashCollectionTest, EmptyCollectionFindsNothing) {
  TPictureCollection pictures;
  EXPECT_EQ(pictures.IndexOf(W1251("Дверь")), -1);
  EXPECT_EQ(pictures.IndexOf(""), -1);
  try {
    pictures.Find(W1251("Дверь"));
    FAIL() << "Find on an empty collection must fail";
  } catch (const EPictureCollectionError& e) {
    EXPECT_STREQ(e.what(), "Image 'Дверь' not found");
  }
}

TEST(HashCollectionTest, AddGivesNextPositionAndDefaults) {
  TPictureCollection pictures;
  TPictureCollectionItem* first = pictures.Add();
  TPictureCollectionItem* second = pictures.Add();
  EXPECT_EQ(first->Index(), 0);
  EXPECT_EQ(second->Index(), 1);
  EXPECT_EQ(pictures.Count(), 2);
  EXPECT_EQ(pictures.Items(1), second);
  EXPECT_TRUE(second->Name().empty());
  EXPECT_EQ(second->PatternWidth, 0);
  EXPECT_EQ(second->PatternHeight, 0);
  EXPECT_EQ(second->SkipWidth, 0);
  EXPECT_EQ(second->SkipHeight, 0);
  EXPECT_FALSE(second->SystemMemory);
  EXPECT_TRUE(second->Transparent);
  EXPECT_EQ(second->TransparentColor(), 0u);
  EXPECT_FALSE(second->Picture.HasGraphic());
  // New items are filed under the empty name: the latest one is found.
  EXPECT_EQ(pictures.IndexOf(""), 1);
}

TEST(HashCollectionTest, NamesDifferingInCaseFindTheLaterItem) {
  TPictureCollection pictures;
  pictures.Add()->SetName(W1251("Дверь"));
  pictures.Add()->SetName(W1251("ДВЕРЬ"));
  EXPECT_EQ(pictures.IndexOf(W1251("Дверь")), 1);
  EXPECT_EQ(pictures.IndexOf(W1251("ДВЕРЬ")), 1);
  EXPECT_EQ(pictures.IndexOf(W1251("дверь")), 1);
  EXPECT_EQ(pictures.Find(W1251("дВеРь")), pictures.Items(1));

  pictures.Add()->SetName("Wall");
  pictures.Add()->SetName("WALL");
  EXPECT_EQ(pictures.IndexOf("wall"), 3);
  EXPECT_EQ(pictures.IndexOf("Wall"), 3);
  EXPECT_EQ(pictures.IndexOf("Walls"), -1);
}

TEST(HashCollectionTest, RenamingRefilesOnlyOnARealChange) {
  TPictureCollection pictures;
  TPictureCollectionItem* a = pictures.Add();
  a->SetName("A");
  pictures.Add()->SetName("a");
  EXPECT_EQ(pictures.IndexOf("A"), 1);
  a->SetName("A");  // the same name: stays where it is in its chain
  EXPECT_EQ(pictures.IndexOf("A"), 1);
  a->SetName("a");  // differs in case: filed again, now the head of the chain
  EXPECT_EQ(pictures.IndexOf("A"), 0);
  a->SetName("Something else");
  EXPECT_EQ(pictures.IndexOf("A"), 1);
  EXPECT_EQ(pictures.IndexOf("something ELSE"), 0);
}

TEST(HashCollectionTest, DeletingItemZeroOfThreeLowersTheOthersPositions) {
  TPictureCollection pictures;
  pictures.Add()->SetName(W1251("Стена"));
  pictures.Add()->SetName(W1251("Лифт"));
  pictures.Add()->SetName(W1251("Ключ"));
  pictures.Delete(0);
  EXPECT_EQ(pictures.Count(), 2);
  EXPECT_EQ(pictures.IndexOf(W1251("Стена")), -1);
  EXPECT_EQ(pictures.IndexOf(W1251("Лифт")), 0);
  EXPECT_EQ(pictures.IndexOf(W1251("Ключ")), 1);
  EXPECT_EQ(pictures.Items(0)->Name(), W1251("Лифт"));
  EXPECT_EQ(pictures.Items(1)->Index(), 1);
}

TEST(HashCollectionTest, ChainsSurviveDeletionAnywhereInThem) {
  // "ab", "aXb"... share no bucket by design; names of one length with the
  // same first and next-to-last letters do.
  TPictureCollection pictures;
  const char* names[] = {"ab1", "ab2", "ab3", "ab4"};
  for (const char* name : names) pictures.Add()->SetName(name);
  for (const char* name : names) EXPECT_EQ(NameHash(name), NameHash("ab1"));
  pictures.Delete(1);  // the middle of the chain
  EXPECT_EQ(pictures.IndexOf("ab1"), 0);
  EXPECT_EQ(pictures.IndexOf("ab2"), -1);
  EXPECT_EQ(pictures.IndexOf("ab3"), 1);
  EXPECT_EQ(pictures.IndexOf("ab4"), 2);
  pictures.Delete(2);  // the head of the chain
  EXPECT_EQ(pictures.IndexOf("ab4"), -1);
  EXPECT_EQ(pictures.IndexOf("ab3"), 1);
  pictures.Delete(0);  // the tail
  EXPECT_EQ(pictures.IndexOf("ab3"), 0);
  pictures.Clear();
  EXPECT_EQ(pictures.Count(), 0);
  EXPECT_EQ(pictures.IndexOf("ab3"), -1);
}

TEST(HashCollectionTest, TakenItemsAreFoundAsIfAddedInTheirOrder) {
  TPictureCollection source;
  for (const char* name : {"Wall", "door", "WALL", "", "lift"}) source.Add()->SetName(W1251(name));
  TPictureCollection target;
  target.Add()->SetName("door");
  target.TakeItemsFrom(source);
  ASSERT_EQ(target.Count(), 5);
  EXPECT_EQ(source.Count(), 0);
  EXPECT_EQ(source.IndexOf("wall"), -1);
  // Names differing in case find the later item, as after adding them.
  EXPECT_EQ(target.IndexOf("wall"), 2);
  EXPECT_EQ(target.IndexOf("DOOR"), 1);
  EXPECT_EQ(target.IndexOf(""), 3);
  EXPECT_EQ(target.Items(4)->Collection(), &target);
  // Renaming a taken item re-files it in its new collection.
  target.Items(2)->SetName("gate");
  EXPECT_EQ(target.IndexOf("wall"), 0);
  EXPECT_EQ(target.IndexOf("GATE"), 2);
  // The source goes on working.
  source.Add()->SetName("new");
  EXPECT_EQ(source.IndexOf("NEW"), 0);
}

TEST(HashCollectionTest, BadPositionsAreListErrors) {
  TPictureCollection pictures;
  pictures.Add();
  EXPECT_THROW(pictures.Items(1), EListError);
  try {
    pictures.Delete(-1);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (-1)");
  }
  try {
    pictures.Delete(1);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (1)");
  }
  EXPECT_EQ(pictures.Count(), 1);
}

}  // namespace
}  // namespace kestrilo
