// The main window: builds the widgets around the core object and forwards Qt's events to it.
#include "workspace/ui/FrmMain.h"
#include "editor/ui/DialogosEditorQt.h"
#include "platform/qt/ConvierteQt.h"
#include "script/ui/MenuMacrosQt.h"
#include "terminal/ui/FrmConnect.h"
#include "workspace/ui/MenuRegistro.h"
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zt {

namespace {

int PixelesDeTwips(float twips) {
  if (!std::isfinite(twips)) return kAnchoMinPanel;
  return std::clamp(int(std::lround(twips / kTwipsPorPixel)), kAnchoMinPanel, 100000);
}

// Tells the core when a widget gains or loses the keyboard focus.
class FiltroFoco : public QObject {
public:
  FiltroFoco(QObject* padre, std::function<void()> entra, std::function<void()> sale)
      : QObject(padre), entra_(std::move(entra)), sale_(std::move(sale)) {}
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::FocusIn && entra_) entra_();
    if (e->type() == QEvent::FocusOut && sale_) sale_();
    return QObject::eventFilter(o, e);
  }

private:
  std::function<void()> entra_, sale_;
};

} // namespace

FrmMain::FrmMain(CarpetasPrograma carpetas, QWidget* padre, Dialogs* dialogos)
    : QMainWindow(padre), dialogos_(this) {
  setObjectName(QStringLiteral("frmMain"));
  txtTerm_ = new TerminalQt(vistaTerm_, this);
  txtTerm_->setObjectName(QStringLiteral("txtTerm"));
  setCentralWidget(txtTerm_);
  edCom_ = new EditorQt(PerfilEditor::CtlEdit());
  edCom_->setObjectName(QStringLiteral("edCom"));
  edMac_ = new EditorQt(PerfilEditor::CtlEdit2());
  edMac_->setObjectName(QStringLiteral("edMac"));
  panCom_ = CreaPanel(QStringLiteral("COMANDOS"), edCom_, layCom_);
  panCom_->setObjectName(QStringLiteral("panCom"));
  panMac_ = CreaPanel(QStringLiteral("MACROS"), edMac_, layMac_);
  panMac_->setObjectName(QStringLiteral("panMac"));
  addDockWidget(Qt::LeftDockWidgetArea, panCom_);
  splitDockWidget(panCom_, panMac_, Qt::Horizontal);

  Dialogs& cajas = dialogos ? *dialogos : static_cast<Dialogs&>(dialogos_);
  PreparaSsh(cajas);
  PlataformaPrincipal plataforma{socket_, tmrConnect_, Timer1_, cajas, pump_, portapapeles_, SinPantalla()};
  principal_ = std::make_unique<Principal>(plataforma, *this, vistaTerm_, edCom_->ed(), edMac_->ed(),
                                           std::move(carpetas));
  Principal& p = *principal_;

  remota_ = std::make_unique<VentanaRemota>(
      p.Telnet, pump_, &vistaTerm_, p.carpetas.programa,
      [this] {
        const CtlEdit& e = edCom_->ed();
        return VistaEditor{e.verEstado, e.verDesHor, e.verDesVer, e.verNumLin};
      },
      this);
  if (dialogos) remota_->dialogos = dialogos;

  CtlEdTelnet& vista = vistaTerm_;
  vista.KeyDownTerm = [&p](int& codigo, int shift) {
    if (p.TeclaAbajoTerminal(codigo, shift)) codigo = 0;
  };
  vista.KeyPress = [&p](char32_t c) { p.TeclaCaracterTerminal(c); };
  vista.KeyUp = [&p](int codigo, int shift) { p.TeclaArribaTerminal(codigo, shift); };
  vista.ArchivoSoltado = [&vista](const Texto& archivo) { vista.CargarArch(archivo); };
  // Alt+C goes through the Edit menu's item, so its check mark follows.
  vista.CambiaModo = [this] { menus->mnModColumna->trigger(); };
  txtTerm_->alEnfocar = [&p] { p.TerminalTomaEnfoque(); };
  filtros_ = {new FiltroFoco(this, {}, [&p] { p.TerminalPierdeEnfoque(); }),
              new FiltroFoco(this, [&p, this] { p.FijaEditorActual(&edCom_->ed()); }, {}),
              new FiltroFoco(this, [&p, this] { p.FijaEditorActual(&edMac_->ed()); }, {})};
  txtTerm_->installEventFilter(filtros_[0]);
  edCom_->installEventFilter(filtros_[1]);
  edMac_->installEventFilter(filtros_[2]);

  CreaMenus();
  CreaMenuMacros();
  PiezasPaneles piezas{this,
                       panCom_,
                       panMac_,
                       layCom_,
                       layMac_,
                       edCom_,
                       edMac_,
                       mnComandos,
                       mnMacro,
                       menus->mnPanCom,
                       menus->mnPanMac,
                       txtTerm_,
                       mnArchivo,
                       mnSalir,
                       menus->mnModColumna};
  const CarpetasPrograma& c = p.carpetas;
  paneles_ =
      std::make_unique<PanelesQt>(piezas, CarpetasPaneles{c.programa, c.CarpetaScripts(), c.CarpetaMacros()},
                                  cajas, procesos_, [&p](VistaTexto t) { p.SendData(Texto(t)); });
  paneles_->EjecutaMacro = [&p] { p.control.EjecutaMacroEditor(true); };
  paneles_->DetenMacro = [&p] { p.control.Detener(); };
  // A wheel turned over the window outside any editor scrolls the current editor.
  connect(new MouseWheel(this), &MouseWheel::WheelMove, this, [this](bool abajo) {
    if (EditorQt* e = EditorQtActual()) {
      e->ed().VerticalScroll(int16_t(abajo ? 5 : -5));
      e->Sincroniza();
    }
  });
  menuMacros->EstadoEjecucion(false, false); // the panel's stop button starts off
  resize(1180, 720);
}

