// Quillon's window commands over the editor core and fakes: saving before processing, the source
// choice, confirm-discard, closing with the settings, the error jump, configuration, text tools,
// and the built-in help's lists.
#include "Ayuda.h"
#include "editor/AyudaContextual.h"
#include "fakes/FakeClipboard.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeProcesses.h"
#include "preproc/VentanaQuillon.h"
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zt;
using namespace zt::preproc;
using namespace zt::preproc::prueba;
namespace fs = std::filesystem;

namespace {

struct VistaFalsa : VistaQuillon {
  Texto titulo;
  std::optional<bool> fuente = true; // what the source dialog answers
  int elecciones = 0;
  void FijaTitulo(const Texto& t) override { titulo = t; }
  std::optional<bool> EligeFuente() override {
    ++elecciones;
    return fuente;
  }
  void RefrescaEditor() override {}
};

struct PreVentana : ::testing::Test {
  Carpeta dir{"ventana"};
  FakeDialogs dialogs;
  FakeClipboard portapapeles;
  FakeProcesses procesos;
  Quillon q{EntornoQuillon{dialogs, procesos, dir.Ruta(), U"/opt/zt/ztelnet", [] { return kHoy; }}};
  CtlEdit ed{PerfilEditor::Preprocesador(), &dialogs, &portapapeles};
  VistaFalsa vista;
  AyudaPreproc ayuda{procesos, dir.Ruta(), "/opt/zt/ztsql"};
  VentanaQuillon v{q, ed, dialogs, procesos, vista, &ayuda};

