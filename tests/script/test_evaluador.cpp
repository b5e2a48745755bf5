// Operators, levels, comparison mode and assignment of the expression evaluator.
#include "Ayuda.h"
#include <gtest/gtest.h>
#include <new>

using namespace zt;
using prueba::Evalua;

namespace {

struct Caso {
  const char* expr;
  const char* valor;
  const char* error = "";
};

void Comprueba(const Caso* casos, size_t n, bool modoComp = false) {
  for (size_t i = 0; i < n; ++i) {
    CInterprete in;
    const auto r = Evalua(in, casos[i].expr, modoComp);
    EXPECT_EQ(r.fallo, "") << casos[i].expr;
    EXPECT_EQ(r.error, casos[i].error) << casos[i].expr;
    if (*casos[i].error == 0) {
      EXPECT_EQ(r.valor, casos[i].valor) << casos[i].expr;
    }
  }
}

} // namespace

TEST(Evaluador, OperatorRows) {
  const Caso casos[] = {
      {"2 + 3 * 4", "14"},        {"2 ^ 3 ^ 2", "64"},         {"(2 + 3) * 4", "20"},
      {"10 - 2 - 3", "5"},        {"2*3+4*5", "26"},           {"1 / 4", "0.25"},
      {"1 / 3", "0.333333333333333"},                          {"5--3", "4"},
      {"5 - -3", "8"},            {"5 ++ 0", "6"},             {"7 \\ 2", "3"},
      {"-7 \\ 2", "-3"},          {"-7 % 2", "-1"},            {"7 % -3", "1"},
      {"2.5 \\ 1", "2"},          {"3.5 \\ 1", "4"},           {"5 ^ 0", "1"},
      {"2 ^ -1", "0.5"},          {"9 > 10", "1"},             {"'abc' == 'ABC'", "0"},
      {"'abc' <> 'ABC'", "1"},    {"'ab' < 'abc'", "1"},       {"'b' >= 'abc'", "1"},
      {"'a' <= 'a'", "1"},        {"'a' > 'a'", "0"},          {"1 + 2 == 3", "1"},
      {"'a' | 'b' | 1", "ab1"},   {"'abc' ~ 'a*'", "1"},       {"'abc' ~ 'b*'", "0"},
      {"'a7' ~ '[a-c]#'", "1"},   {"'d7' ~ '[!a-c]?'", "1"},   {"1 && 1", "1"},
      {"2 && 2", "0"},            {"2 || 0", "1"},             {"0 || 0", "0"},
      {"0 ! 0", "1"},             {"1 ! 0", "0"},              {"1 + 2 // nota", "3"},
      {"4 / 2 // 1", "2"},        {"1e3", "1"},                {"(((7)))", "7"},
      // Unused right operands are never read as numbers.
      {"5 ++ '1e999'", "6"},      {"1 ! '1e999'", "0"},
  };
  Comprueba(casos, std::size(casos));
}

TEST(Evaluador, ErrorMessages) {
  const Caso casos[] = {
      {"7 / 0", "", "No se puede dividir por cero."},
      {"7 \\ 0", "", "No se puede dividir por cero."},
      {"7 % 0", "", "No se puede dividir por cero."},
      {"0 ^ 0", "", "No se puede Evaluar 0^0"},
      {"1 +", "", "Se esperaba expresión después de: 1+"},
      {"x * )", "", "Se esperaba expresión después de: X*"},
      {"1 & 2", "", "No se reconoce operador: '&' "},
      {"'1e999' & 2", "", "No se reconoce operador: '&' "},
      {"1 |! 2", "", "No se reconoce operador: '|!' "},
      {"1 >> 2", "", "No se reconoce operador: '>>' "},
      {"1 >- 2", "", "No se reconoce operador: '>-' "},  // no blank after ">" reads ">-"
      {"1 =< 2", "", "No se reconoce operador: '=<' "},
      {"x += 2", "", "No se reconoce operador: '+=' "},
      {"3 = 4", "", "Sólo se puede asignar valor a una variable"},
      {"'abc", "", "No se encontro fin de cadena"},
      {"1 + (2 / 0) * 3", "", "No se puede dividir por cero."},
      {"1 + SEN (1)", "", "Se esperaba '(' en definición de función: SEN"},  // first message kept
  };
  Comprueba(casos, std::size(casos));
}

TEST(Evaluador, RunTimeErrorsAreThrown) {
  struct { const char* expr; const char* fallo; } casos[] = {
      {"'1e300' * '1e300'", "Desbordamiento"},
      {"'1e300' ^ 2", "Desbordamiento"},
      {"VAL('1e39')", "Desbordamiento"},  // beyond single precision
      {"7 \\ 0.4", "División por cero"},  // a divisor that rounds to zero
      {"7 % 0.4", "División por cero"},
      {"0 ^ -1", "División por cero"},
      {"-8 ^ 0.5", "Llamada a procedimiento o argumento no válidos"},
      {"3000000000 \\ 1", "Desbordamiento"},
      {"VAL('1e99999999999999999999')", "Desbordamiento"},
      {"'1e9223372036854775807' + 1", "Desbordamiento"},
  };
  for (auto& c : casos) {
    CInterprete in;
    EXPECT_EQ(Evalua(in, c.expr).fallo, c.fallo) << c.expr;
  }
}

