// A tiled map of picture frames, optionally repeating endlessly over the view.
// Background planes are background sprites; they never collide.
#pragma once

#include <cstdint>
#include <vector>

#include "sprites/Sprite.h"

namespace kestrilo {

class TPictureCollectionItem;

class TBackgroundSprite : public TSprite {
 public:
  explicit TBackgroundSprite(TSprite* Parent);
  ~TBackgroundSprite() override;

  const char* ClassName() const override { return "TBackgroundSprite"; }

  void OnDraw() override;
  void AddDrawnState(TDrawnStateHash& Hash) override;
  TRect GetBounds() override;

  // New map size with every cell showing frame 0; 0 by 0 when either is <= 0.
  void Resize(int32_t NewColumns, int32_t NewRows);
  // The frame of a map cell, -1 outside the map.
  int32_t TileAt(int32_t Column, int32_t Row) const;
  int32_t Columns() const { return columns_; }
  int32_t Rows() const { return rows_; }

  TPictureCollectionItem* Picture = nullptr;  // not owned
  bool Repeat = false;

 private:
  int32_t columns_ = 0;
  int32_t rows_ = 0;
  std::vector<int32_t> tileMap_;  // row after row
};

// A mod B made non-negative (for wrapping map positions).
int32_t PosMod(int32_t A, int32_t B);

}  // namespace kestrilo
