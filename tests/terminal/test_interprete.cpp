// Escape interpreter: input text against the screen operations it causes, whole and split anywhere.
#include "FakePantalla.h"
#include "fakes/FakeSocket.h"
#include "fakes/FakeTimer.h"
#include "terminal/CtlTelnet.h"
#include "terminal/InterpreteEscape.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

using namespace zt;
using namespace std::literals;

namespace {

// Records the operations as text: written characters as they are (controls as ^G ^H ^I ^J ^M),
// cursor moves as [x,y] with the arguments given, erasures as <EOL> ... <SCREEN>.
// Keeps a cursor of its own, raised to 0 like the view's.
class FakeOperaciones : public OperacionesPantalla {
public:
  std::string log;

  void TelnetCar(char32_t c) override {
    if (c < 32) {
      log += '^';
      log += char(c + 64);
    } else {
      log += U8(Texto(1, c));
    }
    if (c == 8)
      cur_.x = std::max(cur_.x - 1, 0);
    else if (c == 10)
      ++cur_.y;
    else if (c == 13)
      cur_.x = 0;
    else if (c >= 32)
      ++cur_.x;
  }
  void FijaCursorTel(int32_t x, int32_t y) override {
    log += "[" + std::to_string(x) + "," + std::to_string(y) + "]";
    cur_ = {std::max(x, 0), std::max(y, 0)};
  }
  CursorTel LeeCursorTel() const override { return cur_; }
  void eraseEOL() override { log += "<EOL>"; }
  void eraseBOL() override { log += "<BOL>"; }
  void eraseLINE() override { log += "<LINE>"; }
  void eraseEOS() override { log += "<EOS>"; }
  void eraseBOS() override { log += "<BOS>"; }
  void eraseSCREEN() override {
    log += "<SCREEN>";
    cur_ = {};
  }

private:
  CursorTel cur_;
};

struct Caso {
  std::string_view entrada;
  std::string_view esperado;
};

const std::string largo254 = "\033[" + std::string(254, '0') + "5C!";
const std::string largo255 = "\033[" + std::string(255, '0') + "5C!";
const std::string enorme = "\033[" + std::string(5000, ';') + "2J!";

const Caso casos[] = {
    // Text and control characters pass through; NUL is dropped.
    {"ab\0c\a\b\t\r\n"sv, "abc^G^H^I^M^J"},
    // Two-byte sequences.
    {"ab\033\bc", "ab[1,0]c"},
    {"ab\033D\033Ec", "ab[2,1][0,2]c"},
    {"\033M\033Mz", "[0,-1][0,-1]z"}, // RI on row 0 stays on row 0 (the view raises it)
    {"\033H\033Z\033c\033\033q", "q"},
    {"ab\0337\033[5;5Hc\0338d", "ab[4,4]c[2,0]d"},
    // Three-byte sequences consume exactly three bytes.
    {"\033(B\033(0\033)Ax\033#8y", "xy"},
    {"\033(\033z", "z"},
    // Cursor moves: a count of 0 or none is 1.
    {"\033[3;1H\033[5A", "[0,2][0,-3]"},
    {"x\033[0Cy\033[Cz\033[3D\033[2B", "x[2,0]y[4,0]z[2,0][2,2]"},
    {"\033[12;40H\033[f\033[;7f\033[3H", "[39,11][-1,-1][6,-1][-1,2]"},
    // Numbers: leading digits, halves to even, saturated.
    {"\033[2.5C\033[3.5C\033[1.51C\033[-2C", "[2,0][6,0][8,0][9,0]"},
    {"\033[99999999999A\033[99999;7.5H", "[0,-32767][7,32766]"},
    // Erase in display: p = 0 after a move to 1;1 (or none yet) means the whole screen.
    {"\033[J\033[1;1H\033[J\033[H\033[J\033[3;1H\033[0J", "<SCREEN>[0,0]<SCREEN>[-1,-1]<SCREEN>[0,2]<EOS>"},
    // Below the prompt (zsh, before every one), also after a move home: the output above stays.
    {"a\r\n\033[J\033[1;1H\r\n\033[J", "a^M^J<EOS>[0,0]^M^J<EOS>"},
    {"ab\033[2Jc\033[1J\033[3J\033[1;2J", "ab<SCREEN>c<BOS><BOS>"},
    // Erase in line.
    {"\033[K\033[0K\033[1K\033[2K\033[5K", "<EOL><EOL><BOL><LINE>"},
    // Attributes, tabs, regions, device requests and unknown finals change nothing.
    {"\033[31;40mok\033[0m\033[g\033[4i\033[1;24r\033[6n\033[c\033[5é!", "ok!"},
    // Save and restore: s/u and the non-private l/h.
    {"ab\033[s\033[3;3Hc\033[ud", "ab[2,2]c[2,0]d"},
    {"ab\033[4l\033[3;3H\033[4h", "ab[2,2][2,0]"},
    // Private modes (bash's bracketed paste, cursor visibility) neither save nor restore.
    {"ab\033[s\033[3;3H\033[?2004l\033[?2004h\033[?25h\033[?1l\033[u", "ab[2,2][2,0]"},
    // A non-letter inside a control sequence is a parameter byte, ESC included.
    {"\033[2\033J!", "<SCREEN>!"},
    // Overlong sequences: kept up to 256 characters, then consumed to their letter and ignored.
    {largo254, "[5,0]!"},
    {largo255, "!"},
    {enorme, "!"},
};

std::string Ejecuta(const std::vector<VistaTexto>& trozos) {
  FakeOperaciones pantalla;
  InterpreteEscape interprete(pantalla);
  for (VistaTexto t : trozos) interprete.Datos(t);
  EXPECT_FALSE(interprete.EnSecuencia());
  return pantalla.log;
}

} // namespace

