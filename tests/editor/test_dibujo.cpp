// Layout, scroll ranges, painting, caret and mouse of the editor, drawn on a recording surface.
#include "EditorPrueba.h"
#include "fakes/FakeSurface.h"
#include "fakes/FakeTimer.h"
#include <algorithm>

namespace zt {
namespace {

// An editor of 8 x 16 pixel cells on a recording surface, 'ancho' x 'alto' pixels.
struct VistaPrueba : EditorPrueba {
  FakeSurface sup;
  FakeTimer timer;
  explicit VistaPrueba(int ancho = 402, int alto = 160) {
    ed.FijaSuperficie(&sup);
    ed.FijaTimer(&timer);
    ed.Redimensiona(ancho, alto);
  }
  static Texto Lineas(int n) {
    Texto t;
    for (int i = 1; i <= n; ++i) t += (i > 1 ? U"\r\n" : U"") + T("linea " + std::to_string(i));
    return t;
  }
  bool Hay(const std::string& llamada) const {
    return std::find(sup.llamadas.begin(), sup.llamadas.end(), llamada) != sup.llamadas.end();
  }
};

TEST(Dibujo, ElMargenCreceConLasCifrasEnLaSiguienteDisposicion) {
  VistaPrueba v;
  v.ed.verNumLin = true;
  v.ed.Text(VistaPrueba::Lineas(100));
  v.ed.CursorText(1, 1);
  EXPECT_EQ(v.ed.geometria().gutter.ancho, 19);
  EXPECT_EQ(v.ed.geometria().superficie.x, 19);
  EXPECT_EQ(v.ed.columnasVis, (402 - 19) / 8);
  v.ed.AgregaLinea(U"101");
  EXPECT_EQ(v.ed.geometria().gutter.ancho, 19); // nothing laid out yet
  v.sup.Limpia();
  v.ed.Refrescar();
  EXPECT_EQ(v.ed.geometria().gutter.ancho, 26);
  EXPECT_EQ(v.ed.columnasVis, (402 - 26) / 8);
  EXPECT_TRUE(v.Hay("LlenaRect 0,0,26,160 #d2d2d2"));
  EXPECT_TRUE(v.Hay("DibujaTexto 0,2 \"1\" #000000"));
  // Text rows start right of the gutter.
  EXPECT_EQ(v.sup.Solo("DibujaTexto 26,0 ").size(), 1u) << v.sup.Todo();
  for (auto [n, ancho] : {std::pair{1000, 26}, {1001, 33}, {10001, 40}, {100001, 47}})
    EXPECT_EQ(AnchoGutter(true, n), ancho) << n;
  EXPECT_EQ(AnchoGutter(false, 5000), 2);
}

TEST(Dibujo, TextoLargoEscalaLaBarraVerticalYLlegaAlFinalYAlPrincipio) {
  VistaPrueba v(402, 160); // 10 lines
  v.ed.lineas().Inserta(1, std::vector<Texto>(70000, U"x"));
  v.ed.Refrescar();
  EXPECT_FLOAT_EQ(v.ed.escalaV(), 1.0f / 3);
  const BarraScroll& b = v.ed.VScroll1();
  EXPECT_TRUE(b.habilitada);
  EXPECT_EQ(b.max, (70000 - 10) / 3 + 1);
  v.ed.CambioVScroll(b.max);
  EXPECT_EQ(v.ed.ultLinDibujada(), 70000);
  EXPECT_EQ(b.valor, b.max); // the redraw put the bar where it was dragged
  v.ed.CambioVScroll(2);
  EXPECT_EQ(v.ed.primLinVis, 4);
  EXPECT_EQ(b.valor, 2);
  v.ed.CambioVScroll(1); // the top is reachable, not line 1 + one unit
  EXPECT_EQ(v.ed.primLinVis, 1);
  v.ed.VerticalScroll(5);
  EXPECT_EQ(b.valor, 6);
  EXPECT_EQ(v.ed.primLinVis, 16);
  v.ed.VerticalScroll(-100);
  EXPECT_EQ(v.ed.primLinVis, 1);
}

TEST(Dibujo, TextoCortoDeshabilitaLasBarrasYNoSeDesplaza) {
  VistaPrueba v;
  v.ed.Text(U"a\r\nb");
  EXPECT_FALSE(v.ed.VScroll1().habilitada);
  EXPECT_FALSE(v.ed.HScroll1().habilitada);
  v.ed.VerticalScroll(5);
  EXPECT_EQ(v.ed.primLinVis, 1);
}

TEST(Dibujo, ColoresDesdeLaPrimeraColumnaVisibleYSeleccion) {
  VistaPrueba v;
  v.ed.verDesHor = true;
  v.ed.Text(U"echo \"hola\" # fin\r\n" + Texto(100, U'z'));
  v.ed.CambioHScroll(3);
  v.sup.Limpia();
  v.ed.Refrescar();
  // The run holding column 3 ("echo") is cut there; the others keep their place and colour.
  std::string cad = FakeSurface::Hex(v.ed.colores.ColTxtCad);
  EXPECT_TRUE(v.Hay("DibujaTexto 2,0 \"ho\" " + FakeSurface::Hex(v.ed.colores.ColPalRes))) << v.sup.Todo();
  EXPECT_TRUE(v.Hay("DibujaTexto 26,0 \"\"hola\"\" " + cad));
  // A stream selection from (2,1) to (3,2): line 1 from column 2 to the end, line 2 up to column 3.
  v.ed.CambioHScroll(1);
  v.ed.CursorText(2, 1);
  v.ed.SelectHasta(3, 2);
  v.sup.Limpia();
  v.ed.Refrescar();
  std::string fs = FakeSurface::Hex(v.ed.colores.ColFonSel), ts = FakeSurface::Hex(v.ed.colores.ColTxtSel);
  EXPECT_TRUE(v.Hay("LlenaRect 10,0,400,16 " + fs)) << v.sup.Todo();
  EXPECT_TRUE(v.Hay("DibujaTexto 10,0 \"cho \"hola\" # fin\" " + ts));
  EXPECT_TRUE(v.Hay("LlenaRect 2,16,16,16 " + fs));
  EXPECT_TRUE(v.Hay("DibujaTexto 2,16 \"zz\" " + ts));
  EXPECT_TRUE(v.Hay("DibujaTexto 18,16 \"" + std::string(49, 'z') + "\" #000000"));
}

TEST(Dibujo, CaretRojoEnModoColumnaYParpadeoCadaDosTics) {
  VistaPrueba v;
  v.ed.EncenCursor(); // an empty text shows its caret too
  EXPECT_TRUE(v.Hay("LlenaRect 2,0,2,16 #000000")) << v.sup.Todo();
  v.ed.Text(U"abc");
  v.ed.CursorText(2, 1);
  EXPECT_TRUE(v.Hay("LlenaRect 10,0,2,16 #000000"));
  v.ed.TipoSelec(1);
  v.sup.Limpia();
  v.ed.EncenCursor();
  EXPECT_TRUE(v.Hay("LlenaRect 10,0,2,16 #ff0000")) << v.sup.Todo();
  EXPECT_EQ(v.timer.intervalo, 250);
  v.sup.Limpia();
  v.timer.Tic();
  EXPECT_TRUE(v.ed.caretMostrado());
  v.timer.Tic(); // erased: the cell repainted with its character
  EXPECT_FALSE(v.ed.caretMostrado());
  EXPECT_EQ(v.sup.Todo(), "LlenaRect 10,0,8,16 #ffffff\nDibujaTexto 10,0 \"b\" #000000\n");
  v.timer.Tics(2);
  EXPECT_TRUE(v.ed.caretMostrado());
  v.ed.ApagCursor();
  v.timer.Tics(4);
  EXPECT_FALSE(v.ed.caretMostrado());
}

TEST(Dibujo, LaBandaDeLineaActualSigueAlCursor) {
  VistaPrueba v;
  v.ed.verFonLin = true;
  v.ed.Text(U"uno\r\ndos");
  v.ed.CursorText(1, 1);
  std::string banda = FakeSurface::Hex(v.ed.colores.ColLinAct);
  v.sup.Limpia();
  v.Tecla(tecla::Abajo);
  EXPECT_TRUE(v.Hay("LlenaRect 2,0,400,16 #ffffff")) << v.sup.Todo();
  EXPECT_TRUE(v.Hay("LlenaRect 2,16,400,16 " + banda));
}

TEST(Dibujo, DeshabilitadoPintaGrisYApagaLasBarras) {
  VistaPrueba v(402, 64);
  v.ed.Text(VistaPrueba::Lineas(20));
  EXPECT_TRUE(v.ed.VScroll1().habilitada);
  v.sup.Limpia();
  v.ed.enabled(false);
  EXPECT_TRUE(v.Hay("LlenaRect 2,0,400,64 #c8c8c8")) << v.sup.Todo();
  EXPECT_FALSE(v.ed.VScroll1().habilitada);
  EXPECT_FALSE(v.ed.HScroll1().habilitada);
  EXPECT_FALSE(v.ed.caretMostrado());
  v.ed.RatonPulsa(raton::Izquierdo, 0, 30, 20);
  EXPECT_EQ(v.ed.curYt, 20); // a disabled surface takes no clicks
  v.ed.enabled(true);
  EXPECT_TRUE(v.ed.VScroll1().habilitada);
}

TEST(Dibujo, RatonColocaElCursorEnLaFronteraMasCercanaYArrastraSeleccion) {
  VistaPrueba v;
  v.ed.Text(U"abcdef gh\r\nxyz");
  const int x0 = v.ed.geometria().superficie.x;
  struct Caso {
    int x;
    int32_t col;
  } casos[] = {{x0 + 2 * 8 + 5, 4}, {x0 + 2 * 8 + 3, 3}, {x0, 1}, {x0 + 200, 10}};
  for (const Caso& c : casos) {
    v.ed.RatonPulsa(raton::Izquierdo, 0, c.x, 3);
    v.ed.RatonSuelta(raton::Izquierdo, 0, c.x, 3);
    EXPECT_EQ(v.ed.curXt, c.col) << c.x;
    EXPECT_FALSE(v.ed.haysel);
  }
  v.ed.RatonPulsa(raton::Izquierdo, 0, x0 + 8, 3);
  v.ed.RatonMueve(raton::Izquierdo, 0, x0 + 16, 20);
  v.ed.RatonSuelta(raton::Izquierdo, 0, x0 + 16, 20);
  EXPECT_EQ(U8(v.ed.TextSel()), "bcdef gh\r\nxy");
  v.ed.RatonPulsa(raton::Izquierdo, tecla::Mayus, x0 + 40, 3);
  EXPECT_EQ(U8(v.ed.TextSel()), "bcde");
  v.ed.RatonDobleClic(x0 + 1 * 8 + 1, 3);
  EXPECT_EQ(U8(v.ed.TextSel()), "abcdef");
  EXPECT_FALSE(v.ed.caretMostrado());
}

} // namespace
} // namespace zt
