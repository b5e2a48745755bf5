// Telnet negotiation as a table of received bytes, expected answers and expected data text;
// every row is also fed split in two at each byte.
#include "FakePantalla.h"
#include "fakes/FakeSocket.h"
#include "fakes/FakeTimer.h"
#include "terminal/CtlTelnet.h"
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

using namespace zt;
using namespace std::literals;

namespace {

// Code points spelled out: a byte escape must not compare equal to the character it would form.
std::string Muestra(VistaTexto t) {
  std::string r;
  char buf[16];
  for (char32_t c : t) {
    if (c >= 0x20 && c < 0x7F) {
      r += char(c);
    } else {
      std::snprintf(buf, sizeof buf, "<U+%04X>", unsigned(c));
      r += buf;
    }
  }
  return r;
}

struct Caso {
  const char* nombre;
  const char* recibe;   // B() notation
  const char* responde; // B() notation
  std::u32string_view datos;
};

const Caso kCasos[] = {
    {"DO ECHO", "IAC DO 1", "IAC WONT 1", U""},
    {"WILL ECHO ya pedido al conectar", "IAC WILL 1", "", U""},
    {"WONT y WILL ECHO", "IAC WONT 1 IAC WONT 1 IAC WILL 1", "IAC DONT 1 IAC DO 1", U""},
    {"DONT ECHO", "IAC DONT 1 IAC WONT 1 IAC DONT 1", "IAC DONT 1 IAC WONT 1", U""},
    {"DO SGA una vez", "IAC DO 3 IAC DO 3", "IAC WILL 3", U""},
    {"WILL y DONT SGA ya pedido", "IAC WILL 3 IAC DONT 3", "", U""},
    {"WONT SGA y DO de nuevo", "IAC DO 3 IAC WONT 3 IAC DO 3", "IAC WILL 3 IAC DONT 3 IAC WILL 3", U""},
    {"DO TTYPE una vez", "IAC DO 24 IAC DO 24", "IAC WILL 24 IAC SB 24 0 'VT100' IAC SE", U""},
    {"TTYPE resto", "IAC WILL 24 IAC WONT 24 IAC DONT 24", "IAC DONT 24 IAC WONT 24 IAC WONT 24", U""},
    {"SB TTYPE SEND", "IAC SB 24 1 IAC SE", "IAC SB 24 0 'DEC-VT100' IAC SE", U""},
    {"DO NAWS", "IAC DO 31", "IAC SB 31 0 90 0 35 IAC SE", U""},
    {"NAWS resto", "IAC WILL 31 IAC WONT 31 IAC DONT 31", "IAC DONT 31 IAC WONT 31 IAC WONT 31", U""},
    {"DO TSPEED", "IAC DO 32", "IAC WILL 32 IAC SB 32 0 '57600,57600' IAC SE", U""},
    {"TSPEED resto", "IAC WILL 32 IAC WONT 32 IAC DONT 32", "IAC DONT 32 IAC DONT 32 IAC WONT 32", U""},
    {"SB TSPEED SEND", "IAC SB 32 1 IAC SE", "IAC SB 32 0 '38400,38400' IAC SE", U""},
    {"DO AUTH", "IAC DO 37", "IAC WILL 37 IAC SB 37 0 0 0 0 IAC SE", U""},
    {"AUTH resto", "IAC WILL 37 IAC WONT 37 IAC DONT 37", "IAC DONT 37 IAC WONT 37 IAC WONT 37", U""},
    {"grupo 5-39", "IAC DO 5 IAC WILL 6 IAC WONT 33 IAC DONT 39",
     "IAC WONT 5 IAC DONT 6 IAC DONT 33 IAC WONT 39", U""},
    {"opcion 240", "IAC DO 240 IAC WILL 240 IAC WONT 240 IAC DONT 240",
     "IAC WONT 240 IAC DONT 240 IAC WONT 240", U""},
    {"BINARY aceptado sin repetir", "IAC DO 0 IAC WILL 0 IAC DO 0 IAC WONT 99 IAC DONT 99",
     "IAC WONT 99 IAC WONT 99", U""},
    {"BINARY rechazado", "IAC DONT 0 IAC WONT 0 IAC DONT 0", "IAC WONT 0", U""},
    {"BINARY ofrecido tras rechazo", "IAC WONT 0 IAC DONT 0 IAC WILL 0 IAC DO 0 IAC WONT 0",
     "IAC DO 0 IAC WILL 0 IAC DONT 0", U""},
    {"IAC IAC es el dato 255", "'a' IAC IAC 'b'", "",
     U"a\xDCFF"
     U"b"},
    {"NOP, GA y SE sueltos", "'x' IAC NOP 'y' IAC GA IAC SE 'z'", "", U"xyz"},
    {"SE tras SB corto", "IAC SB 24 IAC SE IAC SB IAC SE 'k'", "", U"k"},
    {"SB corto tras uno completo", "IAC SB 24 1 IAC SE IAC SB 24 IAC SE IAC SB IAC SE 'k'",
     "IAC SB 24 0 'DEC-VT100' IAC SE", U"k"},
    {"SB largo se corta", "IAC SB 24 1 'abcdefghijklmnopqrstuvwxyz' IAC SE", "IAC SB 24 0 'DEC-VT100' IAC SE",
     U""},
    {"IAC IAC dentro de SB", "IAC SB 24 IAC IAC IAC SE 'q'", "", U"q"},
    {"SB interrumpido", "IAC SB 99 1 IAC DO 1 'w'", "IAC WONT 1", U"w"},
    {"CR NUL", "'a' 13 0 'b' 13 10", "", U"a\rb\r\n"},
    {"IAC dentro de secuencia", "ESC '[' IAC 'm' IAC DO 1", "IAC WONT 1",
     U"\x1b[\xDCFF"
     U"m"},
    {"NUL dentro de secuencia", "ESC '[' 0 'm' 0", "", U"\x1b[\0m"sv},
    {"UTF-8", "'ñ€😀x'", "", U"ñ€😀x"},
    {"UTF-8 partido por una orden", "195 IAC NOP 177", "", U"ñ"},
    {"UTF-8 invalido", "'a' 195 'b' 237 160 128", "",
     U"a\xDCC3"
     U"b\xDCED\xDCA0\xDC80"},
};

struct Sesion {
  FakeSocket socket;
  FakeTimer timer;
  FakePantalla pantalla;
  CtlTelnet telnet{socket, timer};
  Sesion() {
    telnet.Iniciar(pantalla);
    socket.conectarAlInstante = true;
    telnet.Connect(U"host", 23);
    socket.TomaEnviado();
  }
};

class Negociacion : public ::testing::TestWithParam<Caso> {};

} // namespace