TEST(InterpreteEscape, TablaEnteraYPartida) {
  for (const Caso& caso : casos) {
    const Texto entrada = T(caso.entrada);
    const VistaTexto v(entrada);
    SCOPED_TRACE(std::string(caso.entrada.substr(0, 60)));
    EXPECT_EQ(Ejecuta({v}), caso.esperado);
    for (std::size_t i = 1; i < v.size(); ++i)
      ASSERT_EQ(Ejecuta({v.substr(0, i), v.substr(i)}), caso.esperado) << "split at " << i;
    std::vector<VistaTexto> uno;
    for (std::size_t i = 0; i < v.size(); ++i) uno.push_back(v.substr(i, 1));
    EXPECT_EQ(Ejecuta(uno), caso.esperado) << "one by one";
  }
}

// The Telnet object asks before an IAC byte; a new connection forgets a half-read sequence only.
TEST(InterpreteEscape, EnSecuenciaYReinicio) {
  FakeOperaciones pantalla;
  InterpreteEscape interprete(pantalla);
  interprete.Datos(U"\0337\033[3;3H\033[");
  EXPECT_TRUE(interprete.EnSecuencia());
  interprete.Datos(U"\xDCFF"); // a raw 255 byte inside the sequence is one of its bytes
  EXPECT_TRUE(interprete.EnSecuencia());
  interprete.ReiniciaSecuencia();
  EXPECT_FALSE(interprete.EnSecuencia());
  interprete.Datos(U"2J\0338");
  EXPECT_EQ(pantalla.log, "[2,2]2J[0,0]");
}

// Behind the Telnet object: an IAC byte inside a sequence is one of its bytes, in any chunk.
TEST(InterpreteEscape, IacDentroDeSecuencia) {
  struct Vista : FakePantalla {
    FakeOperaciones ops;
    InterpreteEscape interprete{ops};
    void Datos(VistaTexto t) override { interprete.Datos(t); }
    bool EnSecuencia() const override { return interprete.EnSecuencia(); }
    void ReiniciaSecuencia() override { interprete.ReiniciaSecuencia(); }
  } vista;
  FakeSocket socket;
  FakeTimer timer;
  CtlTelnet telnet(socket, timer);
  telnet.Iniciar(vista);
  telnet.Connect(U"host", 23);
  socket.AceptaConexion();
  socket.Recibe(B("'a' ESC '[2'"));
  socket.Recibe(B("IAC 'A' 'b' ESC '[3' IAC 'Bc'"));
  EXPECT_EQ(vista.ops.log, "a[1,-2]b[2,3]c");
}
