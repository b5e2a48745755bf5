// The escape-sequence interpreter: one step per received character, state kept between chunks.
#include "terminal/InterpreteEscape.h"
#include <algorithm>

namespace zt {

namespace {

constexpr char32_t NUL = 0, BS = 8, ESC = 27;

// Letters of the terminal's code page beyond Latin-1's block of accented letters.
constexpr char32_t OtrasLetras[] = {0xAA, 0xB5, 0xBA, 0x152, 0x153, 0x160, 0x161, 0x178, 0x17D, 0x17E, 0x192};

// Letters, accented ones included, end a control sequence.
bool EsLetra(char32_t c) {
  if ((c | 32) >= U'a' && (c | 32) <= U'z') return true;
  if (c >= 0xC0 && c <= 0xFF) return c != 0xD7 && c != 0xF7;
  return std::find(std::begin(OtrasLetras), std::end(OtrasLetras), c) != std::end(OtrasLetras);
}

// Leading decimal digits (with an optional fraction), rounded half to even; anything else is 0.
// Saturates so that no cursor arithmetic can overflow.
int32_t LeeParametro(VistaTexto s) {
  std::size_t i = 0;
  int32_t n = 0;
  for (; i < s.size() && s[i] >= U'0' && s[i] <= U'9'; ++i)
    n = std::min<int32_t>(n * 10 + int32_t(s[i] - U'0'), InterpreteEscape::MaxParametro);
  if (i >= s.size() || s[i] != U'.' || n == InterpreteEscape::MaxParametro) return n;
  ++i;
  if (i >= s.size() || s[i] < U'0' || s[i] > U'9') return n;
  const char32_t primera = s[i++];
  bool restoCero = true;
  for (; i < s.size() && s[i] >= U'0' && s[i] <= U'9'; ++i) restoCero &= s[i] == U'0';
  const bool sube = primera > U'5' || (primera == U'5' && (!restoCero || n % 2 == 1));
  return n + (sube ? 1 : 0);
}

// A count of 0 (or a missing one) means 1.
int32_t LeeCuenta(VistaTexto s) { return std::max<int32_t>(LeeParametro(s), 1); }

} // namespace

// Plain text goes to the screen a run at a time; controls and sequences a character at a time.
void InterpreteEscape::Datos(VistaTexto texto) {
  std::size_t i = 0;
  while (i < texto.size()) {
    if (estado_ == Estado::Datos && texto[i] >= 32) {
      std::size_t j = i + 1;
      while (j < texto.size() && texto[j] >= 32) ++j;
      pantalla_.TelnetTexto(texto.substr(i, j - i));
      i = j;
    } else {
      Paso(texto[i++]);
    }
  }
}

void InterpreteEscape::ReiniciaSecuencia() {
  estado_ = Estado::Datos;
  BufSecuencia_.clear();
}

void InterpreteEscape::Paso(char32_t c) {
  switch (estado_) {
  case Estado::Datos:
    if (c == ESC) {
      estado_ = Estado::Escape;
      BufSecuencia_.clear();
    } else if (c != NUL) {
      pantalla_.TelnetCar(c);
    }
    return;
  case Estado::Escape: PasoEscape(c); return;
  case Estado::Juego: estado_ = Estado::Datos; return; // character sets and line sizes: not supported
  case Estado::Control: PasoControl(c); return;
  case Estado::Descarta:
    if (EsLetra(c)) estado_ = Estado::Datos;
    return;
  }
}

void InterpreteEscape::PasoEscape(char32_t c) {
  estado_ = Estado::Datos;
  switch (c) {
  case U'[': // CSI
    BufSecuencia_ = c;
    estado_ = Estado::Control;
    return;
  case U'(':
  case U')':
  case U'#': // SCS G0 / G1, DEC line attributes
    BufSecuencia_ = c;
    estado_ = Estado::Juego;
    return;
  case BS: Mueve(-1, 0); return;
  case U'7': GuardaCursor(); return;   // DECSC
  case U'8': RestauraCursor(); return; // DECRC
  case U'D': Mueve(0, 1); return;      // IND, without scrolling
  case U'E': Nueva(); return;          // NEL, without scrolling
  case U'M': Mueve(0, -1); return;     // RI, without scrolling
  default: return;                     // HTS, DECID, RIS, a second ESC and the rest: consumed
  }
}

void InterpreteEscape::PasoControl(char32_t c) {
  if (EsLetra(c)) {
    estado_ = Estado::Datos;
    Final(c);
    BufSecuencia_.clear();
  } else if (BufSecuencia_.size() < MaxSecuencia) {
    BufSecuencia_ += c;
  } else {
    estado_ = Estado::Descarta;
    BufSecuencia_.clear();
  }
}

void InterpreteEscape::Final(char32_t c) {
  const VistaTexto parametros = VistaTexto(BufSecuencia_).substr(1);
  // Private modes (bash's bracketed paste around every command) must not move the cursor.
  const bool privada = !parametros.empty() && parametros[0] == U'?';
  switch (c) {
  case U'A': Mueve(0, -LeeCuenta(parametros)); return; // CUU
  case U'B': Mueve(0, LeeCuenta(parametros)); return;  // CUD
  case U'C': Mueve(LeeCuenta(parametros), 0); return;  // CUF
  case U'D': Mueve(-LeeCuenta(parametros), 0); return; // CUB
  case U'H':
  case U'f': { // CUP, HVP: 1-based on the wire, a missing value gives -1
    const std::size_t pc = parametros.find(U';');
    const int32_t y = LeeParametro(parametros.substr(0, pc)) - 1;
    const int32_t x = pc == VistaTexto::npos ? -1 : LeeParametro(parametros.substr(pc + 1)) - 1;
    pantalla_.FijaCursorTel(x, y);
    return;
  }
  case U'J': // ED
    switch (LeeParametro(parametros)) {
    case 0: {
      // From the cursor, which is the whole screen only at home: a host that erases below its
      // prompt (zsh, before every one) must not wipe the output above it.
      const CursorTel cur = pantalla_.LeeCursorTel();
      if (cur.x == 0 && cur.y == 0)
        pantalla_.eraseSCREEN();
      else
        pantalla_.eraseEOS();
      return;
    }
    case 1: pantalla_.eraseBOS(); return;
    case 2: pantalla_.eraseSCREEN(); return;
    default: return;
    }
  case U'K': // EL
    switch (LeeParametro(parametros)) {
    case 0: pantalla_.eraseEOL(); return;
    case 1: pantalla_.eraseBOL(); return;
    case 2: pantalla_.eraseLINE(); return;
    default: return;
    }
  case U's': GuardaCursor(); return;   // SCOSC
  case U'u': RestauraCursor(); return; // SCORC
  case U'l':                           // RM: a host's reset hides a cursor save; private modes change nothing
    if (!privada) GuardaCursor();
    return;
  case U'h': // SM: and its set a restore
    if (!privada) RestauraCursor();
    return;
  default: return; // SGR, TBC, MC, DECSTBM and the rest: no attributes, tabs or regions
  }
}

void InterpreteEscape::Mueve(int32_t dx, int32_t dy) {
  const CursorTel cur = pantalla_.LeeCursorTel();
  pantalla_.FijaCursorTel(cur.x + dx, cur.y + dy);
}

void InterpreteEscape::Nueva() { pantalla_.FijaCursorTel(0, pantalla_.LeeCursorTel().y + 1); }

void InterpreteEscape::GuardaCursor() {
  const CursorTel cur = pantalla_.LeeCursorTel();
  CursorGuardadoX_ = cur.x;
  CursorGuardadoY_ = cur.y;
}

void InterpreteEscape::RestauraCursor() { pantalla_.FijaCursorTel(CursorGuardadoX_, CursorGuardadoY_); }

} // namespace zt
