// The main window: the terminal in the middle, the command and macro panels docked at its left,
// the menus; every decision is taken by the core object Principal.
#pragma once
#include "editor/ui/EditorQt.h"
#include "platform/qt/ClipboardQt.h"
#include "platform/qt/DialogsQt.h"
#include "platform/qt/ProcessesQt.h"
#include "platform/qt/PumpQt.h"
#include "platform/qt/SocketMixto.h"
#include "platform/qt/TimerQt.h"
#include "remote/ui/VentanaRemota.h"
#include "terminal/ui/TerminalQt.h"
#include "workspace/Principal.h"
#include "workspace/ui/MenusPrincipal.h"
#include "workspace/ui/PanelesQt.h"
#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QDockWidget;
class QMenu;
class QVBoxLayout;

namespace zt {

class MenuMacrosQt;

class FrmMain : public QMainWindow, public VentanaPrincipal {
public:
  // 'dialogos' replaces the message boxes of the core (tests answer them).
  explicit FrmMain(CarpetasPrograma carpetas, QWidget* padre = nullptr, Dialogs* dialogos = nullptr);
  ~FrmMain() override;

  // The load steps and the command line. False when the program ends now, with EstadoSalida().
  bool Arranca(const std::vector<Texto>& argumentos);
  int EstadoSalida() const { return estadoSalida_; }

  Principal& principal() { return *principal_; }
  DialogsQt& dialogos() { return dialogos_; }
  ClipboardQt& portapapeles() { return portapapeles_; }
  TerminalQt* terminal() const { return txtTerm_; }
  EditorQt* EdCom() const { return edCom_; }
  EditorQt* EdMac() const { return edMac_; }
  // The panels: each dock's widget is a container whose vertical layout holds the editor; the
  // panel code may add its rows around it.
  QDockWidget* DockComandos() const { return panCom_; }
  QDockWidget* DockMacros() const { return panMac_; }
  QVBoxLayout* LayoutComandos() const { return layCom_; }
  QVBoxLayout* LayoutMacros() const { return layMac_; }

  // The menus, in the bar's order: Archivo, Edición, Ver, Comandos, Macros, Configuración. The Edit,
  // Ver and Configuración menus are the piece 'menus' (its actions: mnPegar, mnPanCom, mnEdRemoto...).
  QMenu* mnArchivo = nullptr;
  QMenu* mnComandos = nullptr;
  QMenu* mnMacro = nullptr;
  MenusPrincipal* menus = nullptr;
  // The Macros menu's run commands, its macro-file list and the macro bar.
  MenuMacrosQt* menuMacros = nullptr;
  // The Archivo menu's items of this window; the log items and "Abrir &Macro..." go between
  // mnuDisconnect and mnSalir (insertAction(mnSalir, ...)).
  QAction* mnuConnect = nullptr;
  QAction* mnuDisconnect = nullptr;
  QAction* mnSalir = nullptr;
  QAction* mnInicReg = nullptr; // "Iniciar Registro..."
  QAction* mnFinReg = nullptr;  // "Detener Registro"
  // The connection dialog (modal).
  void MuestraConectar();

  VentanaRemota& remota() { return *remota_; }
  PanelesQt& paneles() { return *paneles_; }
  // The widget of the editor the Edit menu acts on.
  EditorQt* EditorQtActual() const;

  // ---- VentanaPrincipal ----
  void FijaTitulo(const Texto& titulo) override;
  void Muestra() override;
  void EstadoEjecucion(bool enEjecucion, bool MostrarBarra) override;
  Texto EditaArchivo(const Texto& nombre) override;
  bool CierraEditorRemoto() override;
  AjustesVentana LeeAjustesVentana() const override;
  void AplicaAjustesVentana(const AjustesVentana& a) override;
  void FijaMenusFrecuentes(const MenusFrecuentes& m) override;
  bool EnfocaPanelEditor() override;
  void Termina(int estado) override;
  void PideCierre() override;

protected:
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;

private:
  void PreparaSsh(Dialogs& cajas);
  void CreaMenus();
  void CreaMenuMacros();
  QDockWidget* CreaPanel(const QString& titulo, EditorQt* editor, QVBoxLayout*& layout);
  void Dispone();

  // Platform objects first: the core keeps references to them.
  DialogsQt dialogos_;
  ClipboardQt portapapeles_;
  PumpQt pump_;
  ProcessesQt procesos_;
  SocketMixto socket_;
  bool aceptarClave_ = false; // "/ACEPTAR_CLAVE"
  TimerQt tmrConnect_;
  TimerQt Timer1_;
  CtlEdTelnet vistaTerm_{&dialogos_, &portapapeles_};
  TerminalQt* txtTerm_ = nullptr;
  EditorQt* edCom_ = nullptr;
  EditorQt* edMac_ = nullptr;
  QDockWidget* panCom_ = nullptr;
  QDockWidget* panMac_ = nullptr;
  QVBoxLayout* layCom_ = nullptr;
  QVBoxLayout* layMac_ = nullptr;
  std::unique_ptr<Principal> principal_;
  std::unique_ptr<VentanaRemota> remota_;
  std::unique_ptr<PanelesQt> paneles_;
  QList<QObject*> filtros_;
  AjustesVentana ajustesVentana_;
  int estadoSalida_ = 0;
  bool terminando_ = false;
  bool lote_ = false; // a batch run with no display: the window stays hidden
};

// Twips per pixel of the "[APP]" panel widths.
constexpr float kTwipsPorPixel = 15.0f;
// Narrowest a panel may be dragged or set, in pixels.
constexpr int kAnchoMinPanel = 100;

} // namespace zt
