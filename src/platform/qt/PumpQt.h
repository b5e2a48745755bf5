// Pump over the Qt event loop.
#pragma once
#include "platform/Pump.h"

namespace zt {

class PumpQt : public Pump {
public:
  void ProcesaEventos() override;
  // Runs a local event loop for 'ms', so sockets and timers keep working.
  void Duerme(int ms) override;
  // Checks 'listo' after each batch of events; idle in between, woken by events or the deadline.
  bool EsperaHasta(const std::function<bool()>& listo, int msMax) override;
  int64_t Reloj() const override;
};

} // namespace zt
