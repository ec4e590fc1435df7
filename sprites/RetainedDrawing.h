// The world drawn for frames that mostly show what the frames before showed.
// What the resting children draw (placed objects, animations on the shared
// clocks) is kept as a picture, one for each of the few states of it seen
// last (a torch's frames come round again), and a frame starts as a copy of
// it. Only where the awake children's drawing reaches is drawn again: from a
// second picture of what comes before the first of them in the drawing
// order, with every child from there on whose drawing reaches the place,
// as the picture measured them. The pixels are those of drawing the whole
// tree: outside those places the awake children draw nothing, and inside
// them every child is drawn as the whole tree would draw it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Rect.h"
#include "platform/Surface.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo {

class TRetainedDrawing {
 public:
  // Fills Target with Background and draws the engine's tree onto it, the
  // engine's ViewRect and Target's shrink divisor set as for drawing it
  // whole. Extra stands for whatever else the resting children's drawing
  // depends on that the engine's key cannot see (the caller's own writes to
  // placed objects). False, with Target left to be drawn whole, while the
  // engine cannot draw in parts, when a child was freed while drawing, and
  // while the resting world changes at every frame.
  bool Draw(TSpriteEngine& Engine, TSurface& Target, uint16_t Background, uint64_t Extra);
  // The caller left a frame undrawn, nothing having changed: the state of
  // the last frame drawn held, and a picture of it was worth making.
  void FrameLeftUndrawn() { madeUnused_ = false; }
  // Drops the kept pictures.
  void Forget() {
    pictures_.clear();
    madeUnused_ = false;
  }

  // Pictures of the resting children drawn, and frames started from a kept one.
  int64_t PicturesDrawn() const { return picturesDrawn_; }
  int64_t PicturesReused() const { return picturesReused_; }
  // Frames left to be drawn whole while the resting world changed at every frame.
  int64_t FramesLeftWhole() const { return framesWhole_; }
  // Places drawn again over a picture, for awake children.
  int64_t PlacesDrawn() const { return placesDrawn_; }
  // Pictures kept at most: an animation of a few frames comes round.
  static constexpr size_t kKept = 6;
  // An awake child whose drawing covers at least one part in this many of
  // the view (the level's background follows the camera) would have the view
  // drawn again at every frame: it is drawn with the resting children
  // instead, its drawn state part of the picture's key.
  static constexpr int64_t kLargeShare = 4;

 private:
  // A child drawn from the split on, where it reached in Target's pixels.
  struct TAbove {
    TSprite* Child;
    TRect Place;
    TSpriteEngine::TDrawOrder Order;
  };
  struct TPicture {
    uint64_t Key = 0;
    uint64_t LastUsed = 0;
    TSurface Whole;  // every resting child
    TSurface Under;  // those before the split
    std::vector<TAbove> Above;
    // Above's children by the squares of Target they reach: square s holds
    // AboveInSquares[SquareStart[s] .. SquareStart[s + 1]), in drawing order.
    int32_t SquareColumns = 0;
    std::vector<uint32_t> SquareStart, AboveInSquares;
  };
  static constexpr int32_t kSquare = 32;  // pixels of Target

  TPicture* Kept(uint64_t Key);
  TPicture& Make(TSpriteEngine& Engine, const TSurface& Target, uint16_t Background, uint64_t Key,
                 TSpriteEngine::TDrawOrder Split);
  static void FileAboveInSquares(TPicture& Picture, const TSurface& Target);
  // Target's pixels a drawing over these view points can touch.
  static TRect PlaceOf(const TRect& Reach, const TSurface& Target);
  // The places the awake children's drawing reaches, overlapping ones joined.
  void GatherPlaces();
  void DrawPlace(TSpriteEngine& Engine, TSurface& Target, const TPicture& Picture, const TRect& Place);

  std::vector<TPicture> pictures_;
  // The engine drawn last and its count of changes then: pictures of another
  // engine (or of one made anew where the last one was) are never used.
  const TSpriteEngine* engine_ = nullptr;
  uint64_t engineChanges_ = 0;
  uint64_t uses_ = 0;
  int64_t picturesDrawn_ = 0, picturesReused_ = 0, placesDrawn_ = 0, framesWhole_ = 0;
  uint64_t lastState_ = 0;   // the resting world's state at the last frame
  bool madeUnused_ = false;  // a picture was made and none has been used since
  TSurface probe_;           // keeps no pixels: the awake children are measured on it
  TSurface window_;          // one place drawn again
  std::vector<TSpriteEngine::TDrawnChild> awake_;
  std::vector<TSprite*> withPicture_;  // awake children drawn with the resting ones
  std::vector<TAbove> moving_;         // the other awake children drawing in view
  std::vector<TRect> places_;
  std::vector<uint32_t> found_;
  std::vector<TAbove> there_;
};

}  // namespace kestrilo
