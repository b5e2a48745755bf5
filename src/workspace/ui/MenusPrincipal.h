// The main window's "&Edición", "&Ver" and "&Configuración" menus, with the terminal and colour
// dialogs and the environment window they open. The window adds the three menus to its bar and
// tells the piece, through EnlaceMenus, which editor has the focus and how to reach the host.
#pragma once
#include "editor/CtlEdit.h"
#include "platform/qt/ClipboardQt.h"
#include "terminal/AjustesTerminal.h"
#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace zt {

class FrmColTer;
class FrmEntorno;
class FrmTerminal;

struct EnlaceMenus {
  // The editor the Edit menu acts on (the command or macro editor, or the terminal view).
  std::function<CtlEdit*()> EditorActual;
  std::function<bool()> ActualEsTerminal;
  // The terminal view, for the scroll-bar and status-bar items.
  std::function<CtlEdit*()> VistaTerminal;
  // Sends text to the host (Telnet.SendData): "Pegar" on the terminal view.
  std::function<void(const Texto&)> SendData;
  // "Buscar...": the find dialog over the current editor.
  std::function<void()> Buscar;
  // Telnet.LimpiaBuffer and Telnet.LimpiarPantalla.
  std::function<void()> LimpiaBuffer;
  std::function<void()> LimpiarPantalla;
  // The terminal dialog's values and the view's colours: read when shown, stored on "&Aceptar".
  std::function<ValoresTerminal()> LeeTerminal;
  std::function<void(const ValoresTerminal&)> GuardaTerminal;
  std::function<ColoresEditor()> LeeColores;
  std::function<void(const ColoresEditor&)> GuardaColores;
};

class MenusPrincipal : public QObject {
public:
  // 'ventana' owns the menus, the dialogs and the shortcuts.
  MenusPrincipal(QWidget* ventana, EnlaceMenus enlace);
  ~MenusPrincipal() override;

  QMenu* mnEdicion; // also the editors' and the terminal view's context menu
  QMenu* mnVer;
  QMenu* mnConfig;

  QAction *mnDeshacer, *mnCortar, *mnCopiar, *mnPegar, *mnSelTodo, *mnBuscar, *mnBuscSig, *mnModColumna;
  // Ver: the panels and the remote windows connect their own commands to these.
  QAction *mnPanCom, *mnPanMac, *mnEdCom, *mnEdRemoto, *mnExpRemoto;
  QAction *mnTerminal, *mnColTer, *mnEntorno, *mnLimpBuff, *mnLimpTerm, *mnDesHor, *mnDesVer, *mnBarEstado;

  // The windows, made on first use.
  FrmTerminal* frmTerminal();
  FrmColTer* frmColTer();
  FrmEntorno* frmEntorno();

  // While 'vista' (the terminal view) has the focus, the control keys a shell needs reach it
  // instead of the Edit menu: Ctrl+Z, Ctrl+X, Ctrl+E, Ctrl+B, and Ctrl+C when nothing is
  // selected (with a selection Ctrl+C copies). Ctrl+V still pastes to the host.
  void ProtegeTeclasTerminal(QWidget* vista);

protected:
  bool eventFilter(QObject* objeto, QEvent* e) override;

private:
  QAction* Accion(QMenu* menu, const char* nombre, const char* texto, std::function<void()> hacer);
  void AbreEdicion();
  void AbreVer();
  void TodoHabilitado();
  void Barra(bool CtlEdit::*campo, bool marcado);
  template <class F> void EnEditor(F hacer);

  QWidget* ventana_;
  EnlaceMenus enlace_;
  ClipboardQt portapapeles_;
  QWidget* vistaTerminal_ = nullptr;
  FrmTerminal* frmTerminal_ = nullptr;
  FrmColTer* frmColTer_ = nullptr;
  FrmEntorno* frmEntorno_ = nullptr;
};

} // namespace zt
