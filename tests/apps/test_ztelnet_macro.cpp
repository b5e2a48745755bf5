// ztelnet as a batch step: /M=<macro> /SALIR with no display at all, in a temporary program
// folder and a temporary current folder; exit status, files and error.log checked byte for byte.
#include "fakes/HostSshd.h"
#include "fakes/HostTelnetd.h"
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Lee(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  if (!f) return "<ninguno>";
  return std::string(std::istreambuf_iterator<char>(f), {});
}

void Escribe(const fs::path& p, const std::string& s) { std::ofstream(p, std::ios::binary) << s; }

struct Salida {
  int estado = -1;
  std::string error; // standard error
};

class Lote : public ::testing::Test {
protected:
  void SetUp() override {
    char plantilla[] = "/tmp/zt-lote-XXXXXX";
    ASSERT_NE(mkdtemp(plantilla), nullptr);
    raiz_ = plantilla;
    casa_ = raiz_ / "casa";
    actual_ = raiz_ / "actual";
    for (const char* c : {"temp", "macros", "scripts"}) fs::create_directories(casa_ / c);
    fs::create_directories(actual_);
    // A settings file of the program's own making: a first run with no display creates it.
    ASSERT_EQ(Corre({"/SALIR"}).estado, 0);
    ASSERT_TRUE(fs::exists(casa_ / "ztelnet.ini"));
  }
  void TearDown() override { fs::remove_all(raiz_); }

  // Runs ztelnet with these arguments, no display, the program folder casa_ and the current
  // folder actual_. Killed (and failed) after a minute.
  // 'cadaVuelta' runs every 10 ms while the program runs (a test may signal it).
  Salida Corre(const std::vector<std::string>& args, const std::function<void(pid_t)>& cadaVuelta = {}) {
    const fs::path err = raiz_ / "stderr.txt";
    const pid_t pid = fork();
    if (pid == 0) {
      for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) unsetenv(v);
      setenv("ZTELNET_HOME", casa_.c_str(), 1);
      for (const auto& [nombre, valor] : entorno_) setenv(nombre.c_str(), valor.c_str(), 1);
      if (chdir(actual_.c_str()) != 0) _exit(126);
      const int fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(fd, 2);
      const int nulo = open("/dev/null", O_RDWR);
      dup2(nulo, 0), dup2(nulo, 1);
      std::vector<char*> argv{const_cast<char*>(ZT_ZTELNET)};
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    Salida s;
    int st = 0;
    for (int i = 0; i < 6000; ++i) {
      if (waitpid(pid, &st, WNOHANG) == pid) {
        s.estado = WIFEXITED(st) ? WEXITSTATUS(st) : 1000 + WTERMSIG(st); // killed: not an exit status
        s.error = Lee(err);
        return s;
      }
      if (cadaVuelta) cadaVuelta(pid);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &st, 0);
    ADD_FAILURE() << "ztelnet no terminó";
    return s;
  }
  Salida Macro(const std::string& texto, std::vector<std::string> extra = {"/NOERROR"}) {
    Escribe(actual_ / "m.zkv", texto);
    extra.insert(extra.begin(), {"/M=m.zkv", "/SALIR"});
    return Corre(extra);
  }

  fs::path raiz_, casa_, actual_;
  std::vector<std::pair<std::string, std::string>> entorno_; // for the runs, besides the above
};

} // namespace

