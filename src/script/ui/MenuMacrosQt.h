// The run commands of the main window's Macros menu, its macro-file list and the macro bar, wired
// to the run control; the running state of the window's buttons and menu items.
#pragma once
#include "base/Texto.h"
#include "script/ControlMacro.h"
#include <QObject>
#include <filesystem>
#include <vector>

class QAction;
class QDockWidget;
class QMenu;
class QWidget;

namespace zt {

class BarraMacro;

class MenuMacrosQt : public QObject {
public:
  // 'ventana' holds the macro panel's buttons cmdEjecMac/cmdDetenMac and its menu items (found
  // by name when present); 'panMac' is the macro panel.
  MenuMacrosQt(QWidget* ventana, QMenu* mnMacro, QDockWidget* panMac, ControlMacro& control,
               std::filesystem::path CarpetaMacros);

  // The items after "Ejecutar Archivo...": one per macro file of the folder.
  void FijaArchivos(const std::vector<Texto>& nombres);
  // Entering (true) or leaving the running state.
  void EstadoEjecucion(bool enEjecucion, bool MostrarBarra);
  // The menu's enabled items for the current state (also run when it opens).
  void RefrescaMenu();

  QAction *mnMacEjec, *mnMacDet, *mnMacPau, *mnMacGrab, *mnMacFrec0;
  BarraMacro* frmMacro;

private:
  QWidget* ventana_;
  QMenu* mnMacro_;
  QDockWidget* panMac_;
  ControlMacro& control_;
  std::filesystem::path carpeta_;
  std::vector<QAction*> lista_;
  bool barraColocada_ = false;
};

} // namespace zt
