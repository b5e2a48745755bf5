// The Telnet object against the system's telnet server on the loopback, started and stopped here.
#include "FakePantalla.h"
#include "fakes/HostTelnetd.h"
#include "platform/AppQt.h"
#include "platform/qt/PumpQt.h"
#include "platform/qt/SocketQt.h"
#include "platform/qt/TimerQt.h"
#include "terminal/CtlTelnet.h"
#include <gtest/gtest.h>

using namespace zt;

using test::HostTelnetd;

// The shells the other integration tests use: each shows exactly the fixed prompt and runs commands.
TEST(TelnetReal, CadaShellMuestraSuPromptFijo) {
  AppQt();
  for (const char* shell : {"bash", "dash", "busybox", "zsh", "ksh", "mksh"}) {
    SCOPED_TRACE(shell);
    HostTelnetd host(shell, "zt-prompt> ");
    if (!host.Disponible()) continue;
    ASSERT_TRUE(host.Arranca());
    host.Escribe("dato.txt", "contenido\n");
    SocketQt socket;
    TimerQt timer;
    PumpQt pump;
    FakePantalla pantalla;
    CtlTelnet telnet(socket, timer);
    telnet.Iniciar(pantalla);
    const auto llega = [&](std::u32string_view t) { return pantalla.datos.find(t) != Texto::npos; };
    telnet.Connect(U"127.0.0.1", host.puerto, 10);
    ASSERT_TRUE(pump.EsperaHasta([&] { return llega(U"zt-prompt> "); }, 10000)) << U8(pantalla.datos);
    telnet.SendData(U"cat dato.txt; echo fin-$((6*7))\r");
    EXPECT_TRUE(pump.EsperaHasta([&] { return llega(U"fin-42"); }, 10000)) << U8(pantalla.datos);
    EXPECT_TRUE(llega(U"contenido")) << U8(pantalla.datos);
    telnet.SendData(U"exit\r");
    EXPECT_TRUE(pump.EsperaHasta([&] { return telnet.State() != 7; }, 10000));
  }
}

TEST(TelnetReal, ConectaNegociaEnviaYCierra) {
  HostTelnetd servidor("sh");
  if (!servidor.Disponible()) GTEST_SKIP() << servidor.Falta();
  AppQt();
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
