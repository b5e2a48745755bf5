// The Telnet object against the system's telnet server on the loopback, started and stopped here.
#include "FakePantalla.h"
#include "platform/AppQt.h"
#include "platform/qt/PumpQt.h"
#include "platform/qt/SocketQt.h"
#include "platform/qt/TimerQt.h"
#include "terminal/CtlTelnet.h"
#include <arpa/inet.h>
#include <csignal>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zt;

namespace {

constexpr const char* kServidor = "/usr/sbin/telnetd";

// A server for one connection: this process listens on a free loopback port and a child accepts
// the connection and becomes the telnet server on it, running a shell instead of a login.
class Servidor {
public:
  uint16_t puerto = 0;

  bool Arranca() {
    const int escucha = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in dir{};
    dir.sin_family = AF_INET;
    dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t largo = sizeof dir;
    if (escucha < 0 || bind(escucha, (sockaddr*)&dir, sizeof dir) != 0 || listen(escucha, 1) != 0 ||
        getsockname(escucha, (sockaddr*)&dir, &largo) != 0)
      return false;
    puerto = ntohs(dir.sin_port);
    char* argv[] = {(char*)"telnetd", (char*)"-h", (char*)"-E", (char*)"/bin/sh", nullptr};
    pid_ = fork();
    if (pid_ == 0) { // only async-signal-safe calls from here on
      const int c = accept(escucha, nullptr, nullptr);
      if (c < 0) _exit(127);
      dup2(c, 0), dup2(c, 1), dup2(c, 2);
      close(c), close(escucha);
      execv(kServidor, argv);
      _exit(127);
    }
    close(escucha);
    return pid_ > 0;
  }
  // The server ends by itself when the shell exits; otherwise it is stopped here.
  ~Servidor() {
    if (pid_ <= 0) return;
    for (int i = 0; i < 100; ++i) {
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) return;
      usleep(20000);
    }
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }

private:
  pid_t pid_ = -1;
};

} // namespace

TEST(TelnetReal, ConectaNegociaEnviaYCierra) {
  if (access(kServidor, X_OK) != 0) GTEST_SKIP() << kServidor << " no está instalado";
  AppQt();
  Servidor servidor;
  ASSERT_TRUE(servidor.Arranca());
  SocketQt socket;
  TimerQt timer;
  PumpQt pump;
  FakePantalla pantalla;
  CtlTelnet telnet(socket, timer);
  telnet.Iniciar(pantalla);
  std::string eventos;
  telnet.Connected = [&] { eventos += "Connected;"; };
  telnet.Closed = [&] { eventos += "Closed;"; };
  telnet.ConnectTimeout = [&] { eventos += "ConnectTimeout;"; };
  const auto llega = [&](std::u32string_view t) { return pantalla.datos.find(t) != Texto::npos; };

  telnet.Connect(U"127.0.0.1", servidor.puerto, 10);
  ASSERT_TRUE(pump.EsperaHasta([&] { return !eventos.empty(); }, 10000));
  ASSERT_EQ(eventos, "Connected;");
  // The shell starts only once the terminal type was given; its size comes from NAWS.
  telnet.SendData(U"stty size; echo zt-$((6*7))\r");
  EXPECT_TRUE(pump.EsperaHasta([&] { return llega(U"zt-42"); }, 10000)) << U8(pantalla.datos);
  EXPECT_TRUE(llega(U"35 90")) << U8(pantalla.datos);

  telnet.SendData(U"exit\r");
  EXPECT_TRUE(pump.EsperaHasta([&] { return eventos.find("Closed;") != std::string::npos; }, 10000));
  EXPECT_EQ(eventos, "Connected;Closed;");
  EXPECT_NE(telnet.State(), 7);
}
