#include "Procedencia.h"
#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <map>
#include <netinet/in.h>
#include <sstream>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace zt {
namespace {

// The port of an address of /proc/net/tcp ("0100007F:1F90"), or 0.
unsigned Puerto(const std::string& dir) {
  const auto dos = dir.rfind(':');
  return dos == std::string::npos ? 0u : unsigned(std::strtoul(dir.c_str() + dos + 1, nullptr, 16));
}

// Every process whose chain of parents reaches 'raiz', 'raiz' first.
std::vector<pid_t> Familia(pid_t raiz) {
  std::multimap<pid_t, pid_t> hijos;
  if (DIR* d = opendir("/proc")) {
    while (const dirent* e = readdir(d)) {
      const pid_t pid = pid_t(std::atol(e->d_name));
      if (pid <= 0) continue;
      std::ifstream f("/proc/" + std::string(e->d_name) + "/stat");
      std::string stat;
      std::getline(f, stat);
      // "pid (name) state ppid ...": the name may hold blanks and parentheses.
      const auto cierra = stat.rfind(')');
      if (cierra == std::string::npos) continue;
      char estado = 0;
      long padre = 0;
      if (std::sscanf(stat.c_str() + cierra + 1, " %c %ld", &estado, &padre) == 2)
        hijos.emplace(pid_t(padre), pid);
    }
    closedir(d);
  }
  std::vector<pid_t> familia{raiz};
  for (size_t i = 0; i < familia.size(); ++i) {
    const auto [desde, hasta] = hijos.equal_range(familia[i]);
    for (auto it = desde; it != hasta; ++it) familia.push_back(it->second);
  }
  return familia;
}

bool TieneSocket(pid_t pid, const std::string& enlace) {
  const std::string carpeta = "/proc/" + std::to_string(pid) + "/fd";
  DIR* d = opendir(carpeta.c_str());
  if (!d) return false;
  bool hallado = false;
  char destino[64];
  while (const dirent* e = readdir(d)) {
    if (e->d_name[0] == '.') continue;
    const ssize_t n = readlink((carpeta + "/" + e->d_name).c_str(), destino, sizeof destino);
    if (n > 0 && size_t(n) == enlace.size() && enlace.compare(0, enlace.size(), destino, size_t(n)) == 0) {
      hallado = true;
      break;
    }
  }
  closedir(d);
  return hallado;
}

} // namespace

Procedencia ProcedenciaDe(int c, pid_t raiz) {
  Procedencia p;
  sockaddr_in otro{}, propio{};
  socklen_t largo = sizeof otro;
  if (getpeername(c, reinterpret_cast<sockaddr*>(&otro), &largo) != 0 || otro.sin_family != AF_INET) return p;
  largo = sizeof propio;
  if (getsockname(c, reinterpret_cast<sockaddr*>(&propio), &largo) != 0) return p;
  p.puerto = ntohs(otro.sin_port);
  const unsigned nuestro = ntohs(propio.sin_port);
  // The peer's own entry: its local end is the peer's port, its remote end our listening port.
  std::ifstream tabla("/proc/net/tcp");
  std::string linea;
  std::getline(tabla, linea); // header
  while (std::getline(tabla, linea)) {
    std::istringstream campos(linea);
    std::string sl, local, remoto, estado, colas, temporizador, reintentos;
    long uid = -1, espera = 0;
    unsigned long inodo = 0;
    if (!(campos >> sl >> local >> remoto >> estado >> colas >> temporizador >> reintentos >> uid >> espera >> inodo))
      continue;
    // A closed socket waiting out its time (inode 0, shown as root's) may share the addresses:
    // only a live one counts.
    if (Puerto(local) == p.puerto && Puerto(remoto) == nuestro && local.rfind("0100007F:", 0) == 0 &&
        remoto.rfind("0100007F:", 0) == 0 && inodo != 0) {
      p.uid = uid;
      p.inodo = inodo;
      break;
    }
  }
  // An orphaned socket (its owner closed it) has inode 0 and belongs to no one.
  if (p.inodo == 0) return p;
  const std::string enlace = "socket:[" + std::to_string(p.inodo) + "]";
  for (const pid_t pid : Familia(raiz))
    if (TieneSocket(pid, enlace)) {
      p.proceso = pid;
      break;
    }
  return p;
}

std::string Describe(const Procedencia& p) {
  std::string s = "127.0.0.1:" + std::to_string(p.puerto);
  if (p.inodo == 0) return s + " (sin dueño conocido)";
  return s + " (uid " + std::to_string(p.uid) + ", socket " + std::to_string(p.inodo) + ")";
}

} // namespace zt
