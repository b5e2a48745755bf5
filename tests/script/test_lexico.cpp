// Content and lexer of CInterprete.
#include "Ayuda.h"
#include "base/Numeros.h"
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <stdlib.h>

using namespace zt;

namespace {

std::string S(VistaTexto t) { return U8(t); }

} // namespace

TEST(Contenido, LoadingSplitsAtEveryLineEnd) {
  CInterprete in;
  struct { const char* texto; int32_t lineas; } casos[] = {
      {"", 1}, {"a", 1}, {"a\r\nb", 2}, {"a\r\n", 2}, {"a\nb\rc", 3}, {"\r\n\r\n", 3},
  };
  for (auto& c : casos) {
    EXPECT_EQ(in.CreaContenido(T(c.texto)), c.lineas) << c.texto;
    EXPECT_EQ(in.nLin, c.lineas);
    EXPECT_EQ(in.fil, 1);
    EXPECT_EQ(in.col, 1);
    EXPECT_EQ(S(in.tip), "0");
  }
  in.CreaContenido(U"");
  EXPECT_TRUE(in.FinCont());  // one empty line: the content has already ended
  EXPECT_TRUE(in.IniCont());
}

TEST(Contenido, LineEndIsOneUnit) {
  CInterprete in;
  in.CreaContenido(U"ab\r\ncd");
  EXPECT_EQ(S(in.CogCar(5)), "ab");  // never crosses the line end
  EXPECT_TRUE(in.FinLin());
  EXPECT_FALSE(in.FinCont());
  EXPECT_EQ(in.VerCar(1), U"\r\n");
  EXPECT_EQ(in.VerCar(2), U"\r\n");
  EXPECT_EQ(in.CogCar(1), U"\r\n");
  EXPECT_EQ(in.fil, 2);
  EXPECT_EQ(in.col, 1);
  EXPECT_EQ(S(in.linact), "cd");
  EXPECT_EQ(S(in.CogCar(2)), "cd");
  EXPECT_TRUE(in.FinCont());  // the break after the last line is never returned
  EXPECT_EQ(in.CogCar(1), U"");
  EXPECT_EQ(in.VerCar(1), U"");
}

TEST(Contenido, RestOfLineAndBlanks) {
  CInterprete in;
  in.CreaContenido(U" \t x \t=  5\r\nsiguiente  ");
  EXPECT_TRUE(in.CapBlancos());
  EXPECT_FALSE(in.CapBlancos());
  EXPECT_EQ(S(in.CogCar(1)), "x");
  EXPECT_TRUE(in.Capturar(U"="));
  EXPECT_FALSE(in.Capturar(U"6"));
  EXPECT_EQ(in.CogNumero(), 5.0f);
  EXPECT_TRUE(in.FinLin());
  EXPECT_FALSE(in.CapBlancos());  // a line end is not a blank
  EXPECT_EQ(in.CogCar(1), U"\r\n");
  EXPECT_EQ(S(in.CogLinea()), "siguiente  ");
  EXPECT_EQ(in.fil, 3);
  EXPECT_TRUE(in.FinCont());
}

TEST(Contenido, SavedCursorComesBack) {
  CInterprete in;
  in.CreaContenido(U"uno dos\r\ntres");
  in.CogIdentificador();
  const PosCont p = in.GuardaPos();
  in.CogLinea();
  in.CogIdentificador();
  in.RestauraPos(p);
  EXPECT_EQ(in.fil, 1);
  EXPECT_EQ(in.col, 4);
  EXPECT_EQ(S(in.CogIdentificador()), "dos");
  EXPECT_EQ(S(in.VerIdentificador()), "");
  in.CogCar(1);
  EXPECT_EQ(S(in.VerIdentificador()), "tres");
  EXPECT_EQ(in.col, 1);
}

TEST(Lexico, Numbers) {
  CInterprete in;
  struct { const char* texto; const char* numero; int16_t colFinal; } casos[] = {
      {"3.14159265", "3.141593", 11},
      {"  -5 x", "-5", 5},
      {"1.2.3;", "1.2", 6},   // every "." is taken
      {"12abc", "12", 3},
      {".5", "0.5", 3},
      {"123456789", "1.234568E+08", 10},
      {"-abc", "0", 2},       // the "-" stays taken
      {"abc", "0", 1},
      {"1e5", "1", 2},        // no exponent
  };
  for (auto& c : casos) {
    in.CreaContenido(T(c.texto));
    EXPECT_EQ(S(TextoSimple(in.CogNumero())), c.numero) << c.texto;
    EXPECT_EQ(in.col, c.colFinal) << c.texto;
  }
  in.CreaContenido(U"1" + Texto(40, U'0'));
  EXPECT_THROW(in.CogNumero(), ErrorEjecucion);  // beyond single precision
}

