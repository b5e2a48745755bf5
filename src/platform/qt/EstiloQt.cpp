// Icons drawn as vectors on a 16-unit square, so they stay sharp at any size and scale.
#include "platform/qt/EstiloQt.h"
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <algorithm>

namespace zt {

namespace {

using SP = QStyle::StandardPixmap;

constexpr SP kPropios[] = {SP::SP_DialogOpenButton,
                           SP::SP_DialogSaveButton,
                           SP::SP_FileIcon,
                           SP::SP_ArrowRight,
                           SP::SP_MediaSeekForward,
                           SP::SP_MediaPlay,
                           SP::SP_MediaStop,
                           SP::SP_MediaPause,
                           SP::SP_BrowserStop,
                           SP::SP_TitleBarCloseButton,
                           SP::SP_DockWidgetCloseButton,
                           SP::SP_TitleBarNormalButton,
                           SP::SP_ToolBarHorizontalExtensionButton,
                           SP::SP_ToolBarVerticalExtensionButton};

QPolygonF Puntos(std::initializer_list<QPointF> p) { return QPolygonF(QList<QPointF>(p)); }

void Relleno(QPainter& p, const QPolygonF& figura, const QColor& fondo, const QColor& borde) {
  p.setPen(QPen(borde, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(fondo);
  p.drawPolygon(figura);
}

void Trazo(QPainter& p, const QPolygonF& linea, const QColor& tinta, qreal grosor) {
  p.setPen(QPen(tinta, grosor, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(linea);
}

void Traza(QPainter& p, SP icono, const QColor& tinta) {
  switch (icono) {
  case SP::SP_DialogOpenButton: {
    const QColor borde(0x8a, 0x64, 0x14);
    Relleno(p, Puntos({{1.5, 3}, {6, 3}, {7.5, 4.5}, {13.5, 4.5}, {13.5, 13}, {1.5, 13}}), QColor(0xd9, 0xa4, 0x33),
            borde);
    Relleno(p, Puntos({{4, 7.5}, {15, 7.5}, {13.5, 13}, {1.5, 13}}), QColor(0xf2, 0xc9, 0x5c), borde);
    break;
  }
  case SP::SP_DialogSaveButton: {
    Relleno(p, Puntos({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}), QColor(0x3d, 0x6f, 0xb0),
            QColor(0x22, 0x44, 0x70));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 2, 7.5, 4.5));
    p.setBrush(QColor(0xd4, 0xdc, 0xe8));
    p.drawRect(QRectF(4, 9.5, 8, 5));
    break;
  }
  case SP::SP_FileIcon:
    Relleno(p, Puntos({{3, 1.5}, {10, 1.5}, {13, 4.5}, {13, 14.5}, {3, 14.5}}), Qt::white, tinta);
    Trazo(p, Puntos({{10, 1.5}, {10, 4.5}, {13, 4.5}}), tinta, 1);
    break;
  case SP::SP_ArrowRight:
    Trazo(p, Puntos({{2.5, 8}, {12.5, 8}}), tinta, 1.8);
    Trazo(p, Puntos({{8.5, 4}, {12.5, 8}, {8.5, 12}}), tinta, 1.8);
    break;
  case SP::SP_MediaSeekForward:
    Relleno(p, Puntos({{1.5, 3.5}, {8, 8}, {1.5, 12.5}}), tinta, tinta);
    Relleno(p, Puntos({{8, 3.5}, {14.5, 8}, {8, 12.5}}), tinta, tinta);
    break;
  case SP::SP_MediaPlay:
    Relleno(p, Puntos({{4, 2.5}, {13.5, 8}, {4, 13.5}}), QColor(0x2f, 0x9a, 0x45), QColor(0x1d, 0x66, 0x2c));
    break;
  case SP::SP_MediaStop:
    Relleno(p, Puntos({{3.5, 3.5}, {12.5, 3.5}, {12.5, 12.5}, {3.5, 12.5}}), tinta, tinta);
    break;
  case SP::SP_MediaPause:
    Relleno(p, Puntos({{3.5, 3}, {6.5, 3}, {6.5, 13}, {3.5, 13}}), tinta, tinta);
    Relleno(p, Puntos({{9.5, 3}, {12.5, 3}, {12.5, 13}, {9.5, 13}}), tinta, tinta);
    break;
  case SP::SP_BrowserStop:
    p.setPen(QPen(QColor(0x8e, 0x1f, 0x1f), 1));
    p.setBrush(QColor(0xcc, 0x33, 0x33));
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    Trazo(p, Puntos({{5.5, 5.5}, {10.5, 10.5}}), Qt::white, 1.8);
    Trazo(p, Puntos({{10.5, 5.5}, {5.5, 10.5}}), Qt::white, 1.8);
    break;
  case SP::SP_TitleBarCloseButton:
  case SP::SP_DockWidgetCloseButton:
    Trazo(p, Puntos({{4, 4}, {12, 12}}), tinta, 1.5);
    Trazo(p, Puntos({{12, 4}, {4, 12}}), tinta, 1.5);
    break;
  case SP::SP_TitleBarNormalButton:
    Trazo(p, Puntos({{5.5, 5.5}, {5.5, 2.5}, {13.5, 2.5}, {13.5, 10.5}, {10.5, 10.5}}), tinta, 1.2);
    Trazo(p, Puntos({{2.5, 5.5}, {10.5, 5.5}, {10.5, 13.5}, {2.5, 13.5}, {2.5, 5.5}}), tinta, 1.2);
    break;
  case SP::SP_ToolBarHorizontalExtensionButton:
    Trazo(p, Puntos({{4, 4}, {8, 8}, {4, 12}}), tinta, 1.5);
    Trazo(p, Puntos({{8.5, 4}, {12.5, 8}, {8.5, 12}}), tinta, 1.5);
    break;
  case SP::SP_ToolBarVerticalExtensionButton:
    Trazo(p, Puntos({{4, 4}, {8, 8}, {12, 4}}), tinta, 1.5);
    Trazo(p, Puntos({{4, 8.5}, {8, 12.5}, {12, 8.5}}), tinta, 1.5);
    break;
  default:
    break;
  }
}

class IconoDibujado final : public QIconEngine {
public:
  explicit IconoDibujado(SP icono) : icono_(icono) {}

  void paint(QPainter* p, const QRect& zona, QIcon::Mode modo, QIcon::State) override {
    const qreal lado = std::min(zona.width(), zona.height());
    if (lado <= 0) return;
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    p->translate(zona.x() + (zona.width() - lado) / 2, zona.y() + (zona.height() - lado) / 2);
    p->scale(lado / 16, lado / 16);
    if (modo == QIcon::Disabled) p->setOpacity(0.35);
    Traza(*p, icono_, QGuiApplication::palette().color(QPalette::Active, QPalette::ButtonText));
    p->restore();
  }

  QPixmap pixmap(const QSize& tam, QIcon::Mode modo, QIcon::State estado) override {
    return scaledPixmap(tam, modo, estado, 1);
  }

  QPixmap scaledPixmap(const QSize& tam, QIcon::Mode modo, QIcon::State estado, qreal escala) override {
    QPixmap px((QSizeF(tam) * escala).toSize());
    if (px.isNull()) return px;
    px.fill(Qt::transparent);
    px.setDevicePixelRatio(escala);
    QPainter p(&px);
    paint(&p, QRect(QPoint(), tam), modo, estado);
    return px;
  }

  QIconEngine* clone() const override { return new IconoDibujado(icono_); }

private:
  SP icono_;
};

} // namespace

EstiloQt::EstiloQt() = default;

bool EstiloQt::Dibuja(StandardPixmap icono) {
  return std::find(std::begin(kPropios), std::end(kPropios), icono) != std::end(kPropios);
}

QIcon EstiloQt::standardIcon(StandardPixmap icono, const QStyleOption* opcion, const QWidget* widget) const {
  if (Dibuja(icono)) return QIcon(new IconoDibujado(icono));
  return QProxyStyle::standardIcon(icono, opcion, widget);
}

} // namespace zt
