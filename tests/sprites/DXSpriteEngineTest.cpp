// The component that binds the root to a drawing area.
#include <gtest/gtest.h>

#include <memory>

#include "platform/DrawingSurface.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/SpriteProbe.h"

namespace kestrilo {
namespace {

using test::Only;
using test::TJournal;
using test::TProbeSprite;

TProbeSprite* AddVisible(TDXSpriteEngine& component, TJournal& journal) {
  auto* s = new TProbeSprite(component.Engine(), "s", &journal);
  s->Width = 32;
  s->Height = 32;
  return s;
}

TEST(DXSpriteEngineTest, OwnsARootWithoutParent) {
  TDXSpriteEngine component;
  ASSERT_NE(component.Engine(), nullptr);
  EXPECT_EQ(component.Engine()->Parent, nullptr);
  EXPECT_EQ(component.Engine()->Engine, nullptr);
  EXPECT_EQ(component.DXDraw(), nullptr);
}

TEST(DXSpriteEngineTest, TheDrawingAreasInitialisationBindsTheBackBufferAndFinalisationUnbindsIt) {
  TDrawingSurface draw;
  TDXSpriteEngine component;
  component.SetDXDraw(&draw);
  EXPECT_EQ(component.DXDraw(), &draw);
  EXPECT_EQ(component.Engine()->Surface, nullptr);

  draw.Initialize();
  EXPECT_EQ(component.Engine()->Surface, &draw.Surface());
  EXPECT_EQ(component.Engine()->ViewRect, (TRect{0, 0, 640, 480}));
  EXPECT_EQ(component.Engine()->Width, 640);
  EXPECT_EQ(component.Engine()->Height, 480);

  draw.Finalize();
  EXPECT_EQ(component.Engine()->Surface, nullptr);
  EXPECT_EQ(component.Engine()->ViewRect, (TRect{0, 0, 640, 480}));
}

TEST(DXSpriteEngineTest, DrawsOnlyWhileTheDrawingAreaIsInitialised) {
  TJournal journal;
  TDrawingSurface draw;
  TDXSpriteEngine component;
  AddVisible(component, journal);
  component.Draw();  // no drawing area at all
  component.SetDXDraw(&draw);
  component.Draw();  // not initialised yet
  EXPECT_TRUE(Only(journal, "draw:").empty());
  draw.Initialize();
  component.Draw();
  EXPECT_EQ(Only(journal, "draw:").size(), 1u);
  draw.Finalize();
  component.Draw();
  EXPECT_EQ(Only(journal, "draw:").size(), 1u);
}

TEST(DXSpriteEngineTest, BindingToAnInitialisedDrawingAreaTakesItsBackBufferAtOnce) {
  TDrawingSurface draw;
  draw.Initialize();
  TDXSpriteEngine component;
  component.SetDXDraw(&draw);
  EXPECT_EQ(component.Engine()->Surface, &draw.Surface());
}

TEST(DXSpriteEngineTest, ADestroyedDrawingAreaIsForgotten) {
  TJournal journal;
  TDXSpriteEngine component;
  AddVisible(component, journal);
  {
    TDrawingSurface draw;
    component.SetDXDraw(&draw);
    draw.Initialize();
  }
  EXPECT_EQ(component.DXDraw(), nullptr);
  EXPECT_EQ(component.Engine()->Surface, nullptr);
  component.Draw();
  EXPECT_TRUE(Only(journal, "draw:").empty());
}

TEST(DXSpriteEngineTest, AFreedComponentHearsNoMoreNotices) {
  TDrawingSurface draw;
  {
    TDXSpriteEngine component;
    component.SetDXDraw(&draw);
  }
  EXPECT_NO_THROW(draw.Initialize());
  EXPECT_NO_THROW(draw.Finalize());
}

TEST(DXSpriteEngineTest, RebindingLeavesTheOldDrawingArea) {
  TDrawingSurface first;
  TDrawingSurface second;
  first.Initialize();
  TDXSpriteEngine component;
  component.SetDXDraw(&first);
  ASSERT_EQ(component.Engine()->Surface, &first.Surface());
  component.SetDXDraw(&second);
  EXPECT_EQ(component.DXDraw(), &second);
  // The old back buffer is no longer drawn into.
  EXPECT_EQ(component.Engine()->Surface, nullptr);
  first.Finalize();
  first.Initialize();
  EXPECT_EQ(component.Engine()->Surface, nullptr);
  second.Initialize();
  EXPECT_EQ(component.Engine()->Surface, &second.Surface());
  component.SetDXDraw(nullptr);
  EXPECT_EQ(component.DXDraw(), nullptr);
}

TEST(DXSpriteEngineTest, MoveAndRemoveDeadReachTheRoot) {
  TJournal journal;
  TDXSpriteEngine component;
  auto* s = AddVisible(component, journal);
  component.Move(16);
  EXPECT_EQ(s->LastMoveCount, 16);
  s->MarkDead();
  component.RemoveDead();
  EXPECT_EQ(Only(journal, "free:"), (std::vector<std::string>{"s"}));
  EXPECT_EQ(component.Engine()->SpriteCount, 0);
}

TEST(DXSpriteEngineTest, FreeingTheComponentFreesTheTree) {
  TJournal journal;
  auto component = std::make_unique<TDXSpriteEngine>();
  AddVisible(*component, journal);
  component.reset();
  EXPECT_EQ(Only(journal, "free:"), (std::vector<std::string>{"s"}));
}

}  // namespace
}  // namespace kestrilo
