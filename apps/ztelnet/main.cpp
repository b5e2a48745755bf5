// ZTelnet: the main window; its loading reads the settings and acts on the command line.
#include "platform/Carpetas.h"
#include "platform/qt/AplicacionQt.h"
#include "platform/qt/SenalesQt.h"
#include "preproc/ui/sql/BaseDatosQt.h"
#include "workspace/ui/FrmMain.h"
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A batch run on a machine with no display at all still needs a platform to start on.
bool HayPantalla(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0) return true;
  const char* plataforma = std::getenv("QT_QPA_PLATFORM");
  return (plataforma && *plataforma) || zt::HayDisplay();
}

// With no display Qt's own notices (no runtime folder, size hints) would mix with the run's
// messages on standard error; only its critical ones are kept.
void SoloCriticos(QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
  if (tipo == QtCriticalMsg || tipo == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(texto));
}

} // namespace

int main(int argc, char* argv[]) {
  // A query script handed over as the macro file (Quillon's queries) runs against the database,
  // with no window: its first line starts with "SPOOL ".
  if (auto guion = zt::preproc::GuionSqlEnArgumentos(argc, argv)) return zt::preproc::EjecutaGuionSql(*guion);
  const bool hayPantalla = HayPantalla(argc, argv);
  if (!hayPantalla) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(SoloCriticos);
  }
  QApplication app(argc, argv); // takes its own options (-platform ...) out of argv
  QApplication::setApplicationName("ZTelnet");
  zt::PreparaAplicacion(app);
  std::vector<zt::Texto> argumentos;
  for (int i = 1; i < argc; ++i) argumentos.push_back(zt::T(argv[i]));

  zt::FrmMain ventana(zt::CarpetasPrograma{zt::CarpetaPrograma("ZTELNET_HOME", "ztelnet")});
  // A batch harness or a shell stops the program with a signal: files and log must still be closed.
  ventana.principal().nadieMira = !hayPantalla;
  zt::SenalesParadaQt senales([&ventana](int senal) { ventana.principal().PeticionParada(senal); });
  if (!ventana.Arranca(argumentos)) return ventana.EstadoSalida();
  // Start-up check for scripted runs: close by itself once the window is up.
  if (const char* ms = std::getenv("ZT_SMOKE_EXIT_MS"))
    QTimer::singleShot(std::atoi(ms), &ventana, &QMainWindow::close);
  return app.exec();
}
