// Tab expansion, column mapping, cursor snapping and the moves of the keyboard table.
#include "EditorPrueba.h"
#include "editor/Columnas.h"

namespace zt {
namespace {

TEST(Columnas, ExpansionPorPiezas) {
  struct Caso {
    const char *linea;
    int tab;
    const char *esperado;
  } casos[] = {
      {"ab\tc", 6, "ab    c"},
      {"abcdef\tx", 6, "abcdef      x"}, // a piece that fills the stop gets a full tab
      {"\t\t", 4, "        "},
      {"a\tb\tc", 3, "a  b  c"},
      {"x\ty", 0, "x y"}, // a tab width below 1 counts as 1
      {"", 6, ""},
  };
  for (auto &c : casos) {
    EXPECT_EQ(U8(LineaFin(T(c.linea), c.tab)), c.esperado) << c.linea;
    EXPECT_EQ(LargoExpandido(T(c.linea), c.tab), static_cast<int32_t>(std::string(c.esperado).size()));
  }
}

TEST(Columnas, PosXTrealYPosXTexp) {
  Texto l = U"ab\tc\td"; // "ab    c     d"
  int32_t esperado[] = {1, 2, 3, 3, 3, 3, 4, 5, 5, 5, 5, 5, 6, 7, 7};
  for (int32_t x = 1; x <= 15; ++x) EXPECT_EQ(PosXTreal(x, l, 6), esperado[x - 1]) << "x=" << x;
  int32_t exp[] = {1, 2, 3, 7, 8, 13, 14, 14};
  for (int32_t i = 1; i <= 8; ++i) EXPECT_EQ(PosXTexp(i, l, 6), exp[i - 1]) << "i=" << i;
  EXPECT_EQ(PosXTreal(0, l, 6), 0);
  EXPECT_EQ(PosXTexp(0, l, 6), 0);
  EXPECT_EQ(posFinTab(1, 6), 7);
  EXPECT_EQ(posFinTab(6, 6), 7);
  EXPECT_EQ(posFinTab(7, 6), 13);
}

TEST(Columnas, SaltoSobreTabulador) {
  EditorPrueba e;
  e.ed.Text(U"ab\tc");
  e.Cursor(3, 1);
  e.Tecla(tecla::Derecha);
  EXPECT_EQ(e.ed.curXt, 7);
  e.Tecla(tecla::Izquierda);
  EXPECT_EQ(e.ed.curXt, 3);
  e.Cursor(5, 1); // inside the tab: snaps onto it
  EXPECT_EQ(e.ed.curXt, 3);
}

TEST(Columnas, ColumnaDeseadaEnMovimientosVerticales) {
  EditorPrueba e;
  e.ed.Text(U"abcdefgh\r\nab\r\n\tx\r\nabcdefghij");
  e.Cursor(7, 1);
  e.Tecla(tecla::Abajo);
  EXPECT_EQ(e.ed.curXt, 3);
  e.Tecla(tecla::Abajo); // column 7 is the x after the tab
  EXPECT_EQ(e.ed.curXt, 7);
  e.Cursor(5, 3); // inside the tab, snapped to 1; desired column becomes 1
  e.Tecla(tecla::Abajo);
  EXPECT_EQ(e.ed.curXt, 1);
  e.Cursor(5, 1);
  e.Tecla(tecla::Abajo, 0, 2); // snap 1 inside the tab: column 1
  EXPECT_EQ(e.ed.curXt, 1);
  e.Tecla(tecla::Abajo);
  EXPECT_EQ(e.ed.curXt, 5);
  e.Tecla(tecla::Retroceso); // a step left: the desired column follows
  e.Tecla(tecla::Arriba, 0, 3);
  EXPECT_EQ(e.ed.curXt, 4);
}

TEST(Columnas, FinInicioYExtremosDelTexto) {
  EditorPrueba e;
  e.ed.Text(U"corta\r\nuna linea larga\r\nmedia");
  e.Cursor(2, 3);
  e.Tecla(tecla::Fin);
  EXPECT_EQ(e.ed.curXt, 6);
  e.Tecla(tecla::Inicio, tecla::Ctrl);
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{1, 1}));
  e.Tecla(tecla::Fin, tecla::Ctrl);
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{6, 3}));
  EXPECT_EQ(e.ed.anchoMax(), 15);
  e.Tecla(tecla::Derecha); // end of the last line: stays
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{6, 3}));
  e.Cursor(6, 1);
  e.Tecla(tecla::Derecha);
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{1, 2}));
  e.Tecla(tecla::Izquierda);
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{6, 1}));
}

