// Surface over a QPainter with a fixed-pitch font; lives for one paint.
#pragma once
#include "platform/Surface.h"
#include <QFont>

class QPainter;

namespace zt {

class SurfaceQt : public Surface {
public:
  SurfaceQt(QPainter &pintor, const QFont &fuente);
  // The cell of 'fuente': the advance of "M" and the line height.
  static MetricaCelda MetricaDe(const QFont &fuente);
  MetricaCelda Metrica() const override { return metrica_; }
  void LlenaRect(int x, int y, int ancho, int alto, Color color) override;
  // Every character sits in its own cell, even when the font falls back to a wider glyph.
  void DibujaTexto(int x, int y, VistaTexto texto, Color color, bool negrita = false) override;
  void Linea(int x1, int y1, int x2, int y2, Color color) override;

private:
  QPainter &pintor_;
  QFont fuente_;
  QFont negrita_;
  MetricaCelda metrica_;
  int ascenso_;
};

} // namespace zt
