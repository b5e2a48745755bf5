// The editor's drawing surface: an image the core paints into at any time, copied to the widget
// when Qt asks for a paint.
#pragma once
#include "platform/qt/SurfaceQt.h"
#include <QImage>
#include <QPainter>
#include <memory>

class QWidget;

namespace zt {

class LienzoQt : public Surface {
public:
  LienzoQt(QWidget& destino, const QFont& fuente);
  ~LienzoQt() override;
  // A new blank image of the widget's size.
  void Redimensiona();
  // Ends the pending painting and copies the image onto the widget's painter.
  void Vuelca(QPainter& p, const QRect& zona);
  const QImage& imagen() const { return imagen_; }

  MetricaCelda Metrica() const override { return metrica_; }
  void LlenaRect(int x, int y, int ancho, int alto, Color color) override;
  void DibujaTexto(int x, int y, VistaTexto texto, Color color, bool negrita = false) override;
  void Linea(int x1, int y1, int x2, int y2, Color color) override;

private:
  SurfaceQt& Pintor();
  void Termina();

  QWidget& destino_;
  QFont fuente_;
  MetricaCelda metrica_;
  QImage imagen_;
  std::unique_ptr<QPainter> pintor_;
  std::unique_ptr<SurfaceQt> superficie_;
};

} // namespace zt
