#include "world/EnemyWalker.h"

#include <cmath>
#include <numbers>

#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "sprites/SpriteEngine.h"
#include "world/Blast.h"
#include "world/Bomb.h"
#include "world/GameContext.h"
#include "world/MonsterShot.h"
#include "world/ObjectPictures.h"
#include "world/PlayerShot.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

namespace {

constexpr double kNearX = 160;       // facing and shooting distance, horizontally
constexpr double kNearY = 64;        // ... and vertically
constexpr double kJumpReachY = 128;  // jumping distance vertically (160 horizontally)
constexpr double kJumpRise = 1.2;    // pixels per tick upwards during a jump
constexpr double kJumpStep = 4;      // pixels per tick sideways during a jump
constexpr int32_t kBombEvery = 20;   // ticks counted before the next bomb
constexpr int32_t kTouchBlasts = 5;

bool LooksLeft(TMonster::TState state) { return state % 2 == 1; }

// A lower bound plus a random part below the upper bound. A record whose upper
// bound is below the lower one uses the lower bound alone.
int32_t DrawBetween(TRandom& random, uint16_t low, uint16_t high) {
  if (high < low) return low;
  return low + random.Random(high - low);
}

}  // namespace

TEnemyWalker::TEnemyWalker(TSprite* Parent, const TMonsterRecord& ARecord, double AX, double AY) : TMonster(Parent) {
  ShowPicture(*this, FindObjectPicture(*this, ARecord.Name));
  Record = ARecord;
  State = stWalkLeft;
  Restart = false;
  Dying = false;
  if (TGameContext* context = ContextOf(this)) {
    Health = DrawBetween(context->Random, Record.HealthMin, Record.HealthMax);
  } else {
    Health = Record.HealthMin;
  }
  Height -= 4;
  Jumping = false;
  Target.Start(*this);
  X = HomeX = AX;
  Y = HomeY = AY;
  State = stWalkLeft;
  StartRangeAnimation();
  Asleep = false;
  ShotTimer = 120;
  Record.ShotDelay = TMonsterRecord::kPlayedShotDelay;
  BombTimer = 100;
}

TPlayerSprite* TEnemyWalker::Player() const {
  // Target is refreshed by OnMove; between ticks it is read without refreshing.
  return Target.Watching() ? CurrentPlayer(this) : nullptr;
}

int32_t TEnemyWalker::DrawDamage() {
  TGameContext* context = ContextOf(this);
  if (context == nullptr) return Record.DamageMin;
  return DrawBetween(context->Random, Record.DamageMin, Record.DamageMax);
}

bool TEnemyWalker::PlayerNear() const {
  const TPlayerSprite* p = Player();
  return p != nullptr && X - kNearX <= p->X && p->X <= X + kNearX && Y - kNearY <= p->Y && p->Y <= Y + kNearY;
}

bool TEnemyWalker::JumpReach() {
  const TPlayerSprite* p = Player();
  if (p == nullptr) return false;
  if (!(X - kNearX <= p->X && p->X <= X + kNearX && Y - kJumpReachY <= p->Y && p->Y <= Y + kJumpReachY)) {
    return false;
  }
  // A dying monster neither turns nor jumps.
  if (IsDyingState()) return false;
  // Turning towards the player stays even when the air is not free.
  if (p->X < X) State = stWalkLeft;
  if (p->X > X) State = stWalkRight;
  const TGameContext* context = ContextOf(this);
  const TMatrix* matrix = context ? context->PlayedLevel.get() : nullptr;
  if (matrix == nullptr) return false;
  if (State != stWalkLeft && State != stWalkRight) return false;
  constexpr int32_t kCell = TMatrix::kCellSize;
  for (int i = 0; i <= 5; ++i) {
    for (int j = 0; j <= 4; ++j) {
      const bool free = State == stWalkLeft ? matrix->IsLeftFree(Width, Height, X - kCell * i, Y - kCell * j)
                                            : matrix->IsRightFree(Width, Height, X + kCell * i, Y - kCell * j);
      if (!free) return false;
    }
  }
  return true;
}

