// Each handler converts its event and calls the core; the core paints into the widget's image.
#include "editor/ui/EditorQt.h"
#include "editor/ui/PopupAyudaQt.h"
#include "editor/ui/TeclasQt.h"
#include "platform/qt/ConvierteQt.h"
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QUrl>
#include <QWheelEvent>

namespace zt {

namespace {
QRect AQRect(const Rect& r) { return {r.x, r.y, r.ancho, r.alto}; }

void Aplica(QScrollBar* q, const BarraScroll& b) {
  QSignalBlocker bloqueo(q);
  q->setGeometry(AQRect(b.r));
  q->setVisible(b.visible);
  q->setRange(b.min, b.max);
  q->setPageStep(b.pasoGrande);
  q->setValue(b.valor);
  q->setEnabled(b.habilitada);
}
} // namespace

QFont EditorQt::FuenteFija() {
  QFont f(QStringLiteral("Monospace"), 10);
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  return f;
}

EditorQt::EditorQt(PerfilEditor perfil, QWidget* padre)
    : QWidget(padre), dialogos_(this),
      propio_(std::make_unique<CtlEdit>(std::move(perfil), &dialogos_, &portapapeles_)), ed_(*propio_),
      lienzo_(*this, FuenteFija()), barraV_(new QScrollBar(Qt::Vertical, this)),
      barraH_(new QScrollBar(Qt::Horizontal, this)) {
  Prepara();
}

EditorQt::EditorQt(CtlEdit& externo, QWidget* padre)
    : QWidget(padre), dialogos_(this), ed_(externo), lienzo_(*this, FuenteFija()),
      barraV_(new QScrollBar(Qt::Vertical, this)), barraH_(new QScrollBar(Qt::Horizontal, this)) {
  ed_.FijaDialogos(&dialogos_);
  ed_.FijaPortapapeles(&portapapeles_);
  Prepara();
}

void EditorQt::Prepara() {
  setFocusPolicy(Qt::StrongFocus);
  setAcceptDrops(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_InputMethodEnabled);
  setMouseTracking(true); // MouseMove is raised without a button held too
  for (QLabel*& l : etiquetas_) {
    l = new QLabel(this);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->hide();
  }
  barraV_->setSingleStep(1);
  barraH_->setSingleStep(1);
  connect(barraV_, &QScrollBar::valueChanged, this, [this](int v) { ed_.CambioVScroll(v); });
  connect(barraH_, &QScrollBar::valueChanged, this, [this](int v) { ed_.CambioHScroll(v); });
  ed_.FijaTamanosBarras(style()->pixelMetric(QStyle::PM_ScrollBarExtent), etiquetas_[0]->sizeHint().height());
  ed_.FijaSuperficie(&lienzo_);
  ed_.FijaTimer(&timer_);
  ed_.alCambiarVista = [this] { Sincroniza(); };
  ed_.menuContext = [this](int x, int y) {
    if (menu_) menu_->popup(mapToGlobal(QPoint(x + ed_.geometria().superficie.x, y)));
  };
  // No caret until the widget has the focus.
  ed_.ApagCursor();
}

EditorQt::~EditorQt() {
  ayuda_.reset();
  ed_.alCambiarVista = nullptr;
  ed_.menuContext = nullptr;
  ed_.FijaTimer(nullptr);
  ed_.FijaSuperficie(nullptr);
  if (!propio_) {
    ed_.FijaDialogos(nullptr);
    ed_.FijaPortapapeles(nullptr);
  }
  barraV_->disconnect(this);
  barraH_->disconnect(this);
}

PopupAyudaQt* EditorQt::ActivaAyuda(ListasAyuda listas) {
  return ActivaAyuda([listas](VistaTexto contexto) { return EligeLista(listas, contexto); });
}

PopupAyudaQt* EditorQt::ActivaAyuda(std::function<std::vector<Texto>(VistaTexto)> eleccion) {
  ayuda_.reset();
  ayuda_ = std::make_unique<PopupAyudaQt>(*this, std::move(eleccion));
  return ayuda_.get();
}

void EditorQt::Sincroniza() {
  Aplica(barraV_, ed_.VScroll1());
  Aplica(barraH_, ed_.HScroll1());
  const EtiquetaEstado* modelo[4] = {&ed_.lblEstado1, &ed_.lblEstado2, &ed_.lblEstado3, &ed_.lblEstado4};
  for (size_t i = 0; i < etiquetas_.size(); ++i) {
    QLabel* l = etiquetas_[i];
    l->setGeometry(AQRect(ed_.geometria().etiquetas[i]));
    l->setVisible(ed_.verEstado);
    QString texto = AQString(modelo[i]->texto);
    if (l->text() != texto) l->setText(texto);
    if (i == 0 && modelo[i]->color != colorEstado1_) {
      colorEstado1_ = modelo[i]->color;
      l->setStyleSheet(QStringLiteral("color: %1").arg(AQColor(colorEstado1_).name()));
    }
  }
}

void EditorQt::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  lienzo_.Vuelca(p, e->rect());
}

