// Drawing calls go to the image through a painter kept open until the next paint event.
#include "editor/ui/LienzoQt.h"
#include <QWidget>

namespace zt {

LienzoQt::LienzoQt(QWidget& destino, const QFont& fuente)
    : destino_(destino), fuente_(fuente), metrica_(SurfaceQt::MetricaDe(fuente)) {}

LienzoQt::~LienzoQt() { Termina(); }

void LienzoQt::Termina() {
  superficie_.reset();
  pintor_.reset();
}

SurfaceQt& LienzoQt::Pintor() {
  if (!pintor_) {
    pintor_ = std::make_unique<QPainter>(&imagen_);
    superficie_ = std::make_unique<SurfaceQt>(*pintor_, fuente_);
  }
  return *superficie_;
}

void LienzoQt::Redimensiona() {
  Termina();
  const qreal escala = destino_.devicePixelRatioF();
  imagen_ = QImage(destino_.size() * escala, QImage::Format_RGB32);
  imagen_.setDevicePixelRatio(escala);
  imagen_.fill(destino_.palette().window().color());
}

void LienzoQt::Vuelca(QPainter& p, const QRect& zona) {
  Termina();
  p.drawImage(zona, imagen_,
              QRectF(zona.topLeft() * imagen_.devicePixelRatio(), zona.size() * imagen_.devicePixelRatio()));
}

void LienzoQt::LlenaRect(int x, int y, int ancho, int alto, Color color) {
  if (imagen_.isNull()) return;
  Pintor().LlenaRect(x, y, ancho, alto, color);
  destino_.update(x, y, ancho, alto);
}

void LienzoQt::DibujaTexto(int x, int y, VistaTexto texto, Color color, bool negrita) {
  if (imagen_.isNull()) return;
  Pintor().DibujaTexto(x, y, texto, color, negrita);
  destino_.update(x, y, static_cast<int>(texto.size()) * metrica_.ancho, metrica_.alto);
}

void LienzoQt::Linea(int x1, int y1, int x2, int y2, Color color) {
  if (imagen_.isNull()) return;
  Pintor().Linea(x1, y1, x2, y2, color);
  destino_.update(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized().adjusted(-1, -1, 1, 1));
}

} // namespace zt
