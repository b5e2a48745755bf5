// Command round trips against the system telnetd running bash on the loopback: 1,000 times
// EnviaComando("echo N") (send, wait for the next prompt, take the lines between), against expect
// driving the system telnet client through the same kind of server doing the same. Median, 99th
// percentile and the trips over 10 ms of each.
#include "fakes/HostTelnetd.h"
#include "fakes/SesionLoopback.h"
#include "terminal/CtlEdTelnet.h"
#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace zt;
using test::HostTelnetd;
using test::SesionLoopback;

namespace {

constexpr int kVueltas = 1000, kCalentamiento = 20;

struct Cifras {
  double mediana = 0, p99 = 0, maximo = 0;
  int sobre10 = 0, n = 0;
};

Cifras Calcula(std::vector<double> us) {
  Cifras c;
  c.n = int(us.size());
  if (us.empty()) return c;
  std::sort(us.begin(), us.end());
  c.mediana = us[us.size() / 2] / 1000;
  c.p99 = us[std::min(us.size() - 1, us.size() * 99 / 100)] / 1000;
  c.maximo = us.back() / 1000;
  c.sobre10 = int(std::count_if(us.begin(), us.end(), [](double v) { return v > 10000; }));
  return c;
}

std::vector<double> Nuestras() {
  HostTelnetd host("bash", "zt$ ");
  std::vector<double> us;
  if (!host.Arranca()) return us;
  SesionLoopback s;
  CtlTelnet& telnet = s.telnet;
  PumpQt& pump = s.pump;
  s.vista.DetPromptActiva = true;
  s.vista.PatIniPrompt = U"zt$ ";
  if (!s.Conecta(host.puerto, [&] { return telnet.LlegoPrompt; })) return us;
  for (int i = 0; i < kVueltas + kCalentamiento; ++i) {
    const Texto esperado = T(std::to_string(i));
    const auto t0 = std::chrono::steady_clock::now();
    const Texto r = telnet.EnviaComando(U"echo " + esperado, 1, 1);
    const auto t1 = std::chrono::steady_clock::now();
    if (r != esperado) std::fprintf(stderr, "vuelta %d: '%s'\n", i, U8(r).c_str());
    if (i >= kCalentamiento) us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
  }
  telnet.SendData(U"exit\r");
  pump.EsperaHasta([&] { return telnet.State() != 7; }, 5000);
  return us;
}

std::vector<double> DeExpect() {
  HostTelnetd host("bash", "zt$ ");
  std::vector<double> us;
  if (!host.Arranca()) return us;
  const auto guion = host.carpeta / "vueltas.exp";
  std::ofstream(guion) << "log_user 0\nset timeout 10\n"
                       << "spawn -noecho /usr/bin/telnet 127.0.0.1 " << host.puerto << "\n"
                       << "expect -ex {zt$ }\n"
                       << "for {set i 0} {$i < " << kVueltas + kCalentamiento << "} {incr i} {\n"
                       << "  set t0 [clock microseconds]\n"
                       << "  send \"echo $i\\r\"\n"
                       << "  expect -re \"\\[\\r\\n\\]$i\\r\\n\"\n"
                       << "  expect -ex {zt$ }\n"
                       << "  puts [expr {[clock microseconds] - $t0}]\n"
                       << "}\nsend \"exit\\r\"\nexpect eof\n";
  FILE* p = popen(("/usr/bin/expect " + guion.string()).c_str(), "r");
  if (!p) return us;
  char linea[64];
  for (int i = 0; std::fgets(linea, sizeof linea, p); ++i)
    if (i >= kCalentamiento) us.push_back(std::atof(linea));
  pclose(p);
  return us;
}

void Muestra(const char* nombre, const Cifras& c) {
  std::printf("%-22s vueltas %4d  mediana %7.3f ms  p99 %7.3f ms  máx %7.3f ms  >10 ms: %d\n", nombre, c.n,
              c.mediana, c.p99, c.maximo, c.sobre10);
}

} // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QCoreApplication app(argc, argv);
  const Cifras nuestra = Calcula(Nuestras());
  const Cifras expect = Calcula(DeExpect());
  Muestra("EnviaComando", nuestra);
  Muestra("expect + telnet", expect);
  if (nuestra.mediana > 0 && nuestra.p99 > 0)
    std::printf("razón expect/EnviaComando: mediana %.2f  p99 %.2f\n", expect.mediana / nuestra.mediana,
                expect.p99 / nuestra.p99);
}