void EditorQt::resizeEvent(QResizeEvent*) {
  lienzo_.Redimensiona();
  ed_.Redimensiona(width(), height());
}

void EditorQt::keyPressEvent(QKeyEvent* e) {
  if (!ed_.enabled()) return;
  const int shift = ShiftDe(e->modifiers());
  if (int codigo = CodigoTecla(e->key())) TeclaAbajo(codigo, shift);
  // Alt combinations are commands, not characters; control characters are ignored by the core.
  if (!(shift & tecla::Alt) || (shift & tecla::Ctrl))
    for (char32_t c : DeQString(e->text())) TeclaCaracter(c);
  Sincroniza();
}

// Characters composed by the input method (dead keys, accents) arrive here, not as key presses.
void EditorQt::inputMethodEvent(QInputMethodEvent* e) {
  if (ed_.enabled())
    for (char32_t c : DeQString(e->commitString())) TeclaCaracter(c);
  e->accept();
  Sincroniza();
}

void EditorQt::mousePressEvent(QMouseEvent* e) {
  QPoint p = e->position().toPoint();
  ed_.RatonPulsa(BotonesDe(e->button()), ShiftDe(e->modifiers()), p.x(), p.y());
  Sincroniza();
}

void EditorQt::mouseMoveEvent(QMouseEvent* e) {
  QPoint p = e->position().toPoint();
  ed_.RatonMueve(BotonesDe(e->buttons()), ShiftDe(e->modifiers()), p.x(), p.y());
}

void EditorQt::mouseReleaseEvent(QMouseEvent* e) {
  QPoint p = e->position().toPoint();
  ed_.RatonSuelta(BotonesDe(e->button()), ShiftDe(e->modifiers()), p.x(), p.y());
}

void EditorQt::mouseDoubleClickEvent(QMouseEvent* e) {
  QPoint p = e->position().toPoint();
  if (e->button() == Qt::LeftButton) ed_.RatonDobleClic(p.x(), p.y());
  Sincroniza();
}

// One notch (120) scrolls pasoRueda_ lines; a wheel turned with keys or buttons held does nothing.
void EditorQt::wheelEvent(QWheelEvent* e) {
  if (e->modifiers() != Qt::NoModifier || e->buttons() != Qt::NoButton) return;
  restoRueda_ += e->angleDelta().y();
  for (; restoRueda_ <= -120; restoRueda_ += 120) ed_.VerticalScroll(static_cast<int16_t>(pasoRueda_));
  for (; restoRueda_ >= 120; restoRueda_ -= 120) ed_.VerticalScroll(static_cast<int16_t>(-pasoRueda_));
  e->accept();
}

void EditorQt::focusInEvent(QFocusEvent*) { ed_.EncenCursor(); }
void EditorQt::focusOutEvent(QFocusEvent*) { ed_.ApagCursor(); }

void EditorQt::dragEnterEvent(QDragEnterEvent* e) {
  if (e->mimeData()->hasUrls() && !e->mimeData()->urls().isEmpty() &&
      e->mimeData()->urls().front().isLocalFile())
    e->acceptProposedAction();
}

void EditorQt::dropEvent(QDropEvent* e) {
  std::vector<Texto> rutas;
  for (const QUrl& u : e->mimeData()->urls())
    if (u.isLocalFile()) rutas.push_back(DeQString(u.toLocalFile()));
  e->acceptProposedAction();
  ed_.ArchivosSoltados(rutas);
}

} // namespace zt