void TEnemyWalker::Fire() {
  if (Record.ShotPicture.empty()) return;
  TPictureCollectionItem* picture = FindObjectPictureOrNone(*this, Record.ShotPicture);
  if (picture == nullptr) return;
  auto* shot = new TAmmoFire(Engine);
  shot->Damage = static_cast<int16_t>(DrawDamage());
  ShowPicture(*shot, *picture);
  LoopFrames(*shot, kShotFrameSpeed);
  const bool left = LooksLeft(State);
  shot->Direction = left ? kFacingLeft : kFacingRight;
  shot->X = X + (left ? Width / 3 : 2 * (Width / 3));
  shot->Y = Y + Height / 2;
}

void TEnemyWalker::DropBomb() {
  const TPlayerSprite* p = Player();
  if (p == nullptr || p->X < X || p->X > X + Width) return;
  if (BombTimer < kBombEvery) {
    BombTimer += 1;
    return;
  }
  BombTimer = 0;
  // The bomb takes its picture before its damage is drawn: a bomb that cannot be
  // made draws no number.
  auto* bomb = new TBomb(Engine);
  bomb->Damage = static_cast<int16_t>(DrawDamage());
  bomb->X = X + Width / 2;
  bomb->Y = Y + Height + 1;
  bomb->SetZ(TBomb::kDrawZ);
}

void TEnemyWalker::OnMove(int32_t MoveCount) {
  TMonster::OnMove(MoveCount);
  TGameContext* context = ContextOf(this);
  if (context == nullptr) return;

  // With the preview off the monster keeps its place and only animates.
  if (context->IsEditing()) {
    if (X != HomeX || Y != HomeY) {
      X = HomeX;
      Y = HomeY;
    }
    return;
  }
  if (Dying) return;

  TPlayerSprite* p = Target.Current(*this);
  if (Record.WakeByDistance) {
    if (p == nullptr) return;
    const double r = Record.WakeDistance * static_cast<double>(TMatrix::kCellSize);
    Asleep = p->X < X - r || p->X > X + r || p->Y < Y - r || p->Y > Y + r;
    if (Asleep) return;
  }

  CheckCollisions();
  // A touch attack may have removed the player; look again.
  p = Target.Current(*this);

  // A dying monster stays dying: a shot that kills one with no hit range
  // leaves Busy at 0, and turning it to face the player would bring it back.
  if (Record.Hunter && !Busy && !IsDyingState() && PlayerNear()) {
    if (p->X < X) State = stFaceLeft;
    if (p->X > X) State = stFaceRight;
  }

  if (Record.MoveMode == TMonsterRecord::mmFliesAndBombs) {
    Fly(MoveCount);
    return;
  }
  const TMatrix* matrix = context->PlayedLevel.get();
  if (matrix == nullptr) return;

  if (Record.MoveMode == TMonsterRecord::mmWalksAndFalls && !Jumping &&
      matrix->IsBelowFree(Width - TMatrix::kCellSize, Height, X, Y + 2))
    Y += 2;

  if (RangeAnimation && Record.CanJump && !Jumping && !matrix->IsBelowFree(Width, Height, X, Y + 2) && JumpReach()) {
    JumpTarget = {State == stWalkLeft ? X - kNearX : X + kNearX, Y - kJumpReachY};
    Jumping = true;
  }

  if (Jumping) {
    // Walls are not asked during a jump; only walking states move sideways.
    Y -= kJumpRise;
    if (State == stWalkLeft) {
      X -= kJumpStep;
      if (X < JumpTarget.x) Jumping = false;
    } else if (State == stWalkRight) {
      X += kJumpStep;
      if (X > JumpTarget.x) Jumping = false;
    }
    return;
  }
  if (RangeAnimation) Walk(MoveCount);
}

void TEnemyWalker::Fly(int32_t MoveCount) {
  DropBomb();
  WaveCounter = static_cast<uint8_t>(WaveCounter + 1);
  const TMatrix* matrix = ContextOf(this)->PlayedLevel.get();
  if (matrix == nullptr) return;
  const double step = MoveCount * 0.02 * Record.WalkSpeed;
  if (RangeAnimation) {
    if (State == stWalkLeft) {
      if (matrix->IsLeftFree(Width, Height, X, Y)) {
        X -= step;
      } else {
        State = stWalkRight;
      }
    } else if (State == stWalkRight) {
      if (matrix->IsRightFree(Width, Height, X, Y)) {
        X += step;
      } else {
        State = stWalkLeft;
      }
    }
  }
  if (matrix->IsTopFree(Width, X, Y - Height / 4) && matrix->IsBelowFree(Width, Height, X, Y + Height / 4)) {
    Y += std::sin(2 * std::numbers::pi * WaveCounter / 256);
  }
}

