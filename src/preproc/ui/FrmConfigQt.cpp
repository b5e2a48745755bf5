// The configuration dialog: the checks and the storing are VentanaQuillon's.
#include "preproc/ui/FrmConfigQt.h"
#include "editor/ui/CtlSelColor.h"
#include "platform/qt/ConvierteQt.h"
#include "preproc/VentanaQuillon.h"
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zt::preproc {

FrmConfigQt::FrmConfigQt(VentanaQuillon& ventana, const Texto& conexion, const Texto& lanzador,
                         const ColoresEditor& c, QWidget* padre)
    : QDialog(padre), txtCadConD(new QLineEdit(AQString(conexion), this)),
      txtSQLPLUS(new QLineEdit(AQString(lanzador), this)),
      cmdAceptar(new QPushButton(QStringLiteral("&ACEPTAR"), this)),
      cmdCerrar(new QPushButton(QStringLiteral("&CANCELAR"), this)), ventana_(ventana) {
  setWindowTitle(QString::fromUtf8("CONFIGURACIÓN"));
  txtCadConD->setObjectName(QStringLiteral("txtCadConD"));
  txtSQLPLUS->setObjectName(QStringLiteral("txtSQLPLUS"));
  auto* col = new QVBoxLayout(this);
  auto* datos = new QFormLayout;
  datos->addRow(QString::fromUtf8("Cadena de conexión:"), txtCadConD);
  datos->addRow(QStringLiteral("Ruta del SQLPLUS:"), txtSQLPLUS);
  txtCadConD->setMinimumWidth(320);
  txtCadConD->setPlaceholderText(QString::fromUtf8("vacía: quillon.db en la carpeta de Quillon"));
  col->addLayout(datos);

  auto* grupo = new QGroupBox(QStringLiteral("Colores del editor"), this);
  auto* rejilla = new QGridLayout(grupo);
  struct Fila {
    CtlSelColor** ctl;
    const char* nombre;
    const char* texto;
    Color color;
  } filas[] = {
      {&ctlColFonEdi, "ctlColFonEdi", "Fondo", c.ColFonEdi},
      {&ctlColTxtNor, "ctlColTxtNor", "Texto normal", c.ColTxtNor},
      {&ctlColFonSel, "ctlColFonSel", "Fondo seleccionado", c.ColFonSel},
      {&ctlColTxtSel, "ctlColTxtSel", "Texto seleccionado", c.ColTxtSel},
      {&ctlColTxtCom, "ctlColTxtCom", "Comentarios", c.ColTxtCom},
      {&ctlColTxtCad, "ctlColTxtCad", "Cadenas", c.ColTxtCad},
      {&ctlColPalRes, "ctlColPalRes", "Palabras reservadas", c.ColPalRes},
      {&ctlColPalRes2, "ctlColPalRes2", "Directivas", c.ColPalRes2},
      {&ctlColTxtFun, "ctlColTxtFun", "Funciones", c.ColTxtFun},
  };
  int i = 0;
  for (const Fila& f : filas) {
    *f.ctl = new CtlSelColor(grupo);
    (*f.ctl)->setObjectName(QString::fromLatin1(f.nombre));
    (*f.ctl)->FijaColor(f.color);
    (*f.ctl)->setFixedSize(48, 22);
    rejilla->addWidget(new QLabel(QString::fromUtf8(f.texto), grupo), i % 5, (i / 5) * 2);
    rejilla->addWidget(*f.ctl, i % 5, (i / 5) * 2 + 1);
    ++i;
  }
  col->addWidget(grupo);
  auto* botones = new QHBoxLayout;
  botones->addStretch();
  botones->addWidget(cmdAceptar);
  botones->addWidget(cmdCerrar);
  col->addLayout(botones);
  cmdAceptar->setDefault(true);
  connect(cmdAceptar, &QPushButton::clicked, this, &FrmConfigQt::Aceptar);
  connect(cmdCerrar, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmConfigQt::Aceptar() {
  ColoresEditor c;
  c.ColFonEdi = ctlColFonEdi->color();
  c.ColTxtNor = ctlColTxtNor->color();
  c.ColFonSel = ctlColFonSel->color();
  c.ColTxtSel = ctlColTxtSel->color();
  c.ColTxtCom = ctlColTxtCom->color();
  c.ColTxtCad = ctlColTxtCad->color();
  c.ColPalRes = ctlColPalRes->color();
  c.ColPalRes2 = ctlColPalRes2->color();
  c.ColTxtFun = ctlColTxtFun->color();
  FalloConfig f = ventana_.Configura(DeQString(txtCadConD->text()), DeQString(txtSQLPLUS->text()), c);
  switch (f.campo) {
  case FalloConfig::Campo::Conexion: txtCadConD->setFocus(); return;
  case FalloConfig::Campo::Lanzador: txtSQLPLUS->setFocus(); return;
  case FalloConfig::Campo::Ninguno: accept();
  }
}

} // namespace zt::preproc
