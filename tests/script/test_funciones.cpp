// Built-in functions of the macro language.
#include "Ayuda.h"
#include "base/Numeros.h"
#include <gtest/gtest.h>

using namespace zt;
using prueba::Evalua;

TEST(Funciones, Values) {
  struct { const char* expr; const char* valor; int16_t tipo; } casos[] = {
      {"VAL('12abc')", "12", TipoNumero},
      {"VAL('0.1')", "0.100000001490116", TipoNumero},  // single precision shown in double form
      {"val('&H1F')", "31", TipoNumero},
      {"ENT(2.7)", "2", TipoNumero},
      {"ENT(-1.5)", "-2", TipoNumero},
      {"FRC(-1.25)", "0.75", TipoNumero},
      {"FRC(3.5)", "0.5", TipoNumero},
      {"ABS(-3)", "3", TipoNumero},
      {"EXP(0)", "1", TipoNumero},
      {"EXP(1)", "2.71828182845905", TipoNumero},
      {"LN(1)", "0", TipoNumero},
      {"SEN(0)", "0", TipoNumero},
      {"COS(0)", "1", TipoNumero},
      {"TAN(0)", "0", TipoNumero},
      {"ASC('A')", "65", TipoNumero},
      {"ASC('€uro')", "128", TipoNumero},  // ANSI code of the first character
      {"CHR(65)", "A", TipoTexto},
      {"CHR(233)", "é", TipoTexto},
      {"CHR(65.5)", "B", TipoTexto},       // rounded, halves to even
      {"LON('')", "0", TipoNumero},
      {"LON('año')", "3", TipoNumero},
      {"LON()", "0", TipoNumero},
      {"LONL('')", "0", TipoNumero},
      {"LONL('a\\nb\\n')", "3", TipoNumero},
      {"MYS('año')", "AÑO", TipoTexto},
      {"MNS('ABC')", "abc", TipoTexto},
      {"MYS('1e99x')", "1E99X", TipoTexto},  // text functions never read a number
      {"ASC('9e99')", "57", TipoNumero},
      {"RPLA('a.b.c', '.')", "abc", TipoTexto},
      {"RPLA('a.b.c', '.', '--')", "a--b--c", TipoTexto},
      {"RPLA('aaa', 'a', 'aa')", "aaaaaa", TipoTexto},
      {"RPLA('abc', '')", "abc", TipoTexto},  // an empty search text changes nothing
      {"SUBS('abcdef', 3, 2)", "cd", TipoTexto},
      {"SUBS('abcdef', 3)", "cdef", TipoTexto},
      {"SUBS('abc', 5)", "", TipoTexto},
      {"SUBS('abc', 2, 0)", "", TipoTexto},
      {"FILT('uno\\ndos\\ntres', 'o')", "uno\r\ndos", TipoTexto},
      {"FILT('uno\\ndos', 'x')", "", TipoTexto},
      {"DIVS('a,b,,c', ',')", "4", TipoTexto},
      {"DIVS('')", "0", TipoTexto},
      {"DIVS(' \t ')", "0", TipoTexto},
      {"DIVS('abc', '')", "1", TipoTexto},
      {"LON('ab' | 'cd') + 1", "5", TipoNumero},
      {"ABS(ENT(-2.5))", "3", TipoNumero},
  };
  for (auto& c : casos) {
    CInterprete in;
    const auto r = Evalua(in, c.expr);
    EXPECT_EQ(r.error, "") << c.expr;
    EXPECT_EQ(r.fallo, "") << c.expr;
    EXPECT_EQ(r.valor, c.valor) << c.expr;
    EXPECT_EQ(r.expr.tipo, c.tipo) << c.expr;
  }
}

TEST(Funciones, Errors) {
  struct { const char* expr; const char* error; } casos[] = {
      {"SEN (1)", "Se esperaba '(' en definición de función: SEN"},
      {"lon", "Se esperaba '(' en definición de función: LON"},
      {"LON('a'", "Se esperaba ')'"},
      {"LON('a' 'b')", "Se esperaba ')'"},
      {"RPLA('a')", "Se esperaba ',' en rpla()"},
      {"FILT('a')", "Se esperaba ',' en flt()"},
      {"SUBS('a')", "Se esperaba ',' en subs()"},
      {"ABS(1 / 0)", "No se puede dividir por cero."},
  };
  for (auto& c : casos) {
    CInterprete in;
    const auto r = Evalua(in, c.expr);
    EXPECT_EQ(r.error, c.error) << c.expr;
    EXPECT_EQ(r.expr.texto, U"") << c.expr;
  }
}

TEST(Funciones, RunTimeErrors) {
  struct { const char* expr; const char* fallo; } casos[] = {
      {"CHR(256)", "Llamada a procedimiento o argumento no válidos"},
      {"CHR(-1)", "Llamada a procedimiento o argumento no válidos"},
      {"CHR(3000000000)", "Desbordamiento"},
      {"LN(0)", "Llamada a procedimiento o argumento no válidos"},
      {"LN(-1)", "Llamada a procedimiento o argumento no válidos"},
      {"ASC('')", "Llamada a procedimiento o argumento no válidos"},
      {"SUBS('abc', 0)", "Llamada a procedimiento o argumento no válidos"},
      {"SUBS('abc', 1, -1)", "Llamada a procedimiento o argumento no válidos"},
      {"EXP(1000)", "Desbordamiento"},
  };
  for (auto& c : casos) {
    CInterprete in;
    EXPECT_EQ(Evalua(in, c.expr).fallo, c.fallo) << c.expr;
  }
}

TEST(Funciones, DivsStoresTheFirstNinePieces) {
  CInterprete in;
  auto r = Evalua(in, "DIVS('  uno   dos\ttres  ')");
  EXPECT_EQ(r.valor, "3");
  EXPECT_EQ(U8(in.LeeValorVar(in.i_1)), "uno");
  EXPECT_EQ(U8(in.LeeValorVar(in.i_2)), "dos");
  EXPECT_EQ(U8(in.LeeValorVar(in.i_3)), "tres");
  Evalua(in, "DIVS('x')");
  EXPECT_EQ(U8(in.LeeValorVar(in.i_1)), "x");
  EXPECT_EQ(U8(in.LeeValorVar(in.i_2)), "dos");  // beyond the last piece: kept

  r = Evalua(in, "DIVS('1-2-3-4-5-6-7-8-9-10-11', '-')");
  EXPECT_EQ(r.valor, "11");
  EXPECT_EQ(U8(in.LeeValorVar(in.i_9)), "9");
  EXPECT_EQ(U8(in.LeeValorVar(in.i_0)), "");  // nothing writes $0

  in.Ejec = false;
  r = Evalua(in, "DIVS('p q')");
  EXPECT_EQ(r.valor, "2");
  EXPECT_EQ(U8(in.LeeValorVar(in.i_1)), "1");
}

TEST(Funciones, RandomSequence) {
  CInterprete in;
  const auto a = Evalua(in, "RDN(-3)").valor;
  EXPECT_EQ(Evalua(in, "RDN(-3)").valor, a);  // a negative argument reseeds
  EXPECT_EQ(Evalua(in, "RDN(0)").valor, a);   // zero repeats the last value
  const auto b = Evalua(in, "RDN(1)").valor;
  EXPECT_NE(b, a);
  EXPECT_NE(Evalua(in, "RDN(-4)").valor, a);
  for (int k = 0; k < 1000; ++k) {
    const double v = LeeNumero(T(Evalua(in, "RDN(1)").valor));
    ASSERT_GE(v, 0.0);
    ASSERT_LT(v, 1.0);
  }
}
