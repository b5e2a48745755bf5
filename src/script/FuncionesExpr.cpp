// Single-argument built-in functions shared by the macro language and the preprocessor.
#include "script/FuncionesExpr.h"
#include "base/Codec.h"
#include "base/Error.h"
#include "base/Numeros.h"
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <string_view>

namespace zt {
namespace {

constexpr std::array<std::u32string_view, 14> kComunes{
    U"VAL", U"ENT", U"FRC", U"ABS", U"RDN", U"EXP", U"LN",
    U"SEN", U"COS", U"TAN", U"ASC", U"CHR", U"MYS", U"MNS"};

Texto Doble(double v) {
  if (std::isinf(v)) throw ErrorEjecucion(CodigoError::Desbordamiento);
  if (std::isnan(v)) throw ErrorEjecucion(CodigoError::ArgumentoNoValido);
  return TextoDoble(v);
}

Texto Simple(double v) { return TextoSimple(ASimple(v)); }

ValorExpr Numero(Texto v) { return ValorExpr{{}, TipoNumero, ClaseNada, {}, std::move(v)}; }
ValorExpr Cadena(Texto v) { return ValorExpr{{}, TipoTexto, ClaseNada, {}, std::move(v)}; }

ValorExpr Asc(VistaTexto s) {
  if (s.empty()) throw ErrorEjecucion(CodigoError::ArgumentoNoValido);
  const int codigo = CodigoCp1252(s.front());
  return Numero(T(std::to_string(codigo < 0 ? '?' : codigo)));
}

ValorExpr Chr(float x) {
  const int32_t n = AEntero32(x);
  if (n < 0 || n > 255) throw ErrorEjecucion(CodigoError::ArgumentoNoValido);
  return Cadena(Texto(1, DecodificaCp1252(static_cast<unsigned char>(n))));
}

} // namespace

float ASimple(double v) {
  // Halfway between the largest float and the next power of two: beyond it rounding overflows.
  constexpr double limite = 340282356779733661637539395458142568448.0;
  if (std::fabs(v) >= limite) throw ErrorEjecucion(CodigoError::Desbordamiento);
  return static_cast<float>(v);
}

float LeeSimple(VistaTexto s) { return ASimple(LeeNumero(s)); }

// A linear congruential sequence whose top 24 bits give the value: exact in a float, so the
// value is always below 1, and the same on every build.
float Aleatorio::Paso() {
  estado_ = estado_ * 1664525u + 1013904223u;
  return static_cast<float>(estado_ >> 8) / 16777216.0f;
}

float Aleatorio::Siguiente(float x) {
  if (x == 0 && hayUltimo_) return ultimo_;
  if (x < 0) {
    const uint32_t bits = std::bit_cast<uint32_t>(x);
    estado_ = bits ^ 0x9E3779B9u;
  }
  ultimo_ = Paso();
  hayUltimo_ = true;
  return ultimo_;
}

bool EsFuncionComun(VistaTexto nombre) {
  for (auto n : kComunes)
    if (n == nombre) return true;
  return false;
}

ValorExpr CalculaFuncionComun(VistaTexto nombre, VistaTexto arg, Aleatorio& azar) {
  // The text functions never read their argument as a number: a text such as "1e99" is no
  // overflow for them.
  if (nombre == U"ASC") return Asc(arg);
  if (nombre == U"MYS") return Cadena(Mayusculas(arg));
  if (nombre == U"MNS") return Cadena(Minusculas(arg));
  const float x = LeeSimple(arg);
  if (nombre == U"VAL") return Numero(Doble(x));
  if (nombre == U"ENT") return Numero(Simple(std::floor(x)));
  if (nombre == U"FRC") return Numero(Simple(static_cast<double>(x) - std::floor(x)));
  if (nombre == U"ABS") return Numero(Simple(std::fabs(x)));
  if (nombre == U"RDN") return Numero(TextoSimple(azar.Siguiente(x)));
  if (nombre == U"EXP") return Numero(Doble(std::exp(static_cast<double>(x))));
  if (nombre == U"LN") {
    if (x <= 0) throw ErrorEjecucion(CodigoError::ArgumentoNoValido);
    return Numero(Doble(std::log(static_cast<double>(x))));
  }
  if (nombre == U"SEN") return Numero(Doble(std::sin(static_cast<double>(x))));
  if (nombre == U"COS") return Numero(Doble(std::cos(static_cast<double>(x))));
  if (nombre == U"TAN") return Numero(Doble(std::tan(static_cast<double>(x))));
  if (nombre == U"CHR") return Chr(x);
  return {};
}

} // namespace zt
