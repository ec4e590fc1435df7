// What the edit view draws over the world for the designer: the half
// transparent ghost of an object where a click would place it, outlines of
// footprints and of the selection. Plain pixel work on 5-6-5 surfaces.
#pragma once

#include <cstdint>

#include "platform/Surface.h"

namespace kestrilo {

class TPictureCollectionItem;

constexpr uint16_t kGhostOutlinePixel = 0xFFE0;      // yellow
constexpr uint16_t kSelectionOutlinePixel = 0x07FF;  // cyan
constexpr uint16_t kFoundOutlinePixel = 0xF81F;      // magenta: placements a search marked

// A one-pixel outline, clipped to the surface.
void OutlineRect(TSurface& Surface, int32_t Left, int32_t Top, int64_t Width, int64_t Height, uint16_t Pixel);
// The picture's first frame at (Left, Top), mixed half and half with what is
// there; its colour-keyed pixels leave the surface alone.
void DrawGhostPicture(TSurface& Surface, const TPictureCollectionItem* Picture, int32_t Left, int32_t Top);

}  // namespace kestrilo