  void SetUp() override { q.AseguraCarpetaTrabajo(); }
  fs::path Bolsa() const { return dir.Ruta() / "bolsa"; }
  void Escribe(const std::string& s) {
    for (char32_t c : T(s)) ed.TeclaCaracter(c);
  }
};

TEST_F(PreVentana, SinNombreTomaUnNombreNuevo) {
  ed.Text(T("$DEFINIR A =x\r\nA A"));
  v.Procesar();
  EXPECT_EQ(ed.archivo, T((Bolsa() / "sin_nombre.vrk").string()));
  EXPECT_EQ(vista.titulo, U"sin_nombre.vrk - Quillon");
  EXPECT_EQ(v.salida(), T((Bolsa() / "sin_nombre.tmp").string()));
  EXPECT_EQ(Carpeta::Lee(Bolsa() / "sin_nombre.tmp"), "x x");
  EXPECT_EQ(procesos.archivosVistos, std::vector<std::string>{(Bolsa() / "sin_nombre.tmp").string()});

  // A second untitled document does not overwrite the first.
  v.Nuevo();
  EXPECT_EQ(vista.titulo, U"Quillon");
  Escribe("otro");
  v.ProcesarYConsultar();
  EXPECT_EQ(ed.archivo, T((Bolsa() / "sin_nombre~01.vrk").string()));
  EXPECT_EQ(Carpeta::Lee(Bolsa() / "sin_nombre.vrk"), "$DEFINIR A =x\r\nA A\r\n");
  ASSERT_EQ(procesos.inicios.size(), 1u);
  EXPECT_EQ(procesos.inicios[0].argumentos,
            std::vector<std::string>{"/M=" + (Bolsa() / "sin_nombre~01.tmp").string()});

  // "&Consultar" hands the document itself over, unprocessed.
  v.Consultar();
  EXPECT_EQ(procesos.inicios.back().argumentos, std::vector<std::string>{"/M=" + U8(ed.archivo)});

  // A viewer that cannot start is said.
  procesos.falla = true;
  v.Procesar();
  EXPECT_EQ(dialogs.UltimoMensaje(), T("No se puede abrir el visor de texto para: ") + v.salida());
}

TEST_F(PreVentana, AyudaMuestraElManualOAvisa) {
  v.Ayuda();
  ASSERT_EQ(procesos.archivosVistos, std::vector<std::string>{(Bolsa() / "ayuda.txt").string()});
  EXPECT_NE(Carpeta::Lee(Bolsa() / "ayuda.txt").find("$CONSULTAR"), std::string::npos);
  procesos.falla = true;
  v.Ayuda();
  EXPECT_EQ(dialogs.UltimoMensaje(), T("No se puede abrir el visor de texto para: ") +
                                         T((Bolsa() / "ayuda.txt").string()));
}

TEST_F(PreVentana, TextoSeleccionado) {
  std::string doc = dir.Escribe("s.vrk", "uno\r\ndos\r\ntres");
  v.CargaArchivo(T(doc));
  ed.CursorText(1, 2);
  ed.SelectHasta(4, 2);
  v.Procesar();
  EXPECT_EQ(vista.elecciones, 1);
  EXPECT_EQ(Carpeta::Lee(Bolsa() / "s.tmp"), "dos");

  vista.fuente = false;
  v.Procesar();
  EXPECT_EQ(Carpeta::Lee(Bolsa() / "s~01.tmp"), "uno\r\ndos\r\ntres");

  vista.fuente.reset(); // cancelled: nothing processed, nothing shown
  size_t vistos = procesos.archivosVistos.size();
  v.Procesar();
  EXPECT_FALSE(fs::exists(Bolsa() / "s~02.tmp"));
  EXPECT_EQ(procesos.archivosVistos.size(), vistos);
}

TEST_F(PreVentana, ConfirmaDescarte) {
  Escribe("cambios");
  // Yes on an untitled document asks for a name first; cancelling it stops the command.
  dialogs.respuestas = {Respuesta::Si};
  v.Nuevo();
  EXPECT_EQ(dialogs.mensajes.back().texto, T("¿Guardar Cambios?"));
  ASSERT_EQ(dialogs.archivos.size(), 1u);
  EXPECT_EQ(dialogs.archivos[0].titulo, T("Guardar Macro Quillon"));
  EXPECT_EQ(ed.Text(), U"cambios");

  dialogs.respuestas = {Respuesta::Si};
  dialogs.respuestasArchivo = {T((dir.Ruta() / "c.vrk").string())};
  v.Nuevo();
  EXPECT_EQ(Carpeta::Lee(dir.Ruta() / "c.vrk"), "cambios\r\n");
  EXPECT_EQ(ed.Text(), U"");

  Escribe("mas");
  dialogs.respuestas = {Respuesta::Cancelar};
  EXPECT_FALSE(v.Cierra());
  dialogs.respuestas = {Respuesta::No};
  dialogs.respuestasArchivo = {T((dir.Ruta() / "no.vrk").string())};
  v.Abrir();
  EXPECT_EQ(dialogs.UltimoMensaje(), T("No se encuentra: ") + T((dir.Ruta() / "no.vrk").string()));
}

TEST_F(PreVentana, CierraGuardaLaConfiguracion) {
  ed.verNumLin = true;
  ed.verEstado = false;
  EXPECT_TRUE(v.Cierra());
  AjustesQuillon leidos;
  ASSERT_TRUE(LeeConfig(q.ArchivoConfig(), leidos));
  EXPECT_TRUE(leidos.verNumLin);
  EXPECT_FALSE(leidos.verEstado);

  chmod(q.ArchivoConfig().c_str(), 0444);
  EXPECT_TRUE(v.Cierra()); // the program still closes
  EXPECT_EQ(dialogs.UltimoMensaje(), T("Error. Archivo de configuración es de sólo lectura"));
}

TEST_F(PreVentana, SaltaAlError) {
  std::string inc = dir.Escribe("inc.vrk", "bien\r\n$PARA x EN a\r\n");
  std::string doc = dir.Escribe("d.vrk", "uno\r\ndos\r\n$DEFINIR\r\n");
  v.CargaArchivo(T(doc));
  v.Procesar();
  EXPECT_EQ(ed.curYt, 3);
  EXPECT_TRUE(procesos.archivosVistos.empty());

  // An error in another file opens that file in the viewer.
  dir.Escribe("d.vrk", "$INCLUIR " + inc + "\r\n");
  v.CargaArchivo(T(doc));
  v.Procesar();
  EXPECT_EQ(procesos.archivosVistos, std::vector<std::string>{inc});

  // With no document in the editor, the error's file is loaded at its line.
  v.Nuevo();
  Texto salida;
  q.ePreProcesar(T(inc), salida);
  EXPECT_EQ(ed.archivo, T(inc));
  EXPECT_EQ(ed.curYt, 2);
}

TEST_F(PreVentana, ConfiguraYAyudaDeTablas) {
  ColoresEditor c;
  c.ColFonEdi = 0x102030;
  FalloConfig f = v.Configura(U"sin arroba", U"/bin/x", c);
  EXPECT_EQ(f.campo, FalloConfig::Campo::Conexion);
  EXPECT_EQ(dialogs.mensajes.back().icono, Icono::Exclamacion);
  EXPECT_EQ(q.ajustes.conexion, U"");
  EXPECT_TRUE(procesos.inicios.empty());

  f = v.Configura(U"u/c@datos.db", U"/bin/x", c);
  EXPECT_EQ(f.campo, FalloConfig::Campo::Ninguno);
  EXPECT_EQ(q.ajustes.conexion, U"u/c@datos.db");
  EXPECT_EQ(q.ajustes.lanzador, U"/bin/x");
  EXPECT_EQ(ed.colores.ColFonEdi, 0x102030u);
  EXPECT_EQ(std::string(getenv(kVariableConexion)), "u/c@" + (dir.Ruta() / "datos.db").string());
  // The table list restarts for the new connection, in SQLite's own words.
  ASSERT_EQ(procesos.inicios.size(), 1u);
  EXPECT_EQ(procesos.inicios[0].programa, "/opt/zt/ztsql");
  EXPECT_EQ(procesos.inicios[0].argumentos, std::vector<std::string>{"@" + ayuda.Guion().string()});
  EXPECT_NE(Carpeta::Lee(ayuda.Guion())
                .find("SPOOL " + ayuda.Lista().string() + "\r\nSELECT name FROM sqlite_master"),
            std::string::npos);

  // The lists: templates with the table names, date formats after an apostrophe, types after RETURN.
  dir.Escribe("lista.lst", "EMPLEADOS\r\nERROR: algo\r\nEMPRESAS\r\n");
  auto tablas = FiltraLista(ayuda.Eleccion(U"SELECT * FROM"), U"em");
  EXPECT_EQ(tablas, (std::vector<Texto>{U"EMPLEADOS", U"EMPRESAS"}));
  EXPECT_EQ(FiltraLista(ayuda.Eleccion(U"TO_CHAR(F, '"), U"yyyym"),
            (std::vector<Texto>{U"yyyymmdd'", U"yyyymmddhh24miss'"}));
  EXPECT_EQ(ayuda.Eleccion(U"FUNCTION F RETURN"), (std::vector<Texto>{U"CHARACTER STRING", U"INTEGER"}));
  EXPECT_EQ(FiltraLista(ayuda.Eleccion(U"SELECT"), U"up"), std::vector<Texto>{U"upper("});
}

TEST_F(PreVentana, FiltrarLineas) {
  ed.Text(T("uno ALFA\r\ndos alfa\r\nALFA tres"));
  dialogs.respuestasEntrada = {T("ALFA")};
  v.FiltrarLineas();
  EXPECT_EQ(dialogs.entradas.back().texto, T("Cadena para filtro: "));
  EXPECT_EQ(Carpeta::Lee(Bolsa() / "filtradas.txt"), "uno ALFA\r\nALFA tres\r\n");
  EXPECT_EQ(procesos.archivosVistos.back(), (Bolsa() / "filtradas.txt").string());
}

} // namespace