// Whatever calls into the core goes before it, and the terminal widget before the view it shows (the
// base class would destroy both after the members, sending focus events on the way).
FrmMain::~FrmMain() {
  if (principal_) principal_->Descarga();
  remota_.reset();
  paneles_.reset();
  qDeleteAll(filtros_);
  delete menus;
  menus = nullptr;
  txtTerm_->alEnfocar = nullptr;
  vistaTerm_.KeyDownTerm = nullptr;
  vistaTerm_.KeyPress = nullptr;
  vistaTerm_.KeyUp = nullptr;
  principal_.reset();
  delete txtTerm_;
  txtTerm_ = nullptr;
}

QDockWidget* FrmMain::CreaPanel(const QString& titulo, EditorQt* editor, QVBoxLayout*& layout) {
  auto* dock = new QDockWidget(titulo, this);
  dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  auto* contenedor = new QWidget(dock);
  layout = new QVBoxLayout(contenedor);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(editor, 1);
  contenedor->setMinimumWidth(kAnchoMinPanel);
  contenedor->setMinimumHeight(100);
  dock->setWidget(contenedor);
  return dock;
}

void FrmMain::CreaMenus() {
  Principal& p = *principal_;
  CtlEdTelnet& vista = p.txtTerm;
  EnlaceMenus enlace;
  enlace.EditorActual = [&p] { return p.EditorActual() ? p.EditorActual() : &p.txtTerm; };
  enlace.ActualEsTerminal = [&p] { return !p.EditorActual() || p.EditorActual() == &p.txtTerm; };
  enlace.VistaTerminal = [&vista]() -> CtlEdit* { return &vista; };
  enlace.SendData = [&p](const Texto& t) { p.SendData(t); };
  enlace.Buscar = [this] {
    // Stays open for further searches; "&Cancelar" closes and deletes it.
    auto* buscar = new FrmBuscar([this] { return EditorQtActual(); }, this);
    buscar->show();
  };
  enlace.LimpiaBuffer = [&p] { p.LimpiarBuffer(); };
  enlace.LimpiarPantalla = [&p] { p.LimpiarPantalla(); };
  enlace.LeeTerminal = [&p] { return p.ValoresTerm(); };
  enlace.GuardaTerminal = [&p](const ValoresTerminal& v) { p.FijaValoresTerm(v); };
  enlace.LeeColores = [&p] { return p.ColoresTerminal(); };
  enlace.GuardaColores = [&p](const ColoresEditor& c) { p.FijaColoresTerminal(c); };
  menus = new MenusPrincipal(this, std::move(enlace));
  menus->ProtegeTeclasTerminal(txtTerm_);

  QMenuBar* barra = menuBar();
  mnArchivo = barra->addMenu(QStringLiteral("&Archivo"));
  mnArchivo->setObjectName(QStringLiteral("mnArchivo"));
  barra->addMenu(menus->mnEdicion);
  barra->addMenu(menus->mnVer);
  mnComandos = barra->addMenu(QStringLiteral("C&omandos"));
  mnComandos->setObjectName(QStringLiteral("mnComandos"));
  mnMacro = barra->addMenu(QStringLiteral("&Macros"));
  mnMacro->setObjectName(QStringLiteral("mnMacro"));
  barra->addMenu(menus->mnConfig);

  auto accion = [this](const char* nombre, const QString& texto) {
    QAction* a = mnArchivo->addAction(texto);
    a->setObjectName(QString::fromLatin1(nombre));
    return a;
  };
  mnuConnect = accion("mnuConnect", QStringLiteral("Nueva &Conexión..."));
  mnuDisconnect = accion("mnuDisconnect", QStringLiteral("&Desconectar"));
  mnArchivo->addSeparator();
  mnSalir = accion("mnSalir", QStringLiteral("&Salir"));
  connect(mnuConnect, &QAction::triggered, this, [this] { MuestraConectar(); });
  connect(mnuDisconnect, &QAction::triggered, this, [&p] { p.Desconectar(); });
  connect(mnSalir, &QAction::triggered, this, [&p] { p.Salir(); });
  const ItemsRegistro registro = InstalaMenuRegistro(
      mnArchivo, mnSalir,
      {[&p] { return p.registro.Abierto(); }, [&p](const Texto& ruta) { p.AbreRegistro(ruta); },
       [&p] { p.CierraRegistro(); }, [&p]() -> Dialogs& { return p.Dialogos(); }, p.carpetas.programa});
  mnArchivo->insertSeparator(mnSalir);
  mnInicReg = registro.mnInicReg;
  mnFinReg = registro.mnFinReg;

  connect(menus->mnEdRemoto, &QAction::triggered, this, [this] { remota_->Muestra(); });
  connect(menus->mnExpRemoto, &QAction::triggered, this, [this] { remota_->Explora(); });

  // The panels' View items show and hide the docks; a dock closed by its own box unticks them.
  for (auto [accionVer, dock] : {std::pair{menus->mnPanCom, panCom_}, std::pair{menus->mnPanMac, panMac_}}) {
    accionVer->setCheckable(true);
    accionVer->setChecked(true);
    connect(accionVer, &QAction::triggered, dock, [dock = dock](bool v) { dock->setVisible(v); });
    connect(dock, &QDockWidget::visibilityChanged, accionVer,
            [accionVer = accionVer, dock = dock](bool) { accionVer->setChecked(!dock->isHidden()); });
  }
}

