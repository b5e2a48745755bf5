// A private Telnet host on the loopback: listens on a free 127.0.0.1 port, prints it, takes ONE
// connection made by the same user and becomes the system's telnetd on it, which runs the given
// session program instead of a login. Connections of other users are closed unanswered.
//
//   zt-anfitrion /ruta/al/programa-de-sesion      (prints the port, then waits)
#include <arpa/inet.h>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <netinet/in.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr const char* kServidor = "/usr/sbin/telnetd";

// The owner of the loopback socket whose local port is 'puertoLocal' and whose peer port is
// 'puertoRemoto', from the kernel's socket tables; -1 when not found.
long DuenoConexion(unsigned puertoLocal, unsigned puertoRemoto) {
  for (const char* tabla : {"/proc/net/tcp", "/proc/net/tcp6"}) {
    std::ifstream f(tabla);
    std::string linea;
    std::getline(f, linea); // header
    while (std::getline(f, linea)) {
      std::istringstream campos(linea);
      std::string sl, local, remoto, estado, colas, temporizador, reintentos;
      long uid = -1;
      if (!(campos >> sl >> local >> remoto >> estado >> colas >> temporizador >> reintentos >> uid))
        continue;
      const auto puerto = [](const std::string& dir) {
        const auto dos = dir.rfind(':');
        return dos == std::string::npos ? 0ul : std::strtoul(dir.c_str() + dos + 1, nullptr, 16);
      };
      if (puerto(local) == puertoLocal && puerto(remoto) == puertoRemoto) return uid;
    }
  }
  return -1;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2 || access(argv[1], X_OK) != 0) {
    std::fprintf(stderr, "uso: zt-anfitrion PROGRAMA_DE_SESION (ejecutable, ruta sin blancos)\n");
    return 2;
  }
  if (access(kServidor, X_OK) != 0) {
    std::fprintf(stderr, "zt-anfitrion: falta %s (paquete inetutils-telnetd)\n", kServidor);
    return 1;
  }
  const int escucha = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in dir{};
  dir.sin_family = AF_INET;
  dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t largo = sizeof dir;
  if (escucha < 0 || bind(escucha, reinterpret_cast<sockaddr*>(&dir), sizeof dir) != 0 ||
      listen(escucha, 4) != 0 || getsockname(escucha, reinterpret_cast<sockaddr*>(&dir), &largo) != 0) {
    std::perror("zt-anfitrion");
    return 1;
  }
  const unsigned puerto = ntohs(dir.sin_port);
  std::printf("%u\n", puerto);
  std::fflush(stdout);

  for (;;) {
    sockaddr_in otro{};
    socklen_t largoOtro = sizeof otro;
    const int c = accept(escucha, reinterpret_cast<sockaddr*>(&otro), &largoOtro);
    if (c < 0) {
      std::perror("zt-anfitrion");
      return 1;
    }
    // A shell for whoever connects first would be a shell for any local user: only ours.
    if (DuenoConexion(ntohs(otro.sin_port), puerto) != long(getuid())) {
      close(c);
      continue;
    }
    close(escucha); // no further connection
    // Started in the background by a script, this process ignores Ctrl+C's signal, and so would
    // every program of the session: the user's Ctrl+C must stop them.
    for (int s : {SIGINT, SIGQUIT, SIGTSTP, SIGTTIN, SIGTTOU, SIGPIPE}) signal(s, SIG_DFL);
    sigset_t nada;
    sigemptyset(&nada);
    sigprocmask(SIG_SETMASK, &nada, nullptr);
    dup2(c, 0), dup2(c, 1), dup2(c, 2);
    if (c > 2) close(c);
    execl(kServidor, "telnetd", "-h", "-E", argv[1], static_cast<char*>(nullptr));
    return 127;
  }
}
