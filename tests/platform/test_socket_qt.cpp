// The Qt socket against a server on the loopback.
#include "AppQt.h"
#include "platform/qt/PumpQt.h"
#include "platform/qt/SocketQt.h"
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace zt;

namespace {

struct Oyente : SocketListener {
  Socket *socket = nullptr;
  std::string eventos;
  std::string datos;
  bool conectado = false;
  bool cerrado = false;
  std::string motivo;
  std::function<void()> enDatos; // runs inside the notice, after reading
  bool ocupado = false;

  void Conectado() override {
    conectado = true;
    eventos += "conectado;";
  }
  void Cerrado(const std::string &m) override {
    cerrado = true;
    motivo = m;
    eventos += "cerrado;";
  }
  void DatosLlegan(std::size_t) override {
    if (ocupado) return; // as a busy receiver does: the bytes stay for the next notice
    ocupado = true;
    datos += socket->Leer();
    eventos += "datos;";
    if (enDatos) std::exchange(enDatos, nullptr)();
    ocupado = false;
  }
};

class SocketQtTest : public ::testing::Test {
protected:
  void SetUp() override {
    AppQt();
    ASSERT_TRUE(servidor.listen(QHostAddress::LocalHost, 0));
    socket.FijaListener(&oyente);
    oyente.socket = &socket;
  }
  // Connects and returns the server's end.
  QTcpSocket *Conecta() {
    socket.Conectar("127.0.0.1", servidor.serverPort());
    EXPECT_EQ(socket.EstadoCodigo(), Socket::Conectando);
    EXPECT_TRUE(pump.EsperaHasta([&] { return oyente.conectado && servidor.hasPendingConnections(); }, 5000));
    return servidor.nextPendingConnection();
  }
  bool LlegaAlServidor(QTcpSocket *otro, std::size_t n) {
    return pump.EsperaHasta([&] { return std::size_t(otro->bytesAvailable()) >= n; }, 5000);
  }

  QTcpServer servidor;
  PumpQt pump;
  SocketQt socket;
  Oyente oyente;
};

} // namespace

TEST_F(SocketQtTest, ConectaEnviaYRecibe) {
  EXPECT_EQ(socket.EstadoCodigo(), Socket::Cerrado);
  EXPECT_FALSE(socket.Enviar("x"));
  QTcpSocket *otro = Conecta();
  ASSERT_NE(otro, nullptr);
  EXPECT_EQ(socket.EstadoCodigo(), Socket::Conectado);
  EXPECT_EQ(socket.HostRemoto(), "127.0.0.1");

  const std::string binario("ls\r\0\xff\xfb\x01", 7);
  EXPECT_TRUE(socket.Enviar(binario));
  ASSERT_TRUE(LlegaAlServidor(otro, binario.size()));
  EXPECT_EQ(otro->readAll().toStdString(), binario);

  otro->write("\xff\xfd\x18"
              "abc");
  ASSERT_TRUE(pump.EsperaHasta([&] { return oyente.datos.size() >= 6; }, 5000));
  EXPECT_EQ(oyente.datos, "\xff\xfd\x18"
                          "abc");
}

TEST_F(SocketQtTest, ElCierreDelHostLlegaTrasLosUltimosDatos) {
  QTcpSocket *otro = Conecta();
  ASSERT_NE(otro, nullptr);
  otro->write("adios");
  otro->disconnectFromHost();
  ASSERT_TRUE(pump.EsperaHasta([&] { return oyente.cerrado; }, 5000));
  EXPECT_EQ(oyente.datos, "adios");
  EXPECT_EQ(oyente.eventos, "conectado;datos;cerrado;");
  EXPECT_EQ(oyente.motivo, "");
  EXPECT_EQ(socket.EstadoCodigo(), Socket::Cerrado);
  EXPECT_FALSE(socket.Enviar("x"));
}

TEST_F(SocketQtTest, DatosQueLleganDuranteUnAvisoNoSeQuedanEsperando) {
  QTcpSocket *otro = Conecta();
  ASSERT_NE(otro, nullptr);
  // Inside the first notice the host sends more, and the receiver waits while busy.
  oyente.enDatos = [&] {
    otro->write("dos");
    otro->flush();
    pump.Duerme(200);
  };
  otro->write("uno");
  ASSERT_TRUE(pump.EsperaHasta([&] { return oyente.datos == "unodos"; }, 5000)) << oyente.datos;
}

TEST_F(SocketQtTest, UnCierrePropioNoSeAnuncia) {
  QTcpSocket *otro = Conecta();
  ASSERT_NE(otro, nullptr);
  EXPECT_TRUE(socket.Enviar("exit\r"));
  socket.Cerrar();
  EXPECT_EQ(socket.EstadoCodigo(), Socket::Cerrado);
  // What was queued before the close still reaches the host, and then the host sees the close.
  ASSERT_TRUE(pump.EsperaHasta([&] { return otro->state() == QAbstractSocket::UnconnectedState; }, 5000));
  EXPECT_EQ(otro->readAll().toStdString(), "exit\r");
  pump.Duerme(20);
  EXPECT_FALSE(oyente.cerrado);
}

TEST_F(SocketQtTest, ReconectarCierraElEnlaceAnterior) {
  QTcpSocket *primero = Conecta();
  ASSERT_NE(primero, nullptr);
  oyente.conectado = false;
  QTcpSocket *segundo = Conecta();
  ASSERT_NE(segundo, nullptr);
  ASSERT_TRUE(pump.EsperaHasta([&] { return primero->state() == QAbstractSocket::UnconnectedState; }, 5000));
  pump.Duerme(20);
  EXPECT_FALSE(oyente.cerrado); // the old link's end is not news for the new one
  EXPECT_EQ(socket.EstadoCodigo(), Socket::Conectado);
}

// A failed attempt says why in the program's words: a name under ".invalid" fails without asking
// any name server.
TEST_F(SocketQtTest, UnaConexionRechazadaSeInformaConMotivo) {
  const quint16 puerto = servidor.serverPort();
  servidor.close();
  socket.Conectar("127.0.0.1", puerto);
  ASSERT_TRUE(pump.EsperaHasta([&] { return oyente.cerrado; }, 5000));
  EXPECT_EQ(oyente.motivo, "Conexión rechazada");
  EXPECT_FALSE(oyente.conectado);
  EXPECT_EQ(socket.EstadoCodigo(), Socket::Cerrado);
  oyente.cerrado = false;
  socket.Conectar("nada.INVALID.", 23);
  ASSERT_TRUE(pump.EsperaHasta([&] { return oyente.cerrado; }, 5000));
  EXPECT_EQ(oyente.motivo, "No se encuentra el host");
  EXPECT_FALSE(oyente.conectado);
}

