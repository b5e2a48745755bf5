// A document with 100 $CONSULTAR against a SQLite file, run the way Quillon runs it: each query a
// script in the work folder, the launch program started on it, the spool file waited for. Prints
// the time per query and where it goes (starting the program, until the spool appears, until the
// program is seen ended), for ztelnet (the default launch program) and for ztsql, and the same
// 100 queries through the sqlite3 command as the peer (one process per query).
// Run: bench_consultas [consultas]
#include "platform/qt/DialogsQt.h"
#include "platform/qt/ProcessesQt.h"
#include "platform/qt/PumpQt.h"
#include "preproc/Quillon.h"
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using Reloj = std::chrono::steady_clock;

namespace {

double Ms(Reloj::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

int Ejecuta(std::vector<std::string> args) {
  std::fflush(stdout);
  pid_t pid = fork();
  if (pid == 0) {
    freopen("/dev/null", "w", stdout);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int st = 0;
  waitpid(pid, &st, 0);
  return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

struct Medida {
  double total = 0, inicio = 0, aparicion = 0, liberacion = 0;
  bool ok = false;
};

Medida Corre(const fs::path& casa, const std::string& lanzador, int n) {
  zt::DialogsQt dialogs;
  zt::ProcessesQt procesos;
  zt::PumpQt pump;
  zt::preproc::Quillon q({dialogs, procesos, casa, zt::T(lanzador), zt::preproc::AhoraLocal, nullptr, &pump});
  q.ajustes.conexion = zt::T("u/c@datos.db");
  q.ajustes.lanzador = zt::T(lanzador);
  q.AplicaAjustes();
  std::string doc;
  for (int i = 0; i < n; ++i)
    doc += "$DEFINIR V" + std::to_string(i) +
           " = $CONSULTAR select nombre from emp where id = " + std::to_string(i % 50 + 1) +
           "; FINCONSULTAR\r\nV" + std::to_string(i) + "\r\n";
  std::ofstream(casa / "doc.vrk", std::ios::binary) << doc;
  zt::Texto salida;
  auto t0 = Reloj::now();
  q.ePreProcesar(zt::T((casa / "doc.vrk").string()), salida);
  Medida m;
  m.total = Ms(Reloj::now() - t0);
  m.ok = !q.Error().HayError() && q.Consultas()->Consultas() == n;
  const auto& a = q.Consultas()->TiemposAcumulados();
  m.inicio = double(a.inicio) / n;
  m.aparicion = double(a.aparicion) / n;
  m.liberacion = double(a.liberacion) / n;
  return m;
}

} // namespace

int main(int argc, char* argv[]) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QCoreApplication app(argc, argv);
  int n = argc > 1 ? std::atoi(argv[1]) : 100;
  fs::path casa = fs::temp_directory_path() / ("zt_bench_consultas_" + std::to_string(getpid()));
  fs::remove_all(casa);
  fs::create_directories(casa / "bolsa");
  std::string datos = "create table emp(id integer primary key, nombre text);\n";
  for (int i = 1; i <= 50; ++i)
    datos += "insert into emp values (" + std::to_string(i) + ", 'nombre" + std::to_string(i) + "');\n";
  std::ofstream(casa / "datos.sql", std::ios::binary) << datos;
  if (Ejecuta({ZTSQL_EXE, "u/c@" + (casa / "datos.db").string(), (casa / "datos.sql").string()}) != 0) {
    std::fprintf(stderr, "no se pudo crear la base de prueba\n");
    return 1;
  }
  std::printf("%d consultas $CONSULTAR contra SQLite\n", n);
  std::printf("%-10s %9s %11s %11s %12s %12s\n", "lanzador", "total s", "ms/consulta", "arranque",
              "hasta spool", "hasta fin");
  double totalZt = 0;
  for (const char* lanzador : {ZTELNET_EXE, ZTSQL_EXE}) {
    fs::remove_all(casa / "bolsa");
    fs::create_directories(casa / "bolsa");
    Medida m = Corre(casa, lanzador, n);
    if (!m.ok) std::printf("(¡con errores!) ");
    std::printf("%-10s %9.2f %11.1f %11.1f %12.1f %12.1f\n", fs::path(lanzador).filename().c_str(),
                m.total / 1000, m.total / n, m.inicio, m.aparicion, m.liberacion);
    if (totalZt == 0) totalZt = m.total;
  }
  // Each program alone on one query script, as our own child: wall and CPU time per run. The
  // peer: one sqlite3 process per query, nothing else.
  std::string guion = (casa / "g.sql").string();
  std::ofstream(guion, std::ios::binary)
      << "SPOOL " << (casa / "s.tmp").string()
      << "\r\nSET HEAD OFF\r\nselect nombre from emp where id = 7;\r\nSPOOL OFF\r\nEXIT\r\n";
  setenv("QUILLON_CONEXION", ("u/c@" + (casa / "datos.db").string()).c_str(), 1);
  struct Programa {
    const char* nombre;
    std::vector<std::string> args;
  } programas[] = {
      {"ztelnet", {ZTELNET_EXE, "/M=" + guion}},
      {"ztsql", {ZTSQL_EXE, guion}},
      {"sqlite3", {"sqlite3", (casa / "datos.db").string(), "select nombre from emp where id = 7;"}},
  };
  std::printf("\nun proceso por consulta, solo:  ms de reloj  ms de CPU\n");
  double relojPeer = 0, cpuPeer = 0, cpuZt = 0;
  for (auto& p : programas) {
    rusage r0, r1;
    getrusage(RUSAGE_CHILDREN, &r0);
    auto t0 = Reloj::now();
    bool ok = true;
    for (int i = 0; i < n && ok; ++i) ok = Ejecuta(p.args) == 0;
    double reloj = Ms(Reloj::now() - t0) / n;
    getrusage(RUSAGE_CHILDREN, &r1);
    auto us = [](const rusage& r) {
      return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1e6 + r.ru_utime.tv_usec + r.ru_stime.tv_usec;
    };
    double cpu = (us(r1) - us(r0)) / 1000 / n;
    std::printf("%-30s %11.1f %10.1f%s\n", p.nombre, reloj, cpu, ok ? "" : "  (falló)");
    if (std::string(p.nombre) == "sqlite3") relojPeer = reloj, cpuPeer = cpu;
    if (std::string(p.nombre) == "ztelnet") cpuZt = cpu;
  }
  if (relojPeer > 0)
    std::printf("razón $CONSULTAR por ztelnet / sqlite3 solo: %.1f (reloj); CPU ztelnet / sqlite3: %.1f\n",
                totalZt / n / relojPeer, cpuZt / cpuPeer);
  fs::remove_all(casa);
  return 0;
}
