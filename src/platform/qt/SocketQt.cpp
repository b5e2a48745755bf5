// Socket over QTcpSocket; the data notice runs from the event loop, never inside readyRead.
#include "platform/qt/SocketQt.h"
#include "platform/DestinoSsh.h"
#include "platform/qt/ConvierteQt.h"
#include <QMetaObject>
#include <cctype>
#ifdef __linux__
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace zt {

// The two failures a user can act on get the program's own words; others keep the system's.
std::string SocketQt::MotivoFallo(QAbstractSocket::SocketError error) const {
  switch (error) {
  case QAbstractSocket::ConnectionRefusedError: return "Conexión rechazada";
  case QAbstractSocket::HostNotFoundError: return "No se encuentra el host";
  default: return AUtf8(socket_.errorString());
  }
}

SocketQt::SocketQt(QObject* padre) : QObject(padre) {
  connect(&socket_, &QTcpSocket::connected, this, &SocketQt::AlConectar);
  connect(&socket_, &QTcpSocket::readyRead, this, &SocketQt::AlLlegar);
  connect(&socket_, &QTcpSocket::errorOccurred, this, &SocketQt::AlError);
  connect(&socket_, &QTcpSocket::disconnected, this, &SocketQt::AlDesconectar);
}

// The socket member dies after this object's slots are gone: it must not call them while closing.
SocketQt::~SocketQt() {
  socket_.disconnect(this);
  socket_.abort();
}

void SocketQt::Conectar(const std::string& host, uint16_t puerto) {
  local_ = true;
  if (socket_.state() != QAbstractSocket::UnconnectedState) socket_.abort();
  recibido_.clear();
  local_ = false;
  cierreInformado_ = false;
  ++generacion_;
  // Names under the reserved ".invalid" never resolve: fail here, without asking any name server.
  if (NombreReservadoInvalido(host)) {
    InformaCierre(MotivoFallo(QAbstractSocket::HostNotFoundError));
    return;
  }
  socket_.connectToHost(AQString(host), puerto);
}

void SocketQt::Cerrar() {
  local_ = true;
  ++generacion_;
  recibido_.clear();
  if (socket_.state() == QAbstractSocket::UnconnectedState) return;
  socket_.disconnectFromHost();
}

int SocketQt::EstadoCodigo() const {
  switch (socket_.state()) {
  case QAbstractSocket::HostLookupState:
  case QAbstractSocket::ConnectingState: return Conectando;
  case QAbstractSocket::ConnectedState: return Conectado;
  default: return Cerrado;
  }
}

bool SocketQt::Enviar(std::string_view bytes) {
  if (EstadoCodigo() != Conectado) return false;
  if (socket_.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) return false;
  socket_.flush(); // hand the bytes to the system now, as a synchronous send would
  return true;
}

std::string SocketQt::Leer() {
  const QByteArray mas = socket_.readAll();
  recibido_.append(mas.constData(), std::size_t(mas.size()));
  return std::exchange(recibido_, {});
}

std::string SocketQt::HostRemoto() const {
  if (socket_.state() != QAbstractSocket::ConnectedState) return {};
  const QString nombre = socket_.peerName();
  return AUtf8(nombre.isEmpty() ? socket_.peerAddress().toString() : nombre);
}

// A command's round trip must not wait for Nagle or for a delayed acknowledgement.
void SocketQt::AlConectar() {
  socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
  AcuseInmediato();
  if (!local_ && listener_) listener_->Conectado();
}

// Linux turns quick acknowledgements off again by itself, so this is repeated after each read.
void SocketQt::AcuseInmediato() {
#ifdef __linux__
  const int uno = 1;
  const auto fd = socket_.socketDescriptor();
  if (fd >= 0) setsockopt(int(fd), IPPROTO_TCP, TCP_QUICKACK, &uno, sizeof uno);
#endif
}

// Qt emits no readyRead while a readyRead slot runs, and the listener may wait inside its notice
// for more data; so the bytes are taken here and the notice is posted.
void SocketQt::AlLlegar() {
  const QByteArray mas = socket_.readAll();
  if (!mas.isEmpty()) AcuseInmediato();
  recibido_.append(mas.constData(), std::size_t(mas.size()));
  llegadas_ += std::size_t(mas.size());
  if (avisoPendiente_ || recibido_.empty()) return;
  avisoPendiente_ = true;
  QMetaObject::invokeMethod(this, &SocketQt::AvisaDatos, Qt::QueuedConnection);
}

void SocketQt::AvisaDatos() {
  avisoPendiente_ = false;
  if (local_ || !listener_ || recibido_.empty()) return;
  const std::size_t antes = llegadas_;
  listener_->DatosLlegan(recibido_.size());
  // Bytes that came during the notice were announced to a busy listener, which may have skipped
  // them: announce them again so they are not left waiting for the next arrival.
  if (llegadas_ != antes && !recibido_.empty() && !avisoPendiente_) {
    avisoPendiente_ = true;
    QMetaObject::invokeMethod(this, &SocketQt::AvisaDatos, Qt::QueuedConnection);
  }
}

void SocketQt::AlError(QAbstractSocket::SocketError error) {
  // The peer's orderly close arrives as disconnected.
  if (error == QAbstractSocket::RemoteHostClosedError) return;
  InformaCierre(MotivoFallo(error));
  if (socket_.state() != QAbstractSocket::UnconnectedState) socket_.abort();
}

void SocketQt::AlDesconectar() { InformaCierre({}); }

// Posted behind any data notice still pending, so the last bytes are heard before the close.
void SocketQt::InformaCierre(const std::string& motivo) {
  if (local_ || cierreInformado_) return;
  cierreInformado_ = true;
  if (socket_.isOpen()) AlLlegar(); // an attempt that never started has nothing to read
  const unsigned gen = generacion_;
  QMetaObject::invokeMethod(
      this,
      [this, motivo, gen] {
        if (gen == generacion_) ReportaCierre(motivo);
      },
      Qt::QueuedConnection);
}

void SocketQt::ReportaCierre(const std::string& motivo) {
  if (!local_ && listener_) listener_->Cerrado(motivo);
}

} // namespace zt
