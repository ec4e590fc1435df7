// The root's children that its move pass steps, in Children order.
//
// Most sprites of a large level are placed objects whose step does nothing:
// a still wall, a decoration that does not animate. Such a child rests: it
// leaves this list and the move pass no longer visits it, until a write to a
// field that decides its step wakes it (TSprite::StepIsIdle, WatchedField.h).
// Skipping a step that would change nothing changes nothing, so the pass
// still steps every other child in the same order as the full walk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrilo {

class TSprite;

class TAwakeList {
 public:
  void Clear();
  // Room for Count children, so that a level's worth is listed without regrowing.
  void Reserve(size_t Count) { entries_.reserve(Count); }
  // A child attached after every child in the list.
  void Append(TSprite* Sprite, uint64_t Seq);
  // A woken child, at its place in Children order. During a pass, a child
  // before the one being stepped waits for the next pass, as in the full walk.
  void Insert(TSprite* Sprite, uint64_t Seq);
  // Takes the child out (when present); a running pass is not disturbed.
  void Remove(uint64_t Seq);

  // One pass over the children attached before Limit.
  void BeginPass(uint64_t Limit);
  // The next child to step, or nullptr when the pass is over.
  TSprite* Next();
  // Whether the child just returned by Next is still in the list.
  bool CurrentPresent() const { return started_ && cursor_ < entries_.size() && entries_[cursor_].Sprite; }
  // The child just returned by Next goes to rest.
  void RestCurrent();
  void EndPass();

  size_t Count() const { return entries_.size() - holes_; }
  // Every child in the list, in Children order.
  template <typename TVisit>
  void ForEach(TVisit&& Visit) const {
    for (const TEntry& entry : entries_)
      if (entry.Sprite) Visit(entry.Sprite);
  }

 private:
  struct TEntry {
    uint64_t Seq;
    TSprite* Sprite;  // nullptr: left the list, dropped at the next tidying
  };
  size_t Find(uint64_t Seq) const;
  void Tidy();

  std::vector<TEntry> entries_;  // Seq ascending
  size_t holes_ = 0;
  bool inPass_ = false;
  size_t cursor_ = 0;  // the entry last returned by Next, or the place before the first
  bool started_ = false;
  uint64_t limit_ = 0;
};

}  // namespace kestrilo
