// Ingest of host output, from bytes to the terminal view (Telnet object, escape interpreter, line
// store, trimming at 500 lines), against libvterm fed the same bytes on a 35 x 90 screen.
// Three streams: plain lines; coloured screens with cursor moves and erasures; text with Telnet
// commands. Prints MB/s of each and the ratio.
#include "fakes/FakeSocket.h"
#include "fakes/FakeTimer.h"
#include "terminal/CtlEdTelnet.h"
#include "terminal/CtlTelnet.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
extern "C" {
#include <vterm.h>
}

using namespace zt;
using Reloj = std::chrono::steady_clock;

namespace {

constexpr size_t kTamano = 16 << 20;
constexpr size_t kTrozo = 4096;

std::string Lineas() {
  std::string s;
  for (int i = 0; s.size() < kTamano; ++i)
    s += "-rw-r--r-- 1 root root  " + std::to_string(i * 37 % 100000) + " dic  8 10:52 archivo_número_" +
         std::to_string(i) + ".txt\tañadido\r\n";
  return s;
}

std::string Pantallas() {
  static const char* kColores[] = {"\x1b[0m", "\x1b[1;32m", "\x1b[01;34m", "\x1b[7m", "\x1b[31;40m"};
  std::string s;
  for (int n = 0; s.size() < kTamano; ++n) {
    s += "\x1b[H\x1b[2J";
    for (int fila = 1; fila <= 35; ++fila) {
      s += "\x1b[" + std::to_string(fila) + ";1H";
      for (int c = 0; c < 6; ++c)
        s += std::string(kColores[(fila + c + n) % 5]) + "  " + std::to_string(fila * 100 + c + n) +
             " proc_" + std::to_string(c);
      s += "\x1b[0m\x1b[K";
    }
    s += "\x1b[36;1H\x1b[1A\x1b[5C\x1b[J";
  }
  return s;
}

std::string ConOrdenesTelnet() {
  std::string s;
  for (int i = 0; s.size() < kTamano; ++i) {
    s += "salida " + std::to_string(i) + " con \xff\xff byte 255";
    s += (i % 3 == 0) ? "\xff\xf1" : (i % 3 == 1) ? "\xff\xfb\x03" : "\xff\xfa\x18\x01\xff\xf0";
    s += " y más texto\r\n";
  }
  return s;
}

double Mejor(const std::function<void()>& f) {
  double mejor = 1e9;
  for (int i = 0; i < 3; ++i) {
    const auto t0 = Reloj::now();
    f();
    mejor = std::min(mejor, std::chrono::duration<double>(Reloj::now() - t0).count());
  }
  return mejor;
}

void Nuestra(const std::string& datos) {
  FakeSocket socket;
  FakeTimer timer;
  CtlEdTelnet vista;
  CtlTelnet telnet(socket, timer);
  telnet.Iniciar(vista);
  socket.conectarAlInstante = true;
  telnet.Connect(U"host", 23);
  for (size_t i = 0; i < datos.size(); i += kTrozo) {
    socket.Recibe(std::string_view(datos).substr(i, kTrozo));
    socket.TomaEnviado();
  }
  if (vista.nLin() == 0) std::puts("?");
}

void Vterm(const std::string& datos) {
  VTerm* vt = vterm_new(35, 90);
  vterm_set_utf8(vt, 1);
  VTermScreen* pantalla = vterm_obtain_screen(vt);
  vterm_screen_reset(pantalla, 1);
  for (size_t i = 0; i < datos.size(); i += kTrozo)
    vterm_input_write(vt, datos.data() + i, std::min(kTrozo, datos.size() - i));
  vterm_free(vt);
}

} // namespace

int main(int argc, char** argv) {
  const bool soloVista = argc > 1 && std::string(argv[1]) == "--solo-vista"; // for profiling
  struct Flujo {
    const char* nombre;
    std::string datos;
  };
  const Flujo flujos[] = {
      {"líneas", Lineas()}, {"pantallas de color", Pantallas()}, {"órdenes Telnet", ConOrdenesTelnet()}};
  std::printf("%-20s %12s %12s %8s\n", "flujo", "vista MB/s", "vterm MB/s", "razón");
  for (const Flujo& f : flujos) {
    const double mb = double(f.datos.size()) / 1e6;
    const double nuestra = mb / Mejor([&] { Nuestra(f.datos); });
    const double vterm = soloVista ? 1 : mb / Mejor([&] { Vterm(f.datos); });
    std::printf("%-20s %12.1f %12.1f %8.2f\n", f.nombre, nuestra, vterm, nuestra / vterm);
  }
}
