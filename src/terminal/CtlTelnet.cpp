// The Telnet connection object: connect, close, receive loop and sending.
#include "terminal/CtlTelnet.h"
#include "base/Error.h"
#include <climits>
#include <exception>
#include <utility>

namespace zt {

namespace {

constexpr Color kVerde = RGB(0, 128, 0);
constexpr Color kRojo = 255;

// Clears the re-entry guard however the receive loop ends.
struct Guarda {
  bool& flag;
  explicit Guarda(bool& f) : flag(f) { flag = true; }
  ~Guarda() { flag = false; }
};

} // namespace

CtlTelnet::CtlTelnet(Socket& Winsock1, Timer& tmrConnect) : Winsock1_(Winsock1), tmrConnect_(tmrConnect) {
  Winsock1_.FijaListener(this);
  tmrConnect_.FijaTic([this] { TicConexion(); });
}

CtlTelnet::~CtlTelnet() {
  Winsock1_.FijaListener(nullptr);
  tmrConnect_.Detener();
  tmrConnect_.FijaTic(nullptr);
}

void CtlTelnet::Iniciar(PantallaTelnet& vista) {
  vista_ = &vista;
  negociacion_.AncTerm = 90;
  negociacion_.AltTerm = 35;
  vista.FijaTamTerminal(90, 35);
  Estado(U"Desconectado.", 0);
}

void CtlTelnet::Estado(VistaTexto texto, Color color) {
  if (vista_) vista_->Panel1(texto, color, ColorMenuSistema);
}

void CtlTelnet::Connect(VistaTexto host, int Port, int32_t Timeout) {
  if (State() != Socket::Cerrado) Winsock1_.Cerrar();
  enlazado_ = false;
  const int32_t segundos = Timeout < 0 ? 0 : Timeout > INT_MAX / 1000 ? INT_MAX / 1000 : Timeout;
  tmrConnect_.Iniciar(segundos * 1000);
  if (Port >= 1 && Port <= 65535) Winsock1_.Conectar(U8(host), uint16_t(Port));
}

// A user who gives up on an attempt hears no time-out for it later.
void CtlTelnet::Disconnect() {
  tmrConnect_.Detener();
  if (State() != Socket::Cerrado) Winsock1_.Cerrar();
  enlazado_ = false;
  if (State() != Socket::Conectado) Estado(U"Desconectado.", kRojo);
}

void CtlTelnet::SendData(VistaTexto texto) {
  if (State() != Socket::Conectado) return;
  std::string bytes;
  for (char c : Codifica(texto, entrada_.codificacion)) {
    bytes += c;
    if ((unsigned char)c == telnet::IAC) bytes += c;
  }
  Winsock1_.Enviar(bytes);
}

// A session that ended inside a command or an escape sequence must not garble this one.
void CtlTelnet::Conectado() {
  enlazado_ = true;
  negociacion_.Reinicia();
  entrada_.Vacia();
  if (vista_) vista_->ReiniciaSecuencia();
  negociacion_.EnviaApertura();
  tmrConnect_.Detener();
  Estado(U"Conectado a " + RemoteHost(), kVerde);
  if (Connected) Connected();
}

// A failed attempt is reported by the time-out alone.
void CtlTelnet::Cerrado(const std::string&) {
  if (!std::exchange(enlazado_, false)) return;
  Estado(U"Conexión cerrada.", kRojo);
  if (Closed) Closed();
}

void CtlTelnet::TicConexion() {
  tmrConnect_.Detener();
  if (ConnectTimeout) ConnectTimeout();
}

// A nested notice returns at once; the outer loop reads again until nothing is pending, so bytes
// that came meanwhile are never left waiting for a later arrival.
void CtlTelnet::DatosLlegan(std::size_t) {
  if (Receiving_) return;
  Guarda guarda(Receiving_);
  for (std::string bloque = Winsock1_.Leer(); !bloque.empty(); bloque = Winsock1_.Leer())
    ProcesaBloque(bloque);
}

void CtlTelnet::ProcesaBloque(const std::string& bloque) {
  datosHost_.clear();
  try {
    const bool engan = vista_ && vista_->CursorEditEngan();
    negociacion_.Procesa(bloque);
    Entrega();
    if (vista_) {
      const int32_t lineas = vista_->NumLineas();
      if (lineas > MaxLineasTerm) vista_->EliminarLineasIni(lineas - MaxLineasTerm + 20);
      if (engan) vista_->EnganCursorEdit();
      vista_->Dibujar();
    }
  } catch (const ErrorEjecucion& e) {
    if (Error) Error(U"Error occurred!" + e.descripcion());
    return;
  } catch (const std::exception& e) {
    if (Error) Error(U"Error occurred!" + T(e.what()));
    return;
  }
  if (DatosHost && !datosHost_.empty()) {
    std::string datos;
    datos.swap(datosHost_);
    DatosHost(datos);
  }
  if (Receive) Receive(bloque);
}

void CtlTelnet::Entrega() {
  if (entrada_.Vacio()) return;
  const Texto texto = entrada_.Toma();
  if (vista_ && !texto.empty()) vista_->Datos(texto);
}

void CtlTelnet::Envia(std::string_view bytes) { Winsock1_.Enviar(bytes); }

void CtlTelnet::Dato(unsigned char byte) {
  entrada_.Agrega(byte);
  if (DatosHost) datosHost_ += char(byte);
}

bool CtlTelnet::EnSecuencia() {
  Entrega();
  return vista_ && vista_->EnSecuencia();
}

} // namespace zt
