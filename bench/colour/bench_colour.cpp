// Colours a generated 100,000-line shell script through the colour cache and prints lines per second.
#include "editor/ColorCache.h"
#include <chrono>
#include <cstdio>
#include <random>

using namespace zt;

namespace {

// A mix of the lines a command file holds: commands, pipes, strings, comments, directives, blanks.
std::vector<Texto> Guion(size_t n) {
  const std::vector<Texto> modelos{
      U"#!/bin/sh",
      U"# Copia de seguridad de los ficheros de configuración del servidor",
      U"for f in /etc/*.conf; do",
      U"      cp -p \"$f\" /backup/$FECHA/   # copia",
      U"done",
      U"if [ -d /tmp/x ]; then rm -rf /tmp/x; fi",
      U"while read linea; do echo \"$linea\" | grep -v '#'; done < lista.txt",
      U"ps -ef|grep telnetd|awk '{print $2}'|xargs kill -9",
      U"ls -l | wc -l; df -k; du -sk * | sort -n | tail -20",
      U"$DEFINIR DIR COMO /home/usuario/proyectos/actual",
      U"export PATH=$PATH:/usr/local/bin:/opt/herramientas/bin",
      U"",
      U"      tar cvf - . | (cd /destino && tar xvf -) 2>&1 | tee -a registro.log",
      U"case \"$1\" in start) echo 'Arrancando \"demo\"' ;; *) exit 1 ;; esac",
  };
  std::mt19937 azar(42);
  std::vector<Texto> l(n);
  for (Texto& t : l) t = modelos[azar() % modelos.size()];
  return l;
}

double Pasada(ColorCache& cache, int32_t n) {
  auto t0 = std::chrono::steady_clock::now();
  size_t tramos = 0;
  for (int32_t y = 1; y <= n; ++y) tramos += cache.Tramos(y).size();
  auto t1 = std::chrono::steady_clock::now();
  if (tramos == 0) std::puts("no runs?");
  return std::chrono::duration<double>(t1 - t0).count();
}

} // namespace

int main() {
  const int32_t n = 100000;
  std::vector<Texto> lineas = Guion(n);
  size_t columnas = 0;
  for (const Texto& t : lineas) columnas += t.size();
  ColoresEditor colores;
  ColorCache cache(PerfilShell(), colores);
  cache.FijaFuente([&](int32_t y) { return lineas[static_cast<size_t>(y - 1)]; });
  cache.AlInsertar(1, n);

  double mejor = 1e9;
  for (int vuelta = 0; vuelta < 5; ++vuelta) {
    cache.ReinicColEdi();
    mejor = std::min(mejor, Pasada(cache, n));
  }
  double cacheada = Pasada(cache, n);
  std::printf("colouring %d lines (%zu columns), best of 5: %.1f ms, %.0f lines/s, %.1f Mcolumns/s\n", n, columnas,
              mejor * 1e3, n / mejor, columnas / mejor / 1e6);
  std::printf("cached runs, no lexing: %.2f ms, %.0f lines/s\n", cacheada * 1e3, n / cacheada);
  return 0;
}
