// The Telnet object and its terminal view over the real socket, timer and pump, for tests and
// benchmarks that talk to a host on the loopback. The view is declared first so that it outlives
// the Telnet object bound to it.
#pragma once
#include "fakes/FakeDialogs.h"
#include "platform/qt/PumpQt.h"
#include "platform/qt/SocketMixto.h"
#include "platform/qt/TimerQt.h"
#include "terminal/CtlEdTelnet.h"
#include "terminal/CtlTelnet.h"
#include <cstdint>
#include <functional>

namespace zt::test {

struct SesionLoopback {
  SocketMixto socket; // a plain TCP socket, or SSH for an address "ssh://..."
  TimerQt timer;
  PumpQt pump;
  FakeDialogs dialogos;
  CtlEdTelnet vista;
  CtlTelnet telnet{socket, timer};

  SesionLoopback() {
    telnet.Iniciar(vista);
    telnet.FijaEspera(&pump, &dialogos);
  }
  // Connects to 127.0.0.1:'puerto' and runs events until 'listo' holds; false after 'msMax'.
  bool Conecta(uint16_t puerto, const std::function<bool()>& listo, int msMax = 10000) {
    telnet.Connect(U"127.0.0.1", puerto, 10);
    return pump.EsperaHasta(listo, msMax);
  }
  // The same with prompt recognition on lines starting with 'prompt', until the first one comes.
  bool ConectaConPrompt(uint16_t puerto, const Texto& prompt) {
    vista.DetPromptActiva = true;
    vista.PatIniPrompt = prompt;
    return Conecta(puerto, [this] { return telnet.LlegoPrompt; });
  }
};

} // namespace zt::test
