// Layouts are plain rows and columns; the behaviour is the editor core's.
#include "editor/ui/DialogosEditorQt.h"
#include "editor/ui/EditorQt.h"
#include "platform/qt/ConvierteQt.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace zt {

FrmBuscar::FrmBuscar(std::function<EditorQt*()> editorActual, QWidget* padre)
    : QDialog(padre), txtBuscar(new QLineEdit(this)),
      chkMayMin(new QCheckBox(QString::fromUtf8("Coincidir Mayúsc./Minúsc."), this)),
      chkPalCom(new QCheckBox(QStringLiteral("Palabra Completa"), this)),
      cmdBuscar(new QPushButton(QStringLiteral("&Buscar"), this)),
      cmdCancel(new QPushButton(QStringLiteral("&Cancelar"), this)), editorActual_(std::move(editorActual)) {
  setWindowTitle(QStringLiteral("Buscar"));
  txtBuscar->setObjectName(QStringLiteral("txtBuscar"));
  auto* rejilla = new QGridLayout(this);
  rejilla->addWidget(txtBuscar, 0, 0);
  rejilla->addWidget(cmdBuscar, 0, 1);
  rejilla->addWidget(chkMayMin, 1, 0);
  rejilla->addWidget(cmdCancel, 1, 1);
  rejilla->addWidget(chkPalCom, 2, 0);
  txtBuscar->setMinimumWidth(220);
  cmdBuscar->setDefault(true);
  connect(cmdBuscar, &QPushButton::clicked, this, &FrmBuscar::Buscar);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::close);
  setAttribute(Qt::WA_DeleteOnClose);
}

void FrmBuscar::Buscar() {
  if (txtBuscar->text().isEmpty()) return;
  EditorQt* w = editorActual_ ? editorActual_() : nullptr;
  if (!w) return;
  CtlEdit& ed = w->ed();
  ed.InicBuscar(DeQString(txtBuscar->text()), 0, !chkMayMin->isChecked(), chkPalCom->isChecked());
  ed.BuscarSig();
  w->Sincroniza();
  w->update();
}

FrmSelFuente::FrmSelFuente(bool haySeleccion, QWidget* padre)
    : QDialog(padre), optSelec(new QRadioButton(QStringLiteral("Texto Seleccionado"), this)),
      OptTodo(new QRadioButton(QStringLiteral("Todo el texto"), this)),
      cmdAceptar(new QPushButton(QStringLiteral("&ACEPTAR"), this)),
      cmdCerrar(new QPushButton(QStringLiteral("&CANCELAR"), this)) {
  setWindowTitle(QStringLiteral("Fuente a Procesar"));
  auto* col = new QVBoxLayout(this);
  col->addWidget(new QLabel(QStringLiteral("Seleccione Fuente a Procesar:"), this));
  col->addWidget(optSelec);
  col->addWidget(OptTodo);
  auto* fila = new QHBoxLayout;
  fila->addWidget(cmdAceptar);
  fila->addWidget(cmdCerrar);
  col->addLayout(fila);
  (haySeleccion ? optSelec : OptTodo)->setChecked(true);
  cmdAceptar->setDefault(true);
  connect(cmdAceptar, &QPushButton::clicked, this, [this] {
    cancel = false;
    accept();
  });
  connect(cmdCerrar, &QPushButton::clicked, this, [this] {
    cancel = true;
    reject();
  });
}

MouseWheel::MouseWheel(QWidget* ventana) : QObject(ventana) { ventana->installEventFilter(this); }

bool MouseWheel::eventFilter(QObject* objeto, QEvent* e) {
  if (e->type() == QEvent::Wheel) {
    auto* w = static_cast<QWheelEvent*>(e);
    if (w->modifiers() == Qt::NoModifier && w->buttons() == Qt::NoButton && w->angleDelta().x() == 0) {
      if (w->angleDelta().y() == -120) emit WheelMove(true);
      if (w->angleDelta().y() == 120) emit WheelMove(false);
    }
  }
  return QObject::eventFilter(objeto, e); // the window handles it as well
}

} // namespace zt
