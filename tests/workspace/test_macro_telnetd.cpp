// Macro runs of the program's core against the system's telnet server on the loopback, with the
// shells people use: WAIT finds the prompt wherever the host left its cursor, and a capture holds
// what the command printed, as the terminal shows it.
#include "fakes/FakeClipboard.h"
#include "fakes/FakeDialogs.h"
#include "fakes/HostTelnetd.h"
#include "platform/AppQt.h"
#include "platform/qt/PumpQt.h"
#include "platform/qt/SocketQt.h"
#include "platform/qt/TimerQt.h"
#include "workspace/Principal.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace zt {
namespace {

namespace fs = std::filesystem;

struct VentanaNula : VentanaPrincipal {
  void FijaTitulo(const Texto&) override {}
  void Muestra() override {}
  void EstadoEjecucion(bool, bool) override {}
  Texto EditaArchivo(const Texto&) override { return {}; }
  AjustesVentana LeeAjustesVentana() const override { return {}; }
  void AplicaAjustesVentana(const AjustesVentana&) override {}
  void FijaMenusFrecuentes(const MenusFrecuentes&) override {}
  bool EnfocaPanelEditor() override { return false; }
  void Termina(int) override {}
  void PideCierre() override {}
};

// The program's core with the real socket, timers and pump, in a folder of its own.
struct Programa {
  fs::path carpeta;
  SocketQt socket;
  TimerQt tmrConnect, timer1;
  PumpQt pump;
  FakeDialogs dialogos;
  FakeClipboard portapapeles;
  VentanaNula ventana;
  CtlEdTelnet txtTerm;
  CtlEdit edCom{PerfilEditor::CtlEdit()}, edMac{PerfilEditor::CtlEdit2()};
  std::unique_ptr<Principal> p;

  Programa() {
    AppQt();
    char plantilla[] = "/tmp/zt-macro-XXXXXX";
    carpeta = mkdtemp(plantilla);
    p = std::make_unique<Principal>(
        PlataformaPrincipal{socket, tmrConnect, timer1, dialogos, pump, portapapeles, true}, ventana, txtTerm,
        edCom, edMac, CarpetasPrograma{carpeta});
    EXPECT_TRUE(p->Carga());
  }
  ~Programa() {
    p.reset();
    std::error_code ec;
    fs::remove_all(carpeta, ec);
  }
  // Connects to the host, waits for its prompt and runs the statements; the run's error, if any.
  std::string Ejecuta(const test::HostTelnetd& host, const std::string& sentencias) {
    edMac.Text(T("timeout = 10\r\nCONNECT 127.0.0.1:" + std::to_string(host.puerto) + "\r\nWAIT 'zt$ '\r\n" +
                 sentencias + "DISCONNECT\r\n"));
    p->control.EjecutaMacroEditor(false);
    return U8(p->interp.MensajeError);
  }
  std::string Pantalla() const { return U8(txtTerm.TextLineas(1, txtTerm.nLin())); }
};

struct Caso {
  const char* nombre;
  const char* shell;
  const char* prompt; // PS1: what the shell prints; "zt$ " is what the terminal shows
  const char* term;   // TERM for the shell; null: the one the terminal announces
};

void PrintTo(const Caso& c, std::ostream* os) { *os << c.nombre; }

std::string NombreCaso(const ::testing::TestParamInfo<Caso>& i) { return i.param.nombre; }

std::unique_ptr<test::HostTelnetd> Host(const Caso& c) {
  auto host = std::make_unique<test::HostTelnetd>(c.shell, c.prompt);
  if (c.term) host->entorno.push_back({"TERM", c.term});
  return host;
}

class Limpiar : public ::testing::TestWithParam<Caso> {};

} // namespace

// After a clear the prompt stands on the top row with emptied rows below it; zsh erases below its
// cursor before every prompt.
TEST_P(Limpiar, WaitEncuentraElPrompt) {
  auto host = Host(GetParam());
  if (!host->Disponible()) GTEST_SKIP() << host->Falta();
  ASSERT_TRUE(host->Arranca());
  Programa pr;
  EXPECT_EQ(pr.Ejecuta(*host, "SENDLN 'echo uno'\r\nWAIT 'zt$ '\r\nSENDLN 'clear'\r\nWAIT 'zt$ '\r\n"
                              "SENDLN 'tput clear'\r\nWAIT 'zt$ '\r\nSENDLN 'echo fin'\r\nWAIT 'zt$ '\r\n"),
            "")
      << pr.Pantalla();
}

INSTANTIATE_TEST_SUITE_P(
    Shells, Limpiar,
    ::testing::Values(Caso{"bash", "bash", "zt$ ", nullptr}, Caso{"dash", "dash", "zt$ ", nullptr},
                      Caso{"busybox", "busybox", "zt$ ", nullptr}, Caso{"zsh_vt100", "zsh", "zt$ ", "vt100"},
                      Caso{"zsh_xterm", "zsh", "zt$ ", "xterm"}, Caso{"mksh", "mksh", "zt$ ", nullptr},
                      Caso{"ksh93", "ksh", "zt$ ", nullptr}),
    NombreCaso);

namespace {
class Captura : public ::testing::TestWithParam<Caso> {};
} // namespace

// A prompt already on screen when the command is sent is not its answer; the capture holds the
// command's echo and output as shown: bash's bracketed-paste marks, colour prompts and busybox's
// cursor queries are not text.
TEST_P(Captura, TieneLaSalidaComoSeVe) {
  auto host = Host(GetParam());
  if (!host->Disponible()) GTEST_SKIP() << host->Falta();
  ASSERT_TRUE(host->Arranca());
  Programa pr;
  EXPECT_EQ(
      pr.Ejecuta(*host,
                 "SENDLN 'true'\r\nPAUSE 1\r\nCAPTURE c\r\nSENDLN 'sleep 1; printf \"uno\\tdos\"; echo'\r\n"
                 "WAIT 'zt$ '\r\nENDCAPTURE\r\n"),
      "");
  const std::string c = U8(pr.p->interp.ValorVariable(U"C"));
  // The echo as shown (zsh writes its first letter, backs over it and writes the line).
  EXPECT_EQ(c.rfind("sleep 1; printf \"uno\\tdos\"; echo\r\n", 0), 0u) << c;
  EXPECT_NE(c.find("\r\nuno\tdos\r\nzt$ "), std::string::npos) << c;
  const auto control = std::find_if(
      c.begin(), c.end(), [](unsigned char ch) { return ch < 32 && ch != '\t' && ch != '\r' && ch != '\n'; });
  EXPECT_EQ(control - c.begin(), c.end() - c.begin()) << c;
}

INSTANTIATE_TEST_SUITE_P(Shells, Captura,
                         ::testing::Values(Caso{"bash", "bash", "zt$ ", nullptr},
                                           Caso{"bash_color", "bash", "\x1b[1;32mzt$\x1b[0m ", nullptr},
                                           Caso{"busybox", "busybox", "zt$ ", nullptr},
                                           Caso{"zsh", "zsh", "zt$ ", "xterm"}),
                         NombreCaso);

} // namespace zt
