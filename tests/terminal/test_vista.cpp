// The terminal view behind the Telnet object: writes, scrolling, erasures, trimming, keys, prompts
// and commands that wait for the next prompt. No display: everything is seen on the core.
#include "FakePantalla.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakePump.h"
#include "fakes/FakeSocket.h"
#include "fakes/FakeTimer.h"
#include "terminal/CtlEdTelnet.h"
#include "terminal/CtlTelnet.h"
#include <gtest/gtest.h>

using namespace zt;

namespace {

// A connected session: the host's bytes go in with Recibe, what was typed comes out of 'socket'.
struct Sesion {
  FakeSocket socket;
  FakeTimer timer;
  FakePump pump;
  FakeDialogs dialogos;
  CtlEdTelnet vista;
  CtlTelnet telnet{socket, timer};
  explicit Sesion(bool conectar = true) {
    telnet.Iniciar(vista);
    telnet.FijaEspera(&pump, &dialogos);
    socket.conectarAlInstante = true;
    if (conectar) telnet.Connect(U"host", 23);
    socket.TomaEnviado();
  }
  void Recibe(std::string_view s) { socket.Recibe(B(s)); }
  std::string Texto8() const { return U8(vista.Text()); }
};

std::string Linea(const CtlEdTelnet& v, int32_t y) { return U8(v.linea(y)); }

} // namespace

TEST(VistaTerminal, EscrituraSinAjusteDesplazamientoYRetornoTras91) {
  Sesion s;
  s.socket.Recibe(std::string(100, 'a'));
  EXPECT_EQ(s.vista.nLin(), 1);
  EXPECT_EQ(s.vista.linea(1).size(), 100u);

  Sesion d;
  for (int i = 1; i <= 40; ++i) d.socket.Recibe("L" + std::to_string(i) + "\r\n");
  EXPECT_EQ(d.vista.nLin(), 41);
  EXPECT_EQ(d.vista.y0, 7); // the bottom row stays the bottom row; what scrolled off stays above
  EXPECT_EQ(d.vista.curY, 34);
  EXPECT_EQ(Linea(d.vista, 1), "L1");

  Sesion c;
  c.socket.Recibe(std::string(91, 'b') + "\r");
  EXPECT_EQ(c.vista.LeeCursorTel().y, 1);
  Sesion c2;
  c2.socket.Recibe(std::string(90, 'b') + "\rX");
  EXPECT_EQ(c2.vista.nLin(), 1);
  EXPECT_EQ(Linea(c2.vista, 1), "X" + std::string(89, 'b'));
}

