// The Telnet connection object: one socket, the connect time-out, negotiation and the events.
#pragma once
#include "base/Texto.h"
#include "platform/Dialogs.h"
#include "platform/Pump.h"
#include "platform/Socket.h"
#include "platform/Timer.h"
#include "terminal/FlujoEntrada.h"
#include "terminal/NegociacionTelnet.h"
#include "terminal/PantallaTelnet.h"
#include <functional>
#include <string>

namespace zt {

class CtlTelnet : private SocketListener, private NegociacionTelnet::Salida {
public:
  CtlTelnet(Socket& Winsock1, Timer& tmrConnect);
  ~CtlTelnet() override;
  CtlTelnet(const CtlTelnet&) = delete;
  CtlTelnet& operator=(const CtlTelnet&) = delete;

  // Binds the view, sets the terminal to 90 x 35 and shows "Desconectado.".
  void Iniciar(PantallaTelnet& vista);
  // Closes any connection, starts the time-out and starts connecting. A refused or unknown host
  // raises ConnectError as soon as the socket says so; a port outside 1..65535 never connects and
  // ends in the time-out, like an attempt nobody answers. A host "ssh://[user@]host[:port]" is
  // reached over SSH (the port then defaults to 22).
  void Connect(VistaTexto host, int Port, int32_t Timeout = 30);
  void Disconnect();
  // Sends text only while connected; a 255 byte goes out doubled, as data must.
  void SendData(VistaTexto texto);
  // The same for bytes already in the stream's encoding.
  void SendBytes(std::string_view bytes);
  // 0 closed, 6 connecting, 7 connected; anything else counts as not connected.
  int16_t State() const { return int16_t(Winsock1_.EstadoCodigo()); }
  // Why the last link or attempt ended from the far side: "Conexión cerrada por el host", or
  // "No se pudo conectar: " + the reason an attempt failed. Empty while connecting or connected,
  // before any link, and after a Disconnect (the user's own close is no failure).
  const Texto& MotivoCierre() const { return motivoCierre_; }
  Texto RemoteHost() const { return T(Winsock1_.HostRemoto()); }

  // The stream's encoding: UTF-8 unless set to Windows-1252.
  void FijaCodificacion(Codificacion c) { entrada_.codificacion = c; }
  Codificacion CodificacionFlujo() const { return entrada_.codificacion; }
  int16_t AncTerm() const { return negociacion_.AncTerm; }
  int16_t AltTerm() const { return negociacion_.AltTerm; }
  EstadoRecepcion Recepcion() const { return negociacion_.Estado(); }
  bool Receiving() const { return Receiving_; }

  // Lines kept in the view; the excess is trimmed after each chunk.
  int16_t MaxLineasTerm = 500;
  // Nor more characters than these, whatever the lines: a host's long lines cannot fill the memory.
  static constexpr int64_t kMaxCaracteresTerm = int64_t(4) << 20;

  // While set, received data does not reach the view: the commands the program types for itself
  // and their answers are not the user's business. The events still get it. When it ends, the view
  // goes to a new line and gets what came after the last line feed: the host's new prompt.
  void SilenciaVista(bool muda);

  // ---- Keys typed into the view (sent only while connected; no local echo) ----
  // Special keys and Ctrl combinations; the Ctrl key itself sets control_on.
  void KeyDown(int KeyCode, int Shift);
  // One typed character; Enter (13) ends the line as the link expects it.
  void KeyPress(char32_t KeyAscii);
  void KeyUp(int KeyCode, int Shift);
  bool control_on = false;
  // Whether the window hands a key-down of the view to KeyDown: only with the caret on the
  // terminal cursor, and while TeclasInterceptadas is set the view keeps Page Up/Down, Home, Up, Down.
  static bool TeclaAlHost(int KeyCode, bool caretEnCursor, int TeclasInterceptadas) {
    if (!caretEnCursor) return false;
    const bool navegacion = KeyCode == 33 || KeyCode == 34 || KeyCode == 36 || KeyCode == 38 || KeyCode == 40;
    return !(TeclasInterceptadas != 0 && navegacion);
  }

