// Scanner: contents, cursor primitives and token readers.
#include "preproc/Fuente.h"
#include "preproc/Cadenas.h"
#include <gtest/gtest.h>

using namespace zt;
using namespace zt::preproc;

namespace {

struct Escaner {
  EstadoError error;
  Fuente f{error};
  explicit Escaner(const char* texto) { f.CreaDeTexto(T(texto)); }
};

TEST(PreFuente, FinesDeLinea) {
  EstadoError e;
  Fuente vacia(e);
  EXPECT_TRUE(vacia.AlFinal());
  EXPECT_EQ(vacia.Mira(2), Texto());
  EXPECT_EQ(vacia.Toma(), kFin);

  Escaner uno("a");
  EXPECT_EQ(uno.f.Mira(1), U"a");
  EXPECT_EQ(uno.f.Toma(), U'a');
  EXPECT_TRUE(uno.f.AlFinal()); // the last line's end is never delivered
  EXPECT_EQ(uno.f.Toma(), kFin);

  Escaner dos("ab\r\ncd");
  dos.f.Toma();
  dos.f.Toma();
  EXPECT_EQ(dos.f.Mira(5), U"\r\n");
  EXPECT_EQ(dos.f.Toma(), kSalto);
  EXPECT_EQ(dos.f.Linea(), 2);
  EXPECT_EQ(dos.f.Columna(), 1);
  EXPECT_EQ(dos.f.Anterior(), kSalto);

  Escaner finalVacio("a\r\n"); // a text ending in a line end has a final empty line
  finalVacio.f.Toma();
  EXPECT_EQ(finalVacio.f.Toma(), kSalto);
  EXPECT_TRUE(finalVacio.f.AlFinal());

  Escaner soloLf("a\nb");
  soloLf.f.Toma();
  EXPECT_EQ(soloLf.f.Toma(), kSalto);
  EXPECT_EQ(soloLf.f.Toma(), U'b');
}

TEST(PreFuente, InicioDePalabra) {
  struct Caso {
    const char* texto;
    int saltar;
    bool esperado;
  } casos[] = {
      {"abc", 0, true},    {"9a", 1, false}, {"+a", 1, true}, {"ab", 1, false}, {"x$y", 1, true},
      {"a\r\nb", 2, true}, {"_a", 0, true},  {"ña", 0, true}, {"1$", 1, true},  {"-a", 0, false},
  };
  for (const auto& c : casos) {
    Escaner s(c.texto);
    for (int i = 0; i < c.saltar; ++i) s.f.Toma();
    EXPECT_EQ(s.f.EnInicioPalabra(), c.esperado) << c.texto << " @" << c.saltar;
  }
}

TEST(PreFuente, IdentificadoresCerradosPorDolar) {
  struct Caso {
    const char* texto;
    const char* id;
    const char* resto;
  } casos[] = {
      {"x1$y", "x1$", "y"},   {"$A B", "$A", " B"}, {"$x$_12", "$x$", "_12"},
      {"  abc(", "abc", "("}, {"9abc", "", "9abc"}, {"$$", "$$", ""},
  };
  for (const auto& c : casos) {
    Escaner s(c.texto);
    EXPECT_EQ(s.f.MiraIdentificador(), T(c.id)) << c.texto;
    EXPECT_EQ(s.f.LeeIdentificador(), T(c.id)) << c.texto;
    Texto resto;
    while (!s.f.AlFinal()) resto.push_back(s.f.Toma());
    EXPECT_EQ(resto, T(c.resto)) << c.texto;
  }
}

TEST(PreFuente, CadenasEntreComillas) {
  Escaner s("  'a b' x");
  EXPECT_EQ(s.f.LeeCadena(), U"a b");
  EXPECT_FALSE(s.error.HayError());

  Escaner sinComilla("x 'a'");
  EXPECT_EQ(sinComilla.f.LeeCadena(), Texto());
  EXPECT_FALSE(sinComilla.error.HayError());
  EXPECT_EQ(sinComilla.f.Mira(), U'x'); // nothing taken

  Escaner multilinea("'a\r\nb'");
  EXPECT_EQ(multilinea.f.LeeCadena(), U"a\r\nb");

  Escaner abierta("x\r\n'abc\r\nde");
  abierta.f.LeeIdentificador();
  EXPECT_EQ(abierta.f.LeeCadena(), Texto());
  EXPECT_EQ(abierta.error.Mensaje(), T("No se encontro fin de cadena"));
  EXPECT_EQ(abierta.error.Linea(), 3);

  Escaner lista("'a b' c");
  EXPECT_EQ(lista.f.MiraElementoLista(), U"a b");
  EXPECT_EQ(lista.f.LeeElementoLista(), U"a b");
  EXPECT_EQ(lista.f.LeeElementoLista(), U"c");
}

TEST(PreFuente, PalabrasNumerosYCoincidencias) {
  Escaner s("  ab.c$d-e");
  EXPECT_EQ(s.f.LeePalabra(), U"ab.c$d");
  Escaner n(" -12.5.3x");
  EXPECT_DOUBLE_EQ(n.f.LeeNumero(), -12.5);
  Escaner sinCifras("-x");
  EXPECT_DOUBLE_EQ(sinCifras.f.LeeNumero(), 0);
  EXPECT_EQ(sinCifras.f.Mira(), U'x'); // the sign stays taken

  Escaner parcial(" (ab");
  EXPECT_FALSE(parcial.f.Coincide(U"(ax"));
  EXPECT_EQ(parcial.f.Mira(), U'b'); // matched characters stay taken

  Escaner linea("abc -- x\r\nz");
  EXPECT_EQ(linea.f.LeeHastaFinLinea(), U"abc -- x");
  EXPECT_EQ(linea.f.Toma(), U'z');
}

TEST(PreFuente, ArchivoQueFalta) {
  EstadoError e;
  Fuente f(e);
  EXPECT_FALSE(f.CreaDeArchivo(U"/no/existe.vrk"));
  EXPECT_EQ(e.Mensaje(), T("No se encuentra archivo: /no/existe.vrk"));
  EXPECT_EQ(e.Linea(), -1);
  EXPECT_EQ(f.NumContenidos(), 0u);
}

TEST(PreCadenas, ListasYComentarios) {
  EXPECT_EQ(CortaComentario(U"ab -- c -- d"), U"ab ");
  auto l = ListaPalabras(U"  uno \"dos tres\"\tcuatro\r\ncinco  ");
  ASSERT_EQ(l.size(), 4u);
  EXPECT_EQ(l[1], U"dos tres");
  EXPECT_EQ(l[3], U"cinco");
  EXPECT_TRUE(ListaPalabras(U"  \"\" ").empty());
  EXPECT_TRUE(PareceFecha(U" 01/02/24 "));
  EXPECT_TRUE(PareceFecha(U"10:30"));
  EXPECT_FALSE(PareceFecha(U"  "));
  EXPECT_FALSE(PareceFecha(U"2024"));
}

} // namespace
