// The environment window.
#include "workspace/ui/FrmEntorno.h"
#include <QApplication>
#include <QLabel>
#include <QListWidget>

namespace zt {

namespace {

// The list's place was given in twips: 400 from the top, 10 narrower than the window.
constexpr int kArribaLista = 400 / 15;
constexpr int kMargenLista = 10 / 15 + 1;

bool EsVentana(const QWidget* w) {
  const Qt::WindowType tipo = w->windowType();
  return tipo == Qt::Window || tipo == Qt::Dialog;
}

} // namespace

FrmEntorno::FrmEntorno(QWidget* padre) : QWidget(padre, Qt::Window) {
  setObjectName("frmEntorno");
  setWindowTitle("Entorno");
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->move(4, 4);
  lstForms = new QListWidget(this);
  lstForms->setObjectName("lstForms");
  resize(420, 300);
  connect(&Timer1_, &QTimer::timeout, this, &FrmEntorno::Actualiza);
  Timer1_.start(1000);
  Actualiza();
}

void FrmEntorno::Actualiza() {
  QStringList nombres;
  for (const QWidget* w : QApplication::topLevelWidgets())
    if (EsVentana(w))
      nombres << (w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName()) +
                     " - " + w->windowTitle();
  Label1->setText("FORMULARIOS CARGADOS: " + QString::number(nombres.size()));
  Label1->adjustSize();
  // Rebuilt only when it changed, so the user's place in the list survives the ticks.
  QStringList actuales;
  for (int i = 0; i < lstForms->count(); ++i) actuales << lstForms->item(i)->text();
  if (actuales == nombres) return;
  lstForms->clear();
  lstForms->addItems(nombres);
}

void FrmEntorno::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  lstForms->setGeometry(0, kArribaLista, std::max(0, width() - kMargenLista),
                        std::max(0, height() - kArribaLista));
}

} // namespace zt
