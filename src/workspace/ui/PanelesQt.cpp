// Qt gives the docking, the edge to drag and the layouts; this file adds what the panels show and
// turns clicks, keys and menu items into the panels' core commands.
#include "workspace/ui/PanelesQt.h"
#include "editor/ui/DialogosEditorQt.h"
#include "editor/ui/EditorQt.h"
#include "editor/ui/PopupAyudaQt.h"
#include "platform/qt/ConvierteQt.h"
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace zt {

namespace {

QToolButton* Boton(QWidget* padre, QHBoxLayout* fila, const char* nombre, QStyle::StandardPixmap icono,
                   const QString& consejo) {
  auto* b = new QToolButton(padre);
  b->setObjectName(QString::fromLatin1(nombre));
  b->setIcon(padre->style()->standardIcon(icono));
  b->setToolTip(consejo);
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus); // a click must not take the focus from the editor
  fila->addWidget(b);
  return b;
}

QAction* Item(QMenu* menu, QObject* dueno, const char* nombre, const QString& texto,
              std::function<void()> hacer, QAction* antes = nullptr) {
  auto* a = new QAction(texto, dueno);
  a->setObjectName(QString::fromLatin1(nombre));
  if (menu) menu->insertAction(antes, a);
  QObject::connect(a, &QAction::triggered, dueno, [hacer = std::move(hacer)] { hacer(); });
  return a;
}

QAction* Separador(QMenu* menu, QObject* dueno, QAction* antes) {
  auto* s = new QAction(dueno);
  s->setSeparator(true);
  if (menu) menu->insertAction(antes, s);
  return s;
}

QHBoxLayout* Fila(QVBoxLayout* lay, QWidget*& contenedor) {
  contenedor = new QWidget;
  auto* fila = new QHBoxLayout(contenedor);
  fila->setContentsMargins(2, 0, 2, 0);
  fila->setSpacing(1);
  if (lay) lay->insertWidget(0, contenedor);
  return fila;
}

} // namespace

// ---- Title bar -----------------------------------------------------------------------------------

TituloPanelQt::TituloPanelQt(CPanel& panel, QWidget* padre)
    : QWidget(padre), panel_(panel), cierre_(new QToolButton(this)) {
  cierre_->setObjectName(QStringLiteral("cierre"));
  cierre_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  cierre_->setAutoRaise(true);
  cierre_->setFocusPolicy(Qt::NoFocus);
  cierre_->setToolTip(QStringLiteral("Cerrar"));
  auto* fila = new QHBoxLayout(this);
  fila->setContentsMargins(4, 1, 1, 1);
  fila->addStretch(1);
  fila->addWidget(cierre_);
}

QSize TituloPanelQt::sizeHint() const {
  return {100, std::max(fontMetrics().height() + 4, cierre_->sizeHint().height() + 2)};
}

void TituloPanelQt::paintEvent(QPaintEvent*) {
  QPainter p(this);
  // The window system's active and inactive caption colours.
  const QPalette& pal = palette();
  p.fillRect(rect(), panel_.ConEnfoque ? pal.color(QPalette::Active, QPalette::Highlight)
                                       : pal.color(QPalette::Inactive, QPalette::Dark));
  p.setPen(panel_.ConEnfoque ? pal.color(QPalette::Active, QPalette::HighlightedText) : QColor(Qt::white));
  p.drawText(ZonaTexto(), Qt::AlignVCenter | Qt::AlignLeft, TextoVisible());
  // The whole title, folders and all, on hovering.
  if (toolTip() != AQString(panel_.titulo)) setToolTip(AQString(panel_.titulo));
}

QRect TituloPanelQt::ZonaTexto() const { return rect().adjusted(4, 0, -cierre_->width() - 4, 0); }

