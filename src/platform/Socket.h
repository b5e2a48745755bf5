// Stream socket to one host; events arrive through the listener on the GUI thread.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zt {

class SocketListener {
public:
  virtual ~SocketListener() = default;
  // The connection attempt succeeded.
  virtual void Conectado() = 0;
  // The peer closed, or the connection or the attempt failed; 'motivo' is empty on an orderly
  // close, else why, in words for the user ("Conexión rechazada", "No se encuentra el host").
  virtual void Cerrado(const std::string& motivo) = 0;
  // 'bytes' new bytes can be read with Leer.
  virtual void DatosLlegan(std::size_t bytes) = 0;
};

class Socket {
public:
  enum Estado : int { Cerrado = 0, Conectando = 6, Conectado = 7 };
  virtual ~Socket() = default;
  virtual void FijaListener(SocketListener* l) = 0;
  // Starts connecting; the outcome arrives as Conectado or Cerrado.
  virtual void Conectar(const std::string& host, uint16_t puerto) = 0;
  virtual void Cerrar() = 0;
  // 0 closed, 6 connecting, 7 connected.
  virtual int EstadoCodigo() const = 0;
  // Queues bytes for sending; false when not connected.
  virtual bool Enviar(std::string_view bytes) = 0;
  // Takes every byte received so far.
  virtual std::string Leer() = 0;
  virtual std::string HostRemoto() const = 0;
  // The terminal at the other end, for links that carry it themselves (an SSH channel's PTY);
  // a plain stream ignores it.
  virtual void FijaTerminal(const std::string& tipo, int ancho, int alto) { (void)tipo, (void)ancho, (void)alto; }
};

} // namespace zt
