// UTF-8 with byte-preserving escapes, and Windows-1252.
#include "base/Codec.h"
#include <array>

namespace zt {
namespace {

// A byte b that is not part of valid UTF-8 is kept as U+DC00+b (U+DC80..U+DCFF).
constexpr char32_t kEscape = 0xDC00;

// Length of the valid UTF-8 sequence starting at p, or 0 when it is not valid.
std::size_t LargoSecuencia(const unsigned char* p, std::size_t quedan, char32_t& cp) {
  unsigned char b = p[0];
  if (b < 0x80) { cp = b; return 1; }
  std::size_t n;
  char32_t min;
  if ((b & 0xE0) == 0xC0) { n = 2; cp = b & 0x1F; min = 0x80; }
  else if ((b & 0xF0) == 0xE0) { n = 3; cp = b & 0x0F; min = 0x800; }
  else if ((b & 0xF8) == 0xF0) { n = 4; cp = b & 0x07; min = 0x10000; }
  else return 0;
  if (quedan < n) return 0;
  for (std::size_t i = 1; i < n; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (p[i] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

// 0x80..0x9F; the undefined codes map to the C1 control of the same number.
constexpr std::array<char32_t, 32> kAltos = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

void DecodificaUtf8(std::string_view bytes, Texto& r) {
  // Written through a pointer into a buffer sized for the worst case (one character per byte).
  r.resize(bytes.size());
  char32_t* o = r.data();
  auto p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t i = 0, n = bytes.size();
  while (i < n) {
    if (p[i] < 0x80) { *o++ = p[i++]; continue; }
    char32_t cp;
    std::size_t l = LargoSecuencia(p + i, n - i, cp);
    if (l == 0) { *o++ = kEscape + p[i]; ++i; continue; }
    *o++ = cp;
    i += l;
  }
  r.resize(static_cast<std::size_t>(o - r.data()));
}

Texto DecodificaUtf8(std::string_view bytes) {
  Texto r;
  DecodificaUtf8(bytes, r);
  return r;
}

int CodificaCaracterUtf8(char32_t c, char out[4]) {
  if (c >= kEscape + 0x80 && c <= kEscape + 0xFF) {
    out[0] = static_cast<char>(c - kEscape);  // a byte kept from input that was not UTF-8
    return 1;
  }
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
  if (c < 0x80) {
    out[0] = static_cast<char>(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = static_cast<char>(0xC0 | (c >> 6));
    out[1] = static_cast<char>(0x80 | (c & 0x3F));
    return 2;
  }
  if (c < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (c >> 12));
    out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (c & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (c >> 18));
  out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (c & 0x3F));
  return 4;
}

std::string CodificaUtf8(VistaTexto texto) {
  std::string r;
  r.reserve(texto.size());
  Codifica(texto, Codificacion::Utf8, r);
  return r;
}

bool EsUtf8Valido(std::string_view bytes) {
  auto p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t i = 0, n = bytes.size();
  while (i < n) {
    if (p[i] < 0x80) { ++i; continue; }
    char32_t cp;
    std::size_t l = LargoSecuencia(p + i, n - i, cp);
    if (l == 0) return false;
    i += l;
  }
  return true;
}

char32_t DecodificaCp1252(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kAltos[byte - 0x80] : byte;
}

void DecodificaCp1252(std::string_view bytes, Texto& destino) {
  destino.resize(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i)
    destino[i] = DecodificaCp1252(static_cast<unsigned char>(bytes[i]));
}

Texto DecodificaCp1252(std::string_view bytes) {
  Texto r;
  DecodificaCp1252(bytes, r);
  return r;
}

int CodigoCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  if (c >= kEscape + 0x80 && c <= kEscape + 0xFF) return static_cast<int>(c - kEscape);
  for (int i = 0; i < 32; ++i)
    if (kAltos[i] == c) return 0x80 + i;
  return -1;
}

std::string CodificaCp1252(VistaTexto texto) {
  std::string r;
  r.reserve(texto.size());
  for (char32_t c : texto) {
    int b = CodigoCp1252(c);
    r += b < 0 ? '?' : static_cast<char>(b);
  }
  return r;
}

Texto Decodifica(std::string_view bytes, Codificacion cod) {
  return cod == Codificacion::Utf8 ? DecodificaUtf8(bytes) : DecodificaCp1252(bytes);
}

void Decodifica(std::string_view bytes, Codificacion cod, Texto& destino) {
  if (cod == Codificacion::Utf8)
    DecodificaUtf8(bytes, destino);
  else
    DecodificaCp1252(bytes, destino);
}

std::string Codifica(VistaTexto texto, Codificacion cod) {
  return cod == Codificacion::Utf8 ? CodificaUtf8(texto) : CodificaCp1252(texto);
}

void Codifica(VistaTexto texto, Codificacion cod, std::string& destino) {
  // Plain ASCII, most of any text, is the same bytes in both encodings.
  std::size_t i = 0;
  while (i < texto.size() && texto[i] < 0x80) ++i;
  destino.append(texto.begin(), texto.begin() + static_cast<std::ptrdiff_t>(i));
  if (i == texto.size()) return;
  const VistaTexto resto = texto.substr(i);
  if (cod == Codificacion::Cp1252) {
    destino += CodificaCp1252(resto);
    return;
  }
  char buf[4];
  for (char32_t c : resto) destino.append(buf, static_cast<std::size_t>(CodificaCaracterUtf8(c, buf)));
}

} // namespace zt
