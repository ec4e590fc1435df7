// The sprite engine component: owns the root of the sprite tree and binds it
// to a drawing surface, whose notices bind and unbind the back buffer.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/DrawingSurface.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo {

class TCustomDXSpriteEngine {
 public:
  TCustomDXSpriteEngine();
  virtual ~TCustomDXSpriteEngine();
  TCustomDXSpriteEngine(const TCustomDXSpriteEngine&) = delete;
  TCustomDXSpriteEngine& operator=(const TCustomDXSpriteEngine&) = delete;

  virtual const char* ClassName() const { return "TCustomDXSpriteEngine"; }

  // The root of the tree (never nullptr while the component lives).
  TSpriteEngine* Engine() const { return engine_.get(); }

  TDrawingSurface* DXDraw() const { return dxDraw_; }
  // Leaves the old drawing surface's notices and joins the new one's.
  void SetDXDraw(TDrawingSurface* Value);

  void Move(int32_t MoveCount);
  void RemoveDead();
  // Draws the tree, only while the bound drawing surface is initialised.
  void Draw();

 private:
  void DXDrawNotifyEvent(TDrawingSurface* Sender, TDXDrawNotifyType NotifyType);
  void Unbind();

  std::unique_ptr<TSpriteEngine> engine_;
  TDrawingSurface* dxDraw_ = nullptr;  // not owned
  int notifyId_ = 0;
};

class TDXSpriteEngine : public TCustomDXSpriteEngine {
 public:
  const char* ClassName() const override { return "TDXSpriteEngine"; }
};

}  // namespace kestrilo