TEST(Evaluador, OperatorReading) {
  struct { const char* texto; const char* oper; int16_t colFinal; } casos[] = {
      {" ++= 1", "+=", 5}, {"--x", "--", 3},  {"*=", "*=", 3},   {"/= 2", "/=", 3},
      {"// c", "", 1},     {"==<>", "=>", 5}, {"<>", "<>", 3},   {"<<", "<<", 3},
      {">=>+-", ">-", 6},  {"||!", "|!", 4},  {"&&", "&&", 3},   {"~!", "~", 2},
      {"x", "", 1},        {"=-1", "=", 2},   {"\\", "\\", 2},  {"%", "%", 2},
  };
  for (auto& c : casos) {
    CInterprete in;
    in.CreaContenido(T(c.texto));
    EXPECT_EQ(U8(in.cogOperador()), c.oper) << c.texto;
    EXPECT_EQ(in.col, c.colFinal) << c.texto;
  }
}

TEST(Evaluador, LevelTable) {
  struct { const char* oper; int16_t nivel; } casos[] = {
      {"^", 8}, {"++", 8}, {"/=", 8}, {"=<", 7}, {"=>", 7}, {"*", 6}, {"\\", 6}, {"%", 6},
      {"+", 5}, {"|", 5},  {"&", 5},  {"==", 4}, {"~", 4},  {"<=", 4}, {"&&", 3}, {"|!", 3},
      {"=", 2}, {">>", 1}, {">-", 1}, {"<<", 1}, {"", 0},   {"**", 0},
  };
  for (auto& c : casos) EXPECT_EQ(jerOp(T(c.oper)), c.nivel) << c.oper;
}

TEST(Evaluador, OperandTextAndClass) {
  CInterprete in;
  in.CrearVariableCad(U"x", U"hola");
  struct { const char* expr; const char* texto; int16_t clase; int16_t tipo; } casos[] = {
      {"x", "X", ClaseVariable, TipoNumero},  // a variable reference is numeric whatever it holds
      {"(x)", "(X)", ClaseVariable, TipoNumero},
      {"'a'", "\"a\"", ClaseCadena, TipoTexto},
      {"007", "7", ClaseNumero, TipoNumero},
      {"lon('ab')", "LON(\"ab\")", ClaseFuncion, TipoNumero},
      {"x | 1", "X|1", ClaseOperacion, TipoTexto},
      {"1 + 2", "1+2", ClaseOperacion, TipoNumero},
      {"(1 + 2)", "(1+2)", ClaseOperacion, TipoNumero},
  };
  for (auto& c : casos) {
    const auto r = Evalua(in, c.expr);
    EXPECT_EQ(U8(r.expr.texto), c.texto) << c.expr;
    EXPECT_EQ(r.expr.clase, c.clase) << c.expr;
    EXPECT_EQ(r.expr.tipo, c.tipo) << c.expr;
  }
  EXPECT_EQ(U8(Evalua(in, "1 + 2").expr.oper), "+");
  EXPECT_EQ(Evalua(in, ")").expr.texto, U"");
}

TEST(Evaluador, Assignment) {
  CInterprete in;
  EXPECT_EQ(Evalua(in, "x = 5").valor, "5");
  EXPECT_EQ(in.Variable(in.ExisteVariable(U"X")).tipo, TipoNumero);
  EXPECT_EQ(Evalua(in, "x = x + 1").valor, "6");
  EXPECT_EQ(U8(in.ValorVariable(U"x")), "6");
  Evalua(in, "t = 'abc'");
  EXPECT_EQ(in.Variable(in.ExisteVariable(U"t")).tipo, TipoTexto);
  Evalua(in, "y = t");  // new variable from a reference: read as a number
  EXPECT_EQ(U8(in.ValorVariable(U"y")), "0");
  Evalua(in, "y = t");  // existing variable: the text is copied
  EXPECT_EQ(U8(in.ValorVariable(U"y")), "abc");
  Evalua(in, "z = nunca");
  EXPECT_EQ(U8(in.ValorVariable(U"z")), "0");
  Evalua(in, "g = 123456789");
  EXPECT_EQ(U8(in.ValorVariable(U"g")), "1.234568E+08");
  Evalua(in, "(p) = 2");  // a parenthesised reference keeps its class and its text
  EXPECT_EQ(U8(in.ValorVariable(U"(P)")), "2");
  const auto r = Evalua(in, "y = -x");
  EXPECT_EQ(U8(in.ValorVariable(U"y")), "0");
  EXPECT_EQ(U8(in.VerIdentificador()), "x");  // left for the executor
  EXPECT_EQ(r.error, "");
}

TEST(Evaluador, AssignmentWhileSkipping) {
  CInterprete in;
  in.Ejec = false;
  const auto r = Evalua(in, "w = 5");
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(r.expr.tipo, TipoNada);
  EXPECT_EQ(in.ExisteVariable(U"w"), 0);
  EXPECT_EQ(Evalua(in, "3 = 4").error, "");
}