QString TituloPanelQt::TextoVisible() const {
  const QFontMetrics fm = fontMetrics();
  const int ancho = ZonaTexto().width();
  const QString titulo = AQString(panel_.titulo);
  if (fm.horizontalAdvance(titulo) <= ancho) return titulo;
  // The folders give way first: the panel's name and the file's name are what the title is for.
  const int guion = titulo.indexOf(QStringLiteral(" - "));
  const int barra = titulo.lastIndexOf(QLatin1Char('/'));
  if (guion >= 0 && barra > guion + 3) {
    const QString cabeza = titulo.left(guion + 3), cola = titulo.mid(barra);
    const int resto = ancho - fm.horizontalAdvance(cabeza) - fm.horizontalAdvance(cola);
    const QString carpeta = fm.elidedText(titulo.mid(guion + 3, barra - guion - 3), Qt::ElideMiddle, resto);
    if (!carpeta.isEmpty()) return cabeza + carpeta + cola;
    if (resto + fm.horizontalAdvance(QLatin1Char('/')) >= 0) return cabeza + cola.mid(1);
  }
  return fm.elidedText(titulo, Qt::ElideMiddle, ancho);
}

// ---- Panels -------------------------------------------------------------------------------------

PanelesQt::PanelesQt(PiezasPaneles piezas, CarpetasPaneles carpetas, Dialogs& dialogos, Processes& procesos,
                     std::function<void(VistaTexto)> SendData)
    : QObject(piezas.ventana), p_(piezas), procesos_(procesos) {
  comandos_ = std::make_unique<PanelComandos>(p_.edCom->ed(), dialogos, carpetas.programa, carpetas.scripts);
  macros_ = std::make_unique<PanelArchivo>(kPanelMacros, p_.edMac->ed(), dialogos, carpetas.programa,
                                           carpetas.macros);
  comandos_->SendData = std::move(SendData);
  comandos_->EnfocaEditor = [this] { p_.edCom->setFocus(Qt::OtherFocusReason); };
  comandos_->EjecutaMacro = [this] {
    if (EjecutaMacro) EjecutaMacro();
  };
  comandos_->PreguntaFuente = [this] {
    if (PreguntaFuente) return PreguntaFuente();
    FrmSelFuente dlg(true, p_.ventana);
    dlg.exec();
    if (dlg.cancel) return Fuente::Cancelada;
    return dlg.optSelec->isChecked() ? Fuente::Seleccion : Fuente::Todo;
  };
  comandos_->MuestraPanel = [this] { Muestra(p_.panCom, p_.mnPanCom); };
  macros_->MuestraPanel = [this] { Muestra(p_.panMac, p_.mnPanMac); };
  comandos_->RefrescaPanel = macros_->RefrescaPanel = [this] { Refresca(); };

  p_.edCom->ActivaAyuda(ListasComandos());
  p_.edMac->ActivaAyuda(ListasMacros());
  CreaComandos();
  CreaMacros();
  EnlazaPanel(cpCom_, p_.panCom, p_.edCom, p_.mnPanCom, U"COMANDOS");
  EnlazaPanel(cpMac_, p_.panMac, p_.edMac, p_.mnPanMac, U"MACROS");
  EnlazaEditor(p_.edCom, *comandos_);
  EnlazaEditor(p_.edMac, *macros_);
  connect(qApp, &QApplication::focusChanged, this, [this] {
    cpCom_.ValidarEnfoque();
    cpMac_.ValidarEnfoque();
  });
  Refresca();
}

PanelesQt::~PanelesQt() { disconnect(qApp, nullptr, this, nullptr); }

EditorActivo PanelesQt::Activo() const {
  QWidget* f = QApplication::focusWidget();
  if (f && f == p_.edCom) return EditorActivo::Comandos;
  if (f && f == p_.edMac) return EditorActivo::Macros;
  return EditorActivo::Otro;
}

std::function<void()> PanelesQt::Alterna(EditorQt* e, bool CtlEdit::*campo) {
  return [e, campo] {
    CtlEdit& ed = e->ed();
    ed.*campo = !(ed.*campo);
    ed.Refrescar();
    e->Sincroniza();
  };
}

