// The picture-list component: owns a picture collection and keeps it in step
// with the drawing area it is bound to.
#pragma once

#include "library/PictureCollection.h"

namespace kestrilo {

class TDXDraw;

class TDXImageList {
 public:
  TDXImageList() = default;
  ~TDXImageList();
  TDXImageList(const TDXImageList&) = delete;
  TDXImageList& operator=(const TDXImageList&) = delete;

  TPictureCollection Items{this};

  TDXDraw* DXDraw() const { return dxDraw_; }
  // Binds to a drawing area (or none): its initialisation initialises the
  // collection, a restore cuts the frames, finalisation frees them, and its
  // destruction makes the list forget it. Binding to an initialised area
  // initialises and restores at once.
  void SetDXDraw(TDXDraw* dxDraw);

 private:
  void Unbind();
  TDXDraw* dxDraw_ = nullptr;
  int notifyId_ = 0;
};

}  // namespace kestrilo
