#include "platform/DXDraw.h"

#include <QShowEvent>
#include <QPainter>

namespace kestrilo {

TDXDraw::TDXDraw(QWidget* parent, int width, int height) : QWidget(parent), canvas_(&backBuffer_) {
  setFixedSize(width, height);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

TDXDraw::~TDXDraw() {
  Finalize();
  Notify(TDXDrawNotifyType::dxntDestroying);
}

// The drawing area is shown together with its window; the first showing initialises it.
void TDXDraw::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Initialize();
}

void TDXDraw::Initialize() {
  if (initialized_) return;
  backBuffer_.Resize(width(), height());
  lost_ = false;
  initialized_ = true;
  Notify(TDXDrawNotifyType::dxntSetSurfaceSize);
  Notify(TDXDrawNotifyType::dxntInitializeSurface);
  Notify(TDXDrawNotifyType::dxntInitialize);
  Notify(TDXDrawNotifyType::dxntRestore);
  if (OnInitialize) OnInitialize(this);
}

void TDXDraw::Finalize() {
  if (!initialized_) return;
  canvas_.Release();
  initialized_ = false;
  Notify(TDXDrawNotifyType::dxntFinalizeSurface);
  Notify(TDXDrawNotifyType::dxntFinalize);
  if (OnFinalize) OnFinalize(this);
}

bool TDXDraw::RestoreIfLost() {
  if (!lost_) return true;
  if (!restorable_) return false;
  lost_ = false;
  Notify(TDXDrawNotifyType::dxntRestore);
  return true;
}

bool TDXDraw::ReadyToDraw() {
  if (!initialized_ || backBuffer_.Width() == 0) return false;
  return RestoreIfLost();
}

void TDXDraw::Present() {
  if (!initialized_ || !RestoreIfLost()) return;
  canvas_.Release();
  presented_ = backBuffer_.WrapImage().copy();
  update();
}

void TDXDraw::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (presented_.isNull()) p.fillRect(rect(), Qt::black);
  else p.drawImage(0, 0, presented_);
}

int TDXDraw::RegisterNotifyEvent(TDXDrawNotifyEvent event) {
  const int id = nextId_++;
  listeners_[id] = std::move(event);
  return id;
}

void TDXDraw::UnRegisterNotifyEvent(int id) { listeners_.erase(id); }

void TDXDraw::Notify(TDXDrawNotifyType type) {
  // A listener may unregister itself while being told.
  auto copy = listeners_;
  for (auto& [id, event] : copy)
    if (listeners_.count(id)) event(this, type);
}

}  // namespace kestrilo
