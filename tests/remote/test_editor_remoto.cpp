// The remote editor's logic against a host whose shell is this machine's /bin/sh, through pipes:
// fetch, store, the save questions, the local copy and the text tools.
#include "ShellLocal.h"
#include "ShellViva.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeProcesses.h"
#include "remote/EditorRemoto.h"
#include <gtest/gtest.h>

using namespace zt;
using namespace zt::test;

namespace {

struct Editor : ::testing::Test {
  CarpetaTemporal local;
  ShellViva canal; // the host: /bin/sh in a scratch folder
  FakeDialogs dialogos;
  FakeProcesses procesos;
  TransferenciaRemota tr{canal};
  CtlEdit ed{PerfilEditor::CtlEdit(), &dialogos};
  EditorRemoto er{ed, dialogos, tr, &procesos, local.ruta};
  int titulos = 0;

  void SetUp() override {
    tr.esperaMs = 10000;
    er.alCambiarTitulo = [this] { ++titulos; };
  }
  void Archivo(const std::string& n, const std::string& bytes) { canal.Escribe(n, bytes); }
  std::vector<Texto> Lineas() {
    std::vector<Texto> r;
    for (int32_t y = 1; y <= ed.nLin(); ++y) r.push_back(ed.linea(y));
    return r;
  }
  void Escribe(const Texto& s) {
    for (char32_t c : s) ed.TeclaCaracter(c);
  }
};

} // namespace

TEST_F(Editor, AbreEditaYGuardaElMismoArchivo) {
  Archivo("conf", "# comentario\nzt$ \n\tclave=1\nsin salto");
  EXPECT_EQ(er.EditaArchivo(U"conf"), U"");
  EXPECT_EQ(Lineas(), (std::vector<Texto>{U"# comentario", U"zt$ ", U"\tclave=1", U"sin salto"}));
  EXPECT_EQ(er.Titulo(), U"Editor Remoto - conf");
  EXPECT_GT(titulos, 0);
  EXPECT_FALSE(ed.TextModificado());
  EXPECT_EQ(ed.nUndo(), 0);
  EXPECT_TRUE(ed.enabled());

  Escribe(U"x'$");
  EXPECT_TRUE(ed.TextModificado());
  EXPECT_TRUE(er.Guardar());
  EXPECT_FALSE(ed.TextModificado());
  EXPECT_EQ(canal.Lee("conf"), "x'$# comentario\nzt$ \n\tclave=1\nsin salto");

  // An empty file stays empty; text typed into it gets its line end.
  Archivo("vacio", "");
  EXPECT_EQ(er.EditaArchivo(U"vacio"), U"");
  EXPECT_EQ(ed.nLin(), 0);
  EXPECT_TRUE(er.Guardar());
  EXPECT_EQ(canal.Lee("vacio"), "");
  Escribe(U"hola");
  EXPECT_TRUE(er.Guardar());
  EXPECT_EQ(canal.Lee("vacio"), "hola\n");
}

TEST_F(Editor, UnaLecturaFallidaNoTocaNombreNiTexto) {
  Archivo("a", "texto de a\n");
  ASSERT_EQ(er.EditaArchivo(U"a"), U"");
  EXPECT_NE(er.EditaArchivo(U"no existe").find(U"No se pudo leer no existe: "), Texto::npos);
  canal.conectado = false;
  EXPECT_EQ(er.EditaArchivo(U"a"), U"La edición remota solo es válida cuando hay conexiones abiertas.");
  canal.conectado = true;
  canal.mudo = true; // a host that never answers
  tr.esperaMs = 200;
  EXPECT_EQ(er.EditaArchivo(U"a"), U"Tiempo de espera agotado");
  EXPECT_EQ(ed.archivo, U"a");
  EXPECT_EQ(Lineas(), std::vector<Texto>{U"texto de a"});
  EXPECT_TRUE(er.EditaArchivo(U"").empty());
  EXPECT_TRUE(dialogos.mensajes.empty()); // the caller shows the error
}

// A store the host refuses (or never confirms) keeps the text modified and says why.
TEST_F(Editor, GuardarFallidoSigueModificado) {
  Archivo("ro", "x\n");
  ASSERT_EQ(er.EditaArchivo(U"ro"), U"");
  Escribe(U"y");
  ed.archivo = U"no hay/ro";
  EXPECT_FALSE(er.Guardar());
  EXPECT_TRUE(ed.TextModificado());
  EXPECT_NE(dialogos.UltimoMensaje().find(U"No se pudo guardar no hay/ro: "), Texto::npos);
  canal.conectado = false;
  EXPECT_FALSE(er.Guardar());
  EXPECT_EQ(dialogos.UltimoMensaje(), U"La edición remota solo es válida cuando hay conexiones abiertas.");
  EXPECT_TRUE(ed.TextModificado());

  // No name: the name is asked for; no answer stores nothing.
  canal.conectado = true;
  ed.archivo.clear();
  EXPECT_FALSE(er.Guardar());
  EXPECT_EQ(dialogos.entradas.back().texto, U"Ingrese nombre:");
  EXPECT_EQ(dialogos.entradas.back().titulo, U"GUARDAR COMO:");
  dialogos.respuestasEntrada.push_back(U"nuevo nombre");
  EXPECT_TRUE(er.GuardarComo());
  EXPECT_EQ(canal.Lee("nuevo nombre"), "yx\n");
  EXPECT_EQ(er.Titulo(), U"Editor Remoto - nuevo nombre");
}

