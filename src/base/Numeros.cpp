// Numeric reading and number text, independent of the user's locale.
#include "base/Numeros.h"
#include "base/Error.h"
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace zt {
namespace {

bool EsDigito(char32_t c) { return c >= U'0' && c <= U'9'; }

// Radix integers: up to 16 bits read as a signed 16-bit value, up to 32 bits as a signed 32-bit
// value, as the platform does ("&HFFFF" is -1).
double LeeRadix(const Texto& s, std::size_t& i, int base) {
  uint64_t v = 0;
  bool alguno = false;
  while (i < s.size()) {
    char32_t c = Mayuscula(s[i]);
    int d = EsDigito(c) ? int(c - U'0') : (c >= U'A' && c <= U'F') ? int(c - U'A' + 10) : 99;
    if (d >= base) break;
    v = v * base + d;
    if (v > 0xFFFFFFFFull) throw ErrorEjecucion(CodigoError::Desbordamiento);
    alguno = true;
    ++i;
  }
  if (!alguno) return 0;
  if (v <= 0xFFFF) return static_cast<int16_t>(static_cast<uint16_t>(v));
  return static_cast<int32_t>(static_cast<uint32_t>(v));
}

// Rough power of ten of a decimal text, enough to tell overflow from underflow. The exponent
// saturates far beyond any double, so that no digit count can push the sum past its type.
int64_t MagnitudDecimal(const std::string& s) {
  constexpr int64_t kTope = int64_t{1} << 40;
  int64_t enteros = 0, ceros = 0, exp = 0;
  bool punto = false, significativo = false;
  std::size_t i = 0;
  for (; i < s.size() && s[i] != 'e'; ++i) {
    char c = s[i];
    if (c == '.') { punto = true; continue; }
    if (c < '0' || c > '9') continue;
    if (c != '0') significativo = true;
    if (!punto && significativo) ++enteros;
    if (punto && !significativo) ++ceros;
  }
  if (i < s.size()) {
    bool negativo = false;
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) negativo = s[j++] == '-';
    for (; j < s.size() && s[j] >= '0' && s[j] <= '9'; ++j) exp = std::min(kTope, exp * 10 + (s[j] - '0'));
    if (negativo) exp = -exp;
  }
  return (enteros > 0 ? enteros : -ceros) + exp;
}

} // namespace

double LeeNumero(VistaTexto entrada, bool* leidoEntero) {
  Texto s;
  s.reserve(entrada.size());
  for (char32_t c : entrada)
    if (c != U' ' && c != U'\t' && c != U'\n') s += c;
  std::size_t i = 0;
  bool numero = false;
  double valor = 0;
  if (s.size() >= 2 && s[0] == U'&' && (Mayuscula(s[1]) == U'H' || Mayuscula(s[1]) == U'O')) {
    i = 2;
    std::size_t antes = i;
    valor = LeeRadix(s, i, Mayuscula(s[1]) == U'H' ? 16 : 8);
    numero = i > antes;
  } else {
    std::string ascii;
    if (i < s.size() && (s[i] == U'+' || s[i] == U'-')) ascii += char(s[i++]);
    bool punto = false;
    while (i < s.size() && (EsDigito(s[i]) || (s[i] == U'.' && !punto))) {
      if (s[i] == U'.') punto = true;
      else numero = true;
      ascii += char(s[i++]);
    }
    if (numero && i < s.size() && (Mayuscula(s[i]) == U'E' || Mayuscula(s[i]) == U'D')) {
      std::size_t j = i + 1;
      std::string exp = "e";
      if (j < s.size() && (s[j] == U'+' || s[j] == U'-')) exp += char(s[j++]);
      std::size_t k = j;
      while (j < s.size() && EsDigito(s[j])) exp += char(s[j++]);
      if (j > k) { ascii += exp; i = j; }
    }
    if (numero) {
      const char* ini = ascii.c_str();
      if (*ini == '+') ++ini;
      auto ec = std::from_chars(ini, ascii.c_str() + ascii.size(), valor).ec;
      if (ec == std::errc::result_out_of_range) {
        if (MagnitudDecimal(ascii) > 0) throw ErrorEjecucion(CodigoError::Desbordamiento);
        valor = 0;  // too small to hold: the platform reads it as zero
      }
    }
  }
  if (leidoEntero) *leidoEntero = numero && i == s.size();
  return valor;
}

Texto TextoNumero(double v, int digitos) {
  if (v == 0 || std::isnan(v)) return U"0";
  char buf[64];
  auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digitos);
  if (ec != std::errc()) return U"0";
  Texto r;
  for (char* q = buf; q < p; ++q) r += static_cast<char32_t>(*q == 'e' ? 'E' : *q);
  return r;
}

double RedondeaPar(double v) {
  double piso = std::floor(v);
  double resto = v - piso;
  if (resto > 0.5) return piso + 1;
  if (resto < 0.5) return piso;
  return std::fmod(piso, 2.0) == 0 ? piso : piso + 1;
}

int16_t AEntero16(double v) {
  if (std::isnan(v)) throw ErrorEjecucion(CodigoError::Desbordamiento);
  double r = RedondeaPar(v);
  if (r < -32768 || r > 32767) throw ErrorEjecucion(CodigoError::Desbordamiento);
  return static_cast<int16_t>(r);
}

int16_t AEntero16(VistaTexto s) {
  bool entero = false;
  double v = LeeNumero(s, &entero);
  if (!entero) throw ErrorEjecucion(CodigoError::TiposNoCoinciden);
  return AEntero16(v);
}

int32_t AEntero32(double v) {
  if (std::isnan(v)) throw ErrorEjecucion(CodigoError::Desbordamiento);
  double r = RedondeaPar(v);
  if (r < -2147483648.0 || r > 2147483647.0) throw ErrorEjecucion(CodigoError::Desbordamiento);
  return static_cast<int32_t>(r);
}

} // namespace zt