TEST_P(Negociacion, EnteroYPartidoEnCadaByte) {
  const Caso& c = GetParam();
  const std::string entrada = B(c.recibe);
  for (std::size_t corte = 0; corte < entrada.size(); ++corte) {
    SCOPED_TRACE("corte en el byte " + std::to_string(corte));
    Sesion s;
    if (corte > 0) s.socket.Recibe(entrada.substr(0, corte));
    s.socket.Recibe(entrada.substr(corte));
    EXPECT_EQ(s.socket.enviado, B(c.responde));
    EXPECT_EQ(Muestra(s.pantalla.datos), Muestra(c.datos));
  }
}

INSTANTIATE_TEST_SUITE_P(Tabla, Negociacion, ::testing::ValuesIn(kCasos), [](const auto& info) {
  std::string n;
  for (char ch : std::string(info.param.nombre)) n += std::isalnum((unsigned char)ch) ? ch : '_';
  return n;
});

TEST(Negociacion, Apertura) {
  FakeSocket socket;
  FakeTimer timer;
  CtlTelnet telnet(socket, timer);
  socket.conectarAlInstante = true;
  telnet.Connect(U"host", 23);
  EXPECT_EQ(socket.enviado, B("IAC DO 1 IAC DO 3 IAC WILL 31 IAC WILL 24 IAC WILL 32 IAC DO 0 IAC WILL 0"));
}
