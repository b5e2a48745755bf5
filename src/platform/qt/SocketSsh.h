// A Socket whose byte stream is the shell channel of an SSH session: the host is an address
// "ssh://[user@]host[:port]". The TCP connection is made without blocking, so a refusal or an
// unknown name is reported at once; the handshake and the log-in then run to their end (with a
// time-out) before the channel's data flows through the same notices as a plain socket's.
#pragma once
#include "platform/Socket.h"
#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QSocketNotifier;
class QTimer;

namespace zt {

class SocketSsh : public QObject, public Socket {
  Q_OBJECT
public:
  explicit SocketSsh(QObject* padre = nullptr);
  ~SocketSsh() override;

  // An unknown host's key: true accepts it and records it in known_hosts. Unset: refused.
  std::function<bool(const std::string& host, const std::string& huella)> AceptaClaveNueva;
  // The password for 'usuario' at 'host', attempt 1, 2, 3...; nullopt gives up.
  std::function<std::optional<std::string>(const std::string& usuario, const std::string& host, int intento)>
      PideClave;
  // Where keys and known_hosts are: "~/.ssh" by default, with "~" from HOME.
  std::string carpetaSsh;
  // Longest wait for the host during the handshake and the log-in.
  int segundosEspera = 20;

  void FijaListener(SocketListener* l) override { listener_ = l; }
  void Conectar(const std::string& host, uint16_t puerto) override;
  void Cerrar() override;
  int EstadoCodigo() const override { return estado_; }
  bool Enviar(std::string_view bytes) override;
  std::string Leer() override;
  std::string HostRemoto() const override;
  void FijaTerminal(const std::string& tipo, int ancho, int alto) override;

private:
  struct Sesion;
  void IntentaSiguiente(); // connects to the next address of the name, without blocking
  void AlConectarTcp();
  std::string Entra(Sesion& s); // handshake, host key, log-in, shell; empty on success, else the reason
  void Drena();
  void Falla(const std::string& motivo);
  void Avisa(std::function<void(SocketListener&)> aviso);
  void Libera();

  SocketListener* listener_ = nullptr;
  int estado_ = Cerrado;
  std::unique_ptr<Sesion> s_;
  std::unique_ptr<QSocketNotifier> notificador_;
  QTimer* vigia_;        // drains the channel for a while after each send
  int vueltasVigia_ = 0; // ticks left
  std::string recibido_;
  bool avisoPendiente_ = false;
  std::string usuario_, host_;
  uint16_t puerto_ = 22;
  std::string tipo_ = "vt100";
  int ancho_ = 80, alto_ = 24;
  unsigned generacion_ = 0; // a posted notice never lands on a newer link
};

} // namespace zt
