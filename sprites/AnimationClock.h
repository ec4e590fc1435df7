// Looping picture animations that run in step, each stepped once per tick
// for all the sprites that show it.
//
// A large level holds tens of thousands of animated decorations, almost all
// out of view, whose whole step is to advance a frame position. Such steps
// depend on nothing but the animation's own state (position, speed, frame
// count, looping) and the tick's move count, so two sprites in the same state
// stay in the same state for ever. Once stepped, a sprite whose step is its
// looping animation alone follows the clock in its state and leaves the move
// pass; its frame position is read from the clock, and settled back into the
// sprite the moment anything else about its animation is written. The values
// are the very ones its own steps would give: the clock steps with the same
// function from the same state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace kestrilo {

// What decides an image sprite's own step.
struct TAnimationState {
  double FramePos = 0;
  double FrameSpeed = 0;
  int32_t FrameCount = 0;
  bool Looping = false;
};

// One step of an animation: the frame position advances by the speed times the
// move count; a looping one wraps around the frame count, another stops (and
// loses its speed) at its first or last frame.
TAnimationState StepAnimation(const TAnimationState& State, int32_t MoveCount);

class TAnimationClock {
 public:
  explicit TAnimationClock(const TAnimationState& State) : state_(State), previousPos_(State.FramePos) {}

  // The frame position after this tick's step, and before it (for a follower
  // the running move pass has not reached yet).
  double Position() const { return state_.FramePos; }
  double PreviousPosition() const { return previousPos_; }
  const TAnimationState& State() const { return state_; }
  size_t Followers() const { return followers_; }

 private:
  friend class TAnimationClocks;
  TAnimationState state_;
  double previousPos_;
  size_t followers_ = 0;
};

class TAnimationClocks {
 public:
  // The clock whose state after this tick's step is State, made when there is
  // none; the caller follows it until Leave.
  TAnimationClock* Join(const TAnimationState& State);
  void Leave(TAnimationClock* Clock);
  // Steps every clock once, at the start of a move pass; clocks nobody
  // follows any more are dropped first.
  void Step(int32_t MoveCount);
  // Clocks with followers.
  size_t Count() const;
  // Every clock with followers.
  template <typename TVisit>
  void ForEach(TVisit&& Visit) const {
    for (const auto& clock : clocks_)
      if (clock->followers_ != 0) Visit(*clock);
  }

 private:
  // States compared bit for bit: equal bits step to equal bits.
  struct TKey {
    uint64_t Pos, Speed;
    int32_t Count;
    bool Looping;
    bool operator==(const TKey&) const = default;
  };
  struct THashKey {
    size_t operator()(const TKey& Key) const;
  };
  static TKey KeyOf(const TAnimationState& State);

  std::vector<std::unique_ptr<TAnimationClock>> clocks_;
  std::unordered_map<TKey, TAnimationClock*, THashKey> byState_;  // by the state after this tick's step
  bool byStateStale_ = false;                                     // the clocks stepped since byState_ was made
};

}  // namespace kestrilo
