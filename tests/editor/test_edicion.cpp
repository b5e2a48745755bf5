// Insertion and deletion across lines, Enter, the line-length limit and read-only mode.
#include "EditorPrueba.h"
#include <tuple>

namespace zt {
namespace {

TEST(Edicion, TextoVacioNoTieneLineasYEscribirCreaLaPrimera) {
  EditorPrueba e;
  e.ed.Text(U"");
  EXPECT_EQ(e.ed.nLin(), 0);
  e.Escribe("x");
  EXPECT_EQ(e.Lineas(), (Lineas{"x"}));
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{2, 1}));
}

TEST(Edicion, TextoIdaYVuelta) {
  EditorPrueba e;
  e.ed.Text(U"a\r\nb\r\n");
  EXPECT_EQ(e.Lineas(), (Lineas{"a", "b", ""}));
  EXPECT_EQ(e.ed.Text(), U"a\r\nb\r\n");
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{1, 3}));
  e.ed.Text(U"x\ny\rz");
  EXPECT_EQ(e.Lineas(), (Lineas{"x", "y", "z"}));
  EXPECT_FALSE(e.ed.TextModificado());
}

TEST(Edicion, InsertarDentroYDespuesDeTabulador) {
  EditorPrueba e;
  e.ed.Text(U"ab\tc");
  e.Cursor(5, 1); // inside the tab: the text goes before it
  e.Escribe("X");
  EXPECT_EQ(e.Lineas(), (Lineas{"abX\tc"}));
  EXPECT_EQ(e.ed.curXt, 4);
  e.Tecla(tecla::Derecha);
  EXPECT_EQ(e.ed.curXt, 7);
  e.ed.CurInsertar(U"\tZ"); // cursor lands after the inserted text, tabs counted expanded
  EXPECT_EQ(e.Lineas(), (Lineas{"abX\t\tZc"}));
  EXPECT_EQ(e.ed.curXt, 14);
}

TEST(Edicion, InsercionMultilineaParteLaLinea) {
  EditorPrueba e;
  e.ed.Text(U"primera\r\nHOLA MUNDO\r\nultima");
  e.Cursor(5, 2);
  e.ed.CurInsertar(U"1\r\n22\r\n333");
  EXPECT_EQ(e.Lineas(), (Lineas{"primera", "HOLA1", "22", "333 MUNDO", "ultima"}));
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{4, 4}));
  e.ed.CurInsertar(U"\n"); // a bare LF is a line break too
  EXPECT_EQ(e.Lineas(), (Lineas{"primera", "HOLA1", "22", "333", " MUNDO", "ultima"}));
}

TEST(Edicion, SuprimirYRetroceso) {
  EditorPrueba e;
  e.ed.Text(U"ab\r\n\tcd\r\nef");
  e.Cursor(3, 1);
  e.Tecla(tecla::Suprimir); // end of line: joins
  EXPECT_EQ(e.Lineas(), (Lineas{"ab\tcd", "ef"}));
  e.Tecla(tecla::Suprimir); // a tab is one character
  EXPECT_EQ(e.Lineas(), (Lineas{"abcd", "ef"}));
  e.Cursor(1, 1);
  e.Tecla(tecla::Retroceso); // column 1 of line 1: nothing
  EXPECT_EQ(e.Lineas(), (Lineas{"abcd", "ef"}));
  e.Cursor(1, 2);
  e.Tecla(tecla::Retroceso);
  EXPECT_EQ(e.Lineas(), (Lineas{"abcdef"}));
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{5, 1}));
  e.Cursor(7, 1);
  e.Tecla(tecla::Suprimir); // end of the last line: nothing
  EXPECT_EQ(e.Lineas(), (Lineas{"abcdef"}));
}

TEST(Edicion, RetrocesoDentroDeTabuladorBorraElTabulador) {
  EditorPrueba e;
  e.ed.Text(U"a\tb");
  e.Cursor(7, 1);
  e.Tecla(tecla::Retroceso);
  EXPECT_EQ(e.Lineas(), (Lineas{"ab"}));
  EXPECT_EQ(e.ed.curXt, 2);
}