void PanelesQt::CreaComandos() {
  QMenu* m = p_.mnComandos;
  QAction* antes = m && !m->actions().isEmpty() ? m->actions().front() : nullptr;
  PanelComandos& c = *comandos_;
  CtlEdit& ed = p_.edCom->ed();
  const auto alterna = [this](bool CtlEdit::*campo) { return Alterna(p_.edCom, campo); };
  mnComNue = Item(
      m, this, "mnComNue", QStringLiteral("&Nuevo"), [&c] { c.Nuevo(); }, antes);
  mnComAbr = Item(
      m, this, "mnComAbr", QStringLiteral("&Abrir..."), [&c] { c.Abrir(); }, antes);
  mnComGua = Item(
      m, this, "mnComGua", QStringLiteral("&Guardar"), [&c] { c.Guardar(); }, antes);
  mnComGuaC = Item(
      m, this, "mnComGuaC", QStringLiteral("Guardar Como..."), [&c] { c.GuardarComo(); }, antes);
  mnComExplo = Item(
      m, this, "mnComExplo", QStringLiteral("E&xplorar..."), [this] { comandos_->Explorar(procesos_); },
      antes);
  Separador(m, this, antes);
  mnComDespHor = Item(m, this, "mnComDespHor", QStringLiteral("Ver Barra Desp. &Horiz"),
                      alterna(&CtlEdit::verDesHor), antes);
  mnComDespVer = Item(m, this, "mnComDespVer", QStringLiteral("Ver Barra Desp. &Vert"),
                      alterna(&CtlEdit::verDesVer), antes);
  mnComNumLin = Item(m, this, "mnComNumLin", QString::fromUtf8("Ver &Número de Línea"),
                     alterna(&CtlEdit::verNumLin), antes);
  Separador(m, this, antes);
  mnEnvLin = Item(
      m, this, "mnEnvLin", QString::fromUtf8("Enviar &Línea a Consola"),
      [this, &c] { c.EnviaLinea(Activo()); }, antes);
  mnLanzar = Item(
      m, this, "mnLanzar", QStringLiteral("Enviar &Texto a Consola"),
      [this, &c] {
        EditorActivo a = Activo();
        if (a == EditorActivo::Otro && p_.panCom->isVisible()) a = EditorActivo::Comandos;
        if (a != EditorActivo::Otro) c.EnviaTexto(a);
      },
      antes);
  mnModEnvDir = Item(
      m, this, "mnModEnvDir", QString::fromUtf8("Modo de Envío &Directo"), [&c] { c.CambiaModoEnvDir(); },
      antes);
  mnCanCom = Item(
      m, this, "mnCanCom", QStringLiteral("&Cancelar Comando"), [&c] { c.CancelaComando(); }, antes);
  Separador(m, this, antes);
  mnComFrec0 = Item(
      m, this, "mnComFrec", QStringLiteral("Ejecutar Archivo..."), [&c] { c.EnviaArchivo(0); }, antes);
  sepFrecuentes_ = mnComFrec0;
  for (QAction* a : {mnComDespHor, mnComDespVer, mnComNumLin, mnModEnvDir}) a->setCheckable(true);
  mnComDespHor->setChecked(true);
  ed.verDesHor = true;
  mnEnvLin->setShortcut(QKeySequence(Qt::Key_F8));
  mnLanzar->setShortcut(QKeySequence(Qt::Key_F9));
  mnModEnvDir->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
  // Shortcuts work with the menu closed, anywhere in the window.
  if (p_.ventana)
    for (QAction* a : {mnEnvLin, mnLanzar, mnModEnvDir}) p_.ventana->addAction(a);
  if (m) connect(m, &QMenu::aboutToShow, this, [this] { EstadoMenuComandos(); });
  if (p_.mnArchivo) {
    mnAbreCom = Item(
        p_.mnArchivo, this, "mnAbreCom", QStringLiteral("Abrir C&omandos.."), [&c] { c.Abrir(); },
        p_.mnSalir);
  }

  QWidget* caja = nullptr;
  QHBoxLayout* fila = Fila(p_.layCom, caja);
  cmdAbrCom = Boton(caja, fila, "cmdAbrCom", QStyle::SP_DialogOpenButton, QStringLiteral("Abre Script..."));
  cmdGrabCom =
      Boton(caja, fila, "cmdGrabCom", QStyle::SP_DialogSaveButton, QStringLiteral("Graba Script..."));
  cmdEnvLin = Boton(caja, fila, "cmdEnvLin", QStyle::SP_ArrowRight,
                    QString::fromUtf8("Envía línea al terminal (F8)"));
  cmdLanzar = Boton(caja, fila, "cmdLanzar", QStyle::SP_MediaSeekForward,
                    QString::fromUtf8("Envía texto al terminal (F9)"));
  chkEnvDir = new QCheckBox(QStringLiteral("Directo"), caja);
  chkEnvDir->setObjectName(QStringLiteral("chkEnvDir"));
  chkEnvDir->setToolTip(QString::fromUtf8("Activa el modo de envío directo"));
  chkEnvDir->setFocusPolicy(Qt::NoFocus);
  fila->addWidget(chkEnvDir);
  cmdCancel =
      Boton(caja, fila, "cmdCancel", QStyle::SP_BrowserStop, QStringLiteral("Cancela comando en curso."));
  fila->addStretch(1);
  connect(cmdAbrCom, &QToolButton::clicked, mnComAbr, &QAction::trigger);
  connect(cmdGrabCom, &QToolButton::clicked, mnComGua, &QAction::trigger);
  // The buttons act on the command editor whatever had the focus.
  connect(cmdEnvLin, &QToolButton::clicked, this, [&c] { c.EnviaLinea(EditorActivo::Comandos); });
  connect(cmdLanzar, &QToolButton::clicked, this, [&c] { c.EnviaTexto(EditorActivo::Comandos); });
  connect(cmdCancel, &QToolButton::clicked, mnCanCom, &QAction::trigger);
  // The box follows the mode; a click flips the mode, not the box itself.
  chkEnvDir->installEventFilter(this);
  c.alCambiarModoEnvDir = [this](bool v) {
    mnModEnvDir->setChecked(v);
    chkEnvDir->setChecked(v);
    p_.edCom->Sincroniza();
  };
}

