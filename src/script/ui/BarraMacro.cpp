#include "script/ui/BarraMacro.h"
#include <QHBoxLayout>
#include <QPushButton>

namespace zt {

BarraMacro::BarraMacro(QWidget* padre) : QWidget(padre, Qt::Tool) {
  setObjectName("frmMacro");
  setWindowTitle("MACROS");
  auto* fila = new QHBoxLayout(this);
  fila->setContentsMargins(4, 4, 4, 4);
  auto boton = [&](const char* nombre, const QString& texto, const QString& ayuda) {
    auto* b = new QPushButton(texto, this);
    b->setObjectName(nombre);
    b->setToolTip(ayuda);
    fila->addWidget(b);
    return b;
  };
  cmdEjec_ = boton("cmdEjec", QString::fromUtf8("▶"), "Ejecutar Macro");
  cmdDeten_ = boton("cmdDeten", QString::fromUtf8("■"), "Detener Macro");
  cmdPaus_ = boton("cmdPaus", QString::fromUtf8("❚❚"), "Pausar Macro");
  connect(cmdEjec_, &QPushButton::clicked, this, &BarraMacro::Ejecutar);
  connect(cmdDeten_, &QPushButton::clicked, this, &BarraMacro::Detener);
  connect(cmdPaus_, &QPushButton::clicked, this, &BarraMacro::Pausar);
  FijaEjecutando(false);
}

void BarraMacro::FijaEjecutando(bool enEjecucion) {
  cmdEjec_->setEnabled(!enEjecucion);
  cmdDeten_->setEnabled(enEjecucion);
}

} // namespace zt
