// A private Telnet host for one program: listens on a free 127.0.0.1 port, starts the program
// with "/IP=127.0.0.1:port" before its own arguments, and serves the system's telnetd, running
// the given session program, on the first connection that comes from that program (or a process
// it started). Any other connection is closed unanswered and logged: it does not use up the
// session. The listener closes once the session is handed over; when the program ends, telnetd
// is stopped and its status is ours.
//
//   zt-anfitrion [-d DESCRIPCION] SESION PROGRAMA [ARGUMENTOS...]
#include "Procedencia.h"
#include "ServidorTelnetd.h"
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSenales[] = {SIGCHLD, SIGINT, SIGQUIT, SIGTERM, SIGHUP};

// In a child, before exec: default handling and no blocked signals, as a fresh process has.
void SenalesDeFabrica() {
  for (int s : {SIGINT, SIGQUIT, SIGTSTP, SIGTTIN, SIGTTOU, SIGPIPE, SIGTERM, SIGHUP, SIGCHLD})
    signal(s, SIG_DFL);
  sigset_t nada;
  sigemptyset(&nada);
  sigprocmask(SIG_SETMASK, &nada, nullptr);
}

int EstadoDe(int estado) {
  if (WIFEXITED(estado)) return WEXITSTATUS(estado);
  if (WIFSIGNALED(estado)) return 128 + WTERMSIG(estado);
  return 1;
}

// Stops telnetd: SIGTERM, then SIGKILL after two seconds. Closing its terminal hangs up the shell.
void Para(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    usleep(10000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char** argv) {
  std::string descripcion;
  int a = 1;
  if (a + 1 < argc && std::strcmp(argv[a], "-d") == 0) {
    descripcion = argv[a + 1];
    a += 2;
  }
  if (argc - a < 2 || access(argv[a], X_OK) != 0) {
    std::fprintf(stderr, "uso: zt-anfitrion [-d DESCRIPCION] SESION PROGRAMA [ARGUMENTOS...]\n"
                         "  SESION: ejecutable que telnetd arranca (ruta sin blancos)\n");
    return 2;
  }
  const char* sesion = argv[a];
  if (access(zt::kServidorTelnetd, X_OK) != 0) {
    std::fprintf(stderr, "zt-anfitrion: falta %s (paquete inetutils-telnetd)\n", zt::kServidorTelnetd);
    return 1;
  }

  // Signals arrive as readable events, so nothing unsafe runs in a handler and none is lost
  // between the checks of the loop.
  sigset_t senales;
  sigemptyset(&senales);
  for (int s : kSenales) sigaddset(&senales, s);
  sigprocmask(SIG_BLOCK, &senales, nullptr);
  const int sfd = signalfd(-1, &senales, SFD_CLOEXEC);

  unsigned puerto = 0;
  int escucha = zt::EscuchaLoopback(64, puerto);
  if (escucha < 0 || sfd < 0) {
    std::perror("zt-anfitrion");
    return 1;
  }
  std::fprintf(stderr, "Host Telnet local en 127.0.0.1:%u%s%s%s\n", puerto, descripcion.empty() ? "" : " (",
               descripcion.c_str(), descripcion.empty() ? "" : ")");

  std::vector<char*> args(argv + a + 1, argv + argc);
  std::string ip = "/IP=127.0.0.1:" + std::to_string(puerto);
  args.insert(args.begin() + 1, ip.data());
  args.push_back(nullptr);
  const pid_t programa = fork();
  if (programa == 0) {
    SenalesDeFabrica();
    execv(args[0], args.data());
    std::fprintf(stderr, "zt-anfitrion: no se pudo ejecutar %s: %s\n", args[0], std::strerror(errno));
    _exit(127);
  }
  if (programa < 0) {
    std::perror("zt-anfitrion");
    return 1;
  }

  pid_t telnetd = -1;
  int estado = 1;
  for (bool sigue = true; sigue;) {
    pollfd p[2] = {{sfd, POLLIN, 0}, {escucha, POLLIN, 0}};
    if (poll(p, escucha >= 0 ? 2 : 1, -1) < 0) {
      if (errno == EINTR) continue;
      std::perror("zt-anfitrion");
      break;
    }
    if (p[0].revents & POLLIN) {
      signalfd_siginfo info{};
      if (read(sfd, &info, sizeof info) != sizeof info) continue;
      const int s = int(info.ssi_signo);
      if (s == SIGTERM || s == SIGHUP) kill(programa, s);
      // Ctrl+C and Ctrl+\ reach the program from the terminal itself; it decides.
      int e = 0;
      for (pid_t hijo; (hijo = waitpid(-1, &e, WNOHANG)) > 0;) {
        if (hijo == programa) estado = e, sigue = false;
        if (hijo == telnetd) telnetd = -1;
      }
    }
    if (escucha >= 0 && (p[1].revents & POLLIN)) {
      const int c = accept4(escucha, nullptr, nullptr, SOCK_CLOEXEC);
      if (c < 0) continue;
      const zt::Procedencia de = zt::ProcedenciaDe(c, programa);
      if (de.proceso <= 0) {
        std::fprintf(stderr, "zt-anfitrion: conexión rechazada desde %s: no es de %s\n", zt::Describe(de).c_str(),
                     args[0]);
        close(c);
        continue;
      }
      close(escucha); // no further connection, from anyone
      escucha = -1;
      telnetd = fork();
      if (telnetd == 0) {
        SenalesDeFabrica();
        zt::SirveTelnetd(c, sesion);
        _exit(127);
      }
      close(c);
    }
  }
  if (escucha >= 0) close(escucha);
  Para(telnetd);
  return EstadoDe(estado);
}
