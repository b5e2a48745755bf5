// Search: matching within a line, and InicBuscar / BuscarSig over an editor's text.
#include "EditorPrueba.h"
#include "editor/Busqueda.h"
#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(BusquedaEditor, MatchWithinALine) {
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

// Runs BuscarSig and returns the selection found as "line:first-last" (expanded columns, end exclusive),
// or "none" when the search warned that the text is not there.
struct Buscador : EditorPrueba {
  std::string Siguiente() {
    size_t avisos = dialogos.mensajes.size();
    ed.BuscarSig();
    if (dialogos.mensajes.size() > avisos) return "none";
    if (!ed.haysel) return "nothing selected";
    return std::to_string(ed.selIni().yt) + ":" + std::to_string(ed.selIni().xt) + "-" +
           std::to_string(ed.selFin().xt);
  }
};

TEST(BusquedaEditor, WholeWordFindsEachWordThenWarns) {
  Buscador b;
  b.ed.Text(U"ab abc ab");
  b.Cursor(1, 1);
  b.ed.InicBuscar(U"ab", 0, true, true);
  EXPECT_EQ(b.Siguiente(), "1:1-3");
  EXPECT_EQ(b.ed.curXt, 3);
  EXPECT_EQ(b.Siguiente(), "1:8-10");
  EXPECT_EQ(b.Siguiente(), "none");
  ASSERT_EQ(b.dialogos.mensajes.size(), 1u);
  EXPECT_EQ(b.dialogos.UltimoMensaje(), U"No se encuentra el texto: 'ab'");
  EXPECT_EQ(b.dialogos.mensajes[0].icono, Icono::Exclamacion);
  EXPECT_EQ(b.ed.curXt, 10);  // the cursor stays where it was
}

TEST(BusquedaEditor, CaseAndLinesAndNoWrapAround) {
  Buscador b;
  b.ed.Text(U"x a\r\nA\r\nfoo A");
  b.Cursor(1, 1);
  b.ed.InicBuscar(U"A", 0, false, false);
  EXPECT_EQ(b.Siguiente(), "2:1-2");  // the lower-case a on line 1 is passed over
  EXPECT_EQ(b.Siguiente(), "3:5-6");
  EXPECT_EQ(b.Siguiente(), "none");
  b.ed.InicBuscar(U"A", 0, true, false);
  b.Cursor(1, 1);
  EXPECT_EQ(b.Siguiente(), "1:3-4");
  b.Cursor(2, 3);
  EXPECT_EQ(b.Siguiente(), "3:5-6");
  EXPECT_EQ(b.Siguiente(), "none");  // no wrap-around to line 1
}

TEST(BusquedaEditor, ColumnsAreExpandedAcrossTabs) {
  Buscador b;
  b.ed.Text(U"a\tfoo\tbar");
  b.Cursor(1, 1);
  b.ed.InicBuscar(U"bar");
  EXPECT_EQ(b.Siguiente(), "1:13-16");
  b.Cursor(1, 1);
  b.ed.InicBuscar(U"o\tb");
  EXPECT_EQ(b.Siguiente(), "1:9-14");  // the end follows the tab, not the text's length
}

TEST(BusquedaEditor, ScopeOneStaysInsideTheSelection) {
  Buscador b;
  b.ed.Text(U"key 1\r\nx\r\nx\r\nkey 4\r\nx\r\nx\r\nkey 7");
  b.Cursor(1, 3);
  b.ed.SelectHasta(1, 6);
  b.ed.InicBuscar(U"key", 1, true, false);
  b.Cursor(1, 1);  // a cursor above the range does not widen it
  EXPECT_EQ(b.Siguiente(), "4:1-4");
  EXPECT_EQ(b.Siguiente(), "none");  // key on line 7 lies outside
  b.ed.InicBuscar(U"key", 0, true, false);  // back to the whole text
  EXPECT_EQ(b.Siguiente(), "7:1-4");
}

TEST(BusquedaEditor, OtherScopesKeepTheRange) {
  Buscador b;
  b.ed.Text(U"abc\r\nabc\r\nabc");
  b.Cursor(1, 2);
  b.ed.SelectHasta(4, 2);
  b.ed.InicBuscar(U"b", 1, true, false);
  b.ed.InicBuscar(U"c", 7, true, false);  // new text, same range
  EXPECT_EQ(b.ed.busqueda().hasta, (PosBusqueda{4, 2}));
  b.Cursor(1, 1);
  EXPECT_EQ(b.Siguiente(), "2:3-4");
  EXPECT_EQ(b.Siguiente(), "none");
}

TEST(BusquedaEditor, NothingToDo) {
  Buscador b;
  b.ed.Text(U"abc");
  b.Cursor(1, 1);
  EXPECT_EQ(b.ed.BuscarSig(), U"");  // no search text yet: silent
  b.Cursor(1, 1);
  b.ed.SelectHasta(2, 1);
  b.ed.InicBuscar(U"abc", 1, true, false);
  b.Cursor(4, 1);
  EXPECT_EQ(b.ed.BuscarSig(), U"");  // cursor past the range end: nothing, no box
  EXPECT_TRUE(b.dialogos.mensajes.empty());
}

TEST(BusquedaEditor, WholeTextFollowsLaterEdits) {
  Buscador b;
  b.ed.Text(U"one");
  b.ed.InicBuscar(U"two");
  b.ed.AgregaLinea(U"two");
  b.Cursor(1, 1);
  EXPECT_EQ(b.Siguiente(), "2:1-4");
  b.ed.EliminarLineas(2, 1);
  b.Cursor(1, 1);
  EXPECT_EQ(b.Siguiente(), "none");
}

} // namespace
} // namespace zt
