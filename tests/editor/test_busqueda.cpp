// Search: matching within a line, and InicBuscar / BuscarSig over an editor's text.
#include "editor/Busqueda.h"
#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(Busqueda, MatchWithinALine) {
  struct {
    const char32_t* linea;
    const char32_t* texto;
    int32_t desde, hasta;
    bool ignMayus, palCompleta;
    int32_t esperado;
  } casos[] = {
      {U"ab abc ab", U"ab", 0, 9, true, true, 0},
      {U"ab abc ab", U"ab", 1, 9, true, true, 7},     // abc is no whole word
      {U"ab abc ab", U"ab", 1, 9, true, false, 3},
      {U"ab abc ab", U"ab", 8, 9, true, true, -1},
      {U"ab abc ab", U"ab", 0, 8, true, true, 0},
      {U"x ab abc ab", U"ab", 3, 10, true, true, -1},  // the last one does not end before the limit
      {U"Aa", U"a", 0, 2, false, false, 1},
      {U"A", U"a", 0, 1, false, false, -1},
      {U"A", U"a", 0, 1, true, false, 0},
      {U"ÑANDÚ", U"ñandú", 0, 5, true, false, 0},
      {U"ÑANDÚ", U"ñandú", 0, 5, false, false, -1},
      {U"abc", U"ab", 0, 2, true, true, -1},          // the character past the limit still counts
      {U"a...", U"..", 0, 4, true, true, 2},          // an occurrence overlapping a rejected one
      {U"x_ab ab_ $ab 1ab ab-", U"ab", 0, 20, true, true, 17},
      {U"éab èab", U"ab", 0, 7, true, true, 5},
      {U"abc", U"", 0, 3, true, false, -1},
      {U"abc", U"abcd", 0, 3, true, false, -1},
      {U"abc", U"c", -5, 99, true, false, 2},
  };
  for (const auto& c : casos)
    EXPECT_EQ(BuscaEnLinea(c.linea, c.texto, c.desde, c.hasta, c.ignMayus, c.palCompleta), c.esperado)
        << U8(c.linea) << " / " << U8(c.texto) << " from " << c.desde;
}

} // namespace
} // namespace zt
