// frmPrincipal: Quillon's one window, an editor with the help of the preprocessor and the menus.
// The commands are VentanaQuillon's; this class builds the widgets and forwards.
#pragma once
#include "preproc/AyudaPreproc.h"
#include "preproc/VentanaQuillon.h"
#include <QMainWindow>
#include <memory>

class QAction;
class QMenu;

namespace zt {
class EditorQt;
class FrmBuscar;
} // namespace zt

namespace zt::preproc {

class FrmPrincipalQt : public QMainWindow, public VistaQuillon {
public:
  // 'ejecutorSql' is the query command the table-name help starts.
  FrmPrincipalQt(Quillon& quillon, Dialogs& dialogos, Processes& procesos, const std::string& ejecutorSql,
                 QWidget* padre = nullptr);
  ~FrmPrincipalQt() override;

  EditorQt& editor() { return *editor_; }
  VentanaQuillon& ventana() { return *ventana_; }
  AyudaPreproc& ayuda() { return ayuda_; }
  QAction* Accion(const char* nombre) const; // a menu entry by its name (mn_procesar, ...)

  void FijaTitulo(const Texto& titulo) override;
  std::optional<bool> EligeFuente() override;
  void RefrescaEditor() override;

  // The configuration dialog, modal.
  void Configuracion();

protected:
  void closeEvent(QCloseEvent* e) override;

private:
  void CreaMenus();
  QAction* Entrada(QMenu* menu, const char* nombre, const char* texto, std::function<void()> accion,
                   const QKeySequence& atajo = {});
  void ToggleVista(QAction* a, bool CtlEdit::*campo);
  void MenuEdicionAbre();
  void AcercaDe();

  Quillon& q_;
  Dialogs& dlg_;
  Processes& proc_;
  EditorQt* editor_;
  AyudaPreproc ayuda_;
  std::unique_ptr<VentanaQuillon> ventana_;
  QMenu* mnEdicion_ = nullptr;
  QAction *mnDeshacer_ = nullptr, *mnModColumna_ = nullptr;
  QAction *mnVerBarHor_ = nullptr, *mnVerNumLin_ = nullptr, *mnVerBarEst_ = nullptr;
};

} // namespace zt::preproc
