// The terminal colour dialog.
#include "terminal/ui/FrmColTer.h"
#include "editor/ui/CtlSelColor.h"
#include "platform/qt/ConvierteQt.h"
#include "terminal/AjustesTerminal.h"
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace zt {

FrmColTer::FrmColTer(std::function<ColoresEditor()> Lee, std::function<void(const ColoresEditor&)> Guarda,
                     QWidget* padre)
    : DialogoRecargable(padre), Lee_(std::move(Lee)), Guarda_(std::move(Guarda)) {
  setObjectName("frmColTer");
  setWindowTitle("Colores del Terminal");
  setModal(false);
  auto* rejilla = new QGridLayout(this);
  for (size_t i = 0; i < kColoresTerminal.size(); ++i) {
    const ColorDialogo& c = kColoresTerminal[i];
    auto* etiqueta = new QLabel(AQString(Texto(c.etiqueta)), this);
    selectores[i] = new CtlSelColor(this);
    selectores[i]->setObjectName(c.control);
    selectores[i]->setFixedSize(60, 24);
    etiqueta->setBuddy(selectores[i]->Command1());
    rejilla->addWidget(etiqueta, int(i), 0);
    rejilla->addWidget(selectores[i], int(i), 1);
  }
  cmdAceptar = new QPushButton("&Aceptar", this);
  cmdAceptar->setObjectName("cmdAceptar");
  cmdCancelar = new QPushButton("&Cancelar", this);
  cmdCancelar->setObjectName("cmdCancelar");
  auto* botones = new QHBoxLayout;
  botones->addStretch();
  botones->addWidget(cmdAceptar);
  botones->addWidget(cmdCancelar);
  rejilla->addLayout(botones, int(kColoresTerminal.size()), 0, 1, 2);
  connect(cmdAceptar, &QPushButton::clicked, this, &FrmColTer::Aceptar);
  connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmColTer::Carga() {
  const ColoresEditor colores = Lee_ ? Lee_() : ColoresEditor{};
  for (size_t i = 0; i < kColoresTerminal.size(); ++i)
    selectores[i]->FijaColor(colores.*kColoresTerminal[i].campo);
}

void FrmColTer::Aceptar() {
  ColoresEditor colores = Lee_ ? Lee_() : ColoresEditor{};
  for (size_t i = 0; i < kColoresTerminal.size(); ++i)
    colores.*kColoresTerminal[i].campo = selectores[i]->color();
  if (Guarda_) Guarda_(colores);
  accept();
}

} // namespace zt
