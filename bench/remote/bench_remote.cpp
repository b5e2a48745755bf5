// Fetch and store of a 1 MB, 20,000-line file through the system telnetd on the loopback: the
// remote transfers over the real Telnet object and terminal view, and, in the same run, expect
// driving the system telnet client through the same kind of host with the bare commands (cat + an
// end mark; the same reader and data lines writing straight into the file + a mark). Each side
// runs 'vueltas' times; the medians are compared. The sides take turns, one round each.
// Hosts and expect are started without forking this process: a fork write-protects every page of
// the forking process, and the transfers would then pay a page fault for each page they write
// again (about half of their time here), which the program itself never pays.
// Run: bench_remote [vueltas] [shell]
#include "../Cifras.h"
#include "fakes/HostTelnetd.h"
#include "fakes/SesionLoopback.h"
#include "platform/AppQt.h"
#include "remote/CanalTelnet.h"
#include "remote/TransferenciaRemota.h"
#include "terminal/CtlEdTelnet.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <spawn.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zt;
namespace fs = std::filesystem;
using Reloj = std::chrono::steady_clock;
extern char** environ;

namespace {

using zt::bench::Mediana;

const std::string kPrompt = "zt$ ";

// 20,000 lines, 1 MB, with the characters a store must escape.
std::string Archivo() {
  std::string r;
  const std::string base = "clave_%d = \"valor\" 'x' $HOME \\n\tfin de la linea numero ";
  for (int i = 0; r.size() < (1u << 20) - 60 && i < 20000; ++i) {
    std::string l = base + std::to_string(i);
    l.resize(51, '.');
    r += l + "\n";
  }
  return r;
}

double Ms(Reloj::time_point a, Reloj::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

struct Tiempos {
  std::vector<double> lee, guarda;
  bool bien = true;
};

// A small process, forked before the benchmark grows, that starts and stops one host at a time
// on request: "<shell>" starts one and answers "<port> <folder>", an empty line stops it.
class Lanzador {
public:
  Lanzador() {
    int par[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, par) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(par[0]);
      Sirve(par[1]);
      _exit(0);
    }
    close(par[1]);
    fd_ = par[0];
  }
  ~Lanzador() {
    if (fd_ >= 0) close(fd_);
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
  }
  struct Host {
    uint16_t puerto = 0;
    fs::path carpeta;
    void Escribe(const std::string& nombre, const std::string& bytes) const {
      std::ofstream(carpeta / nombre, std::ios::binary) << bytes;
    }
    std::string Lee(const std::string& nombre) const {
      std::ifstream f(carpeta / nombre, std::ios::binary);
      return std::string(std::istreambuf_iterator<char>(f), {});
    }
  };
  // Starts a host; its port is 0 when it did not start.
  Host Arranca(const std::string& shell) {
    Host h;
    std::istringstream r(Pide(shell));
    std::string carpeta;
    if (r >> h.puerto >> carpeta) h.carpeta = carpeta;
    return h;
  }
  void Para() { Pide(""); }

private:
  std::string Pide(const std::string& linea) {
    const std::string l = linea + "\n";
    if (write(fd_, l.data(), l.size()) != ssize_t(l.size())) return {};
    return LeeLinea(fd_);
  }
  static std::string LeeLinea(int fd) {
    std::string r;
    for (char c; read(fd, &c, 1) == 1 && c != '\n';) r += c;
    return r;
  }
  static void Sirve(int fd) {
    std::unique_ptr<test::HostTelnetd> host;
    for (;;) {
      char c;
      std::string l;
      ssize_t n;
      while ((n = read(fd, &c, 1)) == 1 && c != '\n') l += c;
      if (n != 1) return;
      host.reset();
      std::string respuesta = "\n";
      if (!l.empty()) {
        host = std::make_unique<test::HostTelnetd>(l, kPrompt);
        if (host->Arranca()) respuesta = std::to_string(host->puerto) + " " + host->carpeta.string() + "\n";
      }
      if (write(fd, respuesta.data(), respuesta.size()) < 0) return;
    }
  }
  int fd_ = -1;
  pid_t pid_ = -1;
};

// A view that keeps nothing: what the transfers cost without the terminal view's work.
struct VistaNula : PantallaTelnet {
  void Datos(VistaTexto) override {}
  bool EnSecuencia() const override { return false; }
  void ReiniciaSecuencia() override {}
  void FijaTamTerminal(int16_t, int16_t) override {}
  void Panel1(VistaTexto, Color, Color) override {}
  int32_t NumLineas() const override { return 0; }
  void EliminarLineasIni(int32_t) override {}
  bool CursorEditEngan() const override { return false; }
  void EnganCursorEdit() override {}
  void Dibujar() override {}
};

Tiempos Nuestro(Lanzador& lanzador, const std::string& shell, const std::string& bytes, int vueltas,
                bool nula) {
  Tiempos t;
  const Lanzador::Host host = lanzador.Arranca(shell);
  if (!host.puerto) return t.bien = false, t;
  host.Escribe("grande", bytes);
  VistaNula nada;
  test::SesionLoopback s;
  CtlEdTelnet& vista = s.vista;
  CtlTelnet& telnet = s.telnet;
  PumpQt& pump = s.pump;
  if (!s.Conecta(
          host.puerto, [&] { return vista.UltimaLinea() == T(kPrompt); }, 15000))
    return t.bien = false, t;
  if (nula) telnet.Iniciar(nada);
  CanalTelnet canal(telnet, pump, nula ? static_cast<PantallaTelnet*>(&nada) : &vista);
  TransferenciaRemota tr(canal);
  for (int i = 0; i < vueltas; ++i) {
    auto a = Reloj::now();
    const auto l = tr.Lee(U"grande");
    auto b = Reloj::now();
    const Texto e = tr.Guarda(U"copia", l.texto);
    auto c = Reloj::now();
    if (!l.error.empty() || !e.empty() || host.Lee("copia") != bytes) {
      std::fprintf(stderr, "transferencia: %s %s\n", U8(l.error).c_str(), U8(e).c_str());
      t.bien = false;
    }
    t.lee.push_back(Ms(a, b));
    t.guarda.push_back(Ms(b, c));
  }
  telnet.SendData(U"exit\r");
  pump.EsperaHasta([&] { return telnet.State() != 7; }, 3000);
  lanzador.Para();
  return t;
}

Tiempos Expect(Lanzador& lanzador, const std::string& shell, const std::string& bytes, int vueltas) {
  Tiempos t;
  const Lanzador::Host host = lanzador.Arranca(shell);
  if (!host.puerto) return t.bien = false, t;
  host.Escribe("grande", bytes);
  // The same data the transfers send, decoded by the same reader straight into the file (none of
  // the transfers' checks: no temporary file, no exit status, no checksum), then a mark.
  const Escritura esc = ComandoEscritura(bytes, "copia", "x");
  const fs::path orden = host.carpeta / ".orden", datos = host.carpeta / ".datos";
  std::ofstream(orden, std::ios::binary)
      << "\\sh -c 't=$(stty -g 2>/dev/null); stty -echo 2>/dev/null; printf \"%s%s\\n\" ZTL x >&2; "
      << LectorDatos() << "; stty \"$t\" 2>/dev/null' > copia; printf '%s%s\\n' ZT GUARDADO\r";
  std::ofstream(datos, std::ios::binary) << esc.datos;
  const fs::path guion = host.carpeta / ".bench.exp", salida = host.carpeta / ".bench.out";
  std::ofstream(guion)
      << "set timeout 120\nlog_user 0\nmatch_max 4096\n"
      << "proc lee {r} {set f [open $r r]; fconfigure $f -translation binary; set t [read $f]; "
         "close $f; return $t}\n"
      << "set orden [lee {" << orden.string() << "}]\nset datos [lee {" << datos.string() << "}]\n"
      << "spawn -noecho /usr/bin/telnet 127.0.0.1 " << host.puerto << "\n"
      << "expect -ex {" << kPrompt << "}\n"
      << "for {set i 0} {$i < " << vueltas << "} {incr i} {\n"
      << "  set a [clock microseconds]\n"
      << "  send \"cat grande; printf '%s%s\\\\n' ZT FIN\\r\"\n"
      << "  expect -ex {ZTFIN}\n  expect -ex {" << kPrompt << "}\n"
      << "  set b [clock microseconds]\n"
      << "  send -- $orden\n  expect -ex {ZTLx}\n  send -- $datos\n"
      << "  expect -ex {ZTGUARDADO}\n  expect -ex {" << kPrompt << "}\n"
      << "  set c [clock microseconds]\n"
      << "  puts \"[expr {($b-$a)/1000.0}] [expr {($c-$b)/1000.0}]\"\n"
      << "}\nsend \"exit\\r\"\nexpect eof\n";
  posix_spawn_file_actions_t acciones;
  posix_spawn_file_actions_init(&acciones);
  posix_spawn_file_actions_addopen(&acciones, 1, salida.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const std::string g = guion.string();
  char* argv[] = {const_cast<char*>("expect"), const_cast<char*>(g.c_str()), nullptr};
  pid_t pid = -1;
  int estado = 0;
  if (posix_spawn(&pid, "/usr/bin/expect", &acciones, nullptr, argv, environ) == 0)
    waitpid(pid, &estado, 0);
  else
    estado = 127 << 8;
  posix_spawn_file_actions_destroy(&acciones);
  std::ifstream f(salida);
  for (double l, g; f >> l >> g;) t.lee.push_back(l), t.guarda.push_back(g);
  t.bien = WIFEXITED(estado) && WEXITSTATUS(estado) == 0 && int(t.lee.size()) == vueltas &&
           host.Lee("copia") == bytes;
  lanzador.Para();
  return t;
}

} // namespace

int main(int argc, char** argv) {
  const int vueltas = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const std::string shell = argc > 2 ? argv[2] : "bash";
  Lanzador lanzador; // before anything else grows this process
  AppQt();
  const std::string bytes = Archivo();
  std::printf("archivo: %zu bytes, %zu líneas; shell %s; %d vueltas\n", bytes.size(),
              size_t(std::count(bytes.begin(), bytes.end(), '\n')), shell.c_str(), vueltas);
  std::fflush(stdout);
  // One round of each side in turn, so a machine whose load changes affects both alike.
  Tiempos n, nn, e;
  const auto junta = [](Tiempos& a, const Tiempos& b) {
    a.lee.insert(a.lee.end(), b.lee.begin(), b.lee.end());
    a.guarda.insert(a.guarda.end(), b.guarda.begin(), b.guarda.end());
    a.bien = a.bien && b.bien;
  };
  const bool hayExpect = access("/usr/bin/expect", X_OK) == 0;
  for (int i = 0; i < vueltas; ++i) {
    junta(n, Nuestro(lanzador, shell, bytes, 1, false));
    junta(nn, Nuestro(lanzador, shell, bytes, 1, true));
    junta(e, hayExpect ? Expect(lanzador, shell, bytes, 1) : Tiempos{{}, {}, false});
  }
  std::printf("transferencias remotas: leer %.0f ms, guardar %.0f ms (mediana)%s\n", Mediana(n.lee),
              Mediana(n.guarda), n.bien ? "" : "  [FALLÓ]");
  std::printf("  (sin vista de terminal: leer %.0f ms, guardar %.0f ms)\n", Mediana(nn.lee),
              Mediana(nn.guarda));
  std::printf("expect + telnet:        leer %.0f ms, guardar %.0f ms (mediana)%s\n", Mediana(e.lee),
              Mediana(e.guarda), e.bien ? "" : "  [FALLÓ]");
  if (n.bien && e.bien)
    std::printf("razón expect/nuestro: leer %.2f, guardar %.2f (mayor que 1: más rápido que expect)\n",
                Mediana(e.lee) / Mediana(n.lee), Mediana(e.guarda) / Mediana(n.guarda));
  return n.bien ? 0 : 1;
}
