// Fuzz target for the path from host bytes to the terminal view (built with a compiler that has
// libFuzzer; run by hand: ./fuzz_vista -max_total_time=600). The first byte picks the chunk size.
#include "fakes/FakeSocket.h"
#include "fakes/FakeTimer.h"
#include "terminal/CtlEdTelnet.h"
#include "terminal/CtlTelnet.h"
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
  using namespace zt;
  if (largo == 0) return 0;
  FakeSocket socket;
  FakeTimer timer;
  CtlEdTelnet vista;
  vista.DetPromptActiva = true;
  vista.PatFinPrompt = U"$ ";
  CtlTelnet telnet(socket, timer);
  telnet.MaxLineasTerm = 40;
  telnet.Iniciar(vista);
  socket.conectarAlInstante = true;
  telnet.Connect(U"host", 23);
  const size_t paso = size_t(datos[0]) + 1;
  for (size_t i = 1; i < largo; i += paso) {
    socket.Recibe(std::string(reinterpret_cast<const char*>(datos + i), std::min(paso, largo - i)));
    const bool bien =
        vista.y0 >= 1 && vista.curY >= 0 && vista.curY <= vista.curYmax + CtlEdTelnet::kMargenFilas &&
        vista.curX >= 0 && vista.curX <= CtlEdTelnet::kLargoLineaMax &&
        vista.nLin() <= telnet.MaxLineasTerm + 20 + vista.curYmax + 1 + CtlEdTelnet::kMargenFilas &&
        (vista.nLin() == 0 || vista.y0 + vista.curY <= vista.nLin());
    if (!bien) std::abort();
  }
  return 0;
}