TEST(Lexico, QuotedStrings) {
  CInterprete in;
  struct { const char* texto; const char* cadena; const char* resto; } casos[] = {
      {"'it''s'", "it", "'s'"},
      {"\"a\\nb\" x", "a\r\nb", " x"},
      {"'di \"hola\"'", "di \"hola\"", ""},
      {"'uno\r\ndos' fin", "uno\r\ndos", " fin"},
      {"''", "", ""},
      {"x'", "", "'"},  // not a quote: that character stays taken
  };
  for (auto& c : casos) {
    in.MensajeError.clear();
    in.CreaContenido(T(c.texto));
    EXPECT_EQ(S(in.CogCadena()), c.cadena) << c.texto;
    EXPECT_EQ(S(in.linact.substr(static_cast<size_t>(in.col - 1))), c.resto) << c.texto;
    EXPECT_EQ(S(in.MensajeError), "") << c.texto;
  }
  in.CreaContenido(U"'sin fin\r\notra linea");
  EXPECT_EQ(S(in.CogCadena()), "");
  EXPECT_EQ(S(in.MensajeError), "No se encontro fin de cadena");
  EXPECT_TRUE(in.FinCont());
}

TEST(Lexico, Identifiers) {
  CInterprete in;
  struct { const char* texto; const char* iden; const char* siguiente; } casos[] = {
      {"año_2$x", "año_2$", "x"},
      {"a$b", "a$", "b"},
      {"$1 = 2", "$1", ""},
      {"$$x", "$$", "x"},
      {"  Ñu9", "Ñu9", ""},
      {"1abc", "", ""},
      {"éste", "", ""},  // accented letters other than ñ do not start a name
      {"", "", ""},
  };
  for (auto& c : casos) {
    in.CreaContenido(T(c.texto));
    EXPECT_EQ(S(in.CogIdentificador()), c.iden) << c.texto;
    EXPECT_EQ(S(in.VerIdentificador()), c.siguiente) << c.texto;
  }
}

TEST(Lexico, Elements) {
  CInterprete in;
  in.CreaContenido(U"  srv01 rest\r\n'/tmp/a b/c.txt' x\r\nfin");
  EXPECT_EQ(S(in.CogeElemento()), "srv01");
  EXPECT_EQ(S(in.CogeElemento()), "rest");
  EXPECT_EQ(S(in.CogeElemento()), "");  // at the line end
  in.CogCar(1);
  EXPECT_EQ(S(in.CogeElemento()), "/tmp/a b/c.txt");
  EXPECT_EQ(S(in.CogeElemento()), "x");
  in.CogCar(1);
  EXPECT_EQ(S(in.CogeElemento()), "fin");
  EXPECT_EQ(S(in.CogeElemento()), "");
}

TEST(Contenido, FilesAndMissingFiles) {
  CInterprete in;
  in.CreaContenido(U"previo");
  in.CogCar(2);
  // A folder of this run's own: tests running side by side must not share file names.
  char plantilla[] = "/tmp/zt_contenido_XXXXXX";
  ASSERT_NE(mkdtemp(plantilla), nullptr);
  const std::filesystem::path carpeta = plantilla;
  const auto faltante = carpeta / "no_existe.zkv";
  EXPECT_EQ(in.CreaContenidoArc(T(faltante.string())), 0);
  EXPECT_EQ(S(in.MensajeError), "No se encuentra archivo: " + faltante.string());
  EXPECT_EQ(S(in.linact), "previo");  // the old content and cursor stay
  EXPECT_EQ(in.col, 3);

  const auto ruta = carpeta / "prueba.zkv";
  std::ofstream(ruta, std::ios::binary) << "uno\r\ndos\nsiempre\rcuatro\r\n";
  EXPECT_EQ(in.CreaContenidoArc(T(ruta.string())), 4);
  EXPECT_EQ(S(in.linact), "uno");
  EXPECT_EQ(in.col, 1);
  EXPECT_EQ(S(in.CogLinea()), "uno");
  EXPECT_EQ(S(in.CogLinea()), "dos");
  EXPECT_EQ(S(in.CogLinea()), "siempre");
  std::ofstream(ruta, std::ios::binary).flush();
  EXPECT_EQ(in.CreaContenidoArc(T(ruta.string())), 0);
  EXPECT_TRUE(in.FinCont());
  EXPECT_EQ(S(in.linact), "");
  std::filesystem::remove_all(carpeta);
}

TEST(Contenido, ColumnOverflowIsAnErrorNotAWrap) {
  CInterprete in;
  in.CreaContenido(Texto(40000, U'a'));
  EXPECT_EQ(in.CogCar(32000).size(), 32000u);
  EXPECT_THROW(in.CogCar(1000), ErrorEjecucion);
  EXPECT_EQ(in.col, 32001);
}

TEST(Contenido, TextUtilities) {
  Texto t = U"abcdef";
  CInterprete::eliminaCad(t, 2, 3);
  EXPECT_EQ(S(t), "aef");
  CInterprete::eliminaCad(t, 3, 5);  // too long: unchanged
  EXPECT_EQ(S(t), "aef");
  CInterprete::insertaCad(t, U"XY", 4);
  EXPECT_EQ(S(t), "aefXY");
  CInterprete::insertaCad(t, U"-", 1);
  EXPECT_EQ(S(t), "-aefXY");
  CInterprete::insertaCad(t, U"!", 9);
  EXPECT_EQ(S(t), "-aefXY");
  Texto e = U" \t uno   dos  tres ";
  CInterprete::quitaEspaciosMultiples(e);
  EXPECT_EQ(S(e), "uno dos tres ");
  Texto c = U"x = 1 // nota 'a//b'";
  CInterprete::quitaComentario(c);
  EXPECT_EQ(S(c), "x = 1 ");
}