TEST_F(Lote, FilesAndStatuses) {
  // Written through the statements, byte for byte, with an accented text and CR LF ends.
  Salida s = Macro("FILEOPEN f 'salida.txt'\r\nFILEWRITE f 'año 1'\r\nFILEWRITE f 'b' | chr(9) | 'c'\r\n"
                   "FILECLOSE f\r\nMESSAGEBOX 'listo' Aviso\r\n",
                   {});
  EXPECT_EQ(s.estado, 0) << s.error;
  EXPECT_EQ(Lee(actual_ / "salida.txt"), "año 1\r\nb\tc\r\n");
  EXPECT_NE(s.error.find("Aviso: listo"), std::string::npos) << s.error;
  EXPECT_FALSE(fs::exists(actual_ / "error.log"));

  // A failing run: error.log in the current folder, a non-zero status, nothing on screen with
  // /NOERROR; the message on standard error without it.
  const std::string fallo = "x = 1\r\n\r\nIF x = 1 THEN\r\n  y = 2 FILEWRITE nada 'z'\r\nENDIF\r\n";
  s = Macro(fallo);
  EXPECT_NE(s.estado, 0);
  EXPECT_EQ(Lee(actual_ / "error.log"), "4\r\n27\r\nNo existe variable: NADA\r\n");
  EXPECT_EQ(s.error.find("No existe variable"), std::string::npos) << s.error;
  fs::remove(actual_ / "error.log");
  s = Macro(fallo, {});
  EXPECT_NE(s.estado, 0);
  EXPECT_NE(s.error.find("No existe variable: NADA"), std::string::npos) << s.error;

  // A missing macro file: non-zero, no error.log.
  fs::remove(actual_ / "error.log");
  s = Corre({"/M=no-existe.zkv", "/SALIR"});
  EXPECT_NE(s.estado, 0);
  EXPECT_NE(s.error.find("No se Encuentra archivo de comando: no-existe.zkv"), std::string::npos) << s.error;
  EXPECT_FALSE(fs::exists(actual_ / "error.log"));

  // END ends the program at once with 0, even without /SALIR.
  Escribe(actual_ / "m.zkv", "END\r\nFILEOPEN f 'nunca.txt'\r\n");
  s = Corre({"/M=m.zkv"});
  EXPECT_EQ(s.estado, 0) << s.error;
  EXPECT_FALSE(fs::exists(actual_ / "nunca.txt"));
}

// A session with a real host: log in, send, wait for the prompt, capture and write it out.
TEST_F(Lote, SessionWithBash) {
  zt::test::HostTelnetd host("bash", "zt$ ");
  if (!host.Disponible()) GTEST_SKIP() << host.Falta();
  // Captures and logs keep the host's bytes as sent: no bracketed-paste marks around commands.
  Escribe(raiz_ / "inputrc", "set enable-bracketed-paste off\n");
  host.entorno.push_back({"INPUTRC", (raiz_ / "inputrc").string()});
  ASSERT_TRUE(host.Arranca());
  host.Escribe("dato.txt", "alfa-1\nalfa-2\n");
  const std::string prompt = "'zt$ '";
  Salida s =
      Macro("timeout = 20\r\nCONNECT 127.0.0.1:" + std::to_string(host.puerto) + "\r\n" + "WAIT " + prompt +
            "\r\n" + "CAPTURE sal\r\nSENDLN 'cat dato.txt'; WAIT " + prompt + "\r\nENDCAPTURE\r\n" +
            "LOGOPEN sesion.log\r\nSENDLN 'echo $((6*7))'\r\nWAIT " + prompt + "\r\nLOGCLOSE\r\n" +
            "FILEOPEN f 'capturado.txt' FILEWRITE f FILT(sal, 'alfa-') FILECLOSE f\r\n" + "DISCONNECT\r\n");
  EXPECT_EQ(s.estado, 0) << s.error << Lee(actual_ / "error.log");
  EXPECT_EQ(Lee(actual_ / "capturado.txt"), "alfa-1\r\nalfa-2\r\n");
  const std::string registro = Lee(actual_ / "sesion.log");
  EXPECT_NE(registro.find("\r\n42\r\n"), std::string::npos) << registro;
}