TEST(Edicion, EnterYModoEnvioDirecto) {
  EditorPrueba e;
  std::vector<std::string> enviadas;
  e.ed.TeclaEnter = [&](const Texto &l, int) { enviadas.push_back(U8(l)); };
  e.ed.Text(U"1\r\n2\r\nls -l\r\n4\r\n5");
  e.ed.ModEnvDir = true;
  e.Cursor(3, 3);
  e.Tecla(tecla::Enter);
  EXPECT_EQ(e.ed.nLin(), 5);
  EXPECT_EQ(e.ed.curYt, 4);
  e.Tecla(tecla::Enter, tecla::Mayus); // Shift+Enter splits
  EXPECT_EQ(e.ed.nLin(), 6);
  e.Cursor(1, 6);
  e.Tecla(tecla::Enter); // last line: to its end, then a new line
  EXPECT_EQ(e.Lineas().back(), "");
  EXPECT_EQ(e.Lineas()[5], "5");
  EXPECT_EQ(enviadas, (std::vector<std::string>{"ls -l", "4", "5"}));
  e.ed.ModEnvDir = false;
  e.Cursor(2, 3);
  e.Tecla(tecla::Enter);
  EXPECT_EQ(e.Lineas()[2], "l");
  EXPECT_EQ(e.Lineas()[3], "s -l");
}

TEST(Edicion, PerfilSinEnvioDirectoYSinEventosDeTeclado) {
  EditorPrueba e(PerfilEditor::Preprocesador());
  int teclas = 0, modos = 0;
  e.ed.KeyDown = [&](int, int) { ++teclas; };
  e.ed.CambiaModo = [&] { ++modos; };
  e.ed.Text(U"a\r\nb");
  e.ed.ModEnvDir = true;
  e.Cursor(2, 1);
  e.Tecla(tecla::Enter);
  e.Tecla(tecla::LetraC, tecla::Alt);
  e.Tecla(tecla::LetraC, tecla::Alt | tecla::Mayus);
  EXPECT_EQ(e.ed.nLin(), 3);
  EXPECT_EQ(teclas, 0);
  EXPECT_EQ(modos, 1);
}

TEST(Edicion, LineaMuyLargaSeRechaza) {
  EditorPrueba e;
  e.ed.Text(Texto(32765, U'a'));
  e.Cursor(1, 1);
  e.Escribe("b"); // 32766: still fits
  EXPECT_TRUE(e.dialogos.mensajes.empty());
  e.Escribe("c"); // would reach 32767
  ASSERT_EQ(e.dialogos.mensajes.size(), 1u);
  EXPECT_EQ(U8(e.dialogos.UltimoMensaje()), "ERROR: Línea muy larga");
  EXPECT_EQ(e.ed.linea(1).size(), 32766u);
  EXPECT_EQ(e.ed.nUndo(), 1);
  // The same limit holds for pieces of a multi-line insertion and for joins.
  e.Cursor(32767, 1);
  e.ed.CurInsertar(U"x\r\ny");
  EXPECT_EQ(e.ed.nLin(), 1);
  e.ed.Text(Texto(20000, U'a') + U"\r\n" + Texto(20000, U'b'));
  e.Cursor(20001, 1);
  e.Tecla(tecla::Suprimir);
  EXPECT_EQ(e.ed.nLin(), 2);
  // Tabs count expanded: columns never pass the 16-bit range.
  e.ed.Text(Texto(5460, U'\t'));
  e.Cursor(1, 1);
  e.ed.CurInsertar(U"\t\t");
  EXPECT_EQ(e.ed.linea(1).size(), 5460u);
}

TEST(Edicion, SoloLecturaYPerfilTerminalNoEditan) {
  EditorPrueba e;
  e.ed.Text(U"abc");
  e.ed.bloqText = true;
  e.Cursor(2, 1);
  e.Escribe("x");
  e.Tecla(tecla::Suprimir);
  e.Tecla(tecla::Retroceso);
  e.Tecla(tecla::Enter);
  EXPECT_EQ(e.Lineas(), (Lineas{"abc"}));
  EXPECT_EQ(e.ed.nUndo(), 0);

  EditorPrueba t(PerfilEditor::Terminal());
  t.ed.Text(U"abc");
  t.Cursor(2, 1);
  t.Escribe("x");
  t.Tecla(tecla::Suprimir);
  t.portapapeles.texto = U"zz";
  t.ed.PegaSeleccion();
  t.ed.SeleccionaTodo();
  t.ed.CortaSeleccion(); // only copies
  EXPECT_EQ(t.Lineas(), (Lineas{"abc"}));
  EXPECT_EQ(t.portapapeles.texto, U"abc");
}

