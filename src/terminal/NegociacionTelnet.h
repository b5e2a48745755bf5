// The received-byte state machine of Telnet (RFC 854) and the terminal's option answers.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace zt {

namespace telnet {
constexpr unsigned char SE = 240, NOP = 241, GA = 249, SB = 250, WILL = 251, WONT = 252, DO = 253, DONT = 254,
                        IAC = 255;
constexpr unsigned char BINARY = 0, ECHO = 1, SGA = 3, TTYPE = 24, NAWS = 31, TSPEED = 32, AUTH = 37;
constexpr unsigned char IS = 0, SEND = 1;
} // namespace telnet

// The codes are those of the received-byte state; IacSubneg is an IAC met inside a subnegotiation.
enum class EstadoRecepcion : uint8_t {
  Datos = 0,
  Iac = 6,
  Do = 7,
  Will = 8,
  Wont = 9,
  Subneg = 10,
  Dont = 11,
  IacSubneg = 12,
};

class NegociacionTelnet {
public:
  class Salida {
  public:
    virtual ~Salida() = default;
    // One write to the host.
    virtual void Envia(std::string_view bytes) = 0;
    // One data byte, in stream order (IAC IAC arrives here as 255).
    virtual void Dato(unsigned char byte) = 0;
    // A run of data bytes (no IAC, no NUL), as if given one by one to Dato.
    virtual void Datos(std::string_view bytes) {
      for (char c : bytes) Dato((unsigned char)c);
    }
    // True while an escape sequence is open: an IAC is then data, not a command.
    virtual bool EnSecuencia() = 0;
  };

  explicit NegociacionTelnet(Salida& salida) : salida_(salida) {}

  // A new connection: the flags of the opening negotiation, the byte state and the buffer.
  void Reinicia();
  // The opening negotiation sent on connect, in one write.
  void EnviaApertura();
  // Every byte of a chunk in order; the state carries over to the next chunk.
  void Procesa(std::string_view bloque);

  EstadoRecepcion Estado() const { return EstadoRecepcion_; }
  // TRANSMIT-BINARY agreed: we send 8-bit bytes / the host does.
  bool BinarioSalida() const { return binSalida_; }
  bool BinarioEntrada() const { return binEntrada_; }

  int16_t AncTerm = 80; // sent in NAWS
  int16_t AltTerm = 25;

  // One answer of the option table.
  enum class Accion : uint8_t;

private:
  enum class Verbo : uint8_t { Do, Will, Wont, Dont };

  EstadoRecepcion Byte(unsigned char b);
  EstadoRecepcion TrasIac(unsigned char b);
  void Opcion(Verbo verbo, unsigned char opcion);
  void Ejecuta(Accion accion, unsigned char opcion);
  void Responde(unsigned char verbo, unsigned char opcion);
  void Acuerda(bool& flag, bool valor, unsigned char verbo, unsigned char opcion);
  void Subnegociacion();
  void EnviaNaws();
  bool Binario(Verbo verbo);

  Salida& salida_;
  EstadoRecepcion EstadoRecepcion_ = EstadoRecepcion::Datos;
  bool sw_echo = false;     // the host echoes (asked or agreed)
  bool sw_ugoahead = false; // the host suppresses go-ahead
  bool sw_igoahead = false; // we offered to suppress go-ahead
  bool sw_termsent = false; // the terminal type was announced once
  // TRANSMIT-BINARY, asked for in both directions on connecting; a host that refuses keeps NVT.
  bool binSalida_ = false, binEntrada_ = false;
  bool pideSalida_ = false, pideEntrada_ = false; // our WILL / DO awaits its answer
  // Only the first two entries are ever answered; longer subnegotiations are cut here.
  std::array<uint8_t, 11> BufSubneg{};
  uint8_t nSubneg_ = 0;
};

} // namespace zt
