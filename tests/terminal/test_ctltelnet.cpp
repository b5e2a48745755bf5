// The Telnet object's connection life, events, sending and receive loop.
#include "FakePantalla.h"
#include "fakes/FakeSocket.h"
#include "fakes/FakeTimer.h"
#include "terminal/CtlTelnet.h"
#include <gtest/gtest.h>

using namespace zt;

namespace {

std::string Une(const std::vector<std::string>& v) {
  std::string r;
  for (const auto& x : v) r += (r.empty() ? "" : "|") + x;
  return r;
}

class Telnet : public ::testing::Test {
protected:
  Telnet() {
    telnet.Iniciar(pantalla);
    telnet.Closed = [this] { eventos += "Closed;"; };
    telnet.Connected = [this] { eventos += "Connected;"; };
    telnet.ConnectTimeout = [this] { eventos += "ConnectTimeout;"; };
    telnet.ConnectError = [this](const Texto& t) { eventos += "ConnectError " + U8(t) + ";"; };
    telnet.Error = [this](const Texto& t) { eventos += "Error " + U8(t) + ";"; };
    telnet.Receive = [this](const std::string& b) { eventos += "Receive " + b + ";"; };
    pantalla.llamadas.clear();
  }
  void Conecta() {
    telnet.Connect(U"host", 23);
    socket.AceptaConexion();
    socket.TomaEnviado();
    pantalla.llamadas.clear();
    eventos.clear();
  }

  FakeSocket socket;
  FakeTimer timer;
  FakePantalla pantalla;
  CtlTelnet telnet{socket, timer};
  std::string eventos;
};

} // namespace

TEST_F(Telnet, IniciarFijaTamanoYEstado) {
  FakePantalla otra;
  telnet.Iniciar(otra);
  EXPECT_EQ(Une(otra.llamadas), "FijaTamTerminal 90x35|Panel1 Desconectado. #000000/menu");
  EXPECT_EQ(telnet.AncTerm(), 90);
  EXPECT_EQ(telnet.AltTerm(), 35);
  telnet.Iniciar(pantalla); // the Telnet object outlives 'otra'
}

TEST_F(Telnet, ConectaYCierraElHost) {
  telnet.Connect(U"host", 23);
  EXPECT_EQ(telnet.State(), 6);
  EXPECT_TRUE(timer.Activo());
  EXPECT_EQ(timer.intervalo, 30000);
  socket.AceptaConexion();
  EXPECT_EQ(telnet.State(), 7);
  EXPECT_FALSE(timer.Activo());
  EXPECT_EQ(eventos, "Connected;");
  EXPECT_EQ(Une(pantalla.llamadas), "ReiniciaSecuencia|Panel1 Conectado a host #008000/menu");
  EXPECT_EQ(telnet.RemoteHost(), U"host");

  socket.CierraRemoto();
  EXPECT_EQ(eventos, "Connected;Closed;");
  EXPECT_EQ(pantalla.llamadas.back(), "Panel1 Conexión cerrada. #ff0000/menu");
}

// A refused attempt is reported at once with its reason, and no time-out follows it; an attempt
// nobody answers ends in one time-out.
TEST_F(Telnet, IntentoFallidoAlInstanteYSinRespuestaPorTiempo) {
  telnet.Connect(U"host", 23, 5);
  EXPECT_EQ(timer.intervalo, 5000);
  socket.FallaConexion("Conexión rechazada");
  EXPECT_EQ(eventos, "ConnectError No se pudo conectar: Conexión rechazada;");
  EXPECT_EQ(pantalla.llamadas.back(), "Panel1 Conexión rechazada #ff0000/menu");
  EXPECT_EQ(telnet.MotivoCierre(), U"No se pudo conectar: Conexión rechazada");
  EXPECT_EQ(timer.Tics(3), 0);
  eventos.clear();
  telnet.Connect(U"host", 23, 5);
  EXPECT_TRUE(telnet.MotivoCierre().empty());
  EXPECT_EQ(timer.Tics(3), 1); // fires once
  EXPECT_EQ(eventos, "ConnectTimeout;");
}

TEST_F(Telnet, PuertosValidos) {
  for (int puerto : {0, -1, 65536, 1, 32768, 65535}) telnet.Connect(U"h", puerto);
  EXPECT_EQ(Une(socket.llamadas), "conectar h:1|cerrar|conectar h:32768|cerrar|conectar h:65535");
}

TEST_F(Telnet, ConnectCierraLaConexionAnterior) {
  Conecta();
  telnet.Connect(U"otro", 2323);
  EXPECT_EQ(Une(socket.llamadas), "conectar host:23|cerrar|conectar otro:2323");
  EXPECT_EQ(eventos, ""); // closing our own link is no host close
}

