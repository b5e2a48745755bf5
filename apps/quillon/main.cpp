// Quillon: start-up. The command line and the batch path live in the core; this file only
// wires the Qt implementations and shows the window when one is wanted.
#include "base/Texto.h"
#include "platform/Carpetas.h"
#include "platform/qt/DialogsQt.h"
#include "platform/qt/ProcessesQt.h"
#include "platform/qt/PumpQt.h"
#include "preproc/Quillon.h"
#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

namespace {

bool HayPantalla() {
  const char* x = std::getenv("DISPLAY");
  const char* w = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (w && *w);
}

// ztelnet beside our own executable, else the one on PATH.
zt::Texto RutaLanzador() {
  std::filesystem::path junto = zt::CarpetaEjecutable() / "ztelnet";
  std::error_code ec;
  return std::filesystem::exists(junto, ec) ? zt::T(junto.string()) : zt::Texto(U"ztelnet");
}

} // namespace

int main(int argc, char* argv[]) {
  // A batch step on a machine without a display must still start: Qt then draws nowhere and
  // every message box goes to standard error.
  if (!HayPantalla() && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quillon");

  std::vector<zt::Texto> argumentos;
  for (int i = 1; i < argc; ++i) argumentos.push_back(zt::T(argv[i]));

  zt::DialogsQt dialogs;
  zt::ProcessesQt procesos;
  zt::PumpQt pump;
  zt::preproc::Quillon quillon({dialogs, procesos, zt::CarpetaPrograma("QUILLON_HOME", "quillon"),
                                RutaLanzador(), zt::preproc::AhoraLocal, nullptr, &pump});
  auto arranque = quillon.Arranca(argumentos);
  if (arranque.accion == zt::preproc::Quillon::Accion::Terminar) return arranque.codigo;
  // Until the editor window exists, a failed batch step with nobody to see it just fails.
  if (arranque.conError && zt::SinPantalla()) return arranque.codigo;

  QMainWindow ventana;
  dialogs.FijaPadre(&ventana);
  QString titulo = zt::preproc::Quillon::kTitulo;
  if (!arranque.archivo.empty())
    titulo = QString::fromStdString(std::filesystem::path(zt::U8(arranque.archivo)).filename().string()) +
             " - " + titulo;
  ventana.setWindowTitle(titulo);
  ventana.resize(900, 650);
  ventana.show();
  // Start-up check for scripted runs: close by itself once the window is up.
  if (const char* ms = std::getenv("ZT_SMOKE_EXIT_MS"))
    QTimer::singleShot(std::atoi(ms), &ventana, &QMainWindow::close);
  int r = app.exec();
  return arranque.conError ? arranque.codigo : r;
}
