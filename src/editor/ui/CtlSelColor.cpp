// The button's face carries the colour; a click asks the colour box for a new one.
#include "editor/ui/CtlSelColor.h"
#include "platform/qt/ConvierteQt.h"
#include "platform/qt/DialogsQt.h"
#include <QColorDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace zt {

CtlSelColor::CtlSelColor(QWidget* padre) : QWidget(padre), boton_(new QPushButton(this)) {
  boton_->setObjectName(QStringLiteral("Command1"));
  boton_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0); // the button fills the control at any size
  capa->addWidget(boton_);
  personalizados_.fill(RGB(255, 255, 255));
  FijaColor(0);
  connect(boton_, &QPushButton::clicked, this, &CtlSelColor::Pulsado);
}

void CtlSelColor::FijaColor(int64_t valor) {
  if (valor < 0) return;
  color_ = Color(valor);
  FijaBackColor(valor);
}

void CtlSelColor::FijaBackColor(int64_t valor) {
  if (valor < 0) return;
  backColor_ = valor;
  // A style sheet paints the face under every widget style; a plain palette is ignored by some.
  boton_->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #808080; }")
                            .arg(AQColor(Color(valor)).name()));
}

void CtlSelColor::Pulsado() {
  std::optional<Color> elegido = elector_ ? elector_(color_, window(), personalizados_) : std::nullopt;
  if (!elegido) return;
  FijaColor(*elegido);
  emit CambiaColor(color_);
}

std::optional<Color> CtlSelColor::ElectorSistema(Color inicial, QWidget* dueno, Personalizados& propios) {
  if (SinPantalla()) return std::nullopt;
  // The box's custom colours are shared by the whole program: lend it ours for this one choice.
  const int n = std::min<int>(QColorDialog::customCount(), int(propios.size()));
  std::array<QColor, 16> ajenos;
  for (int i = 0; i < n; ++i) {
    ajenos[i] = QColorDialog::customColor(i);
    QColorDialog::setCustomColor(i, AQColor(propios[i]));
  }
  QColor c = QColorDialog::getColor(AQColor(inicial), dueno);
  for (int i = 0; i < n; ++i) {
    propios[i] = DeQColor(QColorDialog::customColor(i));
    QColorDialog::setCustomColor(i, ajenos[i]);
  }
  if (!c.isValid()) return std::nullopt;
  return DeQColor(c);
}

} // namespace zt
