// Expands a document of definitions, nested loops and an include to about 10 MB, and the same
// expansion written for GNU m4; prints both times and the ratio. Run: bench_preproc [repeats]
#include "preproc/Motor.h"
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Reloj = std::chrono::steady_clock;

namespace {

const char* const kDias[] = {"lunes", "martes", "miercoles", "jueves", "viernes", "sabado", "domingo"};
constexpr int kGruposA = 26, kGruposB = 22;

std::string Letras(int n, const char* sep) {
  std::string r;
  for (int i = 0; i < n; ++i) r += std::string(i ? sep : "") + char('A' + i);
  return r;
}

std::string Lista(const char* sep, bool horas) {
  std::string r;
  if (horas) {
    for (int h = 0; h < 24; ++h) r += std::string(h ? sep : "") + (h < 10 ? "0" : "") + std::to_string(h);
  } else {
    for (int i = 0; i < 7; ++i) r += std::string(i ? sep : "") + kDias[i];
  }
  return r;
}

const char* const kLinea = " select CAMPOS from TABLA where grupo = 'a-b' and dia = 'd' and hora = 'h';\r\n";

void Escribe(const fs::path& p, const std::string& s) { std::ofstream(p, std::ios::binary) << s; }

std::string Lee(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

void EscribeQuillon(const fs::path& dir) {
  Escribe(dir / "doc.vrk", "$DEFINIR CAMPOS COMO nombre, sueldo, fecha_alta FINDEFINIR\r\n"
                           "$DEFINIR TABLA =empleados\r\n"
                           "$INCLUIR cuerpo.vrk");
  Escribe(dir / "cuerpo.vrk", "$PARA a EN " + Letras(kGruposA, " ") + " HACER $PARA b EN " +
                                  Letras(kGruposB, " ") + " HACER $PARA d EN " + Lista(" ", false) +
                                  " HACER $PARA h EN $horas HACER" + kLinea +
                                  "FINPARA FINPARA FINPARA FINPARA");
}

// The foreach of the GNU m4 manual, with [[ ]] as quotes so the text's apostrophes stay plain.
void EscribeM4(const fs::path& dir) {
  Escribe(dir / "doc.m4", "changequote([[,]])dnl\n"
                          "define([[foreach]], [[pushdef([[$1]])_foreach($@)popdef([[$1]])]])dnl\n"
                          "define([[_arg1]], [[$1]])dnl\n"
                          "define([[_foreach]], [[ifelse([[$2]], [[()]], [[]],"
                          " [[define([[$1]], _arg1$2)$3[[]]$0([[$1]], (shift$2), [[$3]])]])]])dnl\n"
                          "define([[CAMPOS]], [[nombre, sueldo, fecha_alta]])dnl\n"
                          "define([[TABLA]], [[empleados]])dnl\n"
                          "include([[cuerpo.m4]])dnl\n");
  Escribe(dir / "cuerpo.m4", "foreach([[a]], (" + Letras(kGruposA, ", ") + "), [[ foreach([[b]], (" +
                                 Letras(kGruposB, ", ") + "), [[ foreach([[d]], (" + Lista(", ", false) +
                                 "), [[ foreach([[h]], (" + Lista(", ", true) + "), [[" + kLinea +
                                 "]])]])]])]])dnl\n");
}

double Quillon(const fs::path& dir) {
  zt::preproc::Preprocesador p;
  auto t0 = Reloj::now();
  bool ok = p.Ejecuta(zt::T((dir / "doc.vrk").string()), {}, zt::T((dir / "quillon.out").string()));
  auto t1 = Reloj::now();
  if (!ok) std::fprintf(stderr, "error: %s\n", zt::U8(p.Error().Mensaje()).c_str());
  return std::chrono::duration<double>(t1 - t0).count();
}

double M4(const fs::path& dir) {
  auto t0 = Reloj::now();
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(126);
    int fd = open("m4.out", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 1);
    execlp("m4", "m4", "doc.m4", static_cast<char*>(nullptr));
    _exit(127);
  }
  int st = 0;
  waitpid(pid, &st, 0);
  auto t1 = Reloj::now();
  if (!WIFEXITED(st) || WEXITSTATUS(st) != 0) std::fprintf(stderr, "m4 failed (status %d)\n", st);
  return std::chrono::duration<double>(t1 - t0).count();
}

} // namespace

int main(int argc, char** argv) {
  int repeticiones = argc > 1 ? std::atoi(argv[1]) : 5;
  fs::path dir = fs::temp_directory_path() / ("zt_bench_preproc_" + std::to_string(getpid()));
  fs::create_directories(dir);
  EscribeQuillon(dir);
  EscribeM4(dir);
  double q = 1e9, m = 1e9;
  for (int i = 0; i < repeticiones; ++i) {
    q = std::min(q, Quillon(dir));
    m = std::min(m, M4(dir));
  }
  std::string sq = Lee(dir / "quillon.out"), sm = Lee(dir / "m4.out");
  double mb = sq.size() / 1e6;
  std::printf("output: quillon %zu bytes, m4 %zu bytes, identical: %s\n", sq.size(), sm.size(),
              sq == sm ? "yes" : "NO");
  std::printf("quillon: %.3f s (%.1f MB/s)   m4: %.3f s (%.1f MB/s)   (best of %d)\n", q, mb / q, m,
              sm.size() / 1e6 / m, repeticiones);
  std::printf("speed ratio quillon/m4: %.2f\n", m / q);
  fs::remove_all(dir);
  return sq == sm ? 0 : 1;
}
