// Loading and saving: line ends, encodings, byte-exact round trips, limits and failures.
#include "EditorPrueba.h"
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace zt {
namespace {
using namespace std::string_literals;

class Archivo : public ::testing::Test {
protected:
  fs::path dir;
  void SetUp() override {
    dir = fs::temp_directory_path() / ("zt_editor_archivo_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  Texto Ruta(const std::string &nombre) { return T((dir / nombre).string()); }
  void Escribe(const std::string &nombre, const std::string &bytes) {
    std::ofstream(dir / nombre, std::ios::binary) << bytes;
  }
  std::string Lee(const std::string &nombre) {
    std::ifstream f(dir / nombre, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
};

TEST_F(Archivo, FinalesDeLinea) {
  struct Caso {
    std::string bytes;
    Lineas lineas;
    int16_t tipo;
  } casos[] = {
      {"a\r\nb\r\n", {"a", "b"}, 0},
      {"a\r\nb", {"a", "b"}, 0},
      {"a\nb\n", {"a", "b", ""}, 1},
      {"a\rb\r", {"a", "b"}, 0},
      {"a\r\n\r\n", {"a", ""}, 0},
      {"a\n\rb", {"a", "", "b"}, 1},
      {"", {}, 0},
  };
  for (auto &c : casos) {
    EditorPrueba e;
    Escribe("f.txt", c.bytes);
    ASSERT_TRUE(e.ed.CargarArch(Ruta("f.txt")));
    EXPECT_EQ(e.Lineas(), c.lineas) << c.bytes;
    EXPECT_EQ(e.ed.tipArch, c.tipo) << c.bytes;
    EXPECT_EQ(U8(e.ed.lblEstado3.texto), c.tipo ? "UNIX" : "DOS");
  }
}

TEST_F(Archivo, UnixSeGuardaConCrLfYTipArchNoSeReinicia) {
  EditorPrueba e;
  Escribe("u.txt", "uno\ndos\n");
  e.ed.CargarArch(Ruta("u.txt"));
  EXPECT_TRUE(e.ed.GuardarArch());
  EXPECT_EQ(Lee("u.txt"), "uno\r\ndos\r\n\r\n");
  Escribe("d.txt", "dos\r\n");
  e.ed.CargarArch(Ruta("d.txt"));
  EXPECT_EQ(e.ed.tipArch, 1);
  EXPECT_EQ(U8(e.ed.lblEstado3.texto), "DOS");
}

TEST_F(Archivo, BytesRarosVuelvenIdenticos) {
  std::string casos[] = {
      "nul\0aqui\r\n\xff\xfe latin1 \xe9\xe1\r\n\x81\x8d\x8f\x90\x9d\r\n"s,
      "utf8 \xc3\xb1 y nul \0 \t fin\r\n"s,
      "mezcla \xc3\xb1 y \xf1 suelta\r\n",
  };
  for (auto &bytes : casos) {
    EditorPrueba e;
    Escribe("raro.txt", bytes);
    ASSERT_TRUE(e.ed.CargarArch(Ruta("raro.txt")));
    EXPECT_TRUE(e.ed.GuardarArchComo(Ruta("copia.txt")));
    EXPECT_EQ(Lee("copia.txt"), bytes);
  }
}

// A Windows-1252 file keeps its encoding while it can; a character it has no code for is never
// written as "?": the user is asked, and UTF-8 keeps it.
TEST_F(Archivo, Cp1252ConCaracterSinCodigoPregunta) {
  EditorPrueba e;
  Escribe("w.txt", "a\xF1o\r\n");
  ASSERT_TRUE(e.ed.CargarArch(Ruta("w.txt")));
  e.ed.CursorText(4, 1);
  e.Escribe("€");
  EXPECT_TRUE(e.ed.GuardarArch());
  EXPECT_EQ(Lee("w.txt"), "a\xF1o\x80\r\n");
  EXPECT_TRUE(e.dialogos.mensajes.empty());

  e.Escribe("ω");
  e.dialogos.respuestas = {Respuesta::No};
  EXPECT_FALSE(e.ed.GuardarArch());
  EXPECT_EQ(Lee("w.txt"), "a\xF1o\x80\r\n");
  EXPECT_TRUE(e.ed.TextModificado());
  ASSERT_EQ(e.dialogos.mensajes.size(), 2u);
  EXPECT_EQ(e.dialogos.mensajes[0].botones, Botones::SiNo);
  EXPECT_NE(e.dialogos.mensajes[0].texto.find(U"UTF-8"), Texto::npos);

  e.dialogos.respuestas = {Respuesta::Si};
  EXPECT_TRUE(e.ed.GuardarArch());
  EXPECT_EQ(Lee("w.txt"), "a\xC3\xB1o\xE2\x82\xAC\xCF\x89\r\n");
  EXPECT_EQ(e.ed.codificacion(), Codificacion::Utf8);
  EXPECT_FALSE(e.ed.TextModificado());
}

TEST_F(Archivo, ArchivoQueNoExisteNoCambiaNada) {
  EditorPrueba e;
  e.ed.Text(U"sigue");
  e.Escribe("!");
  e.ed.archivo = U"previo";
  EXPECT_FALSE(e.ed.CargarArch(Ruta("no-esta.txt")));
  EXPECT_EQ(e.dialogos.UltimoMensaje(), U"No se encuentra archivo: " + Ruta("no-esta.txt"));
  EXPECT_EQ(e.Lineas(), (Lineas{"sigue!"}));
  EXPECT_EQ(e.ed.archivo, U"previo");
  EXPECT_EQ(e.ed.nUndo(), 1);
}

TEST_F(Archivo, DemasiadasLineasCortaYOlvidaElNombre) {
  std::string bytes;
  for (int i = 1; i <= 100010; ++i) bytes += "l" + std::to_string(i) + "\r\n";
  Escribe("largo.txt", bytes);
  EditorPrueba e;
  ASSERT_TRUE(e.ed.CargarArch(Ruta("largo.txt")));
  EXPECT_EQ(U8(e.dialogos.UltimoMensaje()), "Demasiadas líneas para leer en el editor");
  EXPECT_EQ(e.ed.nLin(), 100001);
  EXPECT_EQ(e.ed.linea(100001), U"l100001");
  EXPECT_EQ(e.ed.archivo, U"");
  EXPECT_FALSE(e.ed.GuardarArch()); // cannot overwrite the whole file with the cut text
  EXPECT_EQ(e.dialogos.UltimoMensaje(), U"No se ha especificado un nombre para el archivo");
  EXPECT_EQ(Lee("largo.txt"), bytes);
}

TEST_F(Archivo, CargarLimpiaLaHistoriaYGuardarMarcaGuardado) {
  Escribe("a.txt", "hola\r\n");
  EditorPrueba e;
  e.ed.Text(U"x");
  e.Escribe("y");
  e.ed.CargarArch(Ruta("a.txt"));
  EXPECT_EQ(e.ed.nUndo(), 0);
  EXPECT_FALSE(e.ed.TextModificado());
  EXPECT_EQ(e.ed.Cursor(), (PosTexto{1, 1}));
  EXPECT_EQ(e.ed.archivo, Ruta("a.txt"));
  e.Escribe("Z");
  EXPECT_TRUE(e.ed.TextModificado());
  EXPECT_TRUE(e.ed.GuardarArch());
  EXPECT_FALSE(e.ed.TextModificado());
  EXPECT_EQ(Lee("a.txt"), "Zhola\r\n");
  e.ed.Deshacer(); // back below the save: modified again
  EXPECT_TRUE(e.ed.TextModificado());
}

TEST_F(Archivo, FalloAlGuardarConservaElArchivoYElEstado) {
  Escribe("v.txt", "viejo\r\n");
  fs::create_directories(dir / "carpeta");
  std::ofstream(dir / "carpeta" / "x", std::ios::binary) << "x";
  EditorPrueba e;
  e.ed.CargarArch(Ruta("v.txt"));
  e.Escribe("nuevo ");
  // A folder where the file should go cannot be replaced; nor can a file be made below a file.
  EXPECT_FALSE(e.ed.GuardarArchComo(Ruta("carpeta")));
  EXPECT_FALSE(e.ed.GuardarArchComo(Ruta("v.txt/dentro.txt")));
  EXPECT_EQ(Lee("v.txt"), "viejo\r\n");
  EXPECT_TRUE(fs::is_directory(dir / "carpeta"));
  EXPECT_TRUE(e.ed.TextModificado());
  ASSERT_EQ(e.dialogos.mensajes.size(), 2u);
  EXPECT_EQ(e.dialogos.mensajes.back().icono, Icono::Error);
  EXPECT_TRUE(e.ed.GuardarArchComo(Ruta("v.txt")));
  EXPECT_EQ(Lee("v.txt"), "nuevo viejo\r\n");
}

TEST_F(Archivo, GuardarSinNombreAvisa) {
  EditorPrueba e;
  e.ed.Text(U"a");
  EXPECT_FALSE(e.ed.GuardarArch());
  EXPECT_EQ(e.dialogos.mensajes.back().icono, Icono::Exclamacion);
  EXPECT_TRUE(fs::is_empty(dir));
}

} // namespace
} // namespace zt
