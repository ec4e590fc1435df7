#include "library/DXImageList.h"

#include "platform/DrawingSurface.h"

namespace kestrilo {

TDXImageList::~TDXImageList() { Unbind(); }

void TDXImageList::SetDXDraw(TDrawingSurface* dxDraw) {
  if (dxDraw == dxDraw_) return;
  Unbind();
  if (!dxDraw) return;
  dxDraw_ = dxDraw;
  notifyId_ = dxDraw->RegisterNotifyEvent([this](TDrawingSurface* sender, TDXDrawNotifyType type) {
    switch (type) {
      case TDXDrawNotifyType::dxntInitialize: Items.Initialize(sender); break;
      case TDXDrawNotifyType::dxntRestore: Items.Restore(); break;
      case TDXDrawNotifyType::dxntFinalize: Items.Finalize(); break;
      case TDXDrawNotifyType::dxntDestroying:
        // The drawing area is going away: keep no pointer to it.
        Items.Finalize();
        dxDraw_->UnRegisterNotifyEvent(notifyId_);
        dxDraw_ = nullptr;
        notifyId_ = 0;
        break;
      default: break;
    }
  });
  // Bound to an area that is already up: make the pictures drawable now.
  if (dxDraw->Initialized()) {
    Items.Initialize(dxDraw);
    Items.Restore();
  }
}

void TDXImageList::Unbind() {
  if (!dxDraw_) return;
  Items.Finalize();
  dxDraw_->UnRegisterNotifyEvent(notifyId_);
  dxDraw_ = nullptr;
  notifyId_ = 0;
}

}  // namespace kestrilo
