// What was drawn onto a surface, kept as its fills and blits instead of its
// pixels, so that a picture as large as a whole level is drawn once and then
// played band by band onto a surface that holds only a band of it
// (TSurface::RecordingInto, TSurface::SetFirstRow). Each band gets exactly
// the pixels the whole picture has in its rows: the same fills and blits, in
// the same order, each clipped as it would be on the whole surface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

#include "platform/Rect.h"

namespace kestrilo {

class TSurface;

class TDrawingRecord {
 public:
  // What the recording surface hears of. The surfaces blitted from are kept
  // by address: they must outlive the record, unchanged.
  void Fill(uint16_t Value);
  void FillRect(const TRect& Rect, uint16_t Value);
  void Blit(int32_t X, int32_t Y, const TSurface& From, const TRect& Source, bool Transparent);

  // Plays what was drawn onto Band, a surface at full size standing for rows
  // of the recorded one (its first row set): only what reaches its rows.
  void PlayOnto(TSurface& Band) const;

  size_t Count() const { return steps_.size(); }

 private:
  struct TStep {
    enum TKind : uint8_t { kFill, kFillRect, kBlit } Kind;
    bool Transparent;
    uint16_t Value;
    int32_t X, Y;
    TRect Rect;  // the source of a blit, the rectangle of a fill
    const TSurface* From;
  };
  // In chunks, so that a level's worth of steps grows without being copied.
  std::deque<TStep> steps_;
};

}  // namespace kestrilo
