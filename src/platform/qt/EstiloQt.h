// The application style: the platform's own, with the icons of the tool buttons, dock and menu bar
// drawn here. The style's stock icons come from the icon theme and image files; looking those up
// and decoding them was the largest single cost of showing the first window.
#pragma once
#include <QProxyStyle>

namespace zt {

class EstiloQt : public QProxyStyle {
public:
  EstiloQt();
  QIcon standardIcon(StandardPixmap icono, const QStyleOption* opcion = nullptr,
                     const QWidget* widget = nullptr) const override;

  // True for the stock icons this style draws itself.
  static bool Dibuja(StandardPixmap icono);
};

} // namespace zt
