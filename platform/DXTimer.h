// The frame timer: fires its tick event from the message loop's idle time when
// at least `Interval` milliseconds have passed, counts frames per second and
// pauses while the application is inactive. The clock is injected so that
// tests control time; TQtTimerDriver runs it from the Qt event loop.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

namespace kestrilo {

class TDXTimer {
 public:
  using TClock = std::function<uint32_t()>;  // milliseconds, wrapping at 2^32
  using TTimerEvent = std::function<void(int32_t lagCount)>;

  explicit TDXTimer(TClock clock);

  int32_t Interval() const { return interval_; }
  void SetInterval(int32_t value);  // stores max(v, 0); divisor max(v, 1)
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool ActiveOnly() const { return activeOnly_; }
  void SetActiveOnly(bool value);
  int32_t FramesPerSecond() const { return framesPerSecond_; }
  bool Started() const { return started_; }
  bool Idling() const { return idling_; }

  TTimerEvent OnTimer;

  // The application became active or inactive.
  void SetApplicationActive(bool active);
  bool ApplicationActive() const { return appActive_; }

  // Start and stop as the form does when it is loaded or `Enabled` changes.
  void Start();
  void Stop();

  // One idle pass of the message loop: ticks when due. Returns true on a tick.
  bool Idle();
  // Milliseconds until the next tick is due (0 when due now or not idling).
  uint32_t MillisecondsUntilDue() const;

 private:
  void BeginIdle();
  TClock clock_;
  int32_t interval_ = 1000;
  int32_t divisor_ = 1000;
  bool enabled_ = true;
  bool activeOnly_ = true;
  bool appActive_ = true;
  bool started_ = false;
  bool idling_ = false;
  uint32_t lastTick_ = 0;
  uint32_t rateStart_ = 0;
  int32_t frameCounter_ = 0;
  int32_t framesPerSecond_ = 0;
};

// The system's millisecond clock.
uint32_t SystemMilliseconds();

// Drives a TDXTimer from the Qt event loop. With an interval above 0 it sleeps
// until the next tick is due instead of spinning; with 0 it ticks at every pass.
class TQtTimerDriver : public QObject {
  Q_OBJECT
 public:
  explicit TQtTimerDriver(TDXTimer* timer, QObject* parent = nullptr);
  // Re-plans after Interval, Enabled or activity changed.
  void Reschedule();

 private:
  void Pass();
  void OnApplicationStateChanged(Qt::ApplicationState state);
  TDXTimer* timer_;
  QTimer qtimer_;
};

}  // namespace kestrilo