TEST(Edicion, EliminarLineasYAgregaLineaNoRegistran) {
  EditorPrueba e;
  std::vector<std::string> avisos;
  e.ed.lineas().alInsertar = [&](int32_t p, int32_t n) {
    avisos.push_back("+" + std::to_string(p) + "," + std::to_string(n));
  };
  e.ed.lineas().alEliminar = [&](int32_t p, int32_t n) {
    avisos.push_back("-" + std::to_string(p) + "," + std::to_string(n));
  };
  e.ed.lineas().alCambiar = [&](int32_t p, int32_t n) {
    avisos.push_back("*" + std::to_string(p) + "," + std::to_string(n));
  };
  for (auto s : {U"a", U"bb", U"ccc", U"dddd"}) e.ed.AgregaLinea(s);
  e.ed.EliminarLineas(2, 2);
  e.ed.EliminarLineas(5, 1); // past the end: nothing
  e.ed.EliminarLineas(2, 9); // more than nLin: nothing
  EXPECT_EQ(e.Lineas(), (Lineas{"a", "dddd"}));
  e.Cursor(2, 1);
  e.ed.CurInsertar(U"x\r\ny");
  EXPECT_EQ(avisos, (std::vector<std::string>{"+1,1", "+2,1", "+3,1", "+4,1", "-2,2", "*1,1", "+2,1"}));
  EXPECT_EQ(e.ed.nUndo(), 1);
  EXPECT_EQ(e.ed.anchoMax(), 4);
}

TEST(Edicion, CursorFueraDelTextoVuelveAlTexto) {
  EditorPrueba e;
  e.ed.Text(U"uno\r\ndos\r\ntres");
  e.Cursor(4, 3);
  e.ed.LimpiarLineas();
  e.ed.AgregaLinea(U"ab");
  e.Escribe("x"); // the cursor was left on line 3 of a text that now has one line
  EXPECT_EQ(e.Lineas(), (Lineas{"abx"}));
  e.ed.curYt = 40;
  e.ed.curXt = 9;
  e.Tecla(tecla::Suprimir);
  e.Tecla(tecla::Retroceso);
  EXPECT_EQ(e.Lineas(), (Lineas{"ab"}));
  // Backspace from a column past the end removes the last character, not a line break.
  e.ed.Text(U"abc\r\ndef");
  e.ed.curYt = 1;
  e.ed.curXt = 1000;
  e.Tecla(tecla::Retroceso);
  EXPECT_EQ(e.Lineas(), (Lineas{"ab", "def"}));
  e.ed.curYt = 0; // a line below 1: the edit is ignored
  e.ed.curXt = 3;
  e.Tecla(tecla::Retroceso);
  EXPECT_EQ(e.Lineas(), (Lineas{"ab", "def"}));
  // Block-edge moves from a cursor outside the text end on a line of it (they used to loop forever).
  for (auto [x, y, codigo] : {std::tuple{1, 9, tecla::Abajo}, {0, 0, tecla::Arriba}, {0, 50, tecla::Abajo},
                              {9, -5, tecla::Arriba}, {70000, 2, tecla::Arriba}}) {
    e.ed.curXt = x;
    e.ed.curYt = y;
    e.Tecla(codigo, tecla::Ctrl);
    EXPECT_GE(e.ed.curYt, 1);
    EXPECT_LE(e.ed.curYt, 2);
  }
  // An anchor taken from such a cursor is a position of the text: selecting from it works.
  e.ed.curXt = -50;
  e.Tecla(tecla::Suprimir);
  e.ed.TipoSelec(1);
  e.ed.SelectHasta(3, 2);
  EXPECT_EQ(e.ed.TextSel(), U"ab\r\nde");
}

} // namespace
} // namespace zt
