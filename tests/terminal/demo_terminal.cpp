// A terminal window on a private loopback host, for looking at it: the view with the main window's
// colours, keys sent to the host, and optionally commands typed at start.
//   terminal_demo [seconds to stay open] [command]...
#include "fakes/FakeDialogs.h"
#include "fakes/HostTelnetd.h"
#include "platform/qt/PumpQt.h"
#include "platform/qt/SocketQt.h"
#include "platform/qt/TimerQt.h"
#include "terminal/CtlTelnet.h"
#include "terminal/ui/TerminalQt.h"
#include <QApplication>
#include <QTimer>
#include <cstdio>

using namespace zt;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  test::HostTelnetd host("bash", "zt$ ");
  if (!host.Disponible() || !host.Arranca()) {
    std::fprintf(stderr, "sin servidor: %s\n", host.Falta().c_str());
    return 1;
  }
  SocketQt socket;
  TimerQt timer;
  PumpQt pump;
  CtlEdTelnet vista;
  vista.colores.ColFonEdi = 0;
  vista.colores.ColTxtNor = RGB(200, 200, 200);
  vista.colores.ColTxtCad = RGB(100, 255, 255);
  vista.colores.ColPalRes = RGB(100, 255, 100);
  vista.verEstado = vista.verDesVer = true;
  vista.bloqText = true;
  vista.DetPromptActiva = true;
  vista.PatIniPrompt = U"zt$ ";
  TerminalQt w(vista);
  CtlTelnet telnet(socket, timer);
  telnet.Iniciar(vista);
  telnet.FijaEspera(&pump, nullptr);
  vista.KeyDownTerm = [&](int& codigo, int shift) {
    if (CtlTelnet::TeclaAlHost(codigo, vista.CursorEditEngan(), 1)) {
      telnet.KeyDown(codigo, shift);
      codigo = 0;
    }
  };
  vista.KeyPress = [&](char32_t c) { telnet.KeyPress(c); };
  vista.KeyUp = [&](int codigo, int shift) { telnet.KeyUp(codigo, shift); };
  w.alEnfocar = [&] { telnet.control_on = false; };
  telnet.Closed = [&] { app.quit(); };
  w.setWindowTitle(QStringLiteral("Terminal"));
  w.resize(90 * 8 + 40, 37 * 17 + 40);
  w.show();
  w.setFocus();
  vista.Refrescar();

  telnet.Connect(U"127.0.0.1", host.puerto, 10);
  pump.EsperaHasta([&] { return telnet.LlegoPrompt; }, 10000);
  for (int i = 2; i < argc; ++i) {
    telnet.LlegoPrompt = false;
    telnet.SendData(T(argv[i]) + U"\r");
    pump.EsperaHasta([&] { return telnet.LlegoPrompt; }, 10000);
  }
  QTimer::singleShot(argc > 1 ? std::atoi(argv[1]) * 1000 : 600000, &app, &QApplication::quit);
  return app.exec();
}
