// Reloading a dialog on return from another window.
#include "terminal/ui/DialogoRecargable.h"
#include <QGuiApplication>
#include <QWindow>

namespace zt {

DialogoRecargable::DialogoRecargable(QWidget* padre) : QDialog(padre) {
  connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &DialogoRecargable::VentanaActiva);
}

void DialogoRecargable::showEvent(QShowEvent* e) {
  Carga();
  fuera_ = false;
  QDialog::showEvent(e);
}

void DialogoRecargable::VentanaActiva(QWindow* w) {
  QWindow* propia = windowHandle();
  if (!w || !propia || !isVisible()) return;
  if (w == propia) {
    if (fuera_) Carga();
    fuera_ = false;
    return;
  }
  // Boxes this dialog opened over itself are part of the same edit.
  for (QWindow* p = w->transientParent(); p; p = p->transientParent())
    if (p == propia) return;
  fuera_ = true;
}

} // namespace zt
