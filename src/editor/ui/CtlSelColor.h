// Colour-picker button: shows a colour as its face and lets the user choose another.
#pragma once
#include "base/Tipos.h"
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QPushButton;

namespace zt {

class CtlSelColor : public QWidget {
  Q_OBJECT
public:
  // The control's own custom colours of the colour box, kept for the life of the control.
  using Personalizados = std::array<Color, 16>;
  // Opens a colour box owned by 'dueno' starting at 'inicial'; nullopt when cancelled. It may
  // change 'personalizados'.
  using Elector = std::function<std::optional<Color>(Color inicial, QWidget* dueno, Personalizados&)>;

  explicit CtlSelColor(QWidget* padre = nullptr);

  Color color() const { return color_; }
  // A negative value is ignored; any other is stored and shown.
  void FijaColor(int64_t valor);
  // The face of the button alone (negative values ignored).
  int64_t BackColor() const { return backColor_; }
  void FijaBackColor(int64_t valor);

  // The enabled flag the hosts keep here; the control itself does not consult it.
  void habilitar() { habilitado_ = true; }
  void deshabilitar() { habilitado_ = false; }
  bool habilitado() const { return habilitado_; }

  // Replaces the system colour box (tests, or a host with its own chooser).
  void FijaElector(Elector elector) { elector_ = std::move(elector); }
  const Personalizados& personalizados() const { return personalizados_; }
  QPushButton* Command1() const { return boton_; }

  // The system colour box with 'personalizados' as its custom colours; nothing without a display.
  static std::optional<Color> ElectorSistema(Color inicial, QWidget* dueno, Personalizados& personalizados);

signals:
  // The user chose a colour in the box (not raised by FijaColor).
  void CambiaColor(quint32 color);

private:
  void Pulsado();

  QPushButton* boton_;
  Color color_ = 0;
  int64_t backColor_ = 0;
  bool habilitado_ = true;
  Personalizados personalizados_;
  Elector elector_ = &CtlSelColor::ElectorSistema;
};

} // namespace zt
