// Decoding of the Telnet data stream chunk by chunk.
#include "terminal/FlujoEntrada.h"

namespace zt {

namespace {

// Length of the character a lead byte starts, 0 when it is no lead byte.
std::size_t LargoUtf8(unsigned char b) {
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 0;
}

// The second byte of a lead byte has a narrower range for some leads (no overlongs, no surrogates).
bool SegundoValido(unsigned char lead, unsigned char b) {
  if (lead == 0xE0) return b >= 0xA0 && b <= 0xBF;
  if (lead == 0xED) return b >= 0x80 && b <= 0x9F;
  if (lead == 0xF0) return b >= 0x90 && b <= 0xBF;
  if (lead == 0xF4) return b >= 0x80 && b <= 0x8F;
  return b >= 0x80 && b <= 0xBF;
}

} // namespace

std::size_t ColaIncompletaUtf8(std::string_view s) {
  for (std::size_t n = 1; n <= 3 && n <= s.size(); ++n) {
    const auto lead = (unsigned char)s[s.size() - n];
    const std::size_t largo = LargoUtf8(lead);
    if (largo == 0) {
      if ((lead & 0xC0) == 0x80) continue; // a continuation byte: look further back
      return 0;
    }
    if (largo <= n) return 0; // complete (or too long): nothing waits
    for (std::size_t i = s.size() - n + 1; i < s.size(); ++i) {
      const auto b = (unsigned char)s[i];
      const bool ok = i == s.size() - n + 1 ? SegundoValido(lead, b) : (b & 0xC0) == 0x80;
      if (!ok) return 0;
    }
    return n;
  }
  return 0;
}

void FlujoEntrada::Toma(Texto& destino) {
  const std::size_t cola = codificacion == Codificacion::Utf8 ? ColaIncompletaUtf8(pendiente_) : 0;
  Decodifica(std::string_view(pendiente_).substr(0, pendiente_.size() - cola), codificacion, destino);
  pendiente_.erase(0, pendiente_.size() - cola);
}

} // namespace zt