TEST_F(Editor, PreguntasAntesDeReemplazarElTexto) {
  Archivo("a", "a\n");
  Archivo("b", "b\n");
  ASSERT_EQ(er.EditaArchivo(U"a"), U"");
  Escribe(U"1");
  dialogos.respuestas = {Respuesta::Cancelar};
  EXPECT_NE(er.EditaArchivo(U"b"), U"");
  EXPECT_EQ(dialogos.UltimoMensaje(), U"¿Guardar Cambios en a?");
  EXPECT_EQ(dialogos.mensajes.back().botones, Botones::SiNoCancelar);
  EXPECT_EQ(Lineas(), std::vector<Texto>{U"1a"});

  // Yes whose store fails stops too; nothing is lost.
  canal.conectado = false;
  dialogos.respuestas = {Respuesta::Si};
  EXPECT_FALSE(er.Nuevo());
  EXPECT_EQ(Lineas(), std::vector<Texto>{U"1a"});
  canal.conectado = true;

  dialogos.respuestas = {Respuesta::No};
  er.AbreElegido(U"b");
  EXPECT_EQ(Lineas(), std::vector<Texto>{U"b"});
  EXPECT_EQ(canal.Lee("a"), "a\n");

  Escribe(U"2");
  dialogos.respuestas = {Respuesta::Si};
  EXPECT_TRUE(er.Nuevo());
  EXPECT_EQ(canal.Lee("b"), "2b\n");
  EXPECT_EQ(ed.nLin(), 0);
  EXPECT_EQ(er.Titulo(), U"Editor Remoto");
  Escribe(U"z");
  dialogos.respuestas = {Respuesta::No};
  EXPECT_TRUE(er.ConfirmaDescartar());
  EXPECT_EQ(dialogos.UltimoMensaje(), U"¿Guardar Cambios?");
}

TEST_F(Editor, CopiaLocal) {
  Escribe(U"echo hola");
  dialogos.respuestasArchivo = {std::nullopt, T((local.ruta / "copia").string()),
                                T((local.ruta / "c.d" / "sin").string())};
  EXPECT_FALSE(er.GuardarCopia());
  EXPECT_TRUE(ed.archivo.empty());
  EXPECT_EQ(dialogos.archivos.back().titulo, U"Guardar Archivo de Comandos");
  EXPECT_EQ(dialogos.archivos.back().filtro, U"Archivo de comandos (*.sh)");
  EXPECT_TRUE(er.GuardarCopia());
  EXPECT_EQ(local.Lee("copia.sh"), "echo hola\r\n");
  EXPECT_EQ(er.Titulo(), U"Editor Remoto - " + T((local.ruta / "copia.sh").string()));
  std::filesystem::create_directory(local.ruta / "c.d");
  EXPECT_TRUE(er.GuardarCopia());
  EXPECT_TRUE(std::filesystem::exists(local.ruta / "c.d" / "sin"));
}

TEST_F(Editor, HerramientasDeTexto) {
  ed.Text(U"  uno     dos  \r\nTRES tres\r\n  cuatro   ");
  ed.ColocaCursor(1, 1, 0, false);
  er.JuntarPalabras(); // the cursor line only
  EXPECT_EQ(ed.linea(1), U" uno   dos ");
  ed.SeleccionaTodo();
  er.QuitarEspaciosLaterales();
  EXPECT_EQ(Lineas(), (std::vector<Texto>{U"uno   dos", U"TRES tres", U"cuatro"}));

  ed.LimpiaSeleccion();
  dialogos.respuestasEntrada = {U"", U"TRES", U"d?s"};
  er.FiltrarLineas();
  EXPECT_TRUE(procesos.archivosVistos.empty());
  er.FiltrarLineas();
  const auto ruta = local.ruta / "bolsa" / "filtradas.txt";
  EXPECT_EQ(procesos.archivosVistos, std::vector<std::string>{ruta.string()});
  EXPECT_EQ(local.Lee("bolsa/filtradas.txt"), "TRES tres\r\n");
  er.FiltrarLineas();
  EXPECT_EQ(local.Lee("bolsa/filtradas.txt"), "uno   dos\r\n");
  EXPECT_EQ(dialogos.entradas.back().texto, U"Cadena para filtro: ");
}
