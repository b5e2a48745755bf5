// The list shows what the help core chose; the editor keeps typing while it is up.
#include "editor/ui/PopupAyudaQt.h"
#include "editor/ui/EditorQt.h"
#include "platform/qt/ConvierteQt.h"
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

namespace zt {

PopupAyudaQt::PopupAyudaQt(EditorQt& editor, AyudaContextual::Eleccion eleccion)
    : QListWidget(nullptr), editor_(editor), ayuda_(std::move(eleccion)) {
  setObjectName(QStringLiteral("lista"));
  // A tool-tip window is never activated by the window system, so typing stays in the editor.
  setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                 Qt::WindowDoesNotAcceptFocus);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setUniformItemSizes(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ayuda_.Iniciar(editor_.ed(), this);
  editor_.installEventFilter(this);
  // The application losing the active window closes the popup like the caret timer's watch did.
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
    if (s != Qt::ApplicationActive) ayuda_.FinAyudContextual();
  });
}

PopupAyudaQt::~PopupAyudaQt() {
  editor_.removeEventFilter(this);
  if (ventanaEditor_) ventanaEditor_->removeEventFilter(this);
}

int PopupAyudaQt::Pixeles(int twips) const {
  const int dpi = editor_.logicalDpiY() > 0 ? editor_.logicalDpiY() : 96;
  return twips * dpi / 1440;
}

void PopupAyudaQt::Ubica(int altoTwips) {
  const int ancho = Pixeles(kAnchoAyuda), alto = Pixeles(altoTwips);
  auto [x, y] = editor_.ed().PuntoCursor();
  const QPoint p = editor_.mapToGlobal(QPoint(x, y));
  QScreen* pantalla = editor_.screen();
  const QRect zona = pantalla ? pantalla->availableGeometry() : QRect(0, 0, 1 << 20, 1 << 20);
  auto r = UbicaAyuda({p.x() - zona.x(), p.y() - zona.y()}, ancho, alto, editor_.ed().altcarP, zona.width(),
                      zona.height());
  if (!r) return;
  setGeometry(zona.x() + r->x, zona.y() + r->y, ancho, alto);
}

void PopupAyudaQt::Muestra(int altoTwips) {
  Actualiza();
  Ubica(altoTwips);
  // Moves of the window holding the editor close the popup.
  if (QWidget* w = editor_.window(); w != ventanaEditor_) {
    if (ventanaEditor_) ventanaEditor_->removeEventFilter(this);
    ventanaEditor_ = w;
    w->installEventFilter(this);
  }
  show();
  raise();
}

void PopupAyudaQt::Oculta() { hide(); }

void PopupAyudaQt::Actualiza() {
  const std::vector<Texto>& l = ayuda_.lista();
  bool igual = count() == int(l.size());
  for (int i = 0; igual && i < count(); ++i) igual = item(i)->data(Qt::UserRole).toString() == AQString(l[i]);
  if (!igual) {
    clear();
    for (const Texto& e : l) {
      QString texto = AQString(e);
      // Templates of several lines show on one row.
      auto* it =
          new QListWidgetItem(QString(texto).replace(QStringLiteral("\r\n"), QStringLiteral(" \u21b5 ")));
      it->setData(Qt::UserRole, texto);
      it->setToolTip(texto);
      addItem(it);
    }
    if (isVisible()) resize(width(), Pixeles(ayuda_.AltoTwips()));
  }
  setCurrentRow(ayuda_.seleccion());
}

bool PopupAyudaQt::eventFilter(QObject* objeto, QEvent* e) {
  if (ayuda_.visible()) {
    if (objeto == &editor_ && e->type() == QEvent::FocusOut) {
      // A click on the list may activate the popup's window for a moment.
      ayuda_.PerdioFoco(underMouse());
    } else if (objeto == &editor_ && e->type() == QEvent::Hide) {
      ayuda_.FinAyudContextual();
    } else if (objeto == ventanaEditor_ && e->type() == QEvent::Move) {
      ayuda_.FinAyudContextual();
    }
  }
  return QListWidget::eventFilter(objeto, e);
}

void PopupAyudaQt::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    ayuda_.FinAyudContextual();
    return;
  }
  QListWidget::keyPressEvent(e);
}

void PopupAyudaQt::mouseReleaseEvent(QMouseEvent* e) {
  QListWidgetItem* it = itemAt(e->position().toPoint());
  if (e->button() != Qt::LeftButton || !it) return;
  ayuda_.Selecciona(row(it));
  ayuda_.Acepta();
  editor_.activateWindow();
  editor_.setFocus();
  editor_.Sincroniza();
}

} // namespace zt
