// The drawing-order list settles placements lazily; its order must be exactly
// that of placing each sprite by binary search, one at a time, into one list.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "sprites/SpriteEngine.h"

namespace kestrilo {
namespace {

// The plain list: each placement goes before the first sibling whose Z is >= its own.
class TPlainOrder {
 public:
  void Place(TSprite* s) {
    int low = 0, high = static_cast<int>(items_.size()) - 1;
    while (low <= high) {
      const int mid = (low + high) / 2;
      if (static_cast<int64_t>(items_[static_cast<size_t>(mid)]->Z()) - s->Z() < 0)
        low = mid + 1;
      else
        high = mid - 1;
    }
    items_.insert(items_.begin() + low, s);
  }
  void Remove(TSprite* s) { items_.erase(std::find(items_.begin(), items_.end(), s)); }
  const std::vector<TSprite*>& Items() const { return items_; }

 private:
  std::vector<TSprite*> items_;
};

std::vector<TSprite*> DrawOrder(const TSprite& parent) {
  std::vector<TSprite*> order;
  for (int32_t i = 0; i < parent.DrawCount(); ++i) order.push_back(parent.DrawItem(i));
  return order;
}

TEST(DrawListOrder, RandomPlacementsRemovalsAndNewZMatchOneByOnePlacing) {
  for (uint32_t seed : {1u, 5u, 99u}) {
    std::mt19937 rng(seed);
    TSpriteEngine root;
    TPlainOrder plain;
    std::vector<TSprite*> alive;
    for (int step = 0; step < 3000; ++step) {
      const int roll = static_cast<int>(rng() % 10);
      if (roll < 4 || alive.empty()) {
        auto* s = new TSprite(&root);  // attached at Z 0
        plain.Place(s);
        alive.push_back(s);
        if (rng() % 2 == 0) {  // given its plane at once, as the world builders do
          const int32_t z = -10 * static_cast<int32_t>(rng() % 5);
          if (z != 0) {
            plain.Remove(s);
            s->SetZ(z);
            plain.Place(s);
          }
        }
      } else if (roll < 7) {
        TSprite* s = alive[rng() % alive.size()];
        const int32_t z = static_cast<int32_t>(rng() % 7) * 10 - 40;
        if (z != s->Z()) {
          plain.Remove(s);
          s->SetZ(z);
          plain.Place(s);
        }
      } else {
        const size_t k = rng() % alive.size();
        TSprite* s = alive[k];
        plain.Remove(s);
        alive.erase(alive.begin() + static_cast<std::ptrdiff_t>(k));
        delete s;
      }
      // Read the order only now and then, so that placements pile up unsettled.
      if (step % 37 == 0 || step == 2999) {
        ASSERT_EQ(DrawOrder(root), plain.Items()) << "seed " << seed << " step " << step;
      }
    }
  }
}

TEST(DrawListOrder, ALevelSizedBuildIsOrderedAndEmptiesCleanly) {
  TSpriteEngine root;
  std::vector<TSprite*> planes[5];
  for (int i = 0; i < 20000; ++i) {
    auto* s = new TSprite(&root);
    const int plane = i % 5;
    if (plane > 0) s->SetZ(-10 * plane);
    planes[plane].push_back(s);
  }
  ASSERT_EQ(root.DrawCount(), 20000);
  // Deepest plane first; within a plane the latest placed first.
  size_t k = 0;
  for (int plane = 4; plane >= 0; --plane)
    for (auto it = planes[plane].rbegin(); it != planes[plane].rend(); ++it)
      ASSERT_EQ(root.DrawItem(static_cast<int32_t>(k++)), *it);
  root.ClearChildren();
  EXPECT_EQ(root.DrawCount(), 0);
  EXPECT_EQ(root.ChildCount(), 0);
}

}  // namespace
}  // namespace kestrilo
