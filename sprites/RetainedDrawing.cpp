#include "sprites/RetainedDrawing.h"

#include <algorithm>
#include <cstring>

#include "sprites/DrawnState.h"

namespace kestrilo {

namespace {

// Overlapping or touching.
bool Meet(const TRect& a, const TRect& b) {
  return a.Left <= b.Right && b.Left <= a.Right && a.Top <= b.Bottom && b.Top <= a.Bottom;
}

void CopyRows(TSurface& To, int32_t ToX, int32_t ToY, const TSurface& From, const TRect& Part) {
  for (int32_t y = 0; y < Part.Height(); ++y)
    std::memcpy(To.Line(ToY + y) + ToX, From.Line(Part.Top + y) + Part.Left,
                static_cast<size_t>(Part.Width()) * sizeof(uint16_t));
}

void CopyWhole(TSurface& To, const TSurface& From) {
  std::memcpy(To.Pixels(), From.Pixels(),
              static_cast<size_t>(From.Width()) * static_cast<size_t>(From.Height()) * sizeof(uint16_t));
}

}  // namespace

bool TRetainedDrawing::Draw(TSpriteEngine& Engine, TSurface& Target, uint16_t Background, uint64_t Extra) {
  if (!Engine.DrawsInParts() || !Engine.Surface || Target.Width() <= 0 || Target.Height() <= 0) return false;
  if (&Engine != engine_ || Engine.DrawnChanges() < engineChanges_) Forget();
  engine_ = &Engine;
  engineChanges_ = Engine.DrawnChanges();
  const uint64_t removals = Engine.Index().Removals();
  Engine.AwakeReach(probe_, awake_);
  const TRect& view = Engine.ViewRect;
  const int64_t viewArea = int64_t{view.Width()} * view.Height();
  withPicture_.clear();
  moving_.clear();
  TSpriteEngine::TDrawOrder split{INT64_MAX, UINT64_MAX};
  for (const TSpriteEngine::TDrawnChild& awake : awake_) {
    const TRect& r = awake.Reach;
    const int64_t w = std::max<int64_t>(0, int64_t{std::min(r.Right, view.Right)} - std::max(r.Left, view.Left));
    const int64_t h = std::max<int64_t>(0, int64_t{std::min(r.Bottom, view.Bottom)} - std::max(r.Top, view.Top));
    if (viewArea > 0 && w * h * kLargeShare >= viewArea) {
      withPicture_.push_back(awake.Child);
      continue;
    }
    // The split comes before every awake child left out of the pictures,
    // in view or not, so that it stays where it is while they move.
    split = std::min(split, awake.Order);
    if (const TRect place = PlaceOf(r, Target); !place.IsEmpty()) moving_.push_back({awake.Child, place, awake.Order});
  }
  TDrawnStateHash key;
  key.Add(Engine.RestingStateKey(view, withPicture_));
  key.Add(Extra);
  key.Add(Target.Width());
  key.Add(Target.Height());
  key.Add(Target.ShrinkDivisor());
  key.Add(static_cast<int32_t>(Background));
  key.Add(split.Major);
  key.Add(split.Minor);
  const uint64_t state = key.Value();
  const bool holds = state == lastState_;
  lastState_ = state;
  const TPicture* picture = Kept(state);
  if (picture) {
    madeUnused_ = false;
  } else if (madeUnused_ && !holds) {
    // The resting world changes at every frame (a stroke painting, the view
    // scrolling): a picture made now would never be used. The frame is drawn
    // whole until a state holds for two frames.
    ++framesWhole_;
    return false;
  } else {
    picture = &Make(Engine, Target, Background, state, split);
    madeUnused_ = true;
  }
  CopyWhole(Target, picture->Whole);
  GatherPlaces();
  for (const TRect& place : places_) DrawPlace(Engine, Target, *picture, place);
  placesDrawn_ += static_cast<int64_t>(places_.size());
  if (Engine.Index().Removals() == removals) return true;
  // A child was freed while drawing (which only MarkDead should do): the
  // lists may name it.
  Forget();
  return false;
}

TRetainedDrawing::TPicture* TRetainedDrawing::Kept(uint64_t Key) {
  ++uses_;
  for (TPicture& kept : pictures_) {
    if (kept.Key != Key) continue;
    kept.LastUsed = uses_;
    ++picturesReused_;
    return &kept;
  }
  return nullptr;
}

TRetainedDrawing::TPicture& TRetainedDrawing::Make(TSpriteEngine& Engine, const TSurface& Target, uint16_t Background,
                                                   uint64_t Key, TSpriteEngine::TDrawOrder Split) {
  // A new state: drawn into a new picture, or over the one unused longest.
  TPicture* picture = nullptr;
  if (pictures_.size() < kKept) {
    picture = &pictures_.emplace_back();
  } else {
    picture = &*std::min_element(pictures_.begin(), pictures_.end(),
                                 [](const TPicture& a, const TPicture& b) { return a.LastUsed < b.LastUsed; });
  }
  picture->Key = Key;
  picture->LastUsed = uses_;
  for (TSurface* surface : {&picture->Whole, &picture->Under}) {
    if (surface->Width() != Target.Width() || surface->Height() != Target.Height())
      *surface = TSurface::Unfilled(Target.Width(), Target.Height());
  }
  picture->Whole.SetShrinkDivisor(Target.ShrinkDivisor());
  picture->Whole.Fill(Background);
  TSpriteEngine::TRestingDrawing drawing;
  drawing.AlsoDrawn = withPicture_;
  drawing.Split = Split;
  drawing.Reached = [&] { CopyWhole(picture->Under, picture->Whole); };
  TSurface* drawnOn = Engine.Surface;
  Engine.Surface = &picture->Whole;
  Engine.DrawResting(drawing);
  Engine.Surface = drawnOn;
  picture->Above.clear();
  for (const TSpriteEngine::TDrawnChild& drawn : drawing.Above)
    if (const TRect place = PlaceOf(drawn.Reach, Target); !place.IsEmpty())
      picture->Above.push_back({drawn.Child, place, drawn.Order});
  FileAboveInSquares(*picture, Target);
  ++picturesDrawn_;
  return *picture;
}

void TRetainedDrawing::FileAboveInSquares(TPicture& Picture, const TSurface& Target) {
  const int32_t columns = (Target.Width() + kSquare - 1) / kSquare;
  const int32_t rows = (Target.Height() + kSquare - 1) / kSquare;
  Picture.SquareColumns = columns;
  Picture.SquareStart.assign(static_cast<size_t>(columns) * rows + 1, 0);
  auto forSquares = [&](const TRect& place, auto&& visit) {
    for (int32_t r = place.Top / kSquare; r <= (place.Bottom - 1) / kSquare; ++r)
      for (int32_t c = place.Left / kSquare; c <= (place.Right - 1) / kSquare; ++c)
        visit(static_cast<size_t>(r) * columns + c);
  };
  // Counted, then filed, so that each square's list keeps the drawing order.
  for (const TAbove& above : Picture.Above)
    forSquares(above.Place, [&](size_t square) { ++Picture.SquareStart[square + 1]; });
  for (size_t s = 1; s < Picture.SquareStart.size(); ++s) Picture.SquareStart[s] += Picture.SquareStart[s - 1];
  Picture.AboveInSquares.resize(Picture.SquareStart.back());
  std::vector<uint32_t> next(Picture.SquareStart.begin(), Picture.SquareStart.end() - 1);
  for (size_t i = 0; i < Picture.Above.size(); ++i)
    forSquares(Picture.Above[i].Place,
               [&](size_t square) { Picture.AboveInSquares[next[square]++] = static_cast<uint32_t>(i); });
}

TRect TRetainedDrawing::PlaceOf(const TRect& Reach, const TSurface& Target) {
  if (Reach.IsEmpty()) return {};
  const int64_t d = Target.ShrinkDivisor();
  return {static_cast<int32_t>(std::clamp<int64_t>(FloorDiv(Reach.Left, d), 0, Target.Width())),
          static_cast<int32_t>(std::clamp<int64_t>(FloorDiv(Reach.Top, d), 0, Target.Height())),
          static_cast<int32_t>(std::clamp<int64_t>(CeilDiv(Reach.Right, d), 0, Target.Width())),
          static_cast<int32_t>(std::clamp<int64_t>(CeilDiv(Reach.Bottom, d), 0, Target.Height()))};
}

void TRetainedDrawing::GatherPlaces() {
  places_.clear();
  for (const TAbove& moving : moving_) {
    TRect place = moving.Place;
    // Joined with every place it meets, so that no pixel is drawn twice.
    for (size_t i = 0; i < places_.size();) {
      if (Meet(places_[i], place)) {
        place = UnionRect(places_[i], place);
        places_[i] = places_.back();
        places_.pop_back();
        i = 0;
      } else {
        ++i;
      }
    }
    places_.push_back(place);
  }
}

void TRetainedDrawing::DrawPlace(TSpriteEngine& Engine, TSurface& Target, const TPicture& Picture, const TRect& Place) {
  // Every child from the split on whose drawing reaches the place: the
  // resting ones as the picture measured them, the awake ones as measured now.
  found_.clear();
  for (int32_t r = Place.Top / kSquare; r <= (Place.Bottom - 1) / kSquare; ++r)
    for (int32_t c = Place.Left / kSquare; c <= (Place.Right - 1) / kSquare; ++c) {
      const size_t square = static_cast<size_t>(r) * Picture.SquareColumns + c;
      found_.insert(found_.end(), Picture.AboveInSquares.begin() + Picture.SquareStart[square],
                    Picture.AboveInSquares.begin() + Picture.SquareStart[square + 1]);
    }
  std::sort(found_.begin(), found_.end());
  found_.erase(std::unique(found_.begin(), found_.end()), found_.end());
  there_.clear();
  for (uint32_t i : found_)
    if (OverlapRect(Picture.Above[i].Place, Place)) there_.push_back(Picture.Above[i]);
  for (const TAbove& moving : moving_)
    if (OverlapRect(moving.Place, Place)) there_.push_back(moving);
  std::stable_sort(there_.begin(), there_.end(), [](const TAbove& a, const TAbove& b) { return a.Order < b.Order; });

  const int32_t d = Target.ShrinkDivisor();
  if (window_.Width() != Place.Width() || window_.Height() != Place.Height())
    window_ = TSurface::Unfilled(Place.Width(), Place.Height());
  window_.SetShrinkDivisor(d);
  window_.SetFirstColumn(Place.Left * d);
  window_.SetFirstRow(Place.Top * d);
  CopyRows(window_, 0, 0, Picture.Under, Place);
  TSurface* drawnOn = Engine.Surface;
  Engine.Surface = &window_;
  for (const TAbove& child : there_) child.Child->Draw();
  Engine.Surface = drawnOn;
  CopyRows(Target, Place.Left, Place.Top, window_, {0, 0, Place.Width(), Place.Height()});
}

}  // namespace kestrilo
