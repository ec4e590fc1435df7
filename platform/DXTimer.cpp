#include "platform/DXTimer.h"

#include <QGuiApplication>
#include <algorithm>
#include <chrono>

#include "platform/Rounding.h"

namespace kestrilo {

uint32_t SystemMilliseconds() {
  using namespace std::chrono;
  return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

TDXTimer::TDXTimer(TClock clock) : clock_(std::move(clock)) {}

void TDXTimer::SetInterval(int32_t value) {
  interval_ = std::max(value, 0);
  divisor_ = std::max(value, 1);
}

void TDXTimer::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  if (enabled_)
    Start();
  else
    Stop();
}

void TDXTimer::SetActiveOnly(bool value) {
  activeOnly_ = value;
  if (started_) Start();
}

void TDXTimer::BeginIdle() {
  idling_ = true;
  lastTick_ = clock_();
  rateStart_ = lastTick_;
}

void TDXTimer::Start() {
  Stop();
  if (!(activeOnly_ && !appActive_)) BeginIdle();
  started_ = true;
}

void TDXTimer::Stop() {
  idling_ = false;
  started_ = false;
}

void TDXTimer::SetApplicationActive(bool active) {
  appActive_ = active;
  if (!started_ || !activeOnly_) return;
  if (!active)
    idling_ = false;
  else
    BeginIdle();
}

bool TDXTimer::Idle() {
  if (!idling_) return false;
  const uint32_t now = clock_();
  const uint32_t elapsed = now - lastTick_;  // unsigned: the clock's wrap is harmless
  if (elapsed < static_cast<uint32_t>(interval_)) return false;
  const int32_t lag = std::max<int32_t>(static_cast<int32_t>(elapsed / static_cast<uint32_t>(divisor_)), 1);
  lastTick_ = now;
  ++frameCounter_;
  const uint32_t span = std::max<uint32_t>(now - rateStart_, 1);
  if (span >= 1000) {
    framesPerSecond_ = static_cast<int32_t>(Round(frameCounter_ * 1000.0 / span));
    frameCounter_ = 0;
    rateStart_ = now;
  }
  if (OnTimer) OnTimer(lag);
  return true;
}

uint32_t TDXTimer::MillisecondsUntilDue() const {
  if (!idling_) return 0;
  const uint32_t elapsed = clock_() - lastTick_;
  return elapsed >= static_cast<uint32_t>(interval_) ? 0 : static_cast<uint32_t>(interval_) - elapsed;
}

TQtTimerDriver::TQtTimerDriver(TDXTimer* timer, QObject* parent) : QObject(parent), timer_(timer) {
  qtimer_.setSingleShot(true);
  qtimer_.setTimerType(Qt::PreciseTimer);
  connect(&qtimer_, &QTimer::timeout, this, &TQtTimerDriver::Pass);
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    connect(app, &QGuiApplication::applicationStateChanged, this, &TQtTimerDriver::OnApplicationStateChanged);
    timer_->SetApplicationActive(app->applicationState() == Qt::ApplicationActive);
  }
}

void TQtTimerDriver::OnApplicationStateChanged(Qt::ApplicationState state) {
  timer_->SetApplicationActive(state == Qt::ApplicationActive);
  Reschedule();
}

void TQtTimerDriver::Reschedule() {
  if (!timer_->Idling()) {
    qtimer_.stop();
    return;
  }
  qtimer_.start(static_cast<int>(timer_->MillisecondsUntilDue()));
}

void TQtTimerDriver::Pass() {
  timer_->Idle();
  Reschedule();
}

}  // namespace kestrilo
