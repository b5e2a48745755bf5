// Socket fake: records what the code sends and lets a test play the host.
#pragma once
#include "platform/Socket.h"
#include <string>
#include <utility>
#include <vector>

namespace zt {

class FakeSocket : public Socket {
public:
  // What the code did, in order: "conectar host:puerto", "cerrar".
  std::vector<std::string> llamadas;
  // Every byte sent while connected, concatenated.
  std::string enviado;
  std::string host;
  uint16_t puerto = 0;
  // When true, Conectar succeeds at once; otherwise the test calls AceptaConexion or FallaConexion.
  bool conectarAlInstante = false;

  void FijaListener(SocketListener *l) override { listener_ = l; }
  void Conectar(const std::string &h, uint16_t p) override {
    host = h;
    puerto = p;
    llamadas.push_back("conectar " + h + ":" + std::to_string(p));
    estado_ = Conectando;
    if (conectarAlInstante) AceptaConexion();
  }
  void Cerrar() override {
    llamadas.push_back("cerrar");
    estado_ = Cerrado;
    recibido_.clear();
  }
  int EstadoCodigo() const override { return estado_; }
  bool Enviar(std::string_view bytes) override {
    if (estado_ != Conectado) return false;
    enviado.append(bytes);
    return true;
  }
  std::string Leer() override { return std::exchange(recibido_, {}); }
  std::string HostRemoto() const override { return estado_ == Cerrado ? std::string() : host; }

  // --- the host's side ---
  void AceptaConexion() {
    estado_ = Conectado;
    if (listener_) listener_->Conectado();
  }
  void FallaConexion(const std::string &motivo) { CierraRemoto(motivo); }
  // Bytes arrive from the host; the listener hears of them at once.
  void Recibe(std::string_view bytes) {
    recibido_.append(bytes);
    if (listener_) listener_->DatosLlegan(bytes.size());
  }
  // The host closes ('motivo' empty) or the connection breaks.
  void CierraRemoto(const std::string &motivo = {}) {
    estado_ = Cerrado;
    if (listener_) listener_->Cerrado(motivo);
  }
  // Forces a state code, e.g. an unusual one that must count as not connected.
  void FijaEstado(int codigo) { estado_ = codigo; }
  // Returns and forgets what was sent so far.
  std::string TomaEnviado() { return std::exchange(enviado, {}); }
  std::size_t Pendiente() const { return recibido_.size(); }

private:
  SocketListener *listener_ = nullptr;
  int estado_ = Cerrado;
  std::string recibido_;
};

} // namespace zt