  // ---- The view's text ----
  void LimpiarPantalla();
  void LimpiaBuffer();

  // ---- Prompts and commands ----
  // What a blocking command waits with: the event pump, and the box for the time-out message.
  void FijaEspera(Pump* pump, Dialogs* dialogos) {
    pump_ = pump;
    dialogos_ = dialogos;
  }
  // Sends 'com' + CR and returns lines linPrompt1 + nini .. linPrompt2 - nfin once the next prompt
  // line is seen. Empty, after "Tiempo de espera agotado", when no prompt comes within
  // msEsperaComando, when the link is down or closes, or when another command is already waiting.
  Texto EnviaComando(VistaTexto com, int16_t nini, int16_t nfin);
  // The view saw a prompt line.
  void edit_LlegoPrompt(int32_t nlin1, int32_t nlin2);
  bool LlegoPrompt = false;
  int32_t linPrompt1 = 0, linPrompt2 = 0;
  int msEsperaComando = 30000;
  bool EsperandoComando() const { return comando_.activo; }

  // Events, raised on the window thread.
  std::function<void()> Closed;                    // the host closed the connection
  std::function<void(const std::string&)> Receive; // a chunk was processed; the raw bytes
  std::function<void()> Connected;                 // connected and the opening negotiation sent
  std::function<void(const Texto&)> Error;         // "Error occurred!" + description
  std::function<void()> ConnectTimeout;            // the connect time-out expired
  std::function<void(const Texto&)> ConnectError;  // the attempt failed at once; MotivoCierre
  // The chunk's data bytes, Telnet commands removed, before decoding; raised before Receive.
  std::function<void(std::string_view)> DatosHost;
  // The chunk's data as the view got it, decoded in the stream's encoding (a character split between
  // chunks arrives whole); raised after Receive. The main window's log and capture use it.
  std::function<void(const Texto&)> Recibido;

private:
  void Conectado() override;
  void Cerrado(const std::string& motivo) override;
  void DatosLlegan(std::size_t bytes) override;
  void Envia(std::string_view bytes) override;
  void Dato(unsigned char byte) override;
  void Datos(std::string_view bytes) override;
  bool EnSecuencia() override;

  void ProcesaBloque(const std::string& bloque);
  void Entrega();
  // Trims the view to MaxLineasTerm lines and kMaxCaracteresTerm characters when it holds more.
  void Recorta();
  static constexpr int kLineasTramo = 64;
  void TicConexion();
  void Estado(VistaTexto texto, Color color);

  Socket& Winsock1_;
  Timer& tmrConnect_;
  PantallaTelnet* vista_ = nullptr;
  NegociacionTelnet negociacion_{*this};
  FlujoEntrada entrada_;
  bool Receiving_ = false;
  bool enlazado_ = false; // the current link was established (a close is then the host's)
  bool sinTelnet_ = false; // the link is an SSH channel: no Telnet commands either way
  Texto motivoCierre_;
  std::string datosHost_; // data bytes of the chunk being processed, for DatosHost
  Texto textoBloque_;     // decoded data of the chunk being processed, for Recibido
  Texto texto_;           // the chunk decoded for the view (its storage serves every chunk)
  bool vistaMuda_ = false;
  Texto colaMuda_; // what the silenced view missed after the last line feed
  Pump* pump_ = nullptr;
  Dialogs* dialogos_ = nullptr;
  // The command waiting for its prompt; its lines are taken when the prompt is seen, before a
  // later chunk can trim them away.
  struct Comando {
    bool activo = false, listo = false;
    int16_t nini = 0, nfin = 0;
    Texto resultado;
  } comando_;
  void AvisaTiempo();
};

} // namespace zt
