// Single-argument built-in functions shared by the macro language and the preprocessor.
#pragma once
#include "script/Evaluador.h"
#include <cstdint>

namespace zt {

// Pseudo-random sequence of RDN: x > 0 the next value, x = 0 the last one, x < 0 reseeds from x
// (the same x always gives the same value). Values lie in [0, 1).
class Aleatorio {
public:
  float Siguiente(float x);

private:
  float Paso();
  uint32_t estado_ = 0x50000u;
  float ultimo_ = 0;
  bool hayUltimo_ = false;
};

// Numeric reading of a text rounded to single precision; a value beyond its range is an overflow.
float LeeSimple(VistaTexto s);
// Checked single-precision rounding of a double (overflow beyond the range of float).
float ASimple(double v);

// True when the upper-cased name is VAL, ENT, FRC, ABS, RDN, EXP, LN, SEN, COS, TAN, ASC, CHR,
// MYS or MNS.
bool EsFuncionComun(VistaTexto nombre);

// Computes one of them from the argument's value text: sets valor and tipo of the result (texto
// and clase are the caller's). Faults of the arithmetic throw ErrorEjecucion.
ValorExpr CalculaFuncionComun(VistaTexto nombre, VistaTexto arg, Aleatorio& azar);

} // namespace zt
