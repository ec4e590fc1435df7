#include "platform/DrawingSurface.h"

#include <algorithm>

namespace kestrilo {

TDrawingSurface::TDrawingSurface(int width, int height) : width_(width), height_(height), canvas_(&backBuffer_) {}

TDrawingSurface::~TDrawingSurface() {
  Finalize();
  Notify(TDXDrawNotifyType::dxntDestroying);
}

void TDrawingSurface::Initialize() {
  if (initialized_) return;
  backBuffer_.Resize(width_, height_);
  lost_ = false;
  initialized_ = true;
  Notify(TDXDrawNotifyType::dxntSetSurfaceSize);
  Notify(TDXDrawNotifyType::dxntInitializeSurface);
  Notify(TDXDrawNotifyType::dxntInitialize);
  Notify(TDXDrawNotifyType::dxntRestore);
  if (OnInitialize) OnInitialize(this);
}

void TDrawingSurface::Finalize() {
  if (!initialized_) return;
  canvas_.Release();
  initialized_ = false;
  Notify(TDXDrawNotifyType::dxntFinalizeSurface);
  Notify(TDXDrawNotifyType::dxntFinalize);
  if (OnFinalize) OnFinalize(this);
}

bool TDrawingSurface::RestoreIfLost() {
  if (!lost_) return true;
  if (!restorable_) return false;
  lost_ = false;
  Notify(TDXDrawNotifyType::dxntRestore);
  return true;
}

bool TDrawingSurface::ReadyToDraw() {
  if (!initialized_ || backBuffer_.Width() == 0) return false;
  return RestoreIfLost();
}

void TDrawingSurface::Present() {
  if (!initialized_ || !RestoreIfLost()) return;
  canvas_.Release();
  presented_ = backBuffer_.WrapImage().copy();
  Presented();
}

void TDrawingSurface::Resize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  if (!initialized_) return;
  canvas_.Release();  // the painter holds the old pixels
  backBuffer_.Resize(width_, height_);
  Notify(TDXDrawNotifyType::dxntSetSurfaceSize);
}

int TDrawingSurface::RegisterNotifyEvent(TDXDrawNotifyEvent event) {
  const int id = nextId_++;
  listeners_[id] = std::move(event);
  return id;
}

void TDrawingSurface::UnRegisterNotifyEvent(int id) { listeners_.erase(id); }

void TDrawingSurface::Notify(TDXDrawNotifyType type) {
  // A listener may unregister itself while being told.
  auto copy = listeners_;
  for (auto& [id, event] : copy)
    if (listeners_.count(id)) event(this, type);
}

}  // namespace kestrilo
