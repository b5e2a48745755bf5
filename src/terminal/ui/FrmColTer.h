// The colour dialog "Colores del Terminal": eight colour pickers for the terminal view.
#pragma once
#include "editor/Propiedades.h"
#include "terminal/ui/DialogoRecargable.h"
#include <array>
#include <functional>

class QPushButton;

namespace zt {

class CtlSelColor;

class FrmColTer : public DialogoRecargable {
public:
  // 'Lee' gives the view's colours; 'Guarda' gets them back with the eight pickers' values set.
  FrmColTer(std::function<ColoresEditor()> Lee, std::function<void(const ColoresEditor&)> Guarda,
            QWidget* padre = nullptr);

  // In the order of kColoresTerminal.
  std::array<CtlSelColor*, 8> selectores{};
  QPushButton* cmdAceptar;
  QPushButton* cmdCancelar;

protected:
  void Carga() override;

private:
  void Aceptar();

  std::function<ColoresEditor()> Lee_;
  std::function<void(const ColoresEditor&)> Guarda_;
};

} // namespace zt
