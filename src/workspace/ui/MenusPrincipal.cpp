// The Edit, Ver and Configuración menus.
#include "workspace/ui/MenusPrincipal.h"
#include "terminal/ui/FrmColTer.h"
#include "terminal/ui/FrmTerminal.h"
#include "workspace/MenuEdicion.h"
#include "workspace/ui/FrmEntorno.h"
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

namespace zt {

MenusPrincipal::MenusPrincipal(QWidget* ventana, EnlaceMenus enlace)
    : QObject(ventana), ventana_(ventana), enlace_(std::move(enlace)) {
  mnEdicion = new QMenu(QString::fromUtf8("&Edición"), ventana);
  mnEdicion->setObjectName("mnEdicion");
  mnDeshacer = Accion(mnEdicion, "mnDeshacer", "Deshacer", [this] {
    EnEditor([](CtlEdit& ed, bool t) {
      if (!t) ed.Deshacer();
    });
  });
  mnEdicion->addSeparator();
  mnCortar = Accion(mnEdicion, "mnCortar", "Cortar", [this] {
    EnEditor([](CtlEdit& ed, bool t) {
      if (!t) ed.CortaSeleccion();
    });
  });
  mnCopiar = Accion(mnEdicion, "mnCopiar", "Copiar",
                    [this] { EnEditor([](CtlEdit& ed, bool) { ed.CopiaSeleccion(); }); });
  mnPegar = Accion(mnEdicion, "mnPegar", "Pegar", [this] {
    EnEditor([this](CtlEdit& ed, bool t) { Pega(ed, t, portapapeles_, enlace_.SendData); });
  });
  mnSelTodo = Accion(mnEdicion, "mnSelTodo", "Seleccionar Todo",
                     [this] { EnEditor([](CtlEdit& ed, bool) { ed.SeleccionaTodo(); }); });
  mnEdicion->addSeparator();
  mnBuscar = Accion(mnEdicion, "mnBuscar", "Buscar...", [this] {
    if (enlace_.Buscar) enlace_.Buscar();
  });
  mnBuscSig = Accion(mnEdicion, "mnBuscSig", "Buscar Siguiente",
                     [this] { EnEditor([](CtlEdit& ed, bool) { ed.BuscarSig(); }); });
  mnModColumna = Accion(mnEdicion, "mnModColumna", "Modo &Columna (Alt+C)", [this] {
    EnEditor([this](CtlEdit& ed, bool) { ModoColumna(ed, mnModColumna->isChecked()); });
  });
  mnModColumna->setCheckable(true);
  mnDeshacer->setShortcut(QKeySequence("Ctrl+Z"));
  mnCortar->setShortcut(QKeySequence("Ctrl+X"));
  mnCopiar->setShortcut(QKeySequence("Ctrl+C"));
  mnPegar->setShortcut(QKeySequence("Ctrl+V"));
  mnSelTodo->setShortcut(QKeySequence("Ctrl+E"));
  mnBuscar->setShortcut(QKeySequence("Ctrl+B"));
  mnBuscSig->setShortcut(QKeySequence("F3"));

  mnVer = new QMenu("&Ver", ventana);
  mnVer->setObjectName("mnVer");
  mnPanCom = Accion(mnVer, "mnPanCom", "Panel de &Comandos", nullptr);
  mnPanCom->setShortcut(QKeySequence("F2"));
  mnPanMac = Accion(mnVer, "mnPanMac", "Panel de &Macros", nullptr);
  mnPanMac->setShortcut(QKeySequence("F11"));
  mnVer->addSeparator();
  mnEdCom = Accion(mnVer, "mnEdCom", "&Editor de Comandos", nullptr);
  mnEdRemoto = Accion(mnVer, "mnEdRemoto", "Editor &Remoto", nullptr);
  mnExpRemoto = Accion(mnVer, "mnExpRemoto", "E&xplorador Remoto", nullptr);

  mnConfig = new QMenu(QString::fromUtf8("&Configuración"), ventana);
  mnConfig->setObjectName("mnConfig");
  mnTerminal = Accion(mnConfig, "mnTerminal", "&Terminal...", [this] {
    frmTerminal()->show();
    frmTerminal()->raise();
    frmTerminal()->activateWindow();
  });
  mnColTer = Accion(mnConfig, "mnColTer", "&Colores...", [this] {
    frmColTer()->show();
    frmColTer()->raise();
    frmColTer()->activateWindow();
  });
  mnConfig->addSeparator();
  mnDesHor = Accion(mnConfig, "mnDesHor", "Barra Desp.&Horizontal",
                    [this] { Barra(&CtlEdit::verDesHor, mnDesHor->isChecked()); });
  mnDesVer = Accion(mnConfig, "mnDesVer", "Barra Desp.&Vertical",
                    [this] { Barra(&CtlEdit::verDesVer, mnDesVer->isChecked()); });
  mnBarEstado = Accion(mnConfig, "mnBarEstado", "Barra de &Estado",
                       [this] { Barra(&CtlEdit::verEstado, mnBarEstado->isChecked()); });
  for (QAction* a : {mnDesHor, mnDesVer, mnBarEstado}) a->setCheckable(true);
  mnConfig->addSeparator();
  mnLimpBuff = Accion(mnConfig, "mnLimpBuff", "Limpiar Buffer", [this] {
    if (enlace_.LimpiaBuffer) enlace_.LimpiaBuffer();
  });
  mnLimpTerm = Accion(mnConfig, "mnLimpTerm", "Limpiar Pantalla", [this] {
    if (enlace_.LimpiarPantalla) enlace_.LimpiarPantalla();
  });
  mnConfig->addSeparator();
  mnEntorno = Accion(mnConfig, "mnEntorno", "&Entorno", [this] {
    frmEntorno()->show();
    frmEntorno()->raise();
    frmEntorno()->activateWindow();
  });

  connect(mnEdicion, &QMenu::aboutToShow, this, &MenusPrincipal::AbreEdicion);
  connect(mnVer, &QMenu::aboutToShow, this, &MenusPrincipal::AbreVer);
  connect(mnConfig, &QMenu::aboutToShow, this, [this] {
    AbreEdicion();
    AbreVer();
  });
  // The states apply while a menu is open: its shortcuts must keep working for the next editor.
  for (QMenu* m : {mnEdicion, mnConfig})
    connect(m, &QMenu::aboutToHide, this, &MenusPrincipal::TodoHabilitado);
}

MenusPrincipal::~MenusPrincipal() = default;

QAction* MenusPrincipal::Accion(QMenu* menu, const char* nombre, const char* texto,
                                std::function<void()> hacer) {
  QAction* a = menu->addAction(QString::fromUtf8(texto));
  a->setObjectName(nombre);
  // The window holds the actions too, so their shortcuts work with the menu closed.
  ventana_->addAction(a);
  if (hacer) connect(a, &QAction::triggered, this, std::move(hacer));
  return a;
}

template <class F> void MenusPrincipal::EnEditor(F hacer) {
  CtlEdit* ed = enlace_.EditorActual ? enlace_.EditorActual() : nullptr;
  if (!ed) return;
  hacer(*ed, enlace_.ActualEsTerminal && enlace_.ActualEsTerminal());
}

void MenusPrincipal::AbreEdicion() {
  EnEditor([this](CtlEdit& ed, bool terminal) {
    const EstadoMenuEdicion e = EstadoEdicion(ed, terminal);
    mnDeshacer->setEnabled(e.Deshacer);
    mnCortar->setEnabled(e.Cortar);
    mnPegar->setEnabled(e.Pegar);
    mnLimpTerm->setEnabled(e.Limpiar);
    mnLimpBuff->setEnabled(e.Limpiar);
    mnModColumna->setChecked(e.ModColumna);
  });
}

void MenusPrincipal::AbreVer() {
  const CtlEdit* vista = enlace_.VistaTerminal ? enlace_.VistaTerminal() : nullptr;
  if (!vista) return;
  mnDesHor->setChecked(vista->verDesHor);
  mnDesVer->setChecked(vista->verDesVer);
  mnBarEstado->setChecked(vista->verEstado);
}

void MenusPrincipal::TodoHabilitado() {
  for (QAction* a : {mnDeshacer, mnCortar, mnPegar, mnLimpTerm, mnLimpBuff}) a->setEnabled(true);
}

void MenusPrincipal::Barra(bool CtlEdit::*campo, bool marcado) {
  CtlEdit* vista = enlace_.VistaTerminal ? enlace_.VistaTerminal() : nullptr;
  if (!vista) return;
  vista->*campo = marcado;
  vista->Refrescar();
}

FrmTerminal* MenusPrincipal::frmTerminal() {
  if (!frmTerminal_) frmTerminal_ = new FrmTerminal(enlace_.LeeTerminal, enlace_.GuardaTerminal, ventana_);
  return frmTerminal_;
}

FrmColTer* MenusPrincipal::frmColTer() {
  if (!frmColTer_) frmColTer_ = new FrmColTer(enlace_.LeeColores, enlace_.GuardaColores, ventana_);
  return frmColTer_;
}

FrmEntorno* MenusPrincipal::frmEntorno() {
  if (!frmEntorno_) frmEntorno_ = new FrmEntorno(ventana_);
  return frmEntorno_;
}

void MenusPrincipal::ProtegeTeclasTerminal(QWidget* vista) {
  if (vistaTerminal_) vistaTerminal_->removeEventFilter(this);
  vistaTerminal_ = vista;
  if (vista) vista->installEventFilter(this);
}

bool MenusPrincipal::eventFilter(QObject* objeto, QEvent* e) {
  if (objeto == vistaTerminal_ && e->type() == QEvent::ShortcutOverride) {
    auto* k = static_cast<QKeyEvent*>(e);
    if ((k->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
      const CtlEdit* vista = enlace_.VistaTerminal ? enlace_.VistaTerminal() : nullptr;
      const bool paraLaTerminal = k->key() == Qt::Key_Z || k->key() == Qt::Key_X || k->key() == Qt::Key_E ||
                                  k->key() == Qt::Key_B ||
                                  (k->key() == Qt::Key_C && !(vista && vista->haysel));
      // An accepted override hands the key to the view as an ordinary key press.
      if (paraLaTerminal) {
        e->accept();
        return true;
      }
    }
  }
  return QObject::eventFilter(objeto, e);
}

} // namespace zt