// SSH: the host key is checked before anything is sent, the log-in goes key first, then the
// password from the environment; every refusal ends the run at once with its reason.
TEST_F(Lote, SessionOverSsh) {
  if (!zt::test::HostSshd::Falta().empty()) GTEST_SKIP() << zt::test::HostSshd::Falta();
  zt::test::HostSshd host;
  ASSERT_TRUE(host.Arranca());
  entorno_ = {{"HOME", host.casa.string()}};
  const std::string ip = "/IP=ssh://root@127.0.0.1:" + std::to_string(host.puerto);
  // A time-out longer than the harness waits: a refusal heard only at the time-out fails the test.
  const std::string ida = "timeout = 300\r\nWAIT 'zt$ '\r\nCAPTURE sal\r\n"
                          "SENDLN 'echo ok-$((6*7)); stty size; echo $TERM'\r\nWAIT 'zt$ '\r\nENDCAPTURE\r\n"
                          "FILEOPEN f 'sal.txt' FILEWRITE f sal FILECLOSE f\r\n";
  const auto Falla = [&](const std::vector<std::string>& extra, const std::string& motivo) {
    fs::remove(actual_ / "error.log");
    const Salida s = Macro(ida, extra);
    EXPECT_EQ(s.estado, 1) << s.error;
    EXPECT_NE(Lee(actual_ / "error.log").find(motivo), std::string::npos) << Lee(actual_ / "error.log");
  };

  // An unknown host key is refused with no display unless /ACEPTAR_CLAVE says otherwise.
  Falla({ip, "/NOERROR"}, host.Huella());
  EXPECT_FALSE(fs::exists(host.casa / ".ssh/known_hosts"));
  Salida s = Macro(ida, {ip, "/NOERROR", "/ACEPTAR_CLAVE"});
  EXPECT_EQ(s.estado, 0) << s.error << Lee(actual_ / "error.log");
  // The PTY has the view's size and type.
  EXPECT_NE(Lee(actual_ / "sal.txt").find("\r\nok-42\r\n35 90\r\nvt100\r\n"), std::string::npos) << Lee(actual_ / "sal.txt");
  EXPECT_NE(Lee(host.casa / ".ssh/known_hosts").find("[127.0.0.1]:" + std::to_string(host.puerto)), std::string::npos);

  // The key held by an agent, not in the folder.
  fs::rename(host.casa / ".ssh/id_ed25519", host.casa / ".ssh/otra");
  const fs::path agente = raiz_ / "agente.sock";
  const pid_t pidAgente = fork();
  if (pidAgente == 0) {
    execl("/usr/bin/ssh-agent", "ssh-agent", "-D", "-a", agente.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  for (int i = 0; i < 100 && !fs::exists(agente); ++i) usleep(20000);
  EXPECT_EQ(std::system(("SSH_AUTH_SOCK=" + agente.string() + " ssh-add -q " + (host.casa / ".ssh/otra").string() +
                         " 2>/dev/null").c_str()),
            0);
  entorno_.push_back({"SSH_AUTH_SOCK", agente.string()});
  s = Macro(ida, {ip, "/NOERROR"});
  EXPECT_EQ(s.estado, 0) << s.error << Lee(actual_ / "error.log");
  kill(pidAgente, SIGTERM);
  waitpid(pidAgente, nullptr, 0);
  entorno_.pop_back();

  // No key at all: the password of the environment, which a wrong one does not pass.
  entorno_.push_back({"ZTELNET_SSH_PASSWORD", zt::test::HostSshd::kClave});
  s = Macro(ida, {ip, "/NOERROR"});
  EXPECT_EQ(s.estado, 0) << s.error << Lee(actual_ / "error.log");
  entorno_.back().second = "otra-clave";
  Falla({ip, "/NOERROR"}, "Autenticación rechazada");

  // A changed host key is refused, always, naming the new key.
  ASSERT_TRUE(host.CambiaClaveHost());
  entorno_.back().second = zt::test::HostSshd::kClave;
  Falla({"/IP=ssh://root@127.0.0.1:" + std::to_string(host.puerto), "/NOERROR", "/ACEPTAR_CLAVE"}, "ha cambiado");
}

// The end of a link is noticed at once: the host's close by a WAIT and by a SENDLN, a refused port
// and a name that cannot exist by CONNECT itself; each stops the run with its reason and position.
TEST_F(Lote, ConnectionEndsAndFailures) {
  // A loopback port bound but not listening refuses every connection.
  const int cerrado = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in dir{};
  dir.sin_family = AF_INET;
  dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t largo = sizeof dir;
  ASSERT_EQ(bind(cerrado, reinterpret_cast<sockaddr*>(&dir), sizeof dir), 0);
  ASSERT_EQ(getsockname(cerrado, reinterpret_cast<sockaddr*>(&dir), &largo), 0);
  const std::string puertoCerrado = std::to_string(ntohs(dir.sin_port));

  struct Caso {
    bool host;          // a real telnetd to connect to (CONNECT <host> is prepended)
    std::string macro;  // with "timeout = 20" before it: a wait that runs out fails the test
    std::string error;  // error.log
  } casos[] = {
      {true, "WAIT 'zt$ '\r\nSENDLN 'exit'\r\nWAIT 'zt$ '\r\n", "5\r\n12\r\nConexión cerrada por el host\r\n"},
      {true, "WAIT 'zt$ '\r\nSENDLN 'exit'\r\nPAUSE 2\r\nSENDLN 'ls'\r\n",
       "6\r\n12\r\nConexión cerrada por el host\r\n"},
      {false, "CONNECT 127.0.0.1:" + puertoCerrado + "\r\nSENDLN 'ls'\r\n",
       "2\r\n" + std::to_string(19 + puertoCerrado.size()) + "\r\nNo se pudo conectar: Conexión rechazada (127.0.0.1:" +
           puertoCerrado + ")\r\n"},
      {false, "CONNECT nada.invalid\r\n", "2\r\n21\r\nNo se pudo conectar: No se encuentra el host (nada.invalid)\r\n"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.macro);
    zt::test::HostTelnetd host("bash", "zt$ ");
    std::string macro = "timeout = 20\r\n" + c.macro;
    if (c.host) {
      if (!host.Disponible()) GTEST_SKIP() << host.Falta();
      ASSERT_TRUE(host.Arranca());
      macro = "timeout = 20\r\nCONNECT 127.0.0.1:" + std::to_string(host.puerto) + "\r\n" + c.macro;
    }
    fs::remove(actual_ / "error.log");
    const Salida s = Macro(macro, {});
    EXPECT_EQ(s.estado, 1) << s.error;
    EXPECT_EQ(Lee(actual_ / "error.log"), c.error);
  }
  close(cerrado);
}

// A stop signal is a stop request: what FILEWRITE and LOGWRITE wrote is on disk, error.log says
// where the run stopped, and the status is 128 + the signal. A macro with no /SALIR ends too.
TEST_F(Lote, SignalsStopTheRun) {
  for (const int senal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(senal);
    for (const char* f : {"datos.txt", "s.log", "listo.txt", "error.log"}) fs::remove(actual_ / f);
    Escribe(actual_ / "m.zkv", "FILEOPEN f 'datos.txt'\r\nFILEWRITE f 'antes'\r\nLOGOPEN s.log\r\nLOGWRITE nota\r\n"
                               "FILEOPEN g 'listo.txt' FILECLOSE g\r\nPAUSE 60\r\nFILEWRITE f 'despues'\r\n");
    bool enviada = false;
    const Salida s = Corre({"/M=m.zkv", "/NOERROR"}, [&](pid_t pid) {
      if (!enviada && fs::exists(actual_ / "listo.txt")) enviada = kill(pid, senal) == 0;
    });
    EXPECT_EQ(s.estado, 128 + senal) << s.error;
    EXPECT_EQ(Lee(actual_ / "datos.txt"), "antes\r\n");
    EXPECT_EQ(Lee(actual_ / "s.log"), "nota\r\n");
    const std::string error = Lee(actual_ / "error.log");
    EXPECT_NE(error.find("Ejecución detenida por la señal SIG"), std::string::npos) << error;
  }
}

// Lines the program cannot act on end it with what is wrong and the usage text (status 2); a
// LOGWRITE with no log open stops the run with the bad file number error.
TEST_F(Lote, BadCommandLinesAndLogWrite) {
  for (const char* arg : {"/IP=127.0.0.1:abc", "/XYZ"}) {
    const Salida s = Corre({arg, "/SALIR"});
    EXPECT_EQ(s.estado, 2) << arg;
    EXPECT_NE(s.error.find("Se requiere linea de comandos"), std::string::npos) << s.error;
  }
  EXPECT_NE(Corre({"/IP=127.0.0.1:abc"}).error.find("Puerto no válido: 'abc'"), std::string::npos);

  const Salida s = Macro("x = 1\r\nLOGWRITE hola\r\n");
  EXPECT_EQ(s.estado, 1) << s.error;
  EXPECT_EQ(Lee(actual_ / "error.log"), "2\r\n14\r\nNúmero de archivo incorrecto\r\n");
}
