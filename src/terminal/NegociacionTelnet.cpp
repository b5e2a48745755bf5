// The received-byte state machine of Telnet and the table of the terminal's option answers.
#include "terminal/NegociacionTelnet.h"
#include <string>
#include <utility>

namespace zt {

using namespace telnet;

enum class NegociacionTelnet::Accion : uint8_t {
  Nada,
  Wont,
  Dont,
  EcoWill, // host offers to echo
  EcoWont,
  EcoDont,
  SgaDo,
  SgaWill,
  SgaWont,
  SgaDont,
  TipoTerm,  // DO TERMINAL-TYPE
  Naws,      // DO NAWS
  Velocidad, // DO TERMINAL-SPEED
  Autentica, // DO AUTHENTICATION
};

namespace {

using A = NegociacionTelnet::Accion;

struct FilaOpcion {
  unsigned char opcion;
  A tras[4]; // after DO, WILL, WONT, DONT
};

constexpr FilaOpcion kOpciones[] = {
    {ECHO, {A::Wont, A::EcoWill, A::EcoWont, A::EcoDont}},
    {SGA, {A::SgaDo, A::SgaWill, A::SgaWont, A::SgaDont}},
    {5, {A::Wont, A::Dont, A::Dont, A::Wont}},
    {6, {A::Wont, A::Dont, A::Dont, A::Wont}},
    {TTYPE, {A::TipoTerm, A::Dont, A::Wont, A::Wont}},
    {NAWS, {A::Naws, A::Dont, A::Wont, A::Wont}},
    {TSPEED, {A::Velocidad, A::Dont, A::Dont, A::Wont}},
    {33, {A::Wont, A::Dont, A::Dont, A::Wont}},
    {34, {A::Wont, A::Dont, A::Dont, A::Wont}},
    {35, {A::Wont, A::Dont, A::Dont, A::Wont}},
    {36, {A::Wont, A::Dont, A::Dont, A::Wont}},
    {AUTH, {A::Autentica, A::Dont, A::Wont, A::Wont}},
    {39, {A::Wont, A::Dont, A::Dont, A::Wont}},
    {240, {A::Wont, A::Dont, A::Wont, A::Nada}},
};
// BINARY and every option not listed.
constexpr A kOtras[4] = {A::Wont, A::Dont, A::Wont, A::Wont};

std::string Bytes(std::initializer_list<unsigned char> bs) { return std::string(bs.begin(), bs.end()); }

std::string SubnegTexto(unsigned char opcion, std::string_view texto) {
  return Bytes({IAC, SB, opcion, IS}) + std::string(texto) + Bytes({IAC, SE});
}

// Appends a 16-bit value high byte first, doubling IAC as RFC 1073 asks.
void AgregaDoble(std::string& s, int16_t valor) {
  for (unsigned char b : {(unsigned char)((uint16_t)valor >> 8), (unsigned char)(valor & 255)}) {
    s += char(b);
    if (b == IAC) s += char(b);
  }
}

} // namespace

void NegociacionTelnet::Reinicia() {
  sw_echo = true;
  sw_ugoahead = true;
  sw_igoahead = false;
  sw_termsent = false;
  binSalida_ = binEntrada_ = pideSalida_ = pideEntrada_ = false;
  EstadoRecepcion_ = EstadoRecepcion::Datos;
  nSubneg_ = 0;
}

// Without TRANSMIT-BINARY a host may strip bit 8 of what is typed, so accents never arrive.
void NegociacionTelnet::EnviaApertura() {
  salida_.Envia(Bytes({IAC, DO, ECHO, IAC, DO, SGA, IAC, WILL, NAWS, IAC, WILL, TTYPE, IAC, WILL, TSPEED}) +
                Bytes({IAC, DO, BINARY, IAC, WILL, BINARY}));
  pideEntrada_ = pideSalida_ = true;
}

// Plain data goes on a run at a time; IAC and NUL need the byte state machine (and the view's
// escape state), so they go one by one.
void NegociacionTelnet::Procesa(std::string_view bloque) {
  std::size_t i = 0;
  while (i < bloque.size()) {
    if (EstadoRecepcion_ == EstadoRecepcion::Datos) {
      std::size_t j = i;
      while (j < bloque.size() && (unsigned char)bloque[j] != IAC && bloque[j] != 0) ++j;
      if (j > i) {
        salida_.Datos(bloque.substr(i, j - i));
        i = j;
        continue;
      }
    }
    EstadoRecepcion_ = Byte((unsigned char)bloque[i++]);
  }
}

EstadoRecepcion NegociacionTelnet::Byte(unsigned char b) {
  using E = EstadoRecepcion;
  switch (EstadoRecepcion_) {
  case E::Datos:
    // Inside an escape sequence every byte belongs to it; outside, NUL (as in CR NUL) is dropped.
    if ((b == IAC || b == 0) && !salida_.EnSecuencia()) return b == IAC ? E::Iac : E::Datos;
    salida_.Dato(b);
    return E::Datos;
  case E::Iac: return TrasIac(b);
  case E::Do: Opcion(Verbo::Do, b); return E::Datos;
  case E::Will: Opcion(Verbo::Will, b); return E::Datos;
  case E::Wont: Opcion(Verbo::Wont, b); return E::Datos;
  case E::Dont: Opcion(Verbo::Dont, b); return E::Datos;
  case E::Subneg:
    if (b == IAC) return E::IacSubneg;
    if (nSubneg_ < BufSubneg.size()) BufSubneg[nSubneg_++] = b;
    return E::Subneg;
  case E::IacSubneg:
    if (b == SE) {
      Subnegociacion();
      return E::Datos;
    }
    if (b == IAC) { // a doubled IAC is a 255 inside the subnegotiation
      if (nSubneg_ < BufSubneg.size()) BufSubneg[nSubneg_++] = b;
      return E::Subneg;
    }
    return TrasIac(b);
  }
  return E::Datos;
}

EstadoRecepcion NegociacionTelnet::TrasIac(unsigned char b) {
  using E = EstadoRecepcion;
  switch (b) {
  case DO: return E::Do;
  case DONT: return E::Dont;
  case WILL: return E::Will;
  case WONT: return E::Wont;
  case SB: nSubneg_ = 0; return E::Subneg;
  case IAC: salida_.Dato(IAC); return E::Datos;
  default: return E::Datos; // NOP, GA, a stray SE and the like
  }
}

// TRANSMIT-BINARY: the answer to our own request is not acknowledged again; a host's offer is
// agreed; a refusal of our request is final. True when handled here.
bool NegociacionTelnet::Binario(Verbo verbo) {
  switch (verbo) {
  case Verbo::Will:
    if (std::exchange(pideEntrada_, false) || binEntrada_) {
      binEntrada_ = true;
      return true;
    }
    binEntrada_ = true;
    Responde(DO, BINARY);
    return true;
  case Verbo::Do:
    if (std::exchange(pideSalida_, false) || binSalida_) {
      binSalida_ = true;
      return true;
    }
    binSalida_ = true;
    Responde(WILL, BINARY);
    return true;
  case Verbo::Wont:
    if (std::exchange(pideEntrada_, false)) return true;
    if (!std::exchange(binEntrada_, false)) return false;
    Responde(DONT, BINARY);
    return true;
  case Verbo::Dont:
    if (std::exchange(pideSalida_, false)) return true;
    if (!std::exchange(binSalida_, false)) return false;
    Responde(WONT, BINARY);
    return true;
  }
  return false;
}

void NegociacionTelnet::Opcion(Verbo verbo, unsigned char opcion) {
  if (opcion == BINARY && Binario(verbo)) return;
  const A* tras = kOtras;
  for (const FilaOpcion& f : kOpciones)
    if (f.opcion == opcion) tras = f.tras;
  Ejecuta(tras[int(verbo)], opcion);
}

void NegociacionTelnet::Responde(unsigned char verbo, unsigned char opcion) {
  salida_.Envia(Bytes({IAC, verbo, opcion}));
}

// Answers only when the flag changes, so an agreement is never acknowledged twice.
void NegociacionTelnet::Acuerda(bool& flag, bool valor, unsigned char verbo, unsigned char opcion) {
  if (flag == valor) return;
  flag = valor;
  Responde(verbo, opcion);
}

void NegociacionTelnet::Ejecuta(Accion accion, unsigned char opcion) {
  switch (accion) {
  case A::Nada: break;
  case A::Wont: Responde(WONT, opcion); break;
  case A::Dont: Responde(DONT, opcion); break;
  case A::EcoWill: Acuerda(sw_echo, true, DO, opcion); break;
  case A::EcoWont: Acuerda(sw_echo, false, DONT, opcion); break;
  case A::EcoDont: Acuerda(sw_echo, true, WONT, opcion); break;
  case A::SgaDo: Acuerda(sw_igoahead, true, WILL, opcion); break;
  case A::SgaWill: Acuerda(sw_ugoahead, true, DO, opcion); break;
  case A::SgaWont:
    sw_igoahead = false;
    Responde(DONT, opcion);
    break;
  case A::SgaDont: Acuerda(sw_ugoahead, true, WONT, opcion); break;
  case A::TipoTerm:
    if (sw_termsent) break;
    sw_termsent = true;
    Responde(WILL, opcion);
    salida_.Envia(SubnegTexto(TTYPE, "VT100"));
    break;
  case A::Naws: EnviaNaws(); break;
  case A::Velocidad:
    Responde(WILL, opcion);
    salida_.Envia(Bytes({IAC, SB, TSPEED, IS}));
    salida_.Envia("57600,57600");
    salida_.Envia(Bytes({IAC, SE}));
    break;
  case A::Autentica:
    Responde(WILL, opcion);
    salida_.Envia(Bytes({IAC, SB, AUTH, 0, 0, 0, 0, IAC, SE}));
    break;
  }
}

void NegociacionTelnet::EnviaNaws() {
  std::string s = Bytes({IAC, SB, NAWS});
  AgregaDoble(s, AncTerm);
  AgregaDoble(s, AltTerm);
  salida_.Envia(s + Bytes({IAC, SE}));
}

// Answers only a request: the option and SEND, so at least two bytes.
void NegociacionTelnet::Subnegociacion() {
  if (nSubneg_ < 2 || BufSubneg[1] != SEND) return;
  if (BufSubneg[0] == TTYPE) salida_.Envia(SubnegTexto(TTYPE, "DEC-VT100"));
  if (BufSubneg[0] == TSPEED) salida_.Envia(SubnegTexto(TSPEED, "38400,38400"));
}

} // namespace zt
