#include "sprites/AnimationClock.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace kestrilo {

TAnimationState StepAnimation(const TAnimationState& State, int32_t MoveCount) {
  TAnimationState next = State;
  double& pos = next.FramePos;
  const int32_t count = State.FrameCount;
  pos += State.FrameSpeed * MoveCount;
  if (State.Looping) {
    if (count > 0) {
      pos -= std::trunc(pos / count) * count;
      if (pos < 0) pos += count;
      // A tiny negative remainder can round up to FrameCount itself, which is no frame.
      if (pos >= count) pos = 0;
    } else {
      pos = 0;
    }
  } else {
    if (pos >= count) {
      pos = count - 1;
      next.FrameSpeed = 0;
    }
    if (pos < 0) {
      pos = 0;
      next.FrameSpeed = 0;
    }
  }
  return next;
}

size_t TAnimationClocks::THashKey::operator()(const TKey& Key) const {
  uint64_t h = Key.Pos * 0x9E3779B97F4A7C15ull;
  h ^= (Key.Speed + 0x632BE59BD9B4E019ull + (h << 6) + (h >> 2));
  h ^= (static_cast<uint64_t>(static_cast<uint32_t>(Key.Count)) << 1 | (Key.Looping ? 1u : 0u)) * 0xC2B2AE3D27D4EB4Full;
  return static_cast<size_t>(h ^ (h >> 29));
}

TAnimationClocks::TKey TAnimationClocks::KeyOf(const TAnimationState& State) {
  return {std::bit_cast<uint64_t>(State.FramePos), std::bit_cast<uint64_t>(State.FrameSpeed), State.FrameCount,
          State.Looping};
}

TAnimationClock* TAnimationClocks::Join(const TAnimationState& State) {
  if (byStateStale_) {
    // Rebuilt only when someone joins: most ticks nobody does.
    byState_.clear();
    for (const auto& clock : clocks_) byState_.try_emplace(KeyOf(clock->state_), clock.get());
    byStateStale_ = false;
  }
  auto [at, made] = byState_.try_emplace(KeyOf(State), nullptr);
  if (made) {
    clocks_.push_back(std::make_unique<TAnimationClock>(State));
    at->second = clocks_.back().get();
  }
  ++at->second->followers_;
  return at->second;
}

size_t TAnimationClocks::Count() const {
  return static_cast<size_t>(
      std::count_if(clocks_.begin(), clocks_.end(), [](const auto& c) { return c->followers_ > 0; }));
}

void TAnimationClocks::Leave(TAnimationClock* Clock) { --Clock->followers_; }

void TAnimationClocks::Step(int32_t MoveCount) {
  if (clocks_.empty()) return;
  std::erase_if(clocks_, [](const std::unique_ptr<TAnimationClock>& c) { return c->followers_ == 0; });
  for (const auto& clock : clocks_) {
    clock->previousPos_ = clock->state_.FramePos;
    clock->state_ = StepAnimation(clock->state_, MoveCount);
  }
  byStateStale_ = true;
}

}  // namespace kestrilo
