// Text files: encoding detection, line ends, and writing through a temporary file.
#include "base/ArchivoTexto.h"
#include <gtest/gtest.h>
#include <fstream>
#include <unistd.h>

using namespace zt;
namespace fs = std::filesystem;

namespace {
struct Carpeta {
  fs::path ruta = fs::temp_directory_path() / ("zt_base_" + std::to_string(getpid()));
  Carpeta() { fs::create_directories(ruta); }
  ~Carpeta() { fs::remove_all(ruta); }
};
void Escribe(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }
} // namespace

TEST(ArchivoTexto, SameTextFromBothEncodingsAndByteIdenticalSaveBack) {
  Carpeta c;
  std::string utf8 = "a\xC3\xB1o\r\nfin\r\n", ansi = "a\xF1o\r\nfin\r\n";
  Escribe(c.ruta / "u.txt", utf8);
  Escribe(c.ruta / "w.txt", ansi);
  auto u = LeeArchivoTexto(c.ruta / "u.txt");
  auto w = LeeArchivoTexto(c.ruta / "w.txt");
  ASSERT_TRUE(u && w);
  EXPECT_EQ(u->lineas, (std::vector<Texto>{U"año", U"fin"}));
  EXPECT_EQ(u->lineas, w->lineas);
  EXPECT_EQ(u->codificacion, Codificacion::Utf8);
  EXPECT_EQ(w->codificacion, Codificacion::Cp1252);
  ASSERT_EQ(EscribeArchivoTexto(c.ruta / "u.txt", u->lineas, u->codificacion, u->saltoFinal), "");
  ASSERT_EQ(EscribeArchivoTexto(c.ruta / "w.txt", w->lineas, w->codificacion, w->saltoFinal), "");
  EXPECT_EQ(*LeeBytes(c.ruta / "u.txt"), utf8);
  EXPECT_EQ(*LeeBytes(c.ruta / "w.txt"), ansi);
}

TEST(ArchivoTexto, LineEndsOfEveryKind) {
  bool salto = true;
  EXPECT_EQ(PartirLineas(U"a\r\nb\nc\rd", &salto), (std::vector<Texto>{U"a", U"b", U"c", U"d"}));
  EXPECT_FALSE(salto);
  EXPECT_EQ(PartirLineas(U"a\n\nb\r\n", &salto), (std::vector<Texto>{U"a", U"", U"b"}));
  EXPECT_TRUE(salto);
  EXPECT_TRUE(PartirLineas(U"").empty());
}

TEST(ArchivoTexto, FailedWriteLeavesOldFileAndMissingFileReadsNothing) {
  Carpeta c;
  EXPECT_FALSE(LeeArchivoTexto(c.ruta / "no_existe.txt"));
  EXPECT_FALSE(LeeArchivoTexto(c.ruta));
  // The target's folder does not exist: the write fails and says why.
  EXPECT_NE(EscribeBytes(c.ruta / "sub" / "x.txt", "hola"), "");
  Escribe(c.ruta / "x.txt", "viejo");
  fs::permissions(c.ruta / "x.txt", fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_EQ(EscribeBytes(c.ruta / "x.txt", "nuevo"), "");
  EXPECT_EQ(*LeeBytes(c.ruta / "x.txt"), "nuevo");
  EXPECT_EQ(fs::status(c.ruta / "x.txt").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  // No temporary file is left behind.
  int n = 0;
  for (auto& e : fs::directory_iterator(c.ruta)) n += e.path().filename().string()[0] == '.';
  EXPECT_EQ(n, 0);
}

TEST(ArchivoTexto, SavingThroughALinkWritesTheFileItPointsTo) {
  Carpeta c;
  fs::create_directories(c.ruta / "sub");
  Escribe(c.ruta / "real.txt", "viejo");
  fs::create_symlink("../real.txt", c.ruta / "sub" / "enlace1");  // relative to the link's folder
  fs::create_symlink(c.ruta / "sub" / "enlace1", c.ruta / "enlace2");
  ASSERT_EQ(EscribeBytes(c.ruta / "enlace2", "nuevo"), "");
  EXPECT_TRUE(fs::is_symlink(c.ruta / "enlace2"));
  EXPECT_TRUE(fs::is_symlink(c.ruta / "sub" / "enlace1"));
  EXPECT_EQ(*LeeBytes(c.ruta / "real.txt"), "nuevo");
  // A dangling link creates the file it names; a loop is an error, not a replaced link.
  fs::create_symlink("nuevo.txt", c.ruta / "colgante");
  ASSERT_EQ(EscribeBytes(c.ruta / "colgante", "x"), "");
  EXPECT_EQ(*LeeBytes(c.ruta / "nuevo.txt"), "x");
  fs::create_symlink("bucle", c.ruta / "bucle");
  EXPECT_NE(EscribeBytes(c.ruta / "bucle", "x"), "");
  EXPECT_TRUE(fs::is_symlink(c.ruta / "bucle"));
}
