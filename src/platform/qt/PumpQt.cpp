// Pump over the Qt event loop: sleeping runs a local loop, so nothing stalls during a wait.
#include "platform/qt/PumpQt.h"
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>

namespace zt {

void PumpQt::ProcesaEventos() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void PumpQt::Duerme(int ms) {
  if (ms <= 0) {
    ProcesaEventos();
    return;
  }
  QEventLoop bucle;
  QTimer::singleShot(ms, Qt::PreciseTimer, &bucle, &QEventLoop::quit);
  bucle.exec();
}

// Sleeps in the event dispatcher until something happens: the condition is checked after every
// batch of events, and a timer at the deadline wakes the last wait.
bool PumpQt::EsperaHasta(const std::function<bool()>& listo, int msMax) {
  const int64_t fin = Reloj() + std::max(msMax, 0);
  ProcesaEventos();
  if (listo()) return true;
  QTimer despertador;
  despertador.setSingleShot(true);
  despertador.setTimerType(Qt::PreciseTimer);
  despertador.start(std::max(msMax, 0));
  while (!listo()) {
    const int64_t resta = fin - Reloj();
    if (resta <= 0) return false;
    if (!despertador.isActive()) despertador.start(int(resta)); // a timer that fired a little early
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
  return true;
}

int64_t PumpQt::Reloj() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace zt
