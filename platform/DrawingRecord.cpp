#include "platform/DrawingRecord.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

#include "platform/Surface.h"

namespace kestrilo {

void TDrawingRecord::Fill(uint16_t Value) { steps_.push_back({TStep::kFill, false, Value, 0, 0, {}, nullptr}); }

void TDrawingRecord::FillRect(const TRect& Rect, uint16_t Value) {
  steps_.push_back({TStep::kFillRect, false, Value, 0, 0, Rect, nullptr});
}

void TDrawingRecord::Blit(int32_t X, int32_t Y, const TSurface& From, const TRect& Source, bool Transparent) {
  if (Source.Bottom <= Source.Top || Source.Right <= Source.Left) return;  // writes nothing
  steps_.push_back({TStep::kBlit, Transparent, 0, X, Y, Source, &From});
}

void TDrawingRecord::PlayOnto(TSurface& Band) const {
  if (Band.ShrinkDivisor() != 1) throw std::logic_error("A recording is played onto bands at full size");
  const int64_t top = Band.FirstRow();
  const int64_t bottom = top + Band.Height();
  for (const TStep& step : steps_) {
    switch (step.Kind) {
      case TStep::kFill: Band.Fill(step.Value); break;
      case TStep::kFillRect: {
        if (step.Rect.Bottom <= top || step.Rect.Top >= bottom) break;
        // A band fills its pixels as kept: the rectangle is moved to its rows.
        auto shift = [&](int32_t row) {
          return static_cast<int32_t>(std::clamp<int64_t>(row - top, INT32_MIN, INT32_MAX));
        };
        Band.FillRect({step.Rect.Left, shift(step.Rect.Top), step.Rect.Right, shift(step.Rect.Bottom)}, step.Value);
        break;
      }
      case TStep::kBlit: {
        // However the source is clipped, the rows written lie within Y and
        // Y + the source's height.
        const int64_t rows = static_cast<int64_t>(step.Rect.Bottom) - step.Rect.Top;
        if (step.Y + rows <= top || step.Y >= bottom) break;
        Band.Blit(step.X, step.Y, *step.From, step.Rect, step.Transparent);
        break;
      }
    }
  }
}

}  // namespace kestrilo
