// Timer over QTimer.
#pragma once
#include "platform/Timer.h"
#include <QTimer>

namespace zt {

class TimerQt : public Timer {
public:
  TimerQt();
  void FijaTic(std::function<void()> tic) override { tic_ = std::move(tic); }
  void Iniciar(int ms) override { timer_.start(ms); }
  void Detener() override { timer_.stop(); }
  bool Activo() const override { return timer_.isActive(); }

private:
  QTimer timer_;
  std::function<void()> tic_;
};

} // namespace zt
