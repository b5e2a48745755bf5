// Event pump for polling waits on the one GUI thread.
#pragma once
#include <cstdint>
#include <functional>

namespace zt {

class Pump {
public:
  virtual ~Pump() = default;
  // Runs the pending events (socket data, timers, input) and returns.
  virtual void ProcesaEventos() = 0;
  // Sleeps 'ms' milliseconds while events keep running.
  virtual void Duerme(int ms) = 0;
  // Runs events until 'listo' is true or 'msMax' have passed; true when 'listo' became true.
  virtual bool EsperaHasta(const std::function<bool()>& listo, int msMax) = 0;
  // Milliseconds of a monotonic clock.
  virtual int64_t Reloj() const = 0;
};

} // namespace zt
