// Stream and column selections, typing over a block, block paste and the clipboard.
#include "EditorPrueba.h"

namespace zt {
namespace {

TEST(Seleccion, FlujoEntreLineas) {
  EditorPrueba e;
  e.ed.Text(U"uno\tdos\r\ntres\r\ncuatro");
  e.Cursor(7, 1);
  e.ed.FijaAncla();
  e.ed.SelectHasta(3, 3);
  EXPECT_EQ(e.ed.TextSel(), U"dos\r\ntres\r\ncu");
  e.Tecla(tecla::Suprimir);
  EXPECT_EQ(e.Lineas(), (Lineas{"uno\tatro"}));
  EXPECT_FALSE(e.ed.haysel);
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{7, 1}));
}

TEST(Seleccion, EtiquetaDeColumnasSeleccionadas) {
  EditorPrueba e;
  e.ed.Text(U"abcdef");
  e.Cursor(1, 1);
  EXPECT_EQ(U8(e.ed.lblEstado4.texto), "sin selección");
  e.Tecla(tecla::Derecha, tecla::Mayus, 3);
  EXPECT_EQ(U8(e.ed.lblEstado4.texto), "3 Col. seleccionados");
  EXPECT_EQ(e.ed.TextSel(), U"abc");
  e.Tecla(tecla::Derecha); // a move without Shift clears
  EXPECT_FALSE(e.ed.haysel);
  EXPECT_EQ(e.ed.TextSel(), U"");
  EXPECT_EQ(U8(e.ed.lblEstado2.texto), "Fil=1 Col=5");
}

TEST(Seleccion, BloqueDeColumnasSeRellenaConEspacios) {
  EditorPrueba e;
  e.ed.Text(U"linea uno\r\nabcdefgh\r\na\tz\r\nwxyzvu\r\nfin");
  e.ed.TipoSelec(1);
  e.Cursor(3, 2);
  e.ed.FijaAncla();
  e.ed.SelectHasta(6, 4);
  EXPECT_EQ(e.ed.TextSel(), U"cde\r\n   \r\nyzv");
  e.ed.CopiaSeleccion();
  EXPECT_EQ(e.portapapeles.texto, U"cde\r\n   \r\nyzv");
  // Made from bottom-right to top-left, or top-right to bottom-left: the same block.
  e.Cursor(6, 2);
  e.ed.FijaAncla();
  e.ed.SelectHasta(3, 4);
  EXPECT_EQ(e.ed.TextSel(), U"cde\r\n   \r\nyzv");
}

TEST(Seleccion, EscribirSobreBloqueEscribeEnCadaLinea) {
  EditorPrueba e;
  e.ed.Text(U"0123456\r\nabcdefg\r\nABCDEFG\r\nhijklmn\r\n9");
  e.ed.TipoSelec(1);
  e.Cursor(3, 2);
  e.ed.FijaAncla();
  e.ed.SelectHasta(6, 4);
  e.Escribe("x");
  EXPECT_EQ(e.Lineas(), (Lineas{"0123456", "abxfg", "ABxFG", "hixmn", "9"}));
  EXPECT_TRUE(e.ed.haysel); // a zero-width block for further typing
  EXPECT_EQ(e.ed.selIni(), (PosTexto{4, 2}));
  EXPECT_EQ(e.ed.selFin(), (PosTexto{4, 4}));
  e.Escribe("y");
  EXPECT_EQ(e.Lineas(), (Lineas{"0123456", "abxyfg", "ABxyFG", "hixymn", "9"}));
  // Undo brings back the original block, entry by entry.
  while (e.ed.nUndo() > 1) e.ed.Deshacer(); // keep the mode switch
  EXPECT_EQ(e.Lineas(), (Lineas{"0123456", "abcdefg", "ABCDEFG", "hijklmn", "9"}));
}

