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

bool PumpQt::EsperaHasta(const std::function<bool()> &listo, int msMax) {
  const int64_t fin = Reloj() + std::max(msMax, 0);
  ProcesaEventos();
  while (!listo()) {
    const int64_t resta = fin - Reloj();
    if (resta <= 0) return false;
    Duerme(int(std::min<int64_t>(resta, 10)));
  }
  return true;
}

int64_t PumpQt::Reloj() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace zt
