// Quillon: start-up. The command line and the batch path live in the core; this file only
// wires the Qt implementations and shows the window when one is wanted.
#include "base/Texto.h"
#include "platform/Carpetas.h"
#include "platform/qt/AplicacionQt.h"
#include "platform/qt/DialogsQt.h"
#include "platform/qt/ProcessesQt.h"
#include "platform/qt/PumpQt.h"
#include "preproc/Quillon.h"
#include "preproc/ui/FrmPrincipalQt.h"
#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

namespace {

// A program beside our own executable (or in its own folder next to ours, as the build tree has
// them), else the one on PATH.
std::string Vecino(const char* nombre) {
  std::error_code ec;
  for (auto junto : {zt::CarpetaEjecutable() / nombre, zt::CarpetaEjecutable().parent_path() / nombre / nombre})
    if (std::filesystem::is_regular_file(junto, ec)) return junto.string();
  return nombre;
}

} // namespace

int main(int argc, char* argv[]) {
  // A batch step on a machine without a display must still start: Qt then draws nowhere and
  // every message box goes to standard error.
  if (!zt::HayDisplay() && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quillon");
  zt::PreparaAplicacion(app);

  std::vector<zt::Texto> argumentos;
  for (int i = 1; i < argc; ++i) argumentos.push_back(zt::T(argv[i]));

  zt::DialogsQt dialogs;
  zt::ProcessesQt procesos;
  zt::PumpQt pump;
  zt::preproc::Quillon quillon({dialogs, procesos, zt::CarpetaPrograma("QUILLON_HOME", "quillon"),
                                zt::T(Vecino("ztelnet")), zt::preproc::AhoraLocal, nullptr, &pump});
  auto arranque = quillon.Arranca(argumentos);
  if (arranque.accion == zt::preproc::Quillon::Accion::Terminar) return arranque.codigo;
  // A failed batch step with nobody to see the window just fails.
  if (arranque.conError && zt::SinPantalla()) return arranque.codigo;

  zt::preproc::FrmPrincipalQt ventana(quillon, dialogs, procesos, Vecino("ztsql"));
  dialogs.FijaPadre(&ventana);
  // The table-name help starts whenever the window opens, a document named or not.
  ventana.ventana().Prepara(true);
  if (!arranque.archivo.empty()) ventana.ventana().CargaArchivo(arranque.archivo);
  ventana.show();
  if (arranque.conError) ventana.ventana().SaltaAlError(quillon.Error());
  // Start-up check for scripted runs: close by itself once the window is up.
  if (const char* ms = std::getenv("ZT_SMOKE_EXIT_MS"))
    QTimer::singleShot(std::atoi(ms), &ventana, &QMainWindow::close);
  int r = app.exec();
  return arranque.conError ? arranque.codigo : r;
}
