// Processes over QProcess::startDetached and QDesktopServices.
#include "platform/qt/ProcessesQt.h"
#include "platform/qt/ConvierteQt.h"
#include "platform/qt/DialogsQt.h"
#include "platform/qt/VisorTextoQt.h"
#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>
#include <cerrno>
#include <fstream>
#include <iostream>
#include <signal.h>

namespace zt {

namespace {
bool AbreConEscritorio(const std::string& ruta, const char* que) {
  if (SinPantalla()) {
    std::cerr << que << ": " << ruta << std::endl;
    return true;
  }
  return QDesktopServices::openUrl(QUrl::fromLocalFile(AQString(ruta)));
}
} // namespace

ProcessesQt::ProcessesQt() : abreEnEscritorio(AbreConEscritorio) {}

ProcessesQt::~ProcessesQt() {
  for (const auto &v : visores_) delete v.data();
}

long ProcessesQt::IniciaDesligado(const std::string& programa, const std::vector<std::string>& argumentos) {
  if (programa.empty()) return 0;
  QStringList args;
  for (const auto& a : argumentos) args << AQString(a);
  qint64 pid = 0;
  if (!QProcess::startDetached(AQString(programa), args, QString(), &pid)) return 0;
  return long(pid);
}

bool ProcessesQt::VerArchivoTexto(const std::string& ruta) {
  if (abreEnEscritorio(ruta, "Ver archivo")) return true;
  QWidget* visor = VisorTextoQt::Abre(ruta);
  if (!visor) return false;
  std::erase_if(visores_, [](const QPointer<QWidget>& v) { return v.isNull(); });
  visores_.emplace_back(visor);
  return true;
}

bool ProcessesQt::AbrirCarpeta(const std::string& ruta) { return abreEnEscritorio(ruta, "Abrir carpeta"); }

// A detached program is not our child. Whoever adopts it may be slow to reap it (or never do so
// in a container whose first process does not), so an ended program still waiting to be reaped
// counts as ended.
bool ProcessesQt::Vive(long pid) {
  if (pid <= 0) return false;
  if (kill(pid_t(pid), 0) != 0 && errno != EPERM) return false;
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string linea;
  if (!std::getline(stat, linea)) return true;
  size_t fin = linea.rfind(')'); // the name may hold blanks and parentheses
  return fin == std::string::npos || fin + 2 >= linea.size() || linea[fin + 2] != 'Z';
}

} // namespace zt
