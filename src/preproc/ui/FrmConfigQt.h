// "CONFIGURACIÓN": the connection, the launch program and the nine editor colours.
#pragma once
#include "editor/Propiedades.h"
#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

namespace zt {
class CtlSelColor;
}

namespace zt::preproc {

class VentanaQuillon;

class FrmConfigQt : public QDialog {
public:
  FrmConfigQt(VentanaQuillon& ventana, const Texto& conexion, const Texto& lanzador,
              const ColoresEditor& colores, QWidget* padre = nullptr);

  QLineEdit* txtCadConD;
  QLineEdit* txtSQLPLUS;
  CtlSelColor *ctlColFonEdi, *ctlColTxtNor, *ctlColFonSel, *ctlColTxtSel, *ctlColTxtCom, *ctlColTxtCad,
      *ctlColPalRes, *ctlColPalRes2, *ctlColTxtFun;
  QPushButton* cmdAceptar;
  QPushButton* cmdCerrar;

private:
  void Aceptar();
  VentanaQuillon& ventana_;
};

} // namespace zt::preproc
