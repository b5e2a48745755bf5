// Number conversions shared by every subsystem.
#include "base/Error.h"
#include "base/Numeros.h"
#include <gtest/gtest.h>
#include <cmath>

using namespace zt;

TEST(Numeros, ReadingTable) {
  struct { const char* texto; double valor; bool entero; } casos[] = {
      {" 1 2.5e3x", 12500, false},  // blanks ignored anywhere, stops at x
      {"&H1F", 31, true},
      {"&o17", 15, true},
      {"&HFFFF", -1, true},          // 16-bit radix values are signed
      {"-.5", -0.5, true},
      {"1.2.3", 1.2, false},
      {"abc", 0, false},
      {"", 0, false},
      {"+7", 7, true},
      {"2D2", 200, true},
      {"3e", 3, false},
      {"\t4\n2", 42, true},
      {"1e-999", 0, true},         // too small to hold reads as zero, not as an overflow
      {"0.001e-9223372036854775807", 0, true},  // exponents past any integer type
      {"0e99999999999999999999", 0, true},
  };
  for (auto& c : casos) {
    bool entero = false;
    EXPECT_DOUBLE_EQ(LeeNumero(T(c.texto), &entero), c.valor) << c.texto;
    EXPECT_EQ(entero, c.entero) << c.texto;
  }
  for (const char* grande :
       {"1e999", "1e9223372036854775807", "1e99999999999999999999", "-12.5D+9223372036854775808"})
    EXPECT_THROW(LeeNumero(T(grande)), ErrorEjecucion) << grande;
}

TEST(Numeros, TextTable) {
  struct { double v; int digitos; const char* texto; } casos[] = {
      {double(1.0f / 3.0f), 7, "0.3333333"},
      {1.0 / 3.0, 15, "0.333333333333333"},
      {double(123456789.0f), 7, "1.234568E+08"},
      {1234567, 7, "1234567"},
      {0.5, 7, "0.5"},
      {-2, 15, "-2"},
      {0, 7, "0"},
      {-0.0, 15, "0"},
      {double(3.14159265f), 7, "3.141593"},
      {1e20, 15, "1E+20"},
      {0.001, 15, "0.001"},
  };
  for (auto& c : casos) EXPECT_EQ(U8(TextoNumero(c.v, c.digitos)), c.texto) << c.v;
}

TEST(Numeros, RoundingHalvesToEven) {
  struct { double v, r; } casos[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {-1.5, -2}, {2.4, 2}, {2.6, 3}};
  for (auto& c : casos) EXPECT_EQ(RedondeaPar(c.v), c.r) << c.v;
}

TEST(Numeros, SixteenBitConversionFailsWithRunTimeError) {
  EXPECT_EQ(AEntero16(32766.5), 32766);
  EXPECT_EQ(AEntero16(U" 12 "), 12);
  EXPECT_EQ(AEntero16(U"-32768"), -32768);
  auto codigo = [](auto f) {
    try { f(); } catch (const ErrorEjecucion& e) { return e.codigo(); }
    return CodigoError{0};
  };
  EXPECT_EQ(codigo([] { AEntero16(32767.5); }), CodigoError::Desbordamiento);
  EXPECT_EQ(codigo([] { AEntero16(NAN); }), CodigoError::Desbordamiento);
  EXPECT_EQ(codigo([] { AEntero16(U"12a"); }), CodigoError::TiposNoCoinciden);
  EXPECT_EQ(codigo([] { AEntero16(U""); }), CodigoError::TiposNoCoinciden);
  try {
    AEntero16(U"99999");
    FAIL();
  } catch (const ErrorEjecucion& e) {
    EXPECT_EQ(e.descripcion(), U"Desbordamiento");
  }
}
