// The command and macro panels of the main window: title bars that show the focus, button rows,
// the Comandos and Macros menus, the help popups, wired to the panels' core.
#pragma once
#include "workspace/CPanel.h"
#include "workspace/PanelComandos.h"
#include <QObject>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QDockWidget;
class QMainWindow;
class QMenu;
class QToolButton;
class QVBoxLayout;

namespace zt {

class EditorQt;

// What the main window hands over; the optional pieces may stay null.
struct PiezasPaneles {
  QMainWindow* ventana = nullptr;
  QDockWidget* panCom = nullptr;
  QDockWidget* panMac = nullptr;
  QVBoxLayout* layCom = nullptr; // the containers' layouts; the rows go above the editors
  QVBoxLayout* layMac = nullptr;
  EditorQt* edCom = nullptr;
  EditorQt* edMac = nullptr;
  QMenu* mnComandos = nullptr;
  QMenu* mnMacro = nullptr;
  QAction* mnPanCom = nullptr; // the View menu's toggles: a title bar's close box triggers them
  QAction* mnPanMac = nullptr;
  QWidget* terminal = nullptr; // Ctrl+Tab's last stop
  QMenu* mnArchivo = nullptr;  // "Abrir C&omandos.." and "Abrir &Macro..." go before mnSalir
  QAction* mnSalir = nullptr;
  QAction* mnModColumna = nullptr; // the editors' Alt+C
};

struct CarpetasPaneles {
  std::filesystem::path programa, scripts, macros;
};

// The title bar of a panel: the title on the active or inactive caption colour, and a close box.
class TituloPanelQt : public QWidget {
public:
  TituloPanelQt(CPanel& panel, QWidget* padre);
  QToolButton* cierre() const { return cierre_; }
  QSize sizeHint() const override;
  // The title as drawn: shortened in the middle to the bar's width.
  QString TextoVisible() const;

protected:
  void paintEvent(QPaintEvent* e) override;

private:
  QRect ZonaTexto() const;

  CPanel& panel_;
  QToolButton* cierre_;
};

class PanelesQt : public QObject {
public:
  PanelesQt(PiezasPaneles piezas, CarpetasPaneles carpetas, Dialogs& dialogos, Processes& procesos,
            std::function<void(VistaTexto)> SendData);
  ~PanelesQt() override;

  PanelComandos& comandos() { return *comandos_; }
  PanelArchivo& macros() { return *macros_; }
  CPanel& panCom() { return cpCom_; }
  CPanel& panMac() { return cpMac_; }

  // Run and stop of the macro panel's buttons (the run control's).
  std::function<void()> EjecutaMacro;
  std::function<void()> DetenMacro;
  // The "Fuente a Procesar" question; the modal dialog unless replaced.
  std::function<Fuente()> PreguntaFuente;

  // The command-file list of the Comandos menu (bare names in the scripts folder).
  void FijaArchivosComandos(const std::vector<Texto>& nombres);
  // Titles after the editors' files changed from outside (start-up loads).
  void Refresca();
  // Which editor has the keyboard focus.
  EditorActivo Activo() const;

  // Commands, for the window's shortcuts and for tests.
  QAction *mnComNue, *mnComAbr, *mnComGua, *mnComGuaC, *mnComExplo, *mnComDespHor, *mnComDespVer,
      *mnComNumLin, *mnEnvLin, *mnLanzar, *mnModEnvDir, *mnCanCom, *mnComFrec0;
  QAction *mnMacNue, *mnMacAbr, *mnMacGua, *mnMacGuaC, *mnMacExplo, *mnMacDespHor, *mnMacDespVer;
  QAction *mnAbreCom = nullptr, *mnAbreMac = nullptr;
  QToolButton *cmdAbrCom, *cmdGrabCom, *cmdEnvLin, *cmdLanzar, *cmdCancel;
  QCheckBox* chkEnvDir;
  QToolButton *cmdAbrMac, *cmdGrabMac, *cmdEjecMac, *cmdDetenMac, *cmdPauMac, *cmdEnvLinMac;

protected:
  bool eventFilter(QObject* objeto, QEvent* e) override;

private:
  void CreaComandos();
  // A menu command that flips one display switch of the editor of 'e'.
  static std::function<void()> Alterna(EditorQt* e, bool CtlEdit::*campo);
  void CreaMacros();
  void EnlazaPanel(CPanel& cp, QDockWidget* dock, EditorQt* ed, QAction* ver, const Texto& titulo);
  void EnlazaEditor(EditorQt* ed, PanelArchivo& panel);
  void Muestra(QDockWidget* dock, QAction* ver);
  void EstadoMenuComandos();

  PiezasPaneles p_;
  Processes& procesos_;
  std::unique_ptr<PanelComandos> comandos_;
  std::unique_ptr<PanelArchivo> macros_;
  CPanel cpCom_, cpMac_;
  TituloPanelQt* tituloCom_ = nullptr;
  TituloPanelQt* tituloMac_ = nullptr;
  std::vector<QAction*> frecuentes_;
  QAction* sepFrecuentes_ = nullptr;
};

} // namespace zt
