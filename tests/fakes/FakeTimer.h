// Timer fake ticked by hand.
#pragma once
#include "platform/Timer.h"

namespace zt {

class FakeTimer : public Timer {
public:
  int intervalo = 0;
  int inicios = 0;

  void FijaTic(std::function<void()> tic) override { tic_ = std::move(tic); }
  void Iniciar(int ms) override {
    intervalo = ms;
    ++inicios;
    activo_ = true;
  }
  void Detener() override { activo_ = false; }
  bool Activo() const override { return activo_; }

  // One tick; nothing happens while stopped. Returns whether the tick ran.
  bool Tic() {
    if (!activo_ || !tic_) return false;
    tic_();
    return true;
  }
  // 'n' ticks, stopping early when a tick stops the timer; returns the ticks that ran.
  int Tics(int n) {
    int hechos = 0;
    while (hechos < n && Tic()) ++hechos;
    return hechos;
  }

private:
  std::function<void()> tic_;
  bool activo_ = false;
};

} // namespace zt