TEST(Seleccion, BloqueHechoDeAbajoArribaSeBorraEnSuEsquina) {
  EditorPrueba e;
  e.ed.Text(U"abcdef\r\nghijkl");
  e.ed.TipoSelec(1);
  e.Cursor(2, 2);
  e.ed.FijaAncla();
  e.ed.SelectHasta(4, 1); // start (4,1), end (2,2): block columns 2..3
  e.Tecla(tecla::Suprimir);
  EXPECT_EQ(e.Lineas(), (Lineas{"adef", "gjkl"}));
  e.ed.Deshacer();
  EXPECT_EQ(e.Lineas(), (Lineas{"abcdef", "ghijkl"}));
}

TEST(Seleccion, PegarBloqueAlFinalAgregaLineas) {
  EditorPrueba e;
  e.ed.Text(U"uno\r\ndos\r\nultima");
  e.ed.FijarTextNoModif();
  e.ed.TipoSelec(1);
  e.Cursor(5, 3);
  e.portapapeles.texto = U"AA\r\nBB\r\nCC";
  e.Tecla(tecla::Insertar, tecla::Mayus);
  EXPECT_EQ(e.Lineas(), (Lineas{"uno", "dos", "ultiAAma", "    BB", "    CC"}));
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{7, 5}));
  e.ed.Deshacer();
  EXPECT_EQ(e.Lineas(), (Lineas{"uno", "dos", "ultima", "    ", "    "}));
  e.ed.Deshacer();
  EXPECT_EQ(e.Lineas(), (Lineas{"uno", "dos", "ultima"}));
  e.ed.Deshacer();
  EXPECT_EQ(e.ed.TipoSelec(), 0);
  EXPECT_FALSE(e.ed.TextModificado());
}

// Undo takes back from each line what its own piece put there: pieces of different lengths, and a
// tab typed over a block (one stored character, several columns).
TEST(Seleccion, DeshacerBloqueQuitaLaPiezaDeCadaLinea) {
  EditorPrueba e;
  e.ed.Text(U"abcdef\r\nghijkl");
  e.ed.TipoSelec(1);
  e.Cursor(3, 1);
  e.ed.CurInsertar(U"X\r\nYYYY\r\nZZ");
  EXPECT_EQ(e.Lineas(), (Lineas{"abXcdef", "ghYYYYijkl", "  ZZ"}));
  e.ed.Deshacer();
  e.ed.Deshacer();
  EXPECT_EQ(e.Lineas(), (Lineas{"abcdef", "ghijkl"}));
  e.Cursor(3, 1);
  e.ed.FijaAncla();
  e.ed.SelectHasta(3, 2);
  e.Escribe("\t");
  EXPECT_EQ(e.Lineas(), (Lineas{"ab\tcdef", "gh\tijkl"}));
  EXPECT_EQ(e.ed.selIni(), (PosTexto{7, 1})); // further typing goes after the whole tab
  while (e.ed.nUndo() > 1) e.ed.Deshacer(); // keep the mode switch
  EXPECT_EQ(e.Lineas(), (Lineas{"abcdef", "ghijkl"}));
  e.Cursor(3, 1);
  e.ed.FijaAncla();
  e.ed.SelectHasta(3, 2);
  e.Escribe("\tz"); // a block paste writes lines in their expanded form
  EXPECT_EQ(e.Lineas(), (Lineas{"ab    zcdef", "gh    zijkl"}));
}

TEST(Seleccion, PegarBloqueRellenaLineasCortasYExpandeTabuladores) {
  EditorPrueba e;
  e.ed.Text(U"a\tb\r\nx\r\nlarga linea");
  e.ed.TipoSelec(1);
  e.Cursor(8, 1);
  e.ed.CurInsertar(U"1\r\n2\r\n3");
  EXPECT_EQ(e.Lineas(), (Lineas{"a     b1", "x      2", "larga l3inea"}));
  e.ed.Deshacer();
  EXPECT_EQ(e.Lineas(), (Lineas{"a     b", "x      ", "larga linea"}));
}

