// Surface over QPainter: runs of plain characters in one call, the rest cell by cell.
#include "platform/qt/SurfaceQt.h"
#include "platform/qt/ConvierteQt.h"
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>

namespace zt {

namespace {
// Characters a fixed-pitch font draws in exactly one cell.
bool Sencillo(char32_t c) { return c >= 0x20 && c < 0x0300; }

// Byte escapes and control characters have no glyph of their own.
char32_t Visible(char32_t c) {
  if (c < 0x20 || (c >= 0xD800 && c <= 0xDFFF)) return 0xFFFD;
  return c;
}

// Fonts advance by fractions of a pixel, cells by whole pixels: a run drawn at the font's own
// pitch would drift from its cells and leave a gap where the next colour begins.
void AjustaPaso(QFont& f, int ancho) {
  f.setLetterSpacing(QFont::AbsoluteSpacing, 0);
  f.setLetterSpacing(QFont::AbsoluteSpacing, ancho - QFontMetricsF(f).horizontalAdvance(QLatin1Char('M')));
}
} // namespace

SurfaceQt::SurfaceQt(QPainter& pintor, const QFont& fuente)
    : pintor_(pintor), fuente_(fuente), negrita_(fuente), metrica_(MetricaDe(fuente)),
      ascenso_(QFontMetrics(fuente).ascent()) {
  negrita_.setBold(true);
  AjustaPaso(fuente_, metrica_.ancho);
  AjustaPaso(negrita_, metrica_.ancho);
}

MetricaCelda SurfaceQt::MetricaDe(const QFont& fuente) {
  QFontMetrics fm(fuente);
  return {std::max(1, fm.horizontalAdvance(QLatin1Char('M'))), std::max(1, fm.height())};
}

void SurfaceQt::LlenaRect(int x, int y, int ancho, int alto, Color color) {
  pintor_.fillRect(x, y, ancho, alto, AQColor(color));
}

void SurfaceQt::DibujaTexto(int x, int y, VistaTexto texto, Color color, bool negrita) {
  pintor_.setFont(negrita ? negrita_ : fuente_);
  pintor_.setPen(AQColor(color));
  const int base = y + ascenso_;
  std::size_t i = 0;
  while (i < texto.size()) {
    std::size_t j = i;
    while (j < texto.size() && Sencillo(texto[j])) ++j;
    if (j > i) {
      pintor_.drawText(x + int(i) * metrica_.ancho, base, AQString(texto.substr(i, j - i)));
      i = j;
      continue;
    }
    const char32_t c = Visible(texto[i]);
    pintor_.drawText(x + int(i) * metrica_.ancho, base, AQString(VistaTexto(&c, 1)));
    ++i;
  }
}

void SurfaceQt::Linea(int x1, int y1, int x2, int y2, Color color) {
  pintor_.setPen(AQColor(color));
  pintor_.drawLine(x1, y1, x2, y2);
}

} // namespace zt
