// The program's folder: variable, else beside the executable, else the user's data folder.
#include "platform/Carpetas.h"
#include "platform/CarpetasRegla.h"
#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace zt {

namespace {

std::string Entorno(const char *nombre) {
  const char *v = nombre ? std::getenv(nombre) : nullptr;
  return v ? v : "";
}

std::string CarpetaPersonal() {
  std::string h = Entorno("HOME");
  if (!h.empty()) return h;
  if (const passwd *pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/tmp";
}

} // namespace

fs::path EligeCarpeta(const FuentesCarpeta &f, const std::string &nombre) {
  std::error_code ec;
  if (!f.variable.empty()) {
    fs::path p = fs::absolute(f.variable, ec);
    return ec ? fs::path(f.variable) : p;
  }
  if (!f.ejecutable.empty() && f.ejecutableEscribible) return f.ejecutable;
  // XDG asks to ignore a relative XDG_DATA_HOME.
  if (!f.xdgDataHome.empty() && fs::path(f.xdgDataHome).is_absolute())
    return fs::path(f.xdgDataHome) / nombre;
  return fs::path(f.home) / ".local" / "share" / nombre;
}

fs::path CarpetaEjecutable() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return exe.parent_path();
}

fs::path CarpetaPrograma(const char *variable, const char *nombre) {
  FuentesCarpeta f;
  f.variable = Entorno(variable);
  f.ejecutable = CarpetaEjecutable();
  f.ejecutableEscribible = !f.ejecutable.empty() && access(f.ejecutable.c_str(), W_OK) == 0;
  f.xdgDataHome = Entorno("XDG_DATA_HOME");
  f.home = CarpetaPersonal();
  fs::path p = EligeCarpeta(f, nombre);
  std::error_code ec;
  fs::create_directories(p, ec); // a failure shows later, when the first file is written there
  return p;
}

} // namespace zt