void FrmMain::CreaMenuMacros() {
  Principal& p = *principal_;
  menuMacros = new MenuMacrosQt(this, mnMacro, panMac_, p.control, p.carpetas.CarpetaMacros());
}

void FrmMain::MuestraConectar() {
  Principal& p = *principal_;
  FrmConnect dialogo(
      p.HistorialHosts, [&p](const Texto& host, int puerto) { return p.NuevaConexion(host, puerto); }, this);
  dialogo.dialogos = &p.Dialogos();
  dialogo.exec();
}

bool FrmMain::Arranca(const std::vector<Texto>& argumentos) {
  Principal& p = *principal_;
  if (!p.Carga()) {
    estadoSalida_ = p.EstadoSalida;
    return false;
  }
  // The Edit menu is the context menu of the terminal and of both editors.
  txtTerm_->FijaMenuContexto(menus->mnEdicion);
  edCom_->FijaMenuContexto(menus->mnEdicion);
  edMac_->FijaMenuContexto(menus->mnEdicion);
  paneles_->Refresca();
  // A batch run with no display (/SALIR, or a macro) has nobody to show the window to: it is never drawn.
  const LineaComandosZT linea = LeeLineaComandos(argumentos).valores;
  lote_ = SinPantalla() && TerminaTrasLinea(linea, p.nadieMira);
  aceptarClave_ = linea.AceptarClave;
  if (!lote_) show();
  txtTerm_->setFocus();
  if (!p.ActuaLineaComandos(argumentos) || terminando_) {
    estadoSalida_ = p.EstadoSalida;
    return false;
  }
  return true;
}

// With no display nobody can be asked: the password comes from the environment (never from the
// command line or a macro, which others can read) and an unknown host key only with /ACEPTAR_CLAVE.
void FrmMain::PreparaSsh(Dialogs& cajas) {
  socket_.ssh.PideClave = [this](const std::string& usuario, const std::string& host,
                                 int intento) -> std::optional<std::string> {
    if (SinPantalla()) {
      const char* clave = std::getenv("ZTELNET_SSH_PASSWORD");
      if (intento > 1 || !clave) return std::nullopt;
      return std::string(clave);
    }
    bool ok = false;
    const QString pregunta = intento == 1 ? QStringLiteral("Contraseña de %1@%2:")
                                          : QStringLiteral("Contraseña rechazada. Contraseña de %1@%2:");
    const QString clave = QInputDialog::getText(this, QStringLiteral("Conexión SSH"),
                                                pregunta.arg(QString::fromStdString(usuario), QString::fromStdString(host)),
                                                QLineEdit::Password, {}, &ok);
    if (!ok) return std::nullopt;
    return clave.toStdString();
  };
  socket_.ssh.AceptaClaveNueva = [this, &cajas](const std::string& host, const std::string& huella) {
    if (SinPantalla()) {
      if (aceptarClave_)
        std::fprintf(stderr, "Clave del host %s aceptada (%s) y guardada en known_hosts.\n", host.c_str(),
                     huella.c_str());
      return aceptarClave_;
    }
    const Texto texto = T("El host " + host + " no está entre los hosts conocidos.\r\nHuella de su clave: " +
                          huella + "\r\n\r\n¿Conectar y guardar la clave en known_hosts?");
    return cajas.Mensaje(texto, U"Conexión SSH", Botones::SiNo, Icono::Pregunta) == Respuesta::Si;
  };
}

