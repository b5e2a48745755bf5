// The colouring lexer of every editor form: named cases as tables, sample files as golden files.
#include "editor/Lexico.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zt {
namespace {

// Distinct colours so that a run's colour names its role without ambiguity.
ColoresEditor Colores() {
  ColoresEditor c;
  c.ColTxtNor = 1;
  c.ColTxtCom = 2;
  c.ColTxtCad = 3;
  c.ColPalRes = 4;
  c.ColPalRes2 = 5;
  return c;
}

const char* Nombre(Color c) {
  switch (c) {
  case 1: return "nor";
  case 2: return "com";
  case 3: return "cad";
  case 4: return "res";
  case 5: return "res2";
  default: return "?";
  }
}

// "res[ls]nor[ -l ]": each run as its colour's role and the text it covers.
std::string Pinta(const std::string& linea, const PerfilLexico& perfil, int32_t prompt = 0) {
  Texto t = T(linea);
  std::string r;
  size_t pos = 0;
  for (const TramoColor& tr : Colorea(t, perfil, Colores(), prompt)) {
    r += Nombre(tr.color);
    r += "[" + U8(t.substr(pos, tr.largo)) + "]";
    pos += tr.largo;
  }
  if (pos != t.size()) r += "<runs cover " + std::to_string(pos) + " of " + std::to_string(t.size()) + ">";
  return r;
}

struct Caso {
  const char* linea;
  const char* esperado;
};

void Comprueba(const PerfilLexico& perfil, std::initializer_list<Caso> casos) {
  for (const Caso& c : casos) EXPECT_EQ(Pinta(c.linea, perfil), c.esperado) << "line: " << c.linea;
}

TEST(LexicoColor, ShellCommentsAndStrings) {
  Comprueba(PerfilShell(), {
      {"", ""},
      {"ls -l # lista", "res[ls]nor[ -l ]com[# lista]"},
      {"#!/bin/sh", "com[#!/bin/sh]"},
      {"echo 'a # b' x", "res[echo]nor[ ]cad['a # b']nor[ x]"},
      {"echo \"no # comment\"", "res[echo]nor[ ]cad[\"no # comment\"]"},
      {"echo \"it's\" ls", "res[echo]nor[ ]cad[\"it's\"]nor[ ]res[ls]"},
      {"x='say \"hi\"' # c", "nor[x=]cad['say \"hi\"']nor[ ]com[# c]"},
      {"echo \"abc # d", "res[echo]nor[ ]cad[\"abc # d]"},
      {"a\"b\"ls", "nor[a]cad[\"b\"]res[ls]"},
      {"''", "cad['']"},
  });
}

TEST(LexicoColor, UnclosedStringKeepsNormalClass) {
  std::vector<TramoColor> r = Colorea(U"cat 'x y", PerfilShell(), Colores());
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[2], (TramoColor{3, 4, ClaseLex::Normal}));
  r = Colorea(U"'x'", PerfilShell(), Colores());
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0], (TramoColor{3, 3, ClaseLex::Cadena}));
}

TEST(LexicoColor, ShellWordsNeedWordBoundaries) {
  Comprueba(PerfilShell(), {
      {"do done doner", "res[do]nor[ ]res[done]nor[ doner]"},
      {"ls Ls LS", "res[ls]nor[ ]res[Ls]nor[ ]res[LS]"},
      {"lsx ls1 ls_ ls$", "nor[lsx ls1 ls_ ls$]"},
      {"als 1ls _ls $ls", "nor[als 1ls _ls $ls]"},
      {"ls-l ls;ls", "res[ls]nor[-l ]res[ls]nor[;]res[ls]"},
      {"lsé lsÑ lsè", "nor[lsé lsÑ ]res[ls]nor[è]"},
      {"ñls éls èls", "nor[ñls éls è]res[ls]"},
      {"$PARA1 $PARAX $PARA(", "nor[$PARA1 $PARAX ]res2[$PARA]nor[(]"},
      {"x$PARA $para", "nor[x$PARA ]res2[$para]"},
      {"fi fcopy format for", "res[fi]nor[ ]res[fcopy]nor[ ]res[format]nor[ ]res[for]"},
      {"SEND sendln", "nor[SEND sendln]"},
  });
}