TEST_F(Telnet, Disconnect) {
  telnet.Connect(U"host", 23);
  telnet.Disconnect();
  EXPECT_FALSE(timer.Activo()); // no time-out for an attempt given up
  EXPECT_EQ(Une(pantalla.llamadas), "Panel1 Desconectado. #ff0000/menu");
  EXPECT_EQ(timer.Tics(1), 0);
}

TEST_F(Telnet, SendDataSoloConectadoYDoblaIac) {
  telnet.SendData(U"ls\r");
  socket.FijaEstado(9);
  telnet.SendData(U"ls\r");
  EXPECT_EQ(socket.enviado, "");
  Conecta();
  telnet.SendData(U"ñ\xDCFF"
                  U"a\r");
  EXPECT_EQ(socket.TomaEnviado(), "\xC3\xB1\xFF\xFF"
                                  "a\r");
  telnet.FijaCodificacion(Codificacion::Cp1252);
  telnet.SendData(U"ñ€ÿ");
  EXPECT_EQ(socket.TomaEnviado(), "\xF1\x80\xFF\xFF");
}

TEST_F(Telnet, Cp1252Recibe) {
  telnet.FijaCodificacion(Codificacion::Cp1252);
  Conecta();
  socket.Recibe("\xF1\x80 \xFF\xFF");
  EXPECT_EQ(pantalla.datos, U"ñ€ ÿ");
}

// A session that ended inside a subnegotiation or an escape sequence does not garble the next.
TEST_F(Telnet, ConectarReiniciaLosEstados) {
  Conecta();
  socket.Recibe(B("IAC DO 24 'x' 195 ESC '[1'"));
  Conecta();
  EXPECT_FALSE(pantalla.EnSecuencia());
  socket.Recibe(B("IAC SB 24 1 'x'"));
  EXPECT_EQ(telnet.Recepcion(), EstadoRecepcion::Subneg);
  Conecta();
  EXPECT_EQ(telnet.Recepcion(), EstadoRecepcion::Datos);
  pantalla.datos.clear();
  socket.Recibe(B("IAC DO 24 IAC SE 'ok'"));
  EXPECT_EQ(socket.enviado, B("IAC WILL 24 IAC SB 24 0 'VT100' IAC SE"));
  EXPECT_EQ(pantalla.datos, U"ok"); // neither the old 195 nor the old sequence swallows it
  // A character cut by the end of the session is not completed by the next one's first byte.
  socket.Recibe(B("'a' 195"));
  Conecta();
  pantalla.datos.clear();
  socket.Recibe(B("177 'b'"));
  EXPECT_EQ(pantalla.datos, U"\xDCB1"
                            U"b");
}

TEST_F(Telnet, BloqueRecortaRedibujaYAvisa) {
  Conecta();
  telnet.MaxLineasTerm = 500;
  pantalla.lineas = 1000;
  pantalla.engan = true;
  socket.Recibe("abc");
  EXPECT_EQ(Une(pantalla.llamadas), "EliminarLineasIni 520|EnganCursorEdit|Dibujar");
  pantalla.llamadas.clear();
  pantalla.lineas = 500;
  pantalla.engan = false;
  socket.Recibe(B("IAC DO 1 'd'"));
  EXPECT_EQ(Une(pantalla.llamadas), "Dibujar");
  EXPECT_EQ(eventos, "Receive abc;Receive " + B("IAC DO 1 'd'") + ";");
  EXPECT_EQ(pantalla.datos, U"abcd");
}

// Bytes that arrive while a chunk is processed are read by the same loop, not left behind.
TEST_F(Telnet, ReentradaNoDejaBytes) {
  Conecta();
  bool una = true;
  telnet.Receive = [&](const std::string& b) {
    eventos += "Receive " + b + ";";
    if (std::exchange(una, false)) {
      EXPECT_TRUE(telnet.Receiving());
      socket.Recibe("dos");
    }
  };
  socket.Recibe("uno");
  EXPECT_EQ(eventos, "Receive uno;Receive dos;");
  EXPECT_EQ(pantalla.datos, U"unodos");
  EXPECT_FALSE(telnet.Receiving());
  EXPECT_EQ(socket.Pendiente(), 0u);
}

TEST_F(Telnet, ErrorDejaElRestoDelBloque) {
  Conecta();
  pantalla.falla = U'!';
  socket.Recibe("ab!cd");
  EXPECT_EQ(eventos, "Error Error occurred!Desbordamiento;");
  EXPECT_FALSE(telnet.Receiving());
  socket.Recibe("ef");
  EXPECT_EQ(pantalla.datos, U"abef");
  EXPECT_EQ(eventos, "Error Error occurred!Desbordamiento;Receive ef;");
}
