#include <gtest/gtest.h>

#include "WorldTestContext.h"
#include "platform/Errors.h"
#include "world/PlayerRef.h"
#include "world/PlayerSprite.h"

namespace kestrilo {
namespace {

using testing::TWorldTestContext;

TEST(GameContextTest, StartsWithTheMainWindowsValues) {
  TGameContext context;
  EXPECT_EQ(context.PlayerSprite, nullptr);
  EXPECT_EQ(context.GridSize, 32);
  EXPECT_TRUE(context.GridVisible);
  EXPECT_FALSE(context.ObjectsLoaded);
  EXPECT_EQ(context.EditMode, TEditMode::Editing);
  EXPECT_EQ(context.CurrentPlane, 0);
  EXPECT_EQ(context.Caption, "Form1");
  EXPECT_EQ(context.Root(), nullptr);
  EXPECT_THROW(context.ObjectPictures(), ESpriteError);
  EXPECT_THROW(context.PortalPictures(), ESpriteError);
}

TEST(GameContextTest, SpritesReachTheirContextThroughTheEngine) {
  TWorldTestContext world;
  auto* sprite = new TSprite(&world.Root());
  auto* child = new TSprite(sprite);
  EXPECT_EQ(world.Context.Root(), &world.Root());
  EXPECT_EQ(ContextOf(sprite), &world.Context);
  EXPECT_EQ(ContextOf(child), &world.Context);
  EXPECT_EQ(ContextOf(&world.Root()), nullptr);  // the root has no engine above it
  EXPECT_EQ(ContextOf(nullptr), nullptr);
  EXPECT_EQ(CurrentPlayer(child), nullptr);

  world.Root().Context = nullptr;
  EXPECT_EQ(ContextOf(child), nullptr);
  EXPECT_EQ(CurrentPlayer(child), nullptr);
}

TEST(GameContextTest, FreeingTheTreeForgetsThePlayer) {
  auto world = std::make_unique<TWorldTestContext>();
  world->AddObjectPicture("Игрок", 32, 40, 8);
  TPlayerSprite* player = TPlayerSprite::CreateFor(&world->Root(), world->Context.ObjectPictures());
  world->Context.PlayerSprite = player;
  TPlayerRef ref(player);
  EXPECT_EQ(CurrentPlayer(player), player);

  world->Root().ClearChildren();
  EXPECT_EQ(world->Context.PlayerSprite, nullptr);
  EXPECT_FALSE(ref);

  // Destroying a context with a live player in its tree is just as safe.
  TPlayerSprite* second = TPlayerSprite::CreateFor(&world->Root(), world->Context.ObjectPictures());
  world->Context.PlayerSprite = second;
  TPlayerRef secondRef(second);
  world.reset();
  EXPECT_EQ(secondRef.Get(), nullptr);
}

TEST(GameContextTest, EmptyPlayerReferenceReadsAsNone) {
  TPlayerRef none;
  EXPECT_EQ(none.Get(), nullptr);
  EXPECT_EQ(TPlayerRef(nullptr).Get(), nullptr);
}

TEST(GameContextTest, CaptionChangesAreReported) {
  TGameContext context;
  std::vector<std::string> seen;
  context.OnCaptionChanged = [&seen](const std::string& caption) { seen.push_back(caption); };
  context.SetCaption("Единиц оружия 30");
  context.SetCaption("Жизнь игрока 100 Тип оружия: 0 Осталось патронов: 15");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], "Единиц оружия 30");
  EXPECT_EQ(context.Caption, seen[1]);
}

}  // namespace
}  // namespace kestrilo
