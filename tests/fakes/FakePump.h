// Pump fake with a manual clock: sleeping advances the clock and lets the test act as the world.
#pragma once
#include "platform/Pump.h"
#include <vector>

namespace zt {

class FakePump : public Pump {
public:
  // Runs at every ProcesaEventos and after every sleep: the place where a test feeds the socket,
  // ticks a timer or asks for a stop.
  std::function<void()> alProcesar;
  // Every sleep asked for, in ms.
  std::vector<int> esperas;
  int procesados = 0;
  // Clock step of one round of EsperaHasta.
  int pasoEspera = 10;
  int64_t ahora = 0;

  void ProcesaEventos() override {
    ++procesados;
    if (alProcesar) alProcesar();
  }
  void Duerme(int ms) override {
    esperas.push_back(ms);
    if (ms > 0) ahora += ms;
    ProcesaEventos();
  }
  bool EsperaHasta(const std::function<bool()> &listo, int msMax) override {
    const int64_t fin = ahora + msMax;
    ProcesaEventos();
    while (!listo()) {
      if (ahora >= fin) return false;
      ahora += pasoEspera;
      ProcesaEventos();
    }
    return true;
  }
  int64_t Reloj() const override { return ahora; }
  void Avanza(int64_t ms) { ahora += ms; }
};

} // namespace zt
