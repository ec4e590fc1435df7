// Shared set-up of the placed-object tests: a test world with a player, and
// object and monster records made here.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "WorldTestContext.h"
#include "library/MonsterRecord.h"
#include "library/MonstersDataBase.h"
#include "library/ObjectRecord.h"
#include "platform/Cp1251.h"
#include "world/PlayerSprite.h"

namespace kestrilo::testing {

inline TObjectRecord MakeRecord(uint8_t type, std::string_view utf8Name) {
  TObjectRecord record;
  record.ObjType = type;
  record.Number = 1;
  record.Name = W1251(utf8Name);
  return record;
}

class WorldObjectsTest : public ::testing::Test {
 protected:
  WorldObjectsTest() { world.Context.EditMode = TEditMode::Previewing; }

  // A player box of Width x Height at (X, Y), made current; gravity off.
  TPlayerSprite* MakePlayer(double x, double y, int32_t width = 20, int32_t height = 26) {
    auto* player = new TPlayerSprite(&world.Root());
    player->X = x;
    player->Y = y;
    player->Width = width;
    player->Height = height;
    world.Context.PlayerSprite = player;
    return player;
  }

  // Frees the current player the way the frame loop does.
  void RemovePlayer() {
    world.Context.PlayerSprite->MarkDead();
    world.Context.SpriteEngine->RemoveDead();
  }

  int32_t SpriteCount() { return world.Root().SpriteCount; }

  TWorldTestContext world;
};

}  // namespace kestrilo::testing
