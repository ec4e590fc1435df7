// The drawing area: a view-sized widget with a 16-bit back buffer. It
// initialises itself when its window is first shown, tells its bound
// components (sprite engine, picture lists) and raises its initialised event.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "platform/Canvas.h"
#include "platform/Display.h"
#include "platform/Surface.h"
#include "platform/ViewSize.h"

namespace kestrilo {

enum class TDXDrawNotifyType { dxntDestroying, dxntInitializing, dxntInitialize, dxntInitializeSurface,
                               dxntFinalize, dxntFinalizeSurface, dxntRestore, dxntSetSurfaceSize };

class TDXDraw;
using TDXDrawNotifyEvent = std::function<void(TDXDraw* sender, TDXDrawNotifyType type)>;

class TDXDraw : public QWidget, public TDisplay {
  Q_OBJECT
 public:
  explicit TDXDraw(QWidget* parent = nullptr, int width = kViewWidth, int height = kViewHeight);
  ~TDXDraw() override;

  bool Initialized() const override { return initialized_; }
  // Initialised, not initialising, surfaces present and not lost (restoring first).
  bool ReadyToDraw();
  void Initialize();
  void Finalize();

  TSurface& Surface() { return backBuffer_; }
  void FillBackBuffer(uint16_t value) { backBuffer_.Fill(value); }
  TCanvas& BackBufferCanvas() { return canvas_; }
  void ReleaseCanvas() { canvas_.Release(); }
  // Shows the back buffer on screen.
  void Present();

  // Bound components; the returned id unregisters.
  int RegisterNotifyEvent(TDXDrawNotifyEvent event);
  void UnRegisterNotifyEvent(int id);

  // The initialised event (DXDraw1Initialize).
  std::function<void(TDXDraw*)> OnInitialize;
  std::function<void(TDXDraw*)> OnFinalize;

  // For tests of the lost-surface rule: mark the surfaces lost and whether a restore works.
  void SimulateSurfaceLoss(bool restorable) { lost_ = true; restorable_ = restorable; }

  // A copy of what was last presented.
  QImage PresentedImage() const { return presented_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Notify(TDXDrawNotifyType type);
  bool RestoreIfLost();
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