void PanelesQt::CreaMacros() {
  QMenu* m = p_.mnMacro;
  QAction* antes = m && !m->actions().isEmpty() ? m->actions().front() : nullptr;
  PanelArchivo& mac = *macros_;
  CtlEdit& ed = p_.edMac->ed();
  const auto alterna = [this](bool CtlEdit::*campo) { return Alterna(p_.edMac, campo); };
  mnMacNue = Item(
      m, this, "mnMacNue", QStringLiteral("&Nueva"), [&mac] { mac.Nuevo(); }, antes);
  mnMacAbr = Item(
      m, this, "mnMacAbr", QStringLiteral("&Abrir..."), [&mac] { mac.Abrir(); }, antes);
  mnMacGua = Item(
      m, this, "mnMacGua", QStringLiteral("&Guardar"), [&mac] { mac.Guardar(); }, antes);
  mnMacGuaC = Item(
      m, this, "mnMacGuaC", QStringLiteral("Guardar Como..."), [&mac] { mac.GuardarComo(); }, antes);
  mnMacExplo = Item(
      m, this, "mnMacExplo", QStringLiteral("E&xplorar..."), [this] { macros_->Explorar(procesos_); }, antes);
  Separador(m, this, antes);
  mnMacDespHor = Item(m, this, "mnMacDespHor", QStringLiteral("Ver Barra Desp. &Horiz"),
                      alterna(&CtlEdit::verDesHor), antes);
  mnMacDespVer = Item(m, this, "mnMacDespVer", QStringLiteral("Ver Barra Desp. &Vert"),
                      alterna(&CtlEdit::verDesVer), antes);
  if (antes) Separador(m, this, antes);
  mnMacDespHor->setCheckable(true);
  mnMacDespVer->setCheckable(true);
  mnMacDespHor->setChecked(true);
  ed.verDesHor = true;
  if (p_.mnArchivo) {
    mnAbreMac = Item(
        p_.mnArchivo, this, "mnAbreMac", QStringLiteral("Abrir &Macro..."), [&mac] { mac.Abrir(); },
        p_.mnSalir);
  }

  QWidget* caja = nullptr;
  QHBoxLayout* fila = Fila(p_.layMac, caja);
  cmdAbrMac = Boton(caja, fila, "cmdAbrMac", QStyle::SP_DialogOpenButton, QStringLiteral("Abre Macro..."));
  cmdGrabMac = Boton(caja, fila, "cmdGrabMac", QStyle::SP_DialogSaveButton, QStringLiteral("Graba Macro..."));
  cmdEjecMac = Boton(caja, fila, "cmdEjecMac", QStyle::SP_MediaPlay,
                     QStringLiteral("Ejecuta la macro en el Terminal (F9)"));
  cmdDetenMac =
      Boton(caja, fila, "cmdDetenMac", QStyle::SP_MediaStop, QString::fromUtf8("Detiene la ejecución."));
  cmdPauMac = Boton(caja, fila, "cmdPauMac", QStyle::SP_MediaPause, QString::fromUtf8("Pausa la ejecución."));
  cmdEnvLinMac = Boton(caja, fila, "cmdEnvLinMac", QStyle::SP_ArrowRight,
                       QString::fromUtf8("Envía línea al terminal (F8)"));
  fila->addStretch(1);
  connect(cmdAbrMac, &QToolButton::clicked, mnMacAbr, &QAction::trigger);
  connect(cmdGrabMac, &QToolButton::clicked, mnMacGua, &QAction::trigger);
  connect(cmdEjecMac, &QToolButton::clicked, this, [this] {
    if (EjecutaMacro) EjecutaMacro();
  });
  connect(cmdDetenMac, &QToolButton::clicked, this, [this] {
    if (DetenMacro) DetenMacro();
  });
  // The pause and this panel's send-line buttons have no effect.
}

