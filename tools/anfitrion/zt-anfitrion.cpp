// A private Telnet host on the loopback: listens on a free 127.0.0.1 port, prints it, takes ONE
// connection made by the same user and becomes the system's telnetd on it, which runs the given
// session program instead of a login. Connections of other users are closed unanswered.
//
//   zt-anfitrion /ruta/al/programa-de-sesion      (prints the port, then waits)
#include "ServidorTelnetd.h"
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
  if (access(zt::kServidorTelnetd, X_OK) != 0) {
    std::fprintf(stderr, "zt-anfitrion: falta %s (paquete inetutils-telnetd)\n", zt::kServidorTelnetd);
    return 1;
  }
  unsigned puerto = 0;
  const int escucha = zt::EscuchaLoopback(4, puerto);
  if (escucha < 0) {
    std::perror("zt-anfitrion");
    return 1;
  }
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
    zt::SirveTelnetd(c, argv[1]);
    return 127;
  }
}
