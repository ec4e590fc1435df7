#include "sprites/DXSpriteEngine.h"

namespace kestrilo {

TCustomDXSpriteEngine::TCustomDXSpriteEngine() : engine_(std::make_unique<TSpriteEngine>(nullptr)) {}

TCustomDXSpriteEngine::~TCustomDXSpriteEngine() {
  SetDXDraw(nullptr);
  engine_.reset();
}

void TCustomDXSpriteEngine::Unbind() {
  if (!dxDraw_) return;
  dxDraw_->UnRegisterNotifyEvent(notifyId_);
  // The engine must not keep drawing into a back buffer it no longer hears about.
  if (engine_->Surface == &dxDraw_->Surface()) engine_->SetSurface(nullptr);
  dxDraw_ = nullptr;
  notifyId_ = 0;
}

void TCustomDXSpriteEngine::SetDXDraw(TDrawingSurface* Value) {
  if (Value == dxDraw_) return;
  Unbind();
  if (!Value) return;
  dxDraw_ = Value;
  notifyId_ = dxDraw_->RegisterNotifyEvent(
      [this](TDrawingSurface* sender, TDXDrawNotifyType type) { DXDrawNotifyEvent(sender, type); });
  // A drawing area that is already initialised sends no further notice for it.
  if (dxDraw_->Initialized()) engine_->SetSurface(&dxDraw_->Surface());
}

void TCustomDXSpriteEngine::DXDrawNotifyEvent(TDrawingSurface* Sender, TDXDrawNotifyType NotifyType) {
  switch (NotifyType) {
    case TDXDrawNotifyType::dxntDestroying: Unbind(); break;
    case TDXDrawNotifyType::dxntInitialize: engine_->SetSurface(&Sender->Surface()); break;
    case TDXDrawNotifyType::dxntFinalize: engine_->SetSurface(nullptr); break;
    case TDXDrawNotifyType::dxntSetSurfaceSize:
      // A back buffer of another size: the view is all of it again.
      if (engine_->Surface == &Sender->Surface()) engine_->SetSurface(&Sender->Surface());
      break;
    default: break;
  }
}

void TCustomDXSpriteEngine::Move(int32_t MoveCount) { engine_->Move(MoveCount); }

void TCustomDXSpriteEngine::RemoveDead() { engine_->RemoveDead(); }

void TCustomDXSpriteEngine::Draw() {
  if (dxDraw_ && dxDraw_->Initialized()) engine_->DrawAll();
}

}  // namespace kestrilo
