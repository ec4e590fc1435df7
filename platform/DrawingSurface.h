// The surface a frame is drawn onto: a 16-bit back buffer with its canvas,
// the image last presented, and the notices that keep the components bound
// to it (sprite engine, picture lists) in step as it is initialised, restored
// and finalised. The drawing area shows it in the main window; the headless
// editor draws onto it with no window at all.
#pragma once

#include <QImage>
#include <functional>
#include <map>

#include "platform/Canvas.h"
#include "platform/Display.h"
#include "platform/Surface.h"
#include "platform/ViewSize.h"

namespace kestrilo {

enum class TDXDrawNotifyType {
  dxntDestroying,
  dxntInitializing,
  dxntInitialize,
  dxntInitializeSurface,
  dxntFinalize,
  dxntFinalizeSurface,
  dxntRestore,
  dxntSetSurfaceSize
};

class TDrawingSurface;
using TDXDrawNotifyEvent = std::function<void(TDrawingSurface* sender, TDXDrawNotifyType type)>;

class TDrawingSurface : public TDisplay {
 public:
  explicit TDrawingSurface(int width = kViewWidth, int height = kViewHeight);
  ~TDrawingSurface() override;
  TDrawingSurface(const TDrawingSurface&) = delete;
  TDrawingSurface& operator=(const TDrawingSurface&) = delete;

  bool Initialized() const override { return initialized_; }
  // Initialised, not initialising, surfaces present and not lost (restoring first).
  bool ReadyToDraw();
  void Initialize();
  void Finalize();

  TSurface& Surface() { return backBuffer_; }
  void FillBackBuffer(uint16_t value) { backBuffer_.Fill(value); }
  TCanvas& BackBufferCanvas() { return canvas_; }
  void ReleaseCanvas() { canvas_.Release(); }
  // Makes the back buffer what is shown.
  void Present();
  // Gives the back buffer another size (the window grew, the preview went on
  // or off); the bound components hear of it. The next frame fills it.
  void Resize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Bound components; the returned id unregisters.
  int RegisterNotifyEvent(TDXDrawNotifyEvent event);
  void UnRegisterNotifyEvent(int id);

  // The initialised event (DXDraw1Initialize).
  std::function<void(TDrawingSurface*)> OnInitialize;
  std::function<void(TDrawingSurface*)> OnFinalize;

  // For tests of the lost-surface rule: mark the surfaces lost and whether a restore works.
  void SimulateSurfaceLoss(bool restorable) {
    lost_ = true;
    restorable_ = restorable;
  }

  // A copy of what was last presented.
  QImage PresentedImage() const { return presented_; }

 protected:
  // A new image was presented (a window showing the surface repaints).
  virtual void Presented() {}

 private:
  void Notify(TDXDrawNotifyType type);
  bool RestoreIfLost();
  int width_, height_;
  TSurface backBuffer_;
  TCanvas canvas_;
  QImage presented_;
  bool initialized_ = false;
  bool lost_ = false;
  bool restorable_ = true;
  int nextId_ = 1;
  std::map<int, TDXDrawNotifyEvent> listeners_;
};

}  // namespace kestrilo