TEST(Seleccion, PortapapelesVacioFallosYCorte) {
  EditorPrueba e;
  e.ed.Text(U"texto");
  e.portapapeles.texto = U"viejo";
  e.ed.CopiaSeleccion(); // nothing selected: an empty text
  EXPECT_EQ(e.portapapeles.texto, U"");
  e.portapapeles.fallaLectura = true;
  e.ed.PegaSeleccion();
  EXPECT_EQ(U8(e.dialogos.UltimoMensaje()), "Error Leyendo el portapapeles.");
  EXPECT_EQ(e.dialogos.mensajes.back().icono, Icono::Exclamacion);
  EXPECT_EQ(e.Lineas(), (Lineas{"texto"}));
  e.ed.SeleccionaTodo();
  e.portapapeles.fallaEscritura = true;
  e.ed.CortaSeleccion(); // the copy failed: the text stays
  EXPECT_EQ(e.Lineas(), (Lineas{"texto"}));
  e.portapapeles.fallaEscritura = false;
  e.Tecla(tecla::Suprimir, tecla::Mayus);
  EXPECT_EQ(e.portapapeles.texto, U"texto");
  EXPECT_EQ(e.ed.nLin(), 1);
  EXPECT_EQ(e.ed.linea(1), U"");
  e.portapapeles.fallaLectura = false;
  e.portapapeles.texto = U"a\nb"; // LF from the clipboard is a line break
  e.ed.PegaSeleccion();
  EXPECT_EQ(e.Lineas(), (Lineas{"a", "b"}));
  e.Tecla(tecla::Inicio, tecla::Ctrl | tecla::Mayus);
  e.Tecla(tecla::Insertar, tecla::Ctrl);
  EXPECT_EQ(e.portapapeles.texto, U"a\r\nb");
}

TEST(Seleccion, SeleccionesConNombre) {
  EditorPrueba e;
  e.ed.Text(U"if x.y_1 = $v\r\n\tsegunda\r\nfin");
  e.ed.SeleccionaPalabra(5, 1);
  EXPECT_EQ(e.ed.TextSel(), U"x.y_1");
  e.ed.SelecLinea(2);
  EXPECT_EQ(e.ed.TextSel(), U"\tsegunda");
  e.ed.SelecIdentificador(2, 2, 10); // from "segunda" across the line break
  EXPECT_EQ(e.ed.TextSel(), U"segunda\r\nf");
  e.ed.SeleccionaTodo();
  EXPECT_EQ(e.ed.TextSel(), e.ed.Text());
}

// A line longer than 32767 characters (from a file or a host) is reached, selected, found and
// cut like any other; nothing after column 32767 is lost.
TEST(Seleccion, LineaDeMasDe32767Caracteres) {
  EditorPrueba e;
  const Texto larga = Texto(40000, U'a') + U"b\tc";
  e.ed.Text(U"x\r\n" + larga);
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{40004, 2})); // Text leaves the cursor at the end
  e.Cursor(1, 1);
  e.Tecla(tecla::Fin, tecla::Ctrl);
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{40004, 2}));
  e.Tecla(tecla::Izquierda, 0, 2);
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{40002, 2})); // before the tab
  e.Tecla(tecla::Arriba);
  e.Tecla(tecla::Abajo);
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{40002, 2}));
  e.Tecla(tecla::Inicio, tecla::Mayus);
  EXPECT_TRUE(e.ed.TextSel() == Texto(40000, U'a') + U"b"); // long texts: no printing on failure
  e.ed.SelecLinea(2);
  EXPECT_TRUE(e.ed.TextSel() == larga);

  e.ed.InicBuscar(U"B");
  e.Cursor(1, 1);
  EXPECT_EQ(e.ed.BuscarSig(), U"B");
  EXPECT_EQ(e.ed.selIni(), (PosTexto{40001, 2}));
  EXPECT_EQ(e.ed.selFin(), (PosTexto{40002, 2}));
  e.ed.BuscarSig(); // no second match: the first one is not found again
  EXPECT_EQ(U8(e.dialogos.UltimoMensaje()), "No se encuentra el texto: 'B'");

  e.ed.SeleccionaTodo();
  e.ed.CortaSeleccion();
  EXPECT_TRUE(e.portapapeles.texto == U"x\r\n" + larga);
  EXPECT_EQ(e.ed.Text().size(), 0u);
  e.ed.Deshacer();
  EXPECT_TRUE(e.ed.Text() == U"x\r\n" + larga);
}

} // namespace
} // namespace zt
