// The socket of the Telnet object: a plain TCP socket, or an SSH channel when the host is an
// address "ssh://...". The choice is made at each Conectar.
#pragma once
#include "platform/qt/SocketQt.h"
#include "platform/qt/SocketSsh.h"

namespace zt {

class SocketMixto : public Socket {
public:
  SocketQt tcp;
  SocketSsh ssh;

  void FijaListener(SocketListener* l) override {
    tcp.FijaListener(l);
    ssh.FijaListener(l);
  }
  void Conectar(const std::string& host, uint16_t puerto) override;
  void Cerrar() override { activo_->Cerrar(); }
  int EstadoCodigo() const override { return activo_->EstadoCodigo(); }
  bool Enviar(std::string_view bytes) override { return activo_->Enviar(bytes); }
  std::string Leer() override { return activo_->Leer(); }
  std::string HostRemoto() const override { return activo_->HostRemoto(); }
  void FijaTerminal(const std::string& tipo, int ancho, int alto) override { ssh.FijaTerminal(tipo, ancho, alto); }

private:
  Socket* activo_ = &tcp;
};

} // namespace zt
