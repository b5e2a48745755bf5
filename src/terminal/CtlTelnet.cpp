// The Telnet connection object: connect, close, receive loop and sending.
#include "terminal/CtlTelnet.h"
#include "base/Error.h"
#include "platform/DestinoSsh.h"
#include <algorithm>
#include <climits>
#include <exception>
#include <utility>

namespace zt {

namespace {

constexpr Color kVerde = RGB(0, 128, 0);
constexpr Color kRojo = 255;

// Holds a flag set for a scope, however the scope ends.
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
  if (vista_) vista_->AvisaPrompt(nullptr);
  Winsock1_.FijaListener(nullptr);
  tmrConnect_.Detener();
  tmrConnect_.FijaTic(nullptr);
}

void CtlTelnet::Iniciar(PantallaTelnet& vista) {
  if (vista_) vista_->AvisaPrompt(nullptr);
  vista_ = &vista;
  vista.AvisaPrompt([this](int32_t a, int32_t b) { edit_LlegoPrompt(a, b); });
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
  motivoCierre_.clear();
  const int32_t segundos = Timeout < 0 ? 0 : Timeout > INT_MAX / 1000 ? INT_MAX / 1000 : Timeout;
  tmrConnect_.Iniciar(segundos * 1000);
  const std::string destino = U8(host);
  // An SSH channel carries the bytes as they are and its PTY has the view's size.
  sinTelnet_ = EsDireccionSsh(destino);
  if (sinTelnet_) Winsock1_.FijaTerminal("vt100", negociacion_.AncTerm, negociacion_.AltTerm);
  if (Port >= 1 && Port <= 65535) Winsock1_.Conectar(destino, uint16_t(Port));
}

// A user who gives up on an attempt hears no time-out for it later.
void CtlTelnet::Disconnect() {
  tmrConnect_.Detener();
  if (State() != Socket::Cerrado) Winsock1_.Cerrar();
  enlazado_ = false;
  motivoCierre_.clear();
  if (State() != Socket::Conectado) Estado(U"Desconectado.", kRojo);
}

void CtlTelnet::SendData(VistaTexto texto) {
  if (State() != Socket::Conectado) return;
  SendBytes(Codifica(texto, entrada_.codificacion));
}

void CtlTelnet::SendBytes(std::string_view bytes) {
  if (State() != Socket::Conectado || bytes.empty()) return;
  const char iac = char(telnet::IAC);
  if (sinTelnet_ || bytes.find(iac) == std::string_view::npos) {
    Winsock1_.Enviar(bytes);
    return;
  }
  std::string salida;
  salida.reserve(bytes.size() + bytes.size() / 8);
  for (char c : bytes) {
    salida += c;
    if (c == iac) salida += c;
  }
  Winsock1_.Enviar(salida);
}

// ---- Keys ----

void CtlTelnet::KeyDown(int KeyCode, int) {
  std::string s;
  switch (KeyCode) {
  case 17: control_on = true; break;
  case 35: s = "\x1b[K"; break;
  case 36: s = "\x1b[H"; break;
  case 37: s = "\x1b[D"; break;
  case 38: s = "\x1b[A"; break;
  case 39: s = "\x1b[C"; break;
  case 40: s = "\x1b[B"; break;
  case 112: s = "\x1bOP"; break;
  case 113: s = "\x1bOQ"; break;
  case 114: s = "\x1bOR"; break;
  case 115: s = "\x1bOS"; break;
  default:
    if (KeyCode > 63 && KeyCode < 64 + 256 && control_on) s = std::string(1, char(KeyCode - 64));
    break;
  }
  if (!s.empty() && s[0] != 0) SendBytes(s);
}

// In binary mode the host takes bytes as they come, so Enter is CR alone there: CR LF would be
// two line ends to its terminal.
void CtlTelnet::KeyPress(char32_t KeyAscii) {
  if (State() != Socket::Conectado) return;
  char32_t c = KeyAscii;
  if (control_on) c = c < 64 ? 0 : c - 64;
  if (c == 0) return;
  if (c == 13) {
    SendBytes(sinTelnet_ || negociacion_.BinarioSalida() ? "\r" : "\r\n");
    return;
  }
  SendBytes(Codifica(VistaTexto(&c, 1), entrada_.codificacion));
}

void CtlTelnet::KeyUp(int KeyCode, int) {
  if (KeyCode == 17) control_on = false;
}

// ---- The view's text ----

void CtlTelnet::LimpiarPantalla() {
  if (vista_) vista_->LimpiarPantalla();
}

void CtlTelnet::LimpiaBuffer() {
  if (vista_) vista_->LimpiaBuffer();
}

// ---- Prompts and commands ----

void CtlTelnet::edit_LlegoPrompt(int32_t nlin1, int32_t nlin2) {
  LlegoPrompt = true;
  linPrompt1 = nlin1;
  linPrompt2 = nlin2;
  if (comando_.activo && !comando_.listo && vista_) {
    comando_.resultado = vista_->TextLineas(nlin1 + comando_.nini, nlin2 - comando_.nfin);
    comando_.listo = true;
  }
}

void CtlTelnet::AvisaTiempo() {
  if (dialogos_) dialogos_->Mensaje(U"Tiempo de espera agotado", U"", Botones::Aceptar, Icono::Exclamacion);
}

// Waits on the pump, which wakes as chunks are processed; a second command while one waits
// would share its prompt, so it fails at once.
Texto CtlTelnet::EnviaComando(VistaTexto com, int16_t nini, int16_t nfin) {
  if (comando_.activo) {
    AvisaTiempo();
    return {};
  }
  if (vista_) vista_->EnganCursorEdit();
  LlegoPrompt = false;
  comando_ = {true, false, nini, nfin, {}};
  Guarda fin(comando_.activo);
  const bool conectado = State() == Socket::Conectado;
  SendData(Texto(com) + U"\r");
  if (conectado && pump_)
    pump_->EsperaHasta([this] { return comando_.listo || State() != Socket::Conectado; }, msEsperaComando);
  if (!comando_.listo) {
    AvisaTiempo();
    return {};
  }
  return std::move(comando_.resultado);
}

// A session that ended inside a command or an escape sequence must not garble this one.
void CtlTelnet::Conectado() {
  enlazado_ = true;
  negociacion_.Reinicia();
  entrada_.Vacia();
  if (vista_) vista_->ReiniciaSecuencia();
  if (!sinTelnet_) negociacion_.EnviaApertura();
  tmrConnect_.Detener();
  Estado(U"Conectado a " + RemoteHost(), kVerde);
  if (Connected) Connected();
}

// A refused or unknown host is known at once: waiting out the time-out would only hide why.
void CtlTelnet::Cerrado(const std::string& motivo) {
  if (!std::exchange(enlazado_, false)) {
    tmrConnect_.Detener();
    const Texto razon = motivo.empty() ? T("Conexión cerrada por el host") : T(motivo);
    motivoCierre_ = T("No se pudo conectar: ") + razon;
    Estado(razon, kRojo);
    if (ConnectError) ConnectError(motivoCierre_);
    return;
  }
  motivoCierre_ = T("Conexión cerrada por el host");
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
  textoBloque_.clear();
  try {
    const bool engan = vista_ && vista_->CursorEditEngan();
    if (sinTelnet_) Datos(bloque);
    else negociacion_.Procesa(bloque);
    Entrega();
    if (vista_) {
      Recorta();
      if (engan) vista_->EnganCursorEdit();
      vista_->Dibujar();
    }
  } catch (const std::exception& e) {
    if (Error) Error(U"Error occurred!" + DescripcionDe(e));
    return;
  }
  // No chunk nests inside another (DatosLlegan returns while Receiving_ is set), so the handlers
  // are given the buffers themselves.
  if (DatosHost && !datosHost_.empty()) DatosHost(datosHost_);
  if (Receive) Receive(bloque);
  if (Recibido && !textoBloque_.empty()) Recibido(textoBloque_);
}

void CtlTelnet::Recorta() {
  const int32_t lineas = vista_->NumLineas();
  int32_t nelim = lineas > MaxLineasTerm ? lineas - MaxLineasTerm + 20 : 0;
  nelim = std::max(nelim, vista_->LineasSobreTamano(kMaxCaracteresTerm));
  if (nelim > 0) vista_->EliminarLineasIni(nelim);
}

// A chunk may hold far more lines than the scroll-back keeps: it goes to the view a slice of lines
// at a time, trimmed in between, so the view never holds much more than its limit.
void CtlTelnet::Entrega() {
  if (entrada_.Vacio()) return;
  entrada_.Toma(texto_);
  if (Recibido) textoBloque_ += texto_;
  if (!vista_ || texto_.empty()) return;
  if (vistaMuda_) {
    const auto salto = texto_.rfind(U'\n');
    if (salto == Texto::npos) colaMuda_ += texto_;
    else colaMuda_.assign(texto_, salto + 1);
    // A prompt is short: a host that sends no line feed for long must not grow this.
    constexpr std::size_t kMaxCola = 4096;
    if (colaMuda_.size() > kMaxCola) colaMuda_.erase(0, colaMuda_.size() - kMaxCola);
    return;
  }
  VistaTexto resto(texto_);
  while (!resto.empty()) {
    size_t corte = 0;
    for (int n = 0; n < kLineasTramo && corte != VistaTexto::npos; ++n) {
      corte = resto.find(U'\n', corte);
      if (corte != VistaTexto::npos) ++corte;
    }
    const VistaTexto tramo = resto.substr(0, corte);
    resto.remove_prefix(tramo.size());
    vista_->Datos(tramo);
    if (!resto.empty()) Recorta();
  }
}

void CtlTelnet::SilenciaVista(bool muda) {
  if (muda == vistaMuda_) return;
  vistaMuda_ = muda;
  if (muda || !vista_) return;
  vista_->Datos(U"\r\n" + colaMuda_);
  colaMuda_.clear();
  vista_->Dibujar();
}

void CtlTelnet::Envia(std::string_view bytes) { Winsock1_.Enviar(bytes); }

void CtlTelnet::Datos(std::string_view bytes) {
  entrada_.Agrega(bytes);
  if (DatosHost) datosHost_.append(bytes);
}

void CtlTelnet::Dato(unsigned char byte) {
  entrada_.Agrega(byte);
  if (DatosHost) datosHost_ += char(byte);
}

bool CtlTelnet::EnSecuencia() {
  Entrega();
  return vista_ && vista_->EnSecuencia();
}

} // namespace zt
