// The terminal view against the system's telnet server on the loopback, with several shells: the
// prompt is recognised, commands come back line for line and typed accents reach the host whole.
#include "base/Codec.h"
#include "fakes/HostTelnetd.h"
#include "fakes/SesionLoopback.h"
#include "platform/AppQt.h"
#include "terminal/CtlEdTelnet.h"
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace zt;
using test::HostTelnetd;
using test::SesionLoopback;

namespace {

// Lines with TABs, accents and bytes that are not UTF-8 (0xFF goes over the wire as IAC IAC).
std::string Fichero(int lineas) {
  std::string s;
  for (int i = 1; i <= lineas; ++i)
    s +=
        "línea " + std::to_string(i) + "\tcañón\t" + (i % 7 == 0 ? "\xff\xfe\x80 crudo" : "ñandú") + " fin\n";
  return s;
}

class VistaReal : public ::testing::TestWithParam<const char*> {};

} // namespace

TEST_P(VistaReal, PromptComandosYAcentos) {
  HostTelnetd host(GetParam(), "zt$ ");
  if (!host.Disponible()) GTEST_SKIP() << host.Falta();
  AppQt();
  ASSERT_TRUE(host.Arranca());
  const std::string contenido = Fichero(2000);
  host.Escribe("f.txt", contenido);

  SesionLoopback s;
  CtlEdTelnet& vista = s.vista;
  CtlTelnet& telnet = s.telnet;
  PumpQt& pump = s.pump;
  telnet.MaxLineasTerm = 5000;
  ASSERT_TRUE(s.ConectaConPrompt(host.puerto, U"zt$ ")) << U8(vista.Text());

  EXPECT_EQ(U8(telnet.EnviaComando(U"echo hola", 1, 1)), "hola");

  const Texto salida = telnet.EnviaComando(U"cat f.txt", 1, 1);
  std::string esperado = contenido;
  for (size_t p = 0; (p = esperado.find('\n', p)) != std::string::npos; p += 2)
    esperado.replace(p, 1, "\r\n");
  esperado.resize(esperado.size() - 2);
  EXPECT_EQ(Codifica(salida, Codificacion::Utf8), esperado);

  // Typed as a user types it: each character, then Enter.
  for (char32_t c : Texto(U"echo canción ñandú")) telnet.KeyPress(c);
  telnet.LlegoPrompt = false;
  telnet.KeyPress(13);
  ASSERT_TRUE(pump.EsperaHasta([&] { return telnet.LlegoPrompt; }, 10000)) << U8(vista.Text());
  EXPECT_EQ(U8(vista.linea(telnet.linPrompt2 - 1)), "canción ñandú");
  // One Enter is one line end: no empty command follows to upset the next one.
  EXPECT_EQ(U8(telnet.EnviaComando(U"echo fin", 1, 1)), "fin");

  const std::string todo = U8(vista.Text());
  EXPECT_EQ(todo.find('\x1b'), std::string::npos);
  EXPECT_EQ(todo.find("2004"), std::string::npos);
  EXPECT_TRUE(s.dialogos.mensajes.empty());

  telnet.SendData(U"exit\r");
  EXPECT_TRUE(pump.EsperaHasta([&] { return telnet.State() != 7; }, 10000));
}

INSTANTIATE_TEST_SUITE_P(Shells, VistaReal, ::testing::Values("bash", "dash", "busybox", "zsh"));

namespace {

long PicoMemoriaKb() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return r.ru_maxrss;
}

} // namespace

// Output with bare LFs keeps each line's column, but never past the right edge; however many lines
// one chunk brings, and however long the host makes them, the view holds no more than its
// scroll-back, so memory stays small.
TEST(VistaRealLf, SalidaSinRetornoAcotada) {
  HostTelnetd host("dash", "zt$ ");
  if (!host.Disponible()) GTEST_SKIP() << host.Falta();
  AppQt();
  ASSERT_TRUE(host.Arranca());
  SesionLoopback s;
  ASSERT_TRUE(s.ConectaConPrompt(host.puerto, U"zt$ ")) << U8(s.vista.Text());
  const long antes = PicoMemoriaKb();
  const struct {
    const char* comando;
    const char* ultima; // the last line of output, blanks before it left out
    size_t largoMax;
  } casos[] = {
      {"stty -onlcr; seq 100000; stty onlcr; echo", "100000", size_t(s.vista.curXmax) + 1 + 6},
      {"yes \"$(printf '\\033[32000Cx')\" | head -20000; echo", "x", 32001},
  };
  for (const auto& c : casos) {
    s.telnet.EnviaComando(T(c.comando), 1, 1);
    ASSERT_TRUE(s.dialogos.mensajes.empty()) << c.comando;
    EXPECT_LT(PicoMemoriaKb() - antes, 100 * 1024) << c.comando;
    EXPECT_LE(s.vista.nLin(), s.telnet.MaxLineasTerm) << c.comando;
    for (int32_t y = 1; y <= s.vista.nLin(); ++y)
      ASSERT_LE(s.vista.linea(y).size(), c.largoMax) << c.comando << " " << y;
    const Texto ultima = s.vista.linea(s.telnet.linPrompt2 - 2);
    EXPECT_EQ(U8(ultima.substr(ultima.find_first_not_of(U' '))), c.ultima) << c.comando;
  }
}

// Controls the view does not act on show nothing (SI and SO close every attribute change of TERM
// vt100); a TAB stays in the line and shows up to the next multiple of eight columns.
TEST(VistaRealControles, SeVenComoEnUnTerminal) {
  HostTelnetd host("bash", "zt$ ");
  if (!host.Disponible()) GTEST_SKIP() << host.Falta();
  AppQt();
  ASSERT_TRUE(host.Arranca());
  SesionLoopback s;
  ASSERT_TRUE(s.ConectaConPrompt(host.puerto, U"zt$ ")) << U8(s.vista.Text());
  const struct {
    const char* comando;
    const char* linea; // as stored
    const char* vista; // as shown
  } casos[] = {
      {"printf 'a\\016b\\017c\\n'", "abc", "abc"},
      {"printf '1\\0012\\0023\\0134\\0145\\0376\\n'", "123456", "123456"},
      {"printf 'a\\tb\\n'", "a\tb", "a       b"},
      {"printf '1234567\\tb\\t\\tc\\n'", "1234567\tb\t\tc", "1234567 b               c"},
  };
  for (const auto& c : casos) {
    const Texto linea = s.telnet.EnviaComando(T(c.comando), 1, 1);
    EXPECT_EQ(U8(linea), c.linea) << c.comando;
    EXPECT_EQ(U8(s.vista.LineaFin(linea)), c.vista) << c.comando;
  }
}
