// The terminal dialog "Terminal": lines kept, navigation keys, prompt recognition.
#pragma once
#include "platform/qt/DialogsQt.h"
#include "terminal/AjustesTerminal.h"
#include "terminal/ui/DialogoRecargable.h"
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zt {

class FrmTerminal : public DialogoRecargable {
public:
  // 'Lee' gives the values in force; 'Guarda' stores accepted ones.
  FrmTerminal(std::function<ValoresTerminal()> Lee, std::function<void(const ValoresTerminal&)> Guarda,
              QWidget* padre = nullptr);

  QLineEdit* txtNlin;
  QComboBox* cmbTipTer;
  QComboBox* cmbTamTer;
  QRadioButton* optNormal;
  QRadioButton* optInterc;
  QCheckBox* chkActDetPrm;
  QLabel* Label7;
  QLineEdit* txtPatIni;
  QLabel* Label3;
  QLineEdit* txtPatFin;
  QPushButton* cmdAceptar;
  QPushButton* cmdCancelar;

  Dialogs* dialogos = &dialogosQt_;

protected:
  void Carga() override;

private:
  void Aceptar();
  void HabilitaPatrones();

  std::function<ValoresTerminal()> Lee_;
  std::function<void(const ValoresTerminal&)> Guarda_;
  DialogsQt dialogosQt_;
};

} // namespace zt