TEST(LexicoColor, MacroProfile) {
  Comprueba(PerfilMacro(), {
      {"SEND \"ls\" // manda", "res[SEND]nor[ ]cad[\"ls\"]nor[ ]com[// manda]"},
      {"x = a / b", "nor[x = a / b]"},
      {"IF # x", "res[IF]nor[ # x]"},
      {"sendln send sendx", "res[sendln]nor[ ]res[send]nor[ sendx]"},
      {"LON(x) LONL(x) LONLY", "res[LON]nor[(x) ]res[LONL]nor[(x) LONLY]"},
      {"END ENDIF ENDCAPTURE ENDS", "res[END]nor[ ]res[ENDIF]nor[ ]res[ENDCAPTURE]nor[ ENDS]"},
      {"$DEFINIR X COMO 3", "res2[$DEFINIR]nor[ X ]res2[COMO]nor[ 3]"},
      {"$PARA I EN 1 2 HACER", "res2[$PARA]nor[ I ]res2[EN]nor[ 1 2 ]res2[HACER]"},
      {"ls -l", "nor[ls -l]"},
      {"'//' x//y", "cad['//']nor[ x]com[//y]"},
      {"WAIT\"$ \"", "res[WAIT]cad[\"$ \"]"},
  });
}

TEST(LexicoColor, TerminalIsCaseSensitive) {
  Comprueba(PerfilTerminal(), {
      {"ls LS Ls", "res[ls]nor[ LS Ls]"},
      {"lsx lsX ls-l", "nor[lsx lsX ]res[ls]nor[-l]"},
      {"als myerror", "nor[als myerror]"},
      {"errors", "res2[error]nor[s]"},
      {"ERRORS Errors ERROR", "nor[ERRORS ]res2[Error]nor[s ]res2[ERROR]"},
      {"eRRor error1 error_ errorÉ erroré", "nor[eRRor error1 error_ errorÉ ]res2[error]nor[é]"},
      {"Error: bad", "res2[Error]nor[: bad]"},
      {"$PARA $DEFINIR", "nor[$PARA $DEFINIR]"},
      {"cat 'a b' # x", "res[cat]nor[ ]cad['a b']nor[ ]com[# x]"},
      {"echo \"error", "res[echo]nor[ ]cad[\"error]"},
  });
}

TEST(LexicoColor, TerminalPromptRun) {
  const PerfilLexico& p = PerfilTerminal();
  EXPECT_EQ(Pinta("user$ ls # x", p, 6), "res2[user$ ]res[ls]nor[ ]com[# x]");
  EXPECT_EQ(Pinta("user$ls", p, 5), "res2[user$]nor[ls]");
  EXPECT_EQ(Pinta("$ ", p, 40), "res2[$ ]");
}

TEST(LexicoColor, ColourAtColumn) {
  std::vector<TramoColor> r = Colorea(U"ls -l # x", PerfilShell(), Colores());
  struct {
    int32_t columna;
    Color color;
  } casos[] = {{1, 4}, {2, 4}, {3, 1}, {6, 1}, {7, 2}, {9, 2}, {10, 0}, {500, 0}};
  for (auto c : casos) EXPECT_EQ(ColorEnColumna(r, c.columna), c.color) << "column " << c.columna;
  EXPECT_EQ(ColorEnColumna({}, 1), 0u);
}

TEST(LexicoColor, RunsTakeTheGivenColours) {
  ColoresEditor c;
  std::vector<TramoColor> r = Colorea(U"ls $PARA 'x' # y", PerfilShell(), c);
  std::vector<Color> colores;
  for (const TramoColor& t : r) colores.push_back(t.color);
  EXPECT_EQ(colores, (std::vector<Color>{48640, 0, 255, 0, 16734810, 0, 8421504}));
  c.ColPalRes = RGB(1, 2, 3);
  EXPECT_EQ(Colorea(U"ls", PerfilShell(), c)[0].color, RGB(1, 2, 3));
}

// Each sample file <perfil>.txt is coloured line by line and compared with <perfil>.styled.
void CompruebaMuestra(const std::string& nombre, const PerfilLexico& perfil) {
  const char* datos = std::getenv("ZT_TEST_DATA");
  std::filesystem::path dir =
      (datos && *datos ? std::filesystem::path(datos) : std::filesystem::path(__FILE__).parent_path()) / "lexico";
  std::ifstream entrada(dir / (nombre + ".txt"));
  ASSERT_TRUE(entrada) << (dir / (nombre + ".txt"));
  std::string linea, obtenido;
  while (std::getline(entrada, linea)) obtenido += Pinta(linea, perfil) + "\n";
  std::ifstream golden(dir / (nombre + ".styled"));
  std::stringstream esperado;
  esperado << golden.rdbuf();
  if (obtenido != esperado.str()) {
    // Written next to the test program, never into the sources.
    const char* salida = std::getenv("ZT_TEST_OUT");
    const std::filesystem::path nuevo =
        (salida && *salida ? std::filesystem::path(salida) : std::filesystem::temp_directory_path()) /
        (nombre + ".styled.new");
    std::ofstream(nuevo) << obtenido;
    ADD_FAILURE() << nombre << ".styled differs; see " << nuevo;
  }
}

TEST(LexicoColor, GoldenSamples) {
  CompruebaMuestra("shell", PerfilShell());
  CompruebaMuestra("macro", PerfilMacro());
  CompruebaMuestra("terminal", PerfilTerminal());
}

} // namespace
} // namespace zt