TEST(Evaluador, ChainedAssignment) {
  CInterprete in;
  // (a = b) first; its result is no variable, so the second "=" is refused.
  EXPECT_EQ(Evalua(in, "a = b = 3").error, "Sólo se puede asignar valor a una variable");
  EXPECT_EQ(U8(in.ValorVariable(U"a")), "0");
  EXPECT_EQ(in.ExisteVariable(U"b"), 0);
}

TEST(Evaluador, ComparisonModeVersusAssignment) {
  CInterprete in;
  Evalua(in, "x = 2");
  EXPECT_EQ(Evalua(in, "x = 1", true).valor, "0");
  EXPECT_EQ(U8(in.ValorVariable(U"x")), "2");  // compared, not assigned
  EXPECT_EQ(Evalua(in, "x = 2", true).valor, "1");
  Evalua(in, "a = 1");
  Evalua(in, "b = 1");
  // "==" binds tighter than "&&", also inside the tighter-binding operand.
  EXPECT_EQ(Evalua(in, "a && b = 1", true).valor, "1");
  EXPECT_EQ(Evalua(in, "a && b = 2", true).valor, "0");
  EXPECT_EQ(Evalua(in, "a && b = 1").error, "Sólo se puede asignar valor a una variable");
  // Parentheses start a fresh expression: the "=" inside assigns.
  EXPECT_EQ(Evalua(in, "(x = 1)", true).valor, "1");
  EXPECT_EQ(U8(in.ValorVariable(U"x")), "1");
}

TEST(Evaluador, DeepNestingStopsAtTheBound) {
  CInterprete in;
  const std::string profundo = std::string(100000, '(') + "1" + std::string(100000, ')');
  const auto r = Evalua(in, profundo);
  EXPECT_EQ(r.fallo, "");
  EXPECT_EQ(r.error, "Expresión demasiado anidada: más de 500 niveles");
  EXPECT_EQ(r.expr.texto, U"");

  std::string funciones;
  for (int k = 0; k < 100000; ++k) funciones += "ABS(";
  EXPECT_EQ(Evalua(in, funciones + "1").error, "Expresión demasiado anidada: más de 500 niveles");

  const std::string permitido = std::string(400, '(') + "1+2" + std::string(400, ')') + "*2";
  EXPECT_EQ(Evalua(in, permitido).valor, "6");
  EXPECT_EQ(Evalua(in, permitido).error, "");
}

TEST(Evaluador, TighterRightOperandIsReadOnce) {
  // Read twice, the assignment would count 2 per nesting level (4096 here).
  std::string e = "(n = n + 1)";
  for (int k = 0; k < 12; ++k) e = "0 + (" + e + ") * 1";
  CInterprete in;
  const auto r = Evalua(in, e);
  EXPECT_EQ(r.valor, "1");
  EXPECT_EQ(U8(in.ValorVariable(U"n")), "1");
}

TEST(Evaluador, LookAheadAcrossLines) {
  CInterprete in;
  // A string spanning two lines as the operand of a tighter "*".
  const auto r = Evalua(in, "'p' | 'x\r\ny' * 2 | 'q'");
  EXPECT_EQ(r.valor, "p0q");
  EXPECT_EQ(U8(r.expr.texto), "\"p\"|\"x\r\ny\"*2|\"q\"");
  EXPECT_EQ(in.fil, 2);
  EXPECT_TRUE(in.FinCont());
}

TEST(Evaluador, TextValuesAreBounded) {
  // Ten nested replacements would grow one character to ten thousand million.
  std::string e = "'a'";
  for (int k = 0; k < 10; ++k) e = "RPLA(" + e + ", 'a', 'aaaaaaaaaa')";
  CInterprete in;
  EXPECT_EQ(Evalua(in, e).fallo, "Espacio insuficiente para cadenas");
  in.limiteTexto = 10;
  EXPECT_EQ(Evalua(in, "'12345' | '67890'").valor, "1234567890");
  EXPECT_EQ(Evalua(in, "'12345' | '67890' | 1").fallo, "Espacio insuficiente para cadenas");
  EXPECT_EQ(Evalua(in, "RPLA('aaaaa', 'a', 'bb')").valor, "bbbbbbbbbb");
  EXPECT_EQ(Evalua(in, "RPLA('aaaaab', 'a', 'bb')").fallo, "Espacio insuficiente para cadenas");
}

TEST(Evaluador, AllocationFailureIsTheRunsError) {
  struct SinMemoria : CInterprete {
    ValorExpr CogOperando() override {
      CapBlancos();
      if (VerUno() == U'!') throw std::bad_alloc();
      return CInterprete::CogOperando();
    }
  } in;
  const auto r = Evalua(in, "1 + (2 * !)");
  EXPECT_EQ(r.fallo, "Memoria insuficiente");
  EXPECT_EQ(Evalua(in, "1 + (2 * 3)").valor, "7"); // the nesting count was restored
}
