#include "world/PlayerRef.h"

#include "world/PlayerSprite.h"

namespace kestrilo {

TPlayerRef::TPlayerRef(TPlayerSprite* player) {
  if (player) token_ = player->LifeToken();
}

}  // namespace kestrilo