TEST(Columnas, MovimientosPorPalabra) {
  EditorPrueba e;
  e.ed.Text(U"uno  dos.tres, $x-1\r\nsig");
  e.Cursor(1, 1);
  std::vector<int> paradas;
  for (int i = 0; i < 4; ++i) {
    e.Tecla(tecla::Derecha, tecla::Ctrl);
    paradas.push_back(e.ed.curXt);
  }
  EXPECT_EQ(paradas, (std::vector<int>{6, 16, 20, 1})); // '.' is a word character; last: next line
  EXPECT_EQ(e.ed.curYt, 2);
  e.Tecla(tecla::Izquierda, tecla::Ctrl);
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{20, 1}));
  e.Tecla(tecla::Izquierda, tecla::Ctrl);
  EXPECT_EQ(e.ed.curXt, 16);
  e.Tecla(tecla::Izquierda, tecla::Ctrl);
  EXPECT_EQ(e.ed.curXt, 6);
  e.Tecla(tecla::Izquierda, tecla::Ctrl);
  EXPECT_EQ(e.ed.curXt, 1);
}

TEST(Columnas, BordesDeBloque) {
  EditorPrueba e;
  // lines reaching column 3: 1, 2, 5, 6, 7
  e.ed.Text(U"aaaa\r\naaaa\r\na\r\n\r\naaaa\r\naaaa\r\naaaa\r\na");
  struct Caso {
    int desde;
    int dir;
    int llega;
  } casos[] = {
      {7, tecla::Arriba, 5}, {5, tecla::Arriba, 2}, {2, tecla::Arriba, 1}, {1, tecla::Abajo, 2},
      {2, tecla::Abajo, 5},  {5, tecla::Abajo, 7},  {7, tecla::Abajo, 8},  {3, tecla::Abajo, 5},
  };
  for (auto &c : casos) {
    e.ed.ColocaCursor(3, c.desde, 0);
    e.Tecla(c.dir, tecla::Ctrl);
    EXPECT_EQ(e.ed.curYt, c.llega) << "desde " << c.desde;
  }
}

TEST(Columnas, VistaSigueAlCursorConPasosDe12) {
  EditorPrueba e;
  e.ed.lineasVis = 10;
  e.ed.columnasVis = 20;
  Texto t;
  for (int i = 0; i < 50; ++i) t += U"0123456789012345678901234567890123456789\r\n";
  e.ed.Text(t);
  e.Cursor(1, 1);
  EXPECT_EQ(e.ed.primLinVis, 1);
  e.Tecla(tecla::AvPag);
  EXPECT_EQ(e.ed.primLinVis, 10);
  EXPECT_EQ(e.ed.curYt, 10);
  e.Tecla(tecla::Abajo, 0, 10);
  EXPECT_EQ(e.ed.curYt, 20);
  EXPECT_EQ(e.ed.primLinVis, 11);
  e.Tecla(tecla::RePag);
  EXPECT_EQ(e.ed.primLinVis, 2);
  EXPECT_EQ(e.ed.curYt, 11);
  e.Tecla(tecla::Derecha, 0, 19); // reaches the last visible column: 12 more
  EXPECT_EQ(e.ed.curXt, 20);
  EXPECT_EQ(e.ed.primColVis, 13);
  e.Tecla(tecla::Inicio); // column 1 out of view: shown, never before column 1
  EXPECT_EQ(e.ed.primColVis, 1);
}

} // namespace
} // namespace zt
