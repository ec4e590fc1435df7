// Handles read as none once their sprite is freed, however it goes.
#include <gtest/gtest.h>

#include "sprites/SpriteEngine.h"

namespace kestrilo {
namespace {

TEST(SpriteHandle, ReadsAsNoneOnceTheSpriteIsFreed) {
  TSpriteEngine root;
  auto* queued = new TSprite(&root);
  auto* deleted = new TSprite(&root);
  auto* parent = new TSprite(&root);
  auto* child = new TSprite(parent);
  const TSpriteHandle queuedHandle = queued->Handle();
  const TSpriteHandle deletedHandle = deleted->Handle();
  const TSpriteHandle childHandle = child->Handle();
  EXPECT_EQ(queued->Handle().Get(), queued);  // a second handle shares the first one's token
  EXPECT_EQ(TSpriteHandle().Get(), nullptr);

  queued->MarkDead();
  EXPECT_EQ(queuedHandle.Get(), queued);  // queued, not yet freed
  root.RemoveDead();
  EXPECT_EQ(queuedHandle.Get(), nullptr);
  delete deleted;
  EXPECT_EQ(deletedHandle.Get(), nullptr);
  delete parent;  // frees its subtree
  EXPECT_EQ(childHandle.Get(), nullptr);
}

}  // namespace
}  // namespace kestrilo
