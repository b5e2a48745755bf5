// Seeded random documents made of directive pieces: every run must end, with or without an
// error, and a run without an error must have read the whole document.
#include "Ayuda.h"
#include <gtest/gtest.h>
#include <random>

using namespace zt;
using namespace zt::preproc;
using namespace zt::preproc::prueba;

namespace {

const char* const kPiezas[] = {
    "$DEFINIR",
    "$REDEF",
    "A",
    "B",
    "x",
    "y",
    "COMO",
    "=",
    "FINDEFINIR",
    "$PARA",
    "EN",
    "CON",
    "HACER",
    "FINPARA",
    "'",
    "--",
    "\r\n",
    " ",
    "\t",
    "$EXPR(",
    ")",
    "(",
    "1",
    "-",
    "+",
    "*",
    "/",
    "0",
    "$FORMATO(",
    ",",
    "'dd/mm'",
    "'0000'",
    "$INTERVALO_SEMANA(",
    "'w05/2024'",
    "$FECHA_ACTUAL(",
    "'SEMANA'",
    "$horas",
    "$PSQL_REINIC",
    "$NOM_ACTUAL",
    "$INCLUIR",
    "a b",
    "ñ",
    "$",
    "LAR",
    "ENT",
    "a.b",
    "\"",
};

TEST(PreAzar, TodaCorridaTermina) {
  std::mt19937 azar(20240129);
  std::uniform_int_distribution<size_t> pieza(0, std::size(kPiezas) - 1);
  std::uniform_int_distribution<int> largo(1, 60);
  Corrida r;
  int conError = 0;
  for (int n = 0; n < 3000; ++n) {
    std::string doc;
    for (int i = largo(azar); i > 0; --i) doc += std::string(kPiezas[pieza(azar)]) + (azar() % 3 ? " " : "");
    r.Expande(doc);
    conError += r.p.Error().HayError();
    if (!r.p.Error().HayError()) {
      EXPECT_TRUE(r.p.Cursor().AlFinal()) << doc;
    }
  }
  // Both outcomes must be common, or the pieces test nothing.
  EXPECT_GT(conError, 300);
  EXPECT_LT(conError, 2700);
}

} // namespace
