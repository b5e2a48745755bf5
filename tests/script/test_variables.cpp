// Variable table of CInterprete.
#include "Ayuda.h"
#include <gtest/gtest.h>
#include <string>

using namespace zt;

TEST(Variables, PredefinedSlots) {
  CInterprete in;
  in.IniEntorno();
  EXPECT_EQ(in.NumVariables(), 12);
  EXPECT_EQ(in.i_result, 1);
  EXPECT_EQ(in.i_timeout, 2);
  EXPECT_EQ(in.i_0, 3);
  EXPECT_EQ(in.i_9, 12);
  EXPECT_EQ(U8(in.LeeValorVar(in.i_timeout)), "10");
  EXPECT_EQ(U8(in.LeeValorVar(in.i_result)), "0");
  EXPECT_EQ(in.Variable(in.i_5).tipo, TipoTexto);
  EXPECT_EQ(U8(in.Variable(in.i_5).nombre), "$5");
  for (const char* n : {"TIMEOUT", "timeout", "Timeout"}) EXPECT_EQ(in.ExisteVariable(T(n)), 2) << n;
  EXPECT_TRUE(in.Ejec);
}

TEST(Variables, NamesAreCaseInsensitiveAndLowestSlotWins) {
  CInterprete in;
  const int16_t a = in.CrearVariableCad(U"Año", U"primera");
  in.CrearVariableCad(U"AÑO", U"segunda");
  EXPECT_EQ(in.ExisteVariable(U"año"), a);
  EXPECT_EQ(U8(in.ValorVariable(U"aÑo")), "primera");
  EXPECT_EQ(U8(in.ValorVariable(U"nunca")), "");
  EXPECT_EQ(in.ExisteVariable(U"nunca"), 0);
}

TEST(Variables, NumericValuesPassThroughSinglePrecision) {
  CInterprete in;
  const int16_t n = in.CrearVariableNum(U"grande", 123456789.0f);
  EXPECT_EQ(U8(in.LeeValorVar(n)), "1.234568E+08");
  EXPECT_EQ(in.Variable(n).tipo, TipoNumero);
}

TEST(Variables, AppendAndReplace) {
  CInterprete in;
  in.AgreValorVar(3, U"uno");
  in.AgreValorVar(3, U"dos");
  EXPECT_EQ(U8(in.LeeValorVar(3)), "unodos");
  in.FijaValorVar(3, U"x");
  EXPECT_EQ(U8(in.LeeValorVar(3)), "x");
  EXPECT_EQ(in.Variable(3).tipo, TipoTexto);  // the tag stays
  EXPECT_THROW(in.LeeValorVar(13), ErrorEjecucion);
  EXPECT_THROW(in.FijaValorVar(0, U"x"), ErrorEjecucion);
}

TEST(Variables, FourHundredSlotBound) {
  CInterprete in;
  for (int k = 1; k <= 388; ++k) in.CrearVariableNum(T("v" + std::to_string(k)), float(k));
  EXPECT_EQ(in.NumVariables(), 400);
  try {
    in.CrearVariableCad(U"v389", U"");
    FAIL() << "the 389th new variable must fail";
  } catch (const ErrorEjecucion& e) {
    EXPECT_EQ(e.codigo(), CodigoError::SubindiceFuera);
    EXPECT_EQ(U8(e.descripcion()), "El subíndice está fuera del intervalo");
  }
  // Through an assignment too.
  EXPECT_EQ(prueba::Evalua(in, "nueva = 1").fallo, "El subíndice está fuera del intervalo");
  // A new run starts from the predefined ones again.
  in.IniEntorno();
  EXPECT_EQ(in.NumVariables(), 12);
  EXPECT_EQ(in.ExisteVariable(U"v1"), 0);
}
