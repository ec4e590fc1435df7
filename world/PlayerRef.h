// A non-owning reference to a player sprite that reads as none once that
// player has been freed. Objects that remember "their" player (a monster's
// Target, a lift's Rider) keep one of these instead of a raw pointer.
#pragma once

#include <memory>

namespace kestrilo {

class TPlayerSprite;

class TPlayerRef {
 public:
  TPlayerRef() = default;
  explicit TPlayerRef(TPlayerSprite* player);

  // The player, or none when it was never set or has been freed since.
  TPlayerSprite* Get() const {
    if (auto token = token_.lock()) return *token;
    return nullptr;
  }
  explicit operator bool() const { return Get() != nullptr; }
  void Reset() { token_.reset(); }

 private:
  std::weak_ptr<TPlayerSprite* const> token_;
};

}  // namespace kestrilo
