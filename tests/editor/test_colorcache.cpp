// The colour cache follows line insertions, removals and changes, and re-lexes only stale lines.
#include "EditorPrueba.h"
#include "editor/ColorCache.h"
#include <gtest/gtest.h>
#include <random>

namespace zt {
namespace {

// A plain line store driving the cache through the same calls the editor's hooks make.
struct Almacen {
  std::vector<Texto> l;
  int lecturas = 0;
  ColoresEditor colores;
  ColorCache cache{PerfilShell(), colores};

  Almacen() {
    cache.FijaFuente([this](int32_t y) {
      ++lecturas;
      return l[static_cast<size_t>(y - 1)];
    });
  }
  void Inserta(int32_t en, std::vector<Texto> nuevas) {
    l.insert(l.begin() + (en - 1), nuevas.begin(), nuevas.end());
    cache.AlInsertar(en, static_cast<int32_t>(nuevas.size()));
  }
  void Elimina(int32_t en, int32_t n) {
    l.erase(l.begin() + (en - 1), l.begin() + (en - 1 + n));
    cache.AlEliminar(en, n);
  }
  void Cambia(int32_t y, Texto t) {
    l[static_cast<size_t>(y - 1)] = std::move(t);
    cache.AlCambiar(y, 1);
  }
  void ColoreaTodo() {
    for (int32_t y = 1; y <= cache.Cuenta(); ++y) cache.Tramos(y);
  }
};

TEST(ColorCache, EntriesMoveWithTheirLines) {
  Almacen s;
  s.Inserta(1, {U"ls", U"# c", U"'x'"});
  s.ColoreaTodo();
  EXPECT_EQ(s.lecturas, 3);
  std::vector<TramoColor> comentario = s.cache.Tramos(2);

  s.Inserta(2, {U"cat"});
  EXPECT_EQ(s.cache.Estado(2), ColorCache::kInvalida);
  EXPECT_EQ(s.cache.Estado(3), ColorCache::kValida);
  EXPECT_EQ(s.cache.Tramos(3), comentario);
  EXPECT_EQ(s.lecturas, 3);  // moved entries are not lexed again

  s.Elimina(1, 2);
  EXPECT_EQ(s.cache.Cuenta(), 2);
  EXPECT_EQ(s.cache.Tramos(1), comentario);
  EXPECT_EQ(s.cache.ColorEn(1, 2), s.colores.ColTxtCad);
  EXPECT_EQ(s.lecturas, 3);
}

TEST(ColorCache, AChangeReLexesOnlyThatLine) {
  Almacen s;
  s.Inserta(1, {U"ls", U"echo", U"cd"});
  s.ColoreaTodo();
  s.Cambia(2, U"echo 'a");
  s.ColoreaTodo();
  EXPECT_EQ(s.lecturas, 4);
  EXPECT_EQ(s.cache.ColorEn(7, 2), s.colores.ColTxtCad);
  EXPECT_EQ(s.cache.ColorEn(8, 2), 0u);
}

TEST(ColorCache, NewColoursShowOnlyAfterReinicColEdi) {
  Almacen s;
  s.Inserta(1, {U"ls", U"x ls"});
  EXPECT_EQ(s.cache.ColorEn(1, 1), s.colores.ColPalRes);
  s.colores.ColPalRes = RGB(9, 9, 9);
  EXPECT_EQ(s.cache.ColorEn(1, 1), RGB(0, 190, 0));  // cached runs keep the colours they were built with
  s.cache.ReinicColEdi();
  EXPECT_EQ(s.cache.ColorEn(1, 1), RGB(9, 9, 9));
  EXPECT_EQ(s.cache.ColorEn(3, 2), RGB(9, 9, 9));
}

TEST(ColorCache, OutOfRangeRequestsAreHarmless) {
  Almacen s;
  s.Inserta(1, {U"ls", U"cd"});
  EXPECT_TRUE(s.cache.Tramos(0).empty());
  EXPECT_TRUE(s.cache.Tramos(3).empty());
  EXPECT_EQ(s.cache.ColorEn(1, 9), 0u);
  s.cache.AlEliminar(5, 1);
  s.cache.AlEliminar(2, 10);  // clamped to what exists
  EXPECT_EQ(s.cache.Cuenta(), 1);
  s.cache.AlCambiar(-3, 100);
  EXPECT_EQ(s.cache.Estado(1), ColorCache::kInvalida);
  s.cache.AlInsertar(99, 1);  // past the end: appended
  EXPECT_EQ(s.cache.Cuenta(), 2);
}

TEST(ColorCache, PromptAndProfile) {
  Almacen s;
  s.Inserta(1, {U"$ ls", U"ls"});
  s.cache.FijaPrompt([](int32_t y, VistaTexto linea) { return y == 1 && linea.starts_with(U"$ ") ? 2 : 0; });
  EXPECT_EQ(s.cache.ColorEn(1, 1), s.colores.ColPalRes2);
  EXPECT_EQ(s.cache.ColorEn(3, 1), s.colores.ColPalRes);
  s.cache.FijaPerfil(PerfilMacro());  // "ls" is no macro word
  EXPECT_EQ(s.cache.ColorEn(1, 2), s.colores.ColTxtNor);
}

// A prompt event that appends lines while a line is being coloured must not leave the cache broken.
TEST(ColorCache, PromptCallbackMayChangeTheLines) {
  Almacen s;
  s.Inserta(1, {U"$ ls"});
  bool primera = true;
  s.cache.FijaPrompt([&](int32_t, VistaTexto) {
    if (primera) s.Inserta(static_cast<int32_t>(s.l.size()) + 1, std::vector<Texto>(100, U"x"));
    primera = false;
    return 2;
  });
  EXPECT_EQ(s.cache.ColorEn(4, 1), s.colores.ColPalRes);
  EXPECT_EQ(s.cache.Cuenta(), 101);
}

// Random edits: every line's runs always equal a fresh lexing of its current text.
TEST(ColorCache, RandomEditsKeepRunsInStep) {
  std::mt19937 azar(20261207);
  const std::vector<Texto> muestras{U"ls -l", U"# c", U"echo 'a'", U"x", U"", U"do done", U"\"open"};
  auto muestra = [&] { return muestras[azar() % muestras.size()]; };
  Almacen s;
  for (int paso = 0; paso < 2000; ++paso) {
    int32_t n = static_cast<int32_t>(s.l.size());
    switch (azar() % 4) {
    case 0: s.Inserta(1 + static_cast<int32_t>(azar() % (n + 1)), {muestra(), muestra()}); break;
    case 1: if (n > 0) s.Elimina(1 + static_cast<int32_t>(azar() % n), 1); break;
    case 2: if (n > 0) s.Cambia(1 + static_cast<int32_t>(azar() % n), muestra()); break;
    case 3: if (n > 0) s.cache.Tramos(1 + static_cast<int32_t>(azar() % n)); break;
    }
    ASSERT_EQ(s.cache.Cuenta(), static_cast<int32_t>(s.l.size()));
  }
  for (int32_t y = 1; y <= s.cache.Cuenta(); ++y)
    ASSERT_EQ(s.cache.Tramos(y), Colorea(s.l[static_cast<size_t>(y - 1)], PerfilShell(), s.colores)) << y;
}

// The editor's own cache: typing re-lexes only the edited line, Enter moves entries with their lines.
TEST(ColorCache, EditorKeepsItsCacheInStep) {
  EditorPrueba e;
  e.ed.Text(U"ls\r\necho 'x' # y\r\ncd");
  int lecturas = 0;
  e.ed.colorCache().FijaFuente([&](int32_t y) {
    ++lecturas;
    return e.ed.LineaFin(e.ed.linea(y));
  });
  for (int32_t y = 1; y <= e.ed.nLin(); ++y) e.ed.TramosLinea(y);
  EXPECT_EQ(lecturas, 3);

  e.Cursor(3, 1);
  e.Escribe("x");  // "lsx": no longer a word
  EXPECT_EQ(e.ed.colorCache().Estado(2), ColorCache::kValida);
  EXPECT_EQ(e.ed.ColorEn(1, 1), e.ed.colores.ColTxtNor);
  EXPECT_EQ(lecturas, 4);

  e.Cursor(1, 2);
  e.Tecla(tecla::Enter, tecla::Mayus);  // splits before "echo": a new empty line 2
  ASSERT_EQ(e.ed.nLin(), 4);
  EXPECT_EQ(e.ed.colorCache().Cuenta(), 4);
  EXPECT_EQ(e.ed.ColorEn(1, 3), e.ed.colores.ColPalRes);
  EXPECT_EQ(e.ed.ColorEn(6, 3), e.ed.colores.ColTxtCad);
  EXPECT_EQ(e.ed.ColorEn(10, 3), e.ed.colores.ColTxtCom);
  EXPECT_EQ(e.ed.ColorEn(1, 4), e.ed.colores.ColPalRes);

  e.ed.colores.ColTxtCom = RGB(1, 1, 1);
  e.ed.ReinicColEdi();
  EXPECT_EQ(e.ed.ColorEn(10, 3), RGB(1, 1, 1));
  e.ed.LimpiarLineas();
  EXPECT_EQ(e.ed.colorCache().Cuenta(), 0);
}

TEST(ColorCache, EachEditorFormColoursItsOwnWay) {
  struct {
    PerfilEditor perfil;
    Color ls, comentario;
  } casos[] = {
      {PerfilEditor::CtlEdit(), RGB(0, 190, 0), RGB(0, 0, 0)},
      {PerfilEditor::CtlEdit2(), RGB(0, 0, 0), RGB(128, 128, 128)},
      {PerfilEditor::Preprocesador(), RGB(0, 0, 0), RGB(128, 128, 128)},
      {PerfilEditor::Terminal(), RGB(0, 190, 0), RGB(0, 0, 0)},
  };
  for (auto& c : casos) {
    EditorPrueba e(c.perfil);
    e.ed.Text(U"ls //x\tLS");
    EXPECT_EQ(e.ed.ColorEn(1, 1), c.ls);
    EXPECT_EQ(e.ed.ColorEn(4, 1), c.comentario);
  }
  EditorPrueba shell;
  shell.ed.Text(U"a\tls");  // runs count expanded columns
  EXPECT_EQ(shell.ed.ColorEn(7, 1), RGB(0, 190, 0));
  EXPECT_EQ(shell.ed.ColorEn(2, 1), RGB(0, 0, 0));
}

} // namespace
} // namespace zt
