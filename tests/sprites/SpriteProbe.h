// A sprite for tests that records what the engine does to it and lets a test
// script its reactions.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "sprites/Sprite.h"

namespace kestrilo::test {

// Shared journal of what happened, in order: "move:a", "draw:b", "hit:a>b", "free:c".
using TJournal = std::vector<std::string>;

class TProbeSprite : public TSprite {
 public:
  TProbeSprite(TSprite* Parent, std::string name, TJournal* journal = nullptr)
      : TSprite(Parent), Name(std::move(name)), journal_(journal) {}
  ~TProbeSprite() override { Log("free:" + Name); }

  const char* ClassName() const override { return "TProbeSprite"; }

  void OnMove(int32_t MoveCount) override {
    LastMoveCount = MoveCount;
    Log("move:" + Name);
    if (MoveAction) MoveAction(*this);
  }
  void OnDraw() override { Log("draw:" + Name); }
  void OnCollision(TSprite* Other, bool& Done) override {
    auto* other = dynamic_cast<TProbeSprite*>(Other);
    Log("hit:" + Name + ">" + (other ? other->Name : std::string("?")));
    if (CollisionAction) CollisionAction(*this, Other, Done);
  }
  bool HitTest(TSprite* Other) override { return HitTestAnswer; }

  std::string Name;
  int32_t LastMoveCount = 0;
  bool HitTestAnswer = true;
  std::function<void(TProbeSprite&)> MoveAction;
  std::function<void(TProbeSprite&, TSprite*, bool&)> CollisionAction;

 private:
  void Log(const std::string& entry) {
    if (journal_) journal_->push_back(entry);
  }
  TJournal* journal_;
};

// Names of a parent's children in drawing order.
inline std::vector<std::string> DrawOrder(const TSprite& parent) {
  std::vector<std::string> names;
  for (int32_t i = 0; i < parent.DrawCount(); ++i)
    names.push_back(static_cast<TProbeSprite*>(parent.DrawItem(i))->Name);
  return names;
}

// Entries of the journal that start with a prefix ("draw:", "move:", ...).
inline std::vector<std::string> Only(const TJournal& journal, const std::string& prefix) {
  std::vector<std::string> out;
  for (const auto& e : journal)
    if (e.rfind(prefix, 0) == 0) out.push_back(e.substr(prefix.size()));
  return out;
}

}  // namespace kestrilo::test
