// The bounded undo history, the saved marker and the modified state.
#include "EditorPrueba.h"

namespace zt {
namespace {

TEST(Deshacer, VolverAlEstadoGuardado) {
  EditorPrueba e;
  e.ed.Text(U"");
  EXPECT_EQ(U8(e.ed.lblEstado1.texto), "Guardado");
  e.Escribe("abc");
  EXPECT_TRUE(e.ed.TextModificado());
  EXPECT_EQ(U8(e.ed.lblEstado1.texto), "Modificado");
  EXPECT_EQ(e.ed.lblEstado1.color, RGB(255, 0, 0));
  e.ed.Deshacer();
  e.ed.Deshacer();
  EXPECT_EQ(e.Lineas(), (Lineas{"a"}));
  e.ed.Deshacer();
  EXPECT_EQ(e.Lineas(), (Lineas{""}));
  EXPECT_FALSE(e.ed.TextModificado());
  EXPECT_EQ(e.ed.lblEstado1.color, RGB(0, 128, 0));
  e.ed.Deshacer(); // empty history: nothing
  EXPECT_EQ(e.ed.nUndo(), 0);
}

TEST(Deshacer, SoloSesentaYUnaEntradas) {
  EditorPrueba e;
  e.ed.Text(U"");
  e.Escribe(std::string(62, 'x'));
  EXPECT_EQ(e.ed.nUndo(), 61);
  while (e.ed.nUndo() > 0) e.ed.Deshacer();
  EXPECT_EQ(e.Lineas(), (Lineas{"x"}));
  EXPECT_TRUE(e.ed.TextModificado()); // the saved state fell out of the history
  e.ed.FijarTextNoModif();
  EXPECT_FALSE(e.ed.TextModificado());
}

TEST(Deshacer, GuardadoDentroDeLaHistoriaSobreviveAlRecorte) {
  EditorPrueba e;
  e.ed.Text(U"");
  e.Escribe(std::string(30, 'a'));
  e.ed.FijarTextNoModif();
  e.Escribe(std::string(40, 'b')); // 9 oldest entries dropped, the marker follows
  EXPECT_EQ(e.ed.nUndo(), 61);
  for (int i = 0; i < 40; ++i) e.ed.Deshacer();
  EXPECT_FALSE(e.ed.TextModificado());
  EXPECT_EQ(e.ed.linea(1), Texto(30, U'a'));
}

TEST(Deshacer, EditarPorDebajoDeLaMarcaLaHaceInalcanzable) {
  EditorPrueba e;
  e.ed.Text(U"");
  e.Escribe("ab");
  e.ed.FijarTextNoModif();
  e.ed.Deshacer(); // "a": below the marker
  e.Escribe("c");  // "ac": nUndo equals the marker again, yet the text differs
  EXPECT_EQ(e.Lineas(), (Lineas{"ac"}));
  EXPECT_TRUE(e.ed.TextModificado());
  e.ed.Deshacer();
  e.ed.Deshacer();
  EXPECT_TRUE(e.ed.TextModificado());
}

TEST(Deshacer, CambioDeModoSeDeshace) {
  EditorPrueba e;
  e.ed.Text(U"abc");
  e.ed.TipoSelec(1);
  e.ed.TipoSelec(1); // the same value: no entry
  EXPECT_EQ(e.ed.nUndo(), 1);
  EXPECT_EQ(e.ed.historia().back().tipo, 3);
  e.ed.Deshacer();
  EXPECT_EQ(e.ed.TipoSelec(), 0);
  e.ed.TipoSelec(1);
  e.ed.TipoSelec(0);
  EXPECT_EQ(e.ed.historia().back().tipo, -3);
  e.ed.Deshacer();
  EXPECT_EQ(e.ed.TipoSelec(), 1);
}

TEST(Deshacer, EntradasPorOperacion) {
  EditorPrueba e;
  e.ed.Text(U"uno dos");
  e.ed.SeleccionaTodo();
  e.portapapeles.texto = U"a\r\nb";
  e.ed.PegaSeleccion(); // the replaced selection and the paste
  ASSERT_EQ(e.ed.nUndo(), 2);
  EXPECT_EQ(e.ed.historia()[0].tipo, -1);
  EXPECT_EQ(e.ed.historia()[0].texto, U"uno dos");
  EXPECT_EQ(e.ed.historia()[1].tipo, 1);
  EXPECT_EQ(e.ed.historia()[1].texto, U"a\r\nb");
  e.Cursor(2, 1);
  e.Tecla(tecla::Suprimir); // a join is recorded as CR LF
  EXPECT_EQ(e.ed.historia().back().texto, U"\r\n");
  EXPECT_EQ(e.ed.historia().back().pos, (PosTexto{2, 1}));
  e.ed.Deshacer();
  e.ed.Deshacer();
  e.ed.Deshacer();
  EXPECT_EQ(e.Lineas(), (Lineas{"uno dos"}));
}

// A join is a stream edit even in column mode: undo puts the line break back, not a block.
TEST(Deshacer, UnionDeLineasEnModoColumna) {
  EditorPrueba e;
  e.ed.Text(U"ab\r\ncd");
  e.ed.TipoSelec(1);
  e.ed.CursorText(3, 1);
  e.Tecla(tecla::Suprimir);
  EXPECT_EQ(e.Lineas(), (Lineas{"abcd"}));
  e.ed.Deshacer();
  EXPECT_EQ(U8(e.ed.Text()), "ab\r\ncd");
  EXPECT_EQ(e.ed.TipoSelec(), 1);

  e.ed.CursorText(1, 2);
  e.Tecla(tecla::Retroceso);
  e.Escribe("X");
  EXPECT_EQ(e.Lineas(), (Lineas{"abXcd"}));
  e.ed.Deshacer();
  e.ed.Deshacer();
  EXPECT_EQ(U8(e.ed.Text()), "ab\r\ncd");
  e.ed.Deshacer(); // the mode switch
  EXPECT_EQ(U8(e.ed.Text()), "ab\r\ncd");
  EXPECT_EQ(e.ed.TipoSelec(), 0);
  EXPECT_TRUE(e.dialogos.mensajes.empty());
}

TEST(Deshacer, SeleccionVivaNoSeBorraAlDeshacer) {
  EditorPrueba e;
  e.ed.Text(U"abc\r\ndef");
  e.Cursor(4, 1);
  e.Escribe("X");
  e.Cursor(1, 2);
  e.Tecla(tecla::Fin, tecla::Mayus);
  e.ed.Deshacer();
  EXPECT_EQ(e.Lineas(), (Lineas{"abc", "def"}));
}

TEST(Deshacer, PosicionesViejasSeAcotan) {
  EditorPrueba e;
  e.ed.Text(U"uno\r\ndos\r\ntres\r\ncuatro");
  e.Cursor(5, 4);
  e.Escribe("XYZ");
  e.Cursor(1, 3);
  e.Tecla(tecla::Suprimir, tecla::Mayus); // nothing selected: nothing cut
  e.ed.SelecLinea(3);
  e.Tecla(tecla::Suprimir);
  e.ed.EliminarLineas(2, 3); // not recorded: the entries now point past the text
  EXPECT_EQ(e.ed.nLin(), 1);
  while (e.ed.nUndo() > 0) e.ed.Deshacer();
  EXPECT_GE(e.ed.nLin(), 1);
  EXPECT_GE(e.ed.curYt, 1);
  EXPECT_LE(e.ed.curYt, e.ed.nLin());
}

// A host may leave the cursor inside a tab: the entry records where the edit really happened.
TEST(Deshacer, CursorDentroDeTabuladorSeDeshaceEnSuSitio) {
  EditorPrueba e;
  e.ed.Text(U"a\tb");
  e.ed.curXt = 4;
  e.ed.CurInsertar(U"X"); // goes in before the tab
  EXPECT_EQ(e.Lineas(), (Lineas{"aX\tb"}));
  e.ed.Deshacer();
  EXPECT_EQ(e.Lineas(), (Lineas{"a\tb"}));
  e.ed.curXt = 4;
  e.ed.CurEliminar(); // removes the tab
  EXPECT_EQ(e.Lineas(), (Lineas{"ab"}));
  e.ed.Deshacer();
  EXPECT_EQ(e.Lineas(), (Lineas{"a\tb"}));
}

TEST(Deshacer, HistoriaDeMasDeUnMillonSeVacia) {
  EditorPrueba e;
  e.ed.Text(U"");
  e.ed.FijarTextNoModif();
  Texto bloque;
  for (int i = 0; i < 10000; ++i) bloque += Texto(58, U'a') + U"\r\n"; // 600,000 characters
  e.ed.CurInsertar(bloque);
  e.ed.CurInsertar(bloque);
  EXPECT_EQ(e.ed.nUndo(), 2);
  e.Escribe("z"); // the texts exceed 1,000,000: the history is cleared first
  EXPECT_EQ(e.ed.nUndo(), 1);
  e.ed.Deshacer();
  EXPECT_TRUE(e.ed.TextModificado());
  EXPECT_EQ(e.ed.nLin(), 20001);
}

} // namespace
} // namespace zt