// ---- VentanaPrincipal ---------------------------------------------------------------------------

void FrmMain::FijaTitulo(const Texto& titulo) { setWindowTitle(AQString(titulo)); }

void FrmMain::Muestra() {
  if (lote_) return;
  show();
  raise();
  activateWindow();
}

void FrmMain::EstadoEjecucion(bool enEjecucion, bool MostrarBarra) {
  if (menuMacros) menuMacros->EstadoEjecucion(enEjecucion, MostrarBarra);
}

Texto FrmMain::EditaArchivo(const Texto& nombre) { return remota_->EditaArchivo(nombre); }
bool FrmMain::CierraEditorRemoto() { return remota_->Cierra(); }

EditorQt* FrmMain::EditorQtActual() const {
  const CtlEdit* ed = principal_->EditorActual();
  if (ed == &edCom_->ed()) return edCom_;
  if (ed == &edMac_->ed()) return edMac_;
  return txtTerm_;
}

AjustesVentana FrmMain::LeeAjustesVentana() const {
  AjustesVentana a = ajustesVentana_;
  a.verPanCom = !panCom_->isHidden();
  a.verPanMac = !panMac_->isHidden();
  // Widths are only known once the window has been laid out.
  if (isVisible()) {
    if (a.verPanCom) a.anchoPanCom = float(panCom_->width()) * kTwipsPorPixel;
    if (a.verPanMac) a.anchoPanMac = float(panMac_->width()) * kTwipsPorPixel;
  }
  return a;
}

void FrmMain::AplicaAjustesVentana(const AjustesVentana& a) {
  ajustesVentana_ = a;
  panCom_->setVisible(a.verPanCom);
  panMac_->setVisible(a.verPanMac);
  menus->mnPanCom->setChecked(a.verPanCom);
  menus->mnPanMac->setChecked(a.verPanMac);
  resizeDocks({panCom_, panMac_}, {PixelesDeTwips(a.anchoPanCom), PixelesDeTwips(a.anchoPanMac)},
              Qt::Horizontal);
}

void FrmMain::FijaMenusFrecuentes(const MenusFrecuentes& m) {
  paneles_->FijaArchivosComandos(m.comandos);
  if (menuMacros) menuMacros->FijaArchivos(m.macros);
}

bool FrmMain::EnfocaPanelEditor() {
  if (!panCom_->isHidden()) {
    edCom_->setFocus(Qt::TabFocusReason);
    return true;
  }
  if (!panMac_->isHidden()) {
    edMac_->setFocus(Qt::TabFocusReason);
    return true;
  }
  return false;
}

void FrmMain::Termina(int estado) {
  estadoSalida_ = estado;
  terminando_ = true;
  // Every window of the program goes; the loop ends once the stack is back at it.
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != this) w->hide();
  hide();
  QCoreApplication::exit(estado);
}

void FrmMain::PideCierre() {
  QTimer::singleShot(0, this, [this] { close(); });
}

// ---- Qt events ----------------------------------------------------------------------------------

void FrmMain::closeEvent(QCloseEvent* e) {
  if (terminando_) {
    e->accept();
    return;
  }
  if (!principal_->SolicitudCierre()) {
    e->ignore();
    return;
  }
  principal_->Descarga();
  e->accept();
  Termina(estadoSalida_);
}

void FrmMain::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  Dispone();
}

void FrmMain::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  if (e->type() != QEvent::ActivationChange || !isActiveWindow()) return;
  if (paneles_) paneles_->Refresca();
}

// A panel wider than the window is narrowed to it; the docks place the terminal themselves.
void FrmMain::Dispone() {
  const int com = panCom_->isHidden() ? 0 : panCom_->width();
  const int mac = panMac_->isHidden() ? 0 : panMac_->width();
  const Disposicion d = DisponeVentana(width(), height(), isMinimized(), com, mac);
  if (!d.aplicar) return;
  if (d.anchoCom < com || d.anchoMac < mac)
    resizeDocks({panCom_, panMac_}, {std::max(d.anchoCom, 1), std::max(d.anchoMac, 1)}, Qt::Horizontal);
}

} // namespace zt
