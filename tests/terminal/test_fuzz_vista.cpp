// Millions of hostile bytes through the Telnet object into a painted view, chunk by chunk, with the
// view's invariants checked after each chunk. Bounded by a byte count and by wall time.
#include "GeneradorHost.h"
#include "fakes/FakeSocket.h"
#include "fakes/FakeTimer.h"
#include "terminal/CtlEdTelnet.h"
#include "terminal/CtlTelnet.h"
#include <chrono>
#include <gtest/gtest.h>

using namespace zt;

namespace {

class SuperficieNula : public Surface {
public:
  MetricaCelda Metrica() const override { return {8, 16}; }
  void LlenaRect(int, int, int, int, Color) override {}
  void DibujaTexto(int, int, VistaTexto, Color, bool) override {}
  void Linea(int, int, int, int, Color) override {}
};

} // namespace

TEST(FuzzVista, InvariantesTrasCadaTrozo) {
  FakeSocket socket;
  FakeTimer timer;
  SuperficieNula superficie;
  CtlEdTelnet vista;
  vista.FijaSuperficie(&superficie);
  vista.Redimensiona(720, 560);
  vista.verDesVer = vista.verDesHor = vista.verEstado = true;
  vista.DetPromptActiva = true;
  vista.PatFinPrompt = U"$ ";
  CtlTelnet telnet(socket, timer);
  telnet.Iniciar(vista);
  socket.conectarAlInstante = true;
  telnet.Connect(U"host", 23);
  int avisos = 0;
  vista.LlegoPrompt = [&](int32_t, int32_t b) {
    ++avisos;
    ASSERT_TRUE(b >= 1 && b <= vista.nLin());
  };

  test::GeneradorHost gen(20261208);
  std::mt19937 r(7);
  const auto fin = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  size_t total = 0;
  for (int trozo = 0; total < 4'000'000 && std::chrono::steady_clock::now() < fin; ++trozo) {
    const std::string datos = gen.Trozo(std::uniform_int_distribution<size_t>(1, 4096)(r));
    total += datos.size();
    if (trozo % 97 == 0) vista.AgregaLinea(U"Connecting to host...");
    if (trozo % 1009 == 0) telnet.LimpiaBuffer();
    if (trozo % 13 == 0) vista.EnganCursorEdit();
    socket.Recibe(datos);
    socket.TomaEnviado();

    SCOPED_TRACE("trozo " + std::to_string(trozo));
    ASSERT_LE(vista.nLin(), telnet.MaxLineasTerm + 20);
    ASSERT_GE(vista.y0, 1);
    ASSERT_TRUE(vista.curY >= 0 && vista.curY <= vista.curYmax + CtlEdTelnet::kMargenFilas);
    ASSERT_TRUE(vista.curX >= 0 && vista.curX <= CtlEdTelnet::kLargoLineaMax);
    if (vista.nLin() > 0) {
      ASSERT_LE(vista.y0 + vista.curY, vista.nLin());
    }
    ASSERT_GE(vista.curYt, 1);
    ASSERT_GE(vista.primLinVis, 1);
    ASSERT_LE(vista.nLlegoPrompt, vista.nLin());
    for (int32_t y = std::max(1, vista.nLin() - 60); y <= vista.nLin(); ++y)
      ASSERT_LE(vista.linea(y).size(), size_t(CtlEdTelnet::kLargoLineaMax));
  }
  RecordProperty("bytes", std::to_string(total));
  EXPECT_GT(avisos, 0);
}