TEST(VistaTerminal, CursorBorradosYTabulador) {
  struct Caso {
    const char* nombre;
    const char* recibe; // B() notation
    const char* texto;  // the whole text, lines joined by "|"
  };
  const Caso casos[] = {
      {"CUP crea lineas y rellena", "ESC '[4;11H'", "|||          "},
      {"TAB guardado", "'a' 9 'b'", "a\tb"},
      {"modo privado no cuenta", "ESC '[?2004hzt$ ' ESC '[?2004l'", "zt$ "},
      {"EOL", "'abcdef' ESC '[3D' ESC '[K'", "abc"},
      {"BOL en linea corta", "'ab' ESC '[1;6H' ESC '[1K'", "     "},
      {"LINE", "'abcdef' ESC '[3D' ESC '[2K'", "   "},
      {"EOS", "'a' 13 10 'b' 13 10 'c' ESC '[2;1H' ESC '[J'", "a||"},
      {"BOS", "'a' 13 10 'b' 13 10 'c' ESC '[2;1H' ESC '[1J'", "| |c"},
      {"pantalla con almacen corto", "'abc' 13 10 'x' ESC '[2J' 'Z'", "Z|"},
      {"escritura tras linea corta", "'abcdef' 13 10 'x' ESC '[A' ESC '[4C' 10 'y'", "abcdef|x    y"},
      {"retroceso", "'abc' 8 8 'X'", "aXc"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Sesion s;
    s.Recibe(c.recibe);
    std::string t = s.Texto8();
    for (size_t p; (p = t.find("\r\n")) != std::string::npos;) t.replace(p, 2, "|");
    EXPECT_EQ(t, c.texto);
  }
}

TEST(VistaTerminal, RecorteDe520LineasYNuncaBajoLaPantalla) {
  Sesion s;
  s.vista.DetPromptActiva = true;
  s.vista.PatFinPrompt = U"$ ";
  std::string mil;
  for (int i = 1; i < 1000; ++i) mil += "l" + std::to_string(i) + "\r\n";
  s.telnet.MaxLineasTerm = 30000;
  s.socket.Recibe(mil + "$ ");
  ASSERT_EQ(s.vista.nLin(), 1000);
  EXPECT_EQ(s.vista.nLlegoPrompt, 1000);
  const CursorTel antes = s.vista.LeeCursorTel();
  const int32_t y0 = s.vista.y0;
  s.telnet.MaxLineasTerm = 500;
  s.socket.Recibe("x");
  EXPECT_EQ(s.vista.nLin(), 480);
  EXPECT_EQ(s.vista.y0, y0 - 520);
  EXPECT_EQ(s.vista.nLlegoPrompt, 480);
  EXPECT_EQ(s.vista.LeeCursorTel().y, antes.y);
  EXPECT_EQ(Linea(s.vista, 1), "l521");

  // A short limit would take the screen itself: the top screen row stays.
  s.telnet.MaxLineasTerm = 20;
  s.socket.Recibe("y");
  EXPECT_EQ(s.vista.y0, 1);
  EXPECT_EQ(s.vista.nLin(), 35);
  EXPECT_GE(s.vista.curYt, 1);
  EXPECT_GE(s.vista.primLinVis, 1);
}

TEST(VistaTerminal, PosicionesAcotadasYLineaLarga) {
  Sesion s;
  s.vista.FijaCursorTel(2000000000, 2000000000);
  EXPECT_EQ(s.vista.curY, 34 + CtlEdTelnet::kMargenFilas);
  EXPECT_EQ(s.vista.curX, CtlEdTelnet::kLargoLineaMax - 1);
  EXPECT_EQ(s.vista.nLin(), 35 + CtlEdTelnet::kMargenFilas);
  s.vista.FijaCursorTel(-5, -5);
  EXPECT_EQ(s.vista.LeeCursorTel().x, 0);
  // A host line past the editor's 32767 columns is kept whole up to the line limit.
  s.socket.Recibe(std::string(40000, 'q') + "\r\n" + std::string(CtlEdTelnet::kLargoLineaMax + 10, 'w'));
  EXPECT_EQ(s.vista.linea(1).size(), 40000u);
  EXPECT_EQ(s.vista.linea(2).size(), size_t(CtlEdTelnet::kLargoLineaMax));
  s.vista.EnganCursorEdit();
  EXPECT_TRUE(s.vista.linea(s.vista.curYt).size() > 0);
}

TEST(TeclasTerminal, TraduccionDeTeclas) {
  struct Caso {
    const char* nombre;
    std::vector<int> abajo; // key codes, in order, each released after the characters
    std::u32string caracteres;
    const char* envia; // B() notation
  };
  const Caso casos[] = {
      {"flechas, inicio y fin",
       {38, 40, 39, 37, 36, 35},
       U"",
       "ESC '[A' ESC '[B' ESC '[C' ESC '[D' ESC '[H' ESC '[K'"},
      {"F1 a F4", {112, 113, 114, 115}, U"", "ESC 'OP' ESC 'OQ' ESC 'OR' ESC 'OS'"},
      {"sin traduccion", {46, 45, 33, 34, 116, 123}, U"", ""},
      {"Enter en modo NVT", {}, U"\r", "13 10"},
      {"texto con acentos", {}, U"ñá€", "'ñá€'"},
      {"byte 255 duplicado", {}, U"\xDCFF", "IAC IAC"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Sesion s;
    for (int k : c.abajo) s.telnet.KeyDown(k, 0);
    for (char32_t ch : c.caracteres) s.telnet.KeyPress(ch);
    EXPECT_EQ(s.socket.TomaEnviado(), B(c.envia));
  }
  Sesion s;
  // Ctrl+C: the key-down sends the byte, the character it produces is not sent again.
  s.telnet.KeyDown(17, 2);
  s.telnet.KeyDown(67, 2);
  s.telnet.KeyPress(3);
  s.telnet.KeyDown(116, 2); // Ctrl+F5 sends "4"
  s.telnet.KeyUp(17, 0);
  s.telnet.KeyPress(U'c');
  EXPECT_EQ(s.socket.TomaEnviado(), "\x03"
                                    "4c");
  // In binary mode the host's terminal takes CR as the line end: CR LF would be two.
  s.Recibe("IAC DO 0");
  s.telnet.KeyPress(13);
  EXPECT_EQ(s.socket.TomaEnviado(), "\r");

  // Routing: Up goes to the host only when the view does not keep the navigation keys.
  EXPECT_TRUE(CtlTelnet::TeclaAlHost(38, true, 0));
  EXPECT_FALSE(CtlTelnet::TeclaAlHost(38, true, 1));
  EXPECT_TRUE(CtlTelnet::TeclaAlHost(37, true, 1));
  EXPECT_TRUE(CtlTelnet::TeclaAlHost(35, true, 1));
  EXPECT_FALSE(CtlTelnet::TeclaAlHost(37, false, 0));

  Sesion desconectada(false);
  desconectada.telnet.KeyDown(38, 0);
  desconectada.telnet.KeyPress(U'a');
  EXPECT_EQ(desconectada.socket.enviado, "");
  EXPECT_EQ(desconectada.vista.nLin(), 0);
}

TEST(PromptYComando, ReconoceLineasDePromptSinPantalla) {
  Sesion s;
  std::vector<std::pair<int32_t, int32_t>> avisos;
  s.vista.LlegoPrompt = [&](int32_t a, int32_t b) { avisos.emplace_back(a, b); };
  s.vista.DetPromptActiva = true;
  s.vista.PatIniPrompt = U"zt";
  s.vista.PatFinPrompt = U"$ ";
  s.Recibe("'motd' 13 10 'zt$ '");
  s.Recibe("'ls' 13 10 'a$ b' 13 10 'zt$ '"); // "a$ b" does not start with "zt"
  s.Recibe("'x'");                            // the last prompt line changes: nothing new
  EXPECT_EQ(avisos, (std::vector<std::pair<int32_t, int32_t>>{{0, 2}, {2, 4}}));
  EXPECT_TRUE(s.telnet.LlegoPrompt);
  EXPECT_EQ(s.telnet.linPrompt1, 2);
  EXPECT_EQ(s.telnet.linPrompt2, 4);
  // The prompt's part takes the prompt colour.
  EXPECT_EQ(s.vista.ColorEn(1, 4), s.vista.colores.ColPalRes2);
  // Loading a text leaves the connection panel alone.
  s.vista.Text(U"cargado");
  EXPECT_EQ(U8(s.vista.lblEstado1.texto), "Conectado a host");
}

TEST(PromptYComando, EnviaComandoDevuelveLasLineasEntrePrompts) {
  Sesion s;
  s.vista.DetPromptActiva = true;
  s.vista.PatFinPrompt = U"$ ";
  s.Recibe("'zt$ '");
  std::string respuesta;
  s.pump.alProcesar = [&] {
    if (!respuesta.empty()) s.socket.Recibe(std::exchange(respuesta, {}));
  };

  respuesta = "echo hola\r\nhola\r\nzt$ ";
  EXPECT_EQ(U8(s.telnet.EnviaComando(U"echo hola", 1, 1)), "hola");
  EXPECT_EQ(s.socket.TomaEnviado(), "echo hola\r");

  // Output holding a prompt-like line ends the wait early, at that line.
  respuesta = "cat f\r\nuno\r\nprecio $ 5\r\ndos\r\nzt$ ";
  EXPECT_EQ(U8(s.telnet.EnviaComando(U"cat f", 1, 1)), "uno");

  // A prompt on the line of the last one (the host cleared the screen) is not new: time-out.
  s.socket.Recibe("\x1b[H\x1b[2Jzt$ ");
  ASSERT_EQ(s.vista.nLlegoPrompt, 1);
  respuesta = "\x1b[H\x1b[2Jzt$ ";
  const int64_t t0 = s.pump.Reloj();
  EXPECT_EQ(U8(s.telnet.EnviaComando(U"clear", 1, 1)), "");
  EXPECT_GE(s.pump.Reloj() - t0, 30000);
  ASSERT_EQ(s.dialogos.mensajes.size(), 1u);
  EXPECT_EQ(U8(s.dialogos.mensajes[0].texto), "Tiempo de espera agotado");
  EXPECT_EQ(s.dialogos.mensajes[0].icono, Icono::Exclamacion);

  // A second command while one waits fails at once, and the first one still gets its answer.
  Texto segunda = U"-";
  bool hecho = false;
  s.pump.alProcesar = [&] {
    if (hecho) return;
    hecho = true;
    segunda = s.telnet.EnviaComando(U"pwd", 1, 1);
    s.socket.Recibe("id\r\nuid=0\r\nzt$ ");
  };
  EXPECT_EQ(U8(s.telnet.EnviaComando(U"id", 1, 1)), "uid=0");
  EXPECT_EQ(segunda, U"");
  EXPECT_EQ(s.dialogos.mensajes.size(), 2u);

  // No link: nothing is sent and the answer is empty at once.
  s.socket.CierraRemoto();
  EXPECT_EQ(U8(s.telnet.EnviaComando(U"ls", 1, 1)), "");
  EXPECT_EQ(s.dialogos.mensajes.size(), 3u);
}
