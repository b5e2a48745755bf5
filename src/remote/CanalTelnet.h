// The remote transfers' channel over the Telnet object: typed bytes go out as the keyboard's do,
// the chunk's data bytes come back, and waits run the program's events.
#pragma once
#include "platform/Pump.h"
#include "remote/CanalRemoto.h"
#include "terminal/CtlTelnet.h"

namespace zt {

class CanalTelnet : public CanalRemoto {
public:
  // 'vista', when given, follows the output while a command runs.
  CanalTelnet(CtlTelnet& telnet, Pump& pump, PantallaTelnet* vista = nullptr)
      : telnet_(telnet), pump_(pump), vista_(vista) {}
  ~CanalTelnet() override { FijaReceptor(nullptr); }
  CanalTelnet(const CanalTelnet&) = delete;
  CanalTelnet& operator=(const CanalTelnet&) = delete;

  bool Conectado() const override { return telnet_.State() == 7; }
  Codificacion CodificacionFlujo() const override { return telnet_.CodificacionFlujo(); }
  void Envia(std::string_view bytes) override;
  void FijaReceptor(std::function<void(std::string_view)> receptor) override;
  bool EsperaHasta(const std::function<bool()>& listo, int msMax) override {
    return pump_.EsperaHasta(listo, msMax);
  }
  // A transfer's commands, marks and a whole file would fill the terminal: it shows none of it.
  void VistaMuda(bool muda) override { telnet_.SilenciaVista(muda); }

private:
  CtlTelnet& telnet_;
  Pump& pump_;
  PantallaTelnet* vista_;
};

} // namespace zt