void PanelesQt::EnlazaPanel(CPanel& cp, QDockWidget* dock, EditorQt* ed, QAction* ver, const Texto& titulo) {
  auto* barra = new TituloPanelQt(cp, dock);
  (&cp == &cpCom_ ? tituloCom_ : tituloMac_) = barra;
  dock->setTitleBarWidget(barra);
  cp.Refrescar = [barra] { barra->update(); };
  cp.TieneEnfoque = [dock] {
    QWidget* f = QApplication::focusWidget();
    return f && dock->isAncestorOf(f);
  };
  cp.AplicaAncho = [this, dock](float w) {
    if (p_.ventana) p_.ventana->resizeDocks({dock}, {int(w)}, Qt::Horizontal);
  };
  const bool esCom = &cp == &cpCom_;
  cp.TomaEnfoque = [this, ed, esCom] {
    CtlEdit& e = ed->ed();
    e.EncenCursor();
    if (esCom && e.ModEnvDir) {
      e.verFonLin = true;
      e.Refrescar();
    }
    if (!ed->hasFocus()) ed->setFocus(Qt::OtherFocusReason);
  };
  cp.DejaEnfoque = [ed, esCom] {
    CtlEdit& e = ed->ed();
    e.ApagCursor();
    if (esCom) e.verFonLin = false;
    e.Refrescar();
    ed->update();
  };
  cp.PanelCerrado = [dock, ver] {
    if (ver && ver->isCheckable()) {
      ver->setChecked(false);
      emit ver->triggered(false);
    } else {
      dock->hide();
    }
  };
  connect(barra->cierre(), &QToolButton::clicked, this, [&cp] { cp.PanelCerrado(); });
  cp.Inic(100, titulo);
  cp.Visible(!dock->isHidden());
  connect(dock, &QDockWidget::visibilityChanged, this, [&cp, dock] { cp.Visible(!dock->isHidden()); });
}

