// Conversions between literals and Texto, and the platform's case mapping.
#include "base/Texto.h"
#include "base/Codec.h"

namespace zt {

Texto T(std::string_view utf8) { return DecodificaUtf8(utf8); }
std::string U8(VistaTexto texto) { return CodificaUtf8(texto); }

char32_t Mayuscula(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  switch (c) {
  case 0xFF: return 0x178;
  case 0x161: return 0x160;
  case 0x153: return 0x152;
  case 0x17E: return 0x17D;
  default: return c;
  }
}

char32_t Minuscula(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  switch (c) {
  case 0x178: return 0xFF;
  case 0x160: return 0x161;
  case 0x152: return 0x153;
  case 0x17D: return 0x17E;
  default: return c;
  }
}

Texto Mayusculas(VistaTexto s) {
  Texto r(s);
  for (auto& c : r) c = Mayuscula(c);
  return r;
}

Texto Minusculas(VistaTexto s) {
  Texto r(s);
  for (auto& c : r) c = Minuscula(c);
  return r;
}

Texto RecortaEspacios(VistaTexto s) {
  auto ini = s.find_first_not_of(U' ');
  if (ini == VistaTexto::npos) return {};
  auto fin = s.find_last_not_of(U' ');
  return Texto(s.substr(ini, fin - ini + 1));
}

} // namespace zt
