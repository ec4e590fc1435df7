// The picture-list component: owns a picture collection and keeps it in step
// with the drawing surface it is bound to.
#pragma once

#include "library/PictureCollection.h"

namespace kestrilo {

class TDrawingSurface;

class TDXImageList {
 public:
  TDXImageList() = default;
  ~TDXImageList();
  TDXImageList(const TDXImageList&) = delete;
  TDXImageList& operator=(const TDXImageList&) = delete;

  TPictureCollection Items{this};

  TDrawingSurface* DXDraw() const { return dxDraw_; }
  // Binds to a drawing surface (or none): its initialisation initialises the
  // collection, a restore cuts the frames, finalisation frees them, and its
  // destruction makes the list forget it. Binding to an initialised area
  // initialises and restores at once.
  void SetDXDraw(TDrawingSurface* dxDraw);

 private:
  void Unbind();
  TDrawingSurface* dxDraw_ = nullptr;
  int notifyId_ = 0;
};

}  // namespace kestrilo
