// 1,000 round trips of "send a line, wait for the prompt" against the system telnetd running
// bash on the loopback: a macro run by ztelnet with no display, and expect driving the system
// telnet client through the same kind of host, in the same run. Each round trip is timed by the
// host itself (bash's $EPOCHREALTIME printed by every command), so both sides are measured alike.
// With "ssh" (as root) the same over SSH: the macro through sshd on the loopback against expect
// driving the system ssh client.
// Run: bench_macro [round trips] [ssh]
#include "fakes/HostSshd.h"
#include "fakes/HostTelnetd.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Reloj = std::chrono::steady_clock;

namespace {

const std::string kPrompt = "zt$ ";

std::string Lee(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

// Runs a program with its output to 'salida'; returns its exit status (-1 when it did not start).
int Ejecuta(const std::vector<std::string>& args, const fs::path& salida,
            const std::vector<std::string>& env) {
  const pid_t pid = fork();
  if (pid == 0) {
    for (const auto& e : env) {
      if (e[0] == '-')
        unsetenv(e.c_str() + 1); // "-NAME": not set for the child
      else
        putenv(const_cast<char*>(e.c_str()));
    }
    if (!freopen(salida.c_str(), "w", stdout)) _exit(126);
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int estado = 0;
  if (pid < 0 || waitpid(pid, &estado, 0) != pid) return -1;
  return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
}

// The host's clock at each command, in microseconds, from the captured session text.
std::vector<double> Marcas(const std::string& texto) {
  std::vector<double> r;
  // The number may follow an escape sequence the shell put before the command's output.
  static const std::regex numero(R"((^|[^\d.])(\d{9,}\.\d{6})\r?$)");
  std::istringstream in(texto);
  std::string linea;
  while (std::getline(in, linea)) {
    std::smatch m;
    if (std::regex_search(linea, m, numero)) r.push_back(std::stod(m[2]) * 1e6);
  }
  return r;
}

struct Cifras {
  double mediana = 0, p99 = 0, total = 0, pared = 0;
  size_t vueltas = 0;
};

Cifras Calcula(const std::vector<double>& marcas, double pared) {
  Cifras c;
  c.pared = pared;
  if (marcas.size() < 2) return c;
  std::vector<double> d;
  for (size_t i = 1; i < marcas.size(); ++i) d.push_back((marcas[i] - marcas[i - 1]) / 1000.0);
  c.vueltas = d.size();
  c.total = (marcas.back() - marcas.front()) / 1000.0;
  std::sort(d.begin(), d.end());
  c.mediana = d[d.size() / 2];
  c.p99 = d[std::min(d.size() - 1, size_t(double(d.size()) * 0.99))];
  return c;
}

// The macro's round trips against 'destino' (a CONNECT address); 'env' is added to ztelnet's.
Cifras Macro(int vueltas, const fs::path& dir, const std::string& destino, std::vector<std::string> env) {
  const fs::path casa = dir / "casa";
  for (const char* c : {"temp", "macros", "scripts"}) fs::create_directories(casa / c);
  std::ostringstream m;
  m << "CONNECT '" << destino << "'\r\nWAIT '" << kPrompt << "'\r\nCAPTURE salida\r\n";
  for (int i = 0; i <= vueltas; ++i) m << "SENDLN 'echo $EPOCHREALTIME'; WAIT '" << kPrompt << "'\r\n";
  m << "ENDCAPTURE\r\nFILEOPEN f 'marcas.txt' FILEWRITE f salida FILECLOSE f\r\nDISCONNECT\r\n";
  std::ofstream(dir / "vueltas.zkv", std::ios::binary) << m.str();
  fs::current_path(dir);
  const auto t0 = Reloj::now();
  env.insert(env.end(), {"-DISPLAY", "-WAYLAND_DISPLAY", "-QT_QPA_PLATFORM", "ZTELNET_HOME=" + casa.string()});
  const int st = Ejecuta({ZT_ZTELNET, "/M=" + (dir / "vueltas.zkv").string(), "/SALIR", "/NOERROR", "/ACEPTAR_CLAVE"},
                         dir / "ztelnet.out", env);
  const double pared = std::chrono::duration<double, std::milli>(Reloj::now() - t0).count();
  if (st != 0) std::fprintf(stderr, "ztelnet: estado %d; %s\n", st, Lee(dir / "error.log").c_str());
  return Calcula(Marcas(Lee(dir / "marcas.txt")), pared);
}

// expect driving 'cliente' (a spawn command line).
Cifras Expect(int vueltas, const fs::path& dir, const std::string& cliente) {
  std::ofstream(dir / "vueltas.exp") << "set timeout 10\nlog_user 0\n"
                                     << "spawn -noecho " << cliente << "\n"
                                     << "expect -ex {" << kPrompt << "}\n"
                                     << "for {set i 0} {$i <= " << vueltas << "} {incr i} {\n"
                                     << "  send \"echo \\$EPOCHREALTIME\\r\"\n"
                                     << "  expect -ex {" << kPrompt << "}\n"
                                     << "  puts -nonewline $expect_out(buffer)\n"
                                     << "}\nsend \"exit\\r\"\nexpect eof\n";
  const auto t0 = Reloj::now();
  const int st = Ejecuta({"/usr/bin/expect", (dir / "vueltas.exp").string()}, dir / "expect.out", {});
  const double pared = std::chrono::duration<double, std::milli>(Reloj::now() - t0).count();
  if (st != 0) std::fprintf(stderr, "expect: estado %d\n", st);
  return Calcula(Marcas(Lee(dir / "expect.out")), pared);
}

void Muestra(const char* quien, const Cifras& c) {
  std::printf("%-28s %5zu vueltas  mediana %7.3f ms  p99 %7.3f ms  total %8.1f ms  (proceso %8.1f ms)\n",
              quien, c.vueltas, c.mediana, c.p99, c.total, c.pared);
}

} // namespace

int main(int argc, char** argv) {
  const int vueltas = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  char plantilla[] = "/tmp/zt-bench-macro-XXXXXX";
  if (!mkdtemp(plantilla)) return 1;
  const fs::path dir = plantilla;
  fs::create_directories(dir / "m");
  fs::create_directories(dir / "e");
  const bool ssh = argc > 2 && std::string(argv[2]) == "ssh";
  Cifras m, e;
  if (ssh) {
    if (!zt::test::HostSshd::Falta().empty()) return std::fprintf(stderr, "%s\n", zt::test::HostSshd::Falta().c_str()), 1;
    zt::test::HostSshd host;
    host.shell = "/bin/bash --norc --noprofile -i";
    if (!host.Arranca()) return 1;
    const std::string puerto = std::to_string(host.puerto), casa = host.casa.string();
    m = Macro(vueltas, dir / "m", "ssh://root@127.0.0.1:" + puerto, {"HOME=" + casa});
    e = Expect(vueltas, dir / "e",
               "/usr/bin/ssh -tt -o StrictHostKeyChecking=accept-new -o UserKnownHostsFile=" + casa +
                   "/.ssh/known_hosts -i " + casa + "/.ssh/id_ed25519 -p " + puerto + " root@127.0.0.1");
  } else {
    zt::test::HostTelnetd hm("bash", kPrompt), he("bash", kPrompt);
    if (!hm.Arranca() || !he.Arranca()) return 1;
    m = Macro(vueltas, dir / "m", "127.0.0.1:" + std::to_string(hm.puerto), {});
    e = Expect(vueltas, dir / "e", "/usr/bin/telnet 127.0.0.1 " + std::to_string(he.puerto));
  }
  fs::current_path("/");
  Muestra(ssh ? "macro ztelnet por SSH" : "macro ztelnet (SENDLN+WAIT)", m);
  Muestra(ssh ? "expect + ssh" : "expect + telnet", e);
  if (m.vueltas && e.vueltas)
    std::printf("razón expect/macro: mediana %.2f  p99 %.2f  total %.2f; espera de 100 ms / mediana: %.0f\n",
                e.mediana / m.mediana, e.p99 / m.p99, e.total / m.total, 100.0 / m.mediana);
  fs::remove_all(dir);
  return m.vueltas == size_t(vueltas) && e.vueltas == size_t(vueltas) ? 0 : 1;
}
