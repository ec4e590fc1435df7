#include "sprites/BackgroundSprite.h"

#include <algorithm>

#include "library/PictureCollection.h"
#include "platform/Surface.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo {

int32_t PosMod(int32_t A, int32_t B) {
  if (B == 0) return 0;  // no map to wrap into
  const int64_t r = static_cast<int64_t>(A) % B;
  return static_cast<int32_t>(r < 0 ? r + (B < 0 ? -static_cast<int64_t>(B) : B) : r);
}

TBackgroundSprite::TBackgroundSprite(TSprite* Parent) : TSprite(Parent) {
  CanCollide = false;
  boundsFromFields_ = false;  // the bounds follow the picture, the map and the view
}

TBackgroundSprite::~TBackgroundSprite() { Resize(0, 0); }

void TBackgroundSprite::Resize(int32_t NewColumns, int32_t NewRows) {
  if (NewColumns == columns_ && NewRows == rows_) return;
  if (NewColumns <= 0 || NewRows <= 0) {
    columns_ = 0;
    rows_ = 0;
    std::vector<int32_t>().swap(tileMap_);
    return;
  }
  std::vector<int32_t> map(static_cast<size_t>(NewColumns) * static_cast<size_t>(NewRows), 0);
  tileMap_.swap(map);
  columns_ = NewColumns;
  rows_ = NewRows;
}

int32_t TBackgroundSprite::TileAt(int32_t Column, int32_t Row) const {
  if (Column < 0 || Column >= columns_ || Row < 0 || Row >= rows_) return -1;
  return tileMap_[static_cast<size_t>(Row) * static_cast<size_t>(columns_) + static_cast<size_t>(Column)];
}

TRect TBackgroundSprite::GetBounds() {
  if (Repeat) return Engine ? Engine->ViewRect : TRect{};
  if (!Picture) return {};
  const int64_t left = TruncToInt32(AbsoluteX());
  const int64_t top = TruncToInt32(AbsoluteY());
  const int64_t right = left + static_cast<int64_t>(columns_) * Picture->Width();
  const int64_t bottom = top + static_cast<int64_t>(rows_) * Picture->Height();
  return {static_cast<int32_t>(left), static_cast<int32_t>(top), ClampToInt32(right), ClampToInt32(bottom)};
}

void TBackgroundSprite::AddDrawnState(TDrawnStateHash& Hash) {
  // The map's cells are set by Resize alone, so its size stands for them.
  Hash.Add(static_cast<const void*>(Picture));
  Hash.Add(Repeat);
  Hash.Add(columns_);
  Hash.Add(rows_);
  Hash.Add(TruncToInt32(AbsoluteX()));
  Hash.Add(TruncToInt32(AbsoluteY()));
}

void TBackgroundSprite::OnDraw() {
  if (!Picture || columns_ <= 0 || rows_ <= 0 || !Engine || !Engine->Surface) return;
  const int32_t w = Picture->Width();
  const int32_t h = Picture->Height();
  if (w <= 0 || h <= 0) return;  // an empty picture has no cells to lay out
  TSurface& surface = *Engine->Surface;

  const int32_t ax = TruncToInt32(AbsoluteX());
  const int32_t ay = TruncToInt32(AbsoluteY());
  // Remainders and quotients of truncating division, as the cell layout expects.
  const int32_t ox = ax % w;
  const int32_t oy = ay % h;
  int32_t sx = ax / w;
  int32_t sy = ay / h;
  int32_t skipX = 0, skipY = 0;
  if (sx < 0) {
    skipX = -sx;
    sx = 0;
  }
  if (sy < 0) {
    skipY = -sy;
    sy = 0;
  }
  const TRect& view = Engine->ViewRect;
  const int32_t nx = static_cast<int32_t>((static_cast<int64_t>(view.Right) + w) / w + 1);
  const int32_t ny = static_cast<int32_t>((static_cast<int64_t>(view.Bottom) + h) / h + 1);

  // Only the cells that can reach the pixels the surface keeps (with one to
  // spare on every side): the others would be clipped away whole.
  const TRect covered = surface.Covered();
  const int64_t firstQ = FloorDiv(int64_t{covered.Left} - ox, w) - 1;
  const int64_t lastQ = FloorDiv(int64_t{covered.Right} - 1 - ox, w) + 1;
  const int64_t firstR = FloorDiv(int64_t{covered.Top} - oy, h) - 1;
  const int64_t lastR = FloorDiv(int64_t{covered.Bottom} - 1 - oy, h) + 1;

  auto drawCell = [&](int64_t q, int64_t r, int32_t frame) {
    if (frame >= 0) Picture->Draw(surface, static_cast<int32_t>(q * w + ox), static_cast<int32_t>(r * h + oy), frame);
  };

  if (Repeat) {
    const auto r0 = static_cast<int32_t>(std::max<int64_t>(-1, firstR));
    const auto r1 = static_cast<int32_t>(std::min<int64_t>(ny, lastR));
    const auto q0 = static_cast<int32_t>(std::max<int64_t>(-1, firstQ));
    const auto q1 = static_cast<int32_t>(std::min<int64_t>(nx, lastQ));
    for (int32_t r = r0; r <= r1; ++r) {
      const int32_t row = PosMod(static_cast<int32_t>(static_cast<int64_t>(r) - sy + skipY), rows_);
      for (int32_t q = q0; q <= q1; ++q) {
        const int32_t column = PosMod(static_cast<int32_t>(static_cast<int64_t>(q) - sx + skipX), columns_);
        drawCell(q, r, TileAt(column, row));
      }
    }
    return;
  }
  const int64_t lastRow = std::min<int64_t>(static_cast<int64_t>(sy) + rows_ - skipY, ny);
  const int64_t lastColumn = std::min<int64_t>(static_cast<int64_t>(sx) + columns_ - skipX, nx);
  for (int64_t r = std::max<int64_t>(sy, firstR); r < std::min(lastRow, lastR + 1); ++r)
    for (int64_t q = std::max<int64_t>(sx, firstQ); q < std::min(lastColumn, lastQ + 1); ++q)
      drawCell(q, r, TileAt(static_cast<int32_t>(q - sx + skipX), static_cast<int32_t>(r - sy + skipY)));
}

}  // namespace kestrilo
