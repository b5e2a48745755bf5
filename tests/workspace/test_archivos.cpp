// Shared file operations: escapes, text files, file boxes and the start-up folder check.
#include "workspace/Archivos.h"
#include "CarpetaPrueba.h"
#include "fakes/FakeDialogs.h"

namespace zt {
namespace {

namespace fs = std::filesystem;

TEST(Escapes, TabsAndLineBreaksNeverLeaveTheLine) {
  struct Caso {
    const char* texto;
    const char* escrito;
    const char* leido;
  } casos[] = {
      {"a\tb", "a\\!b", "a\tb"},
      {"a\r\nb", "a\\?b", "a\r\nb"},
      {"a\nb\rc", "a\\?b\\?c", "a\r\nb\r\nc"},   // lone breaks come back as CR LF
      {"\\x\\", "\\x\\", "\\x\\"},
      {"", "", ""},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(EscapaTexto(T(c.texto)), T(c.escrito)) << c.texto;
    EXPECT_EQ(DesescapaTexto(EscapaTexto(T(c.texto))), T(c.leido)) << c.texto;
  }
  // The escapes are not reversible for a text that already holds them, as the file format has it.
  EXPECT_EQ(DesescapaTexto(U"\\\\!\\?"), T("\\\t\r\n"));
}

TEST(Archivos, NamesAndFields) {
  EXPECT_EQ(NombreArchivo(U"/a/b/c.zkv"), U"c.zkv");
  EXPECT_EQ(NombreArchivo(U"c.zkv"), U"c.zkv");
  EXPECT_EQ(NombreArchivo(U"/a/"), U"");
  EXPECT_EQ(PartirCampos(U""), std::vector<Texto>{U""});
  EXPECT_EQ(PartirCampos(U"a\t\tb\t"), (std::vector<Texto>{U"a", U"", U"b", U""}));
}

TEST(Archivos, TextFilesJoinLinesAndReportAMissingFile) {
  CarpetaPrueba carpeta;
  FakeDialogs dialogos;
  const Texto nombre = T((carpeta.ruta / "x.txt").string());
  EXPECT_EQ(EscribeArchivo(nombre, U"uno\r\ndos", dialogos, carpeta.ruta), nombre);
  EXPECT_EQ(carpeta.Lee(carpeta.ruta / "x.txt"), "uno\r\ndos\r\n");
  Texto mensaje;
  EXPECT_EQ(LeeArchivo(nombre, mensaje), U"uno\r\ndos");
  EXPECT_TRUE(mensaje.empty());
  EXPECT_EQ(LeeArchivo(nombre + U"no", mensaje), U"");
  EXPECT_EQ(mensaje, T("No se encuentra el archivo."));

  EXPECT_EQ(EscribeArchivo(U"", U"t", dialogos, carpeta.ruta), T((carpeta.ruta / "temp.txt").string()));
  EXPECT_TRUE(dialogos.mensajes.empty());
  const Texto malo = T((carpeta.ruta / "no" / "x.txt").string());
  EXPECT_EQ(EscribeArchivo(malo, U"t", dialogos, carpeta.ruta), U"");
  EXPECT_EQ(dialogos.UltimoMensaje(), T("Error creando archivo: ") + malo);
}

TEST(Archivos, FileBoxesTrimTheAnswerAndOfferTheFilter) {
  FakeDialogs dialogos;
  dialogos.respuestasArchivo = {Texto(U"/m/a.zkv  \0", 11), std::nullopt};
  EXPECT_EQ(DialogoAbrir(dialogos, U"Macros", U"*.zkv", U"Abrir", U"/m"), U"/m/a.zkv");
  EXPECT_EQ(DialogoGuardar(dialogos, U"Macros", U"*.zkv", U"Guardar", U"/m/a.zkv"), U"");
  ASSERT_EQ(dialogos.archivos.size(), 2u);
  EXPECT_EQ(dialogos.archivos[0].filtro, U"Macros (*.zkv)");
  EXPECT_TRUE(dialogos.archivos[1].guardar);
}

TEST(AseguraCarpeta, AsksCreatesRefusesAndReportsFailure) {
  CarpetaPrueba carpeta;
  FakeDialogs dialogos;
  Texto mensaje;
  EXPECT_TRUE(AseguraCarpeta(carpeta.ruta, dialogos, mensaje));
  EXPECT_TRUE(dialogos.mensajes.empty());

  const fs::path macros = carpeta.ruta / "macros";
  dialogos.respuestas = {Respuesta::Si};
  EXPECT_TRUE(AseguraCarpeta(macros, dialogos, mensaje));
  EXPECT_TRUE(fs::is_directory(macros));
  ASSERT_EQ(dialogos.mensajes.size(), 1u);
  EXPECT_EQ(dialogos.mensajes[0].texto, T("No se encuentra carpeta: '") + T(macros.string()) + T("'. ¿Desea crearla? "));
  EXPECT_EQ(dialogos.mensajes[0].botones, Botones::SiNo);
  EXPECT_EQ(dialogos.mensajes[0].porDefecto, Respuesta::No);

  dialogos.mensajes.clear();   // the default button is No: refusing ends the program
  EXPECT_FALSE(AseguraCarpeta(carpeta.ruta / "temp", dialogos, mensaje));
  EXPECT_EQ(dialogos.UltimoMensaje(), T("No existe Carpeta: ") + T((carpeta.ruta / "temp").string()));
  EXPECT_FALSE(fs::exists(carpeta.ruta / "temp"));

  ASSERT_TRUE(EscribeBytes(carpeta.ruta / "scripts", "un archivo").empty());
  dialogos.respuestas = {Respuesta::Si};
  EXPECT_TRUE(AseguraCarpeta(carpeta.ruta / "scripts", dialogos, mensaje));
  EXPECT_TRUE(mensaje.starts_with(T("Error creando carpeta: ") + T((carpeta.ruta / "scripts").string()) + U"("));
  EXPECT_EQ(dialogos.mensajes.back().icono, Icono::Error);
  EXPECT_EQ(dialogos.UltimoMensaje(), mensaje);
}

} // namespace
} // namespace zt