void PanelesQt::EnlazaEditor(EditorQt* ed, PanelArchivo& panel) {
  ed->installEventFilter(this);
  ed->ed().ArchivoSoltado = [&panel](const Texto& ruta) { panel.Carga(ruta); };
  if (p_.mnModColumna) ed->ed().CambiaModo = [a = p_.mnModColumna] { a->trigger(); };
}

void PanelesQt::Muestra(QDockWidget* dock, QAction* ver) {
  if (ver) ver->setChecked(true);
  dock->show();
  if (p_.ventana && p_.ventana->isVisible()) (dock == p_.panCom ? p_.edCom : p_.edMac)->setFocus();
}

void PanelesQt::EstadoMenuComandos() {
  const bool visible = !p_.panCom->isHidden();
  for (QAction* a :
       {mnComGua, mnComGuaC, mnEnvLin, mnLanzar, mnModEnvDir, mnComDespHor, mnComDespVer, mnComNumLin})
    a->setEnabled(visible);
}

void PanelesQt::FijaArchivosComandos(const std::vector<Texto>& nombres) {
  for (QAction* a : frecuentes_) delete a;
  frecuentes_.clear();
  comandos_->archivos = nombres;
  for (size_t i = 0; i < nombres.size(); ++i) {
    auto* a = new QAction(AQString(nombres[i]), this);
    a->setObjectName(QStringLiteral("mnComFrec%1").arg(i + 1));
    connect(a, &QAction::triggered, this, [this, i] { comandos_->EnviaArchivo(i + 1); });
    if (p_.mnComandos) p_.mnComandos->insertAction(nullptr, a);
    frecuentes_.push_back(a);
  }
  // The list follows "Ejecutar Archivo...", before anything others added after it.
  if (p_.mnComandos) {
    QList<QAction*> todas = p_.mnComandos->actions();
    const qsizetype i = todas.indexOf(mnComFrec0);
    QAction* siguiente = i + 1 < todas.size() ? todas[i + 1] : nullptr;
    for (QAction* a : frecuentes_) {
      if (a == siguiente) break;
      p_.mnComandos->removeAction(a);
      p_.mnComandos->insertAction(siguiente, a);
    }
  }
}

void PanelesQt::Refresca() {
  cpCom_.titulo = comandos_->titulo();
  cpMac_.titulo = macros_->titulo();
  p_.panCom->setWindowTitle(AQString(cpCom_.titulo));
  p_.panMac->setWindowTitle(AQString(cpMac_.titulo));
  tituloCom_->update();
  tituloMac_->update();
  p_.edCom->Sincroniza();
  p_.edMac->Sincroniza();
  p_.edCom->update();
  p_.edMac->update();
}

bool PanelesQt::eventFilter(QObject* objeto, QEvent* e) {
  if (objeto == chkEnvDir && e->type() == QEvent::MouseButtonPress) {
    comandos_->CambiaModoEnvDir();
    return true;
  }
  if (objeto == chkEnvDir &&
      (e->type() == QEvent::MouseButtonRelease || e->type() == QEvent::MouseButtonDblClick))
    return true;
  if (e->type() == QEvent::KeyPress && (objeto == p_.edCom || objeto == p_.edMac)) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Tab && k->modifiers() == Qt::ControlModifier) {
      // Ctrl+Tab: command editor -> macro editor (when shown) -> terminal.
      QWidget* destino = p_.terminal;
      if (objeto == p_.edCom && p_.panMac && !p_.panMac->isHidden()) destino = p_.edMac;
      if (destino) destino->setFocus(Qt::TabFocusReason);
      return true;
    }
  }
  return QObject::eventFilter(objeto, e);
}

} // namespace zt