void TEnemyWalker::Walk(int32_t MoveCount) {
  const TMatrix* matrix = ContextOf(this)->PlayedLevel.get();
  const double step = MoveCount * 0.02 * Record.WalkSpeed;
  switch (State) {
    case stWalkLeft:
      if (matrix->IsLeftFree(Width, Height, X, Y) && !matrix->IsBelowFree(Width - 1, Height, X - Width + 32, Y + 32)) {
        X -= step;
      } else {
        State = stWalkRight;
      }
      break;
    case stWalkRight:
      if (matrix->IsRightFree(Width, Height, X, Y) && !matrix->IsBelowFree(Width - 1, Height, X + Width, Y + 32)) {
        X += step;
      } else {
        State = stWalkLeft;
      }
      break;
    case stFaceLeft:
      if (Record.ShotDelay < ShotTimer) {
        State = stWalkLeft;
        ShotTimer = 0;
        Fire();
      } else {
        ShotTimer += 1;
      }
      break;
    case stFaceRight:
      if (Record.ShotDelay < ShotTimer) {
        Fire();
        State = stWalkRight;
        FramePos = RangeFirst(stWalkRight);
        ShotTimer = 0;
      } else {
        ShotTimer += 1;
      }
      break;
    default: break;  // hit and dying: the state animation runs
  }
}

void TEnemyWalker::OnCollision(TSprite* Other, bool& Done) {
  Done = true;  // at most one sprite per tick: the first one found
  if (Dying || Asleep || Other == nullptr) return;
  if (ContextOf(this) == nullptr) return;  // outside a game there is no one to hurt or be hurt by

  TPlayerSprite* p = Target.Current(*this);
  if (!Record.Hunter && p != nullptr && Other == p) {
    Explode(*p);
    return;
  }
  if (dynamic_cast<TAmmoFireP*>(Other) != nullptr) TakeShot(*Other);
}

void TEnemyWalker::Explode(TPlayerSprite& Victim) {
  TGameContext* context = ContextOf(this);
  TRandom& random = context->Random;
  // Each blast takes its picture before its place is drawn.
  for (int i = 0; i < kTouchBlasts; ++i) {
    auto* blast = new TBlast(Engine);
    blast->X = X - Width + random.Random(2 * Width);
    blast->Y = Y + random.Random(20);
    blast->SetZ(TBlast::kDrawZ);
  }
  Victim.TakeDamage(DrawDamage());
  MarkDead();
}

void TEnemyWalker::TakeShot(TSprite& Shot) {
  TGameContext* context = ContextOf(this);
  // The shot's damage is the player's; a player freed meanwhile does none.
  const TPlayerSprite* p = CurrentPlayer(this);
  const int32_t damage = p ? p->ShotDamage : 0;

  if (RangeFirst(stHitLeft) == RangeLast(stHitLeft)) {
    TRandom& random = context->Random;
    auto* blast = new TBlast(Engine);  // its picture first, then its place is drawn
    const int32_t first = random.Random(5);
    const int32_t second = random.Random(5);
    if (first < second) {
      blast->X = X + Width / 2 - random.Random(10);
    } else {
      blast->X = X + random.Random(30);
    }
    blast->Y = Y + random.Random(20);
    blast->SetZ(TBlast::kDrawZ);
    Health -= damage;
    if (Health < 0) State = LooksLeft(State) ? stDyingLeft : stDyingRight;
    Shot.MarkDead();
    return;
  }
  State = LooksLeft(State) ? stHitLeft : stHitRight;
  Busy = true;
  Restart = true;
  Shot.MarkDead();
  Health -= damage;
  if (Health < 0) State = LooksLeft(State) ? stDyingLeft : stDyingRight;
}

}  // namespace kestrilo
