// Keys become the view's key events; the status panel takes the colours the Telnet object set.
#include "terminal/ui/TerminalQt.h"
#include "editor/ui/TeclasQt.h"
#include "platform/qt/ConvierteQt.h"
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>

namespace zt {

TerminalQt::TerminalQt(CtlEdTelnet& vista, QWidget* padre) : EditorQt(vista, padre), vista_(vista) {
  vista_.alPitar = [] { QApplication::beep(); };
  vista_.alCambiarVista = [this] {
    Sincroniza();
    SincronizaPanel();
  };
  SincronizaPanel();
}

TerminalQt::~TerminalQt() { vista_.alPitar = nullptr; }

void TerminalQt::SincronizaPanel() {
  QLabel* panel = Etiqueta(0);
  if (vista_.lblEstado1.color == tintaPanel_ && vista_.colFondoPanel1 == fondoPanel_) return;
  tintaPanel_ = vista_.lblEstado1.color;
  fondoPanel_ = vista_.colFondoPanel1;
  QString estilo = QStringLiteral("color: %1;").arg(AQColor(tintaPanel_).name());
  if (fondoPanel_ != ColorMenuSistema)
    estilo += QStringLiteral(" background-color: %1;").arg(AQColor(fondoPanel_).name());
  panel->setStyleSheet(estilo);
}

void TerminalQt::TeclaAbajo(int codigo, int shift) { vista_.TeclaAbajoTerm(codigo, shift); }

void TerminalQt::TeclaCaracter(char32_t c) { vista_.TeclaCaracterTerm(c); }

void TerminalQt::keyReleaseEvent(QKeyEvent* e) {
  if (e->isAutoRepeat()) return;
  if (int codigo = CodigoTecla(e->key())) vista_.TeclaArribaTerm(codigo, ShiftDe(e->modifiers()));
}

void TerminalQt::focusInEvent(QFocusEvent* e) {
  EditorQt::focusInEvent(e);
  vista_.Dibujar(); // the cursor block comes back with the caret
  if (alEnfocar) alEnfocar();
}

void TerminalQt::focusOutEvent(QFocusEvent* e) {
  EditorQt::focusOutEvent(e);
  vista_.RedibujaLinea(vista_.y0 + vista_.curY); // and goes with it
}

} // namespace zt
