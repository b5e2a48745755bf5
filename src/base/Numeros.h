// Number conversions shared by the interpreter, the preprocessor and the settings.
#pragma once
#include "base/Texto.h"
#include <cstdint>

namespace zt {

// Numeric reading: blanks, tabs and line feeds ignored anywhere; sign, digits with one ".",
// exponent E or D; "&H"/"&O" integers; stops at the first character that does not fit;
// 0 when the text does not begin with a number. 'leidoEntero' (optional) tells whether the
// whole text was consumed as a number.
double LeeNumero(VistaTexto s, bool* leidoEntero = nullptr);

// General number text with 7 (single) or 15 (double) significant digits, exponent form
// ("1.234568E+08") when the integer part needs more digits than that.
Texto TextoNumero(double v, int digitos);
inline Texto TextoSimple(float v) { return TextoNumero(v, 7); }
inline Texto TextoDoble(double v) { return TextoNumero(v, 15); }

// Rounds to the nearest integer, halves to even.
double RedondeaPar(double v);

// 16-bit conversions: throw ErrorEjecucion (Desbordamiento / No coinciden los tipos).
int16_t AEntero16(double v);
int16_t AEntero16(VistaTexto s);
// 32-bit conversion with the same rules.
int32_t AEntero32(double v);

} // namespace zt
