// Socket over QTcpSocket.
#pragma once
#include "platform/Socket.h"
#include <QObject>
#include <QTcpSocket>

namespace zt {

class SocketQt : public QObject, public Socket {
  Q_OBJECT
public:
  explicit SocketQt(QObject* padre = nullptr);
  ~SocketQt() override;
  void FijaListener(SocketListener* l) override { listener_ = l; }
  void Conectar(const std::string& host, uint16_t puerto) override;
  // Sends what is still queued, then closes; the listener hears nothing of a local close.
  void Cerrar() override;
  int EstadoCodigo() const override;
  bool Enviar(std::string_view bytes) override;
  std::string Leer() override;
  std::string HostRemoto() const override;

private:
  void AlConectar();
  void AcuseInmediato();
  void AlLlegar();
  void AvisaDatos();
  void AlError(QAbstractSocket::SocketError error);
  std::string MotivoFallo(QAbstractSocket::SocketError error) const;
  void AlDesconectar();
  void InformaCierre(const std::string& motivo);
  void ReportaCierre(const std::string& motivo);

  QTcpSocket socket_;
  SocketListener* listener_ = nullptr;
  std::string recibido_;
  // True from a local close until the next Conectar: the owner hears nothing more of that link.
  bool local_ = true;
  // The end of the current connection was already reported.
  bool cierreInformado_ = true;
  bool avisoPendiente_ = false;
  std::size_t llegadas_ = 0; // bytes received since the object was made
  // Counts Conectar and Cerrar calls, so a posted close report never lands on a newer link.
  unsigned generacion_ = 0;
};

} // namespace zt
