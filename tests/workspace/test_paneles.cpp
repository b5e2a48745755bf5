// The command and macro panels' core: what goes to the host, the file commands, the panel's sizes.
#include "CarpetaPrueba.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeProcesses.h"
#include "workspace/CPanel.h"
#include "workspace/PanelComandos.h"
#include <fstream>

namespace zt {
namespace {

struct Panel {
  CarpetaPrueba carpeta;
  FakeDialogs dialogos;
  CtlEdit ed{PerfilEditor::CtlEdit(), &dialogos};
  PanelComandos panel{ed, dialogos, carpeta.ruta, carpeta.ruta / "scripts"};
  std::vector<std::string> enviados;
  Fuente fuente = Fuente::Seleccion;
  int macros = 0, fuentesPreguntadas = 0;
  Panel() {
    std::filesystem::create_directories(carpeta.ruta / "scripts");
    panel.SendData = [this](VistaTexto t) { enviados.push_back(U8(t)); };
    panel.PreguntaFuente = [this] {
      ++fuentesPreguntadas;
      return fuente;
    };
    panel.EjecutaMacro = [this] { ++macros; };
    panel.FechaHora = [] { return Texto(U"08/12/2026 11:00:00"); };
  }
  void Selecciona(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    ed.CursorText(x1, y1);
    ed.FijaAncla();
    ed.SelectHasta(x2, y2);
  }
};

using Envios = std::vector<std::string>;

TEST(PanelComandos, EnviaTexto) {
  struct Caso {
    const char* nombre;
    const char32_t* texto;
    bool seleccion;
    Fuente fuente;
    Envios esperado;
  } casos[] = {
      {"todo en una pieza", U"ls -l\r\n\r\npwd", false, Fuente::Seleccion, {"ls -l\r\rpwd\r"}},
      {"seleccion: las lineas en blanco no van",
       U"uno\r\n   \r\ntres\r\ncuatro",
       true,
       Fuente::Seleccion,
       {"uno\r", "tres\r"}},
      {"seleccion pero todo el texto", U"uno\r\n\r\ntres", true, Fuente::Todo, {"uno\r\rtres\r"}},
      {"cancelado", U"uno\r\ndos", true, Fuente::Cancelada, {}},
  };
  for (const Caso& c : casos) {
    Panel p;
    p.ed.Text(c.texto);
    if (c.seleccion) p.Selecciona(1, 1, 5, 3); // "uno", the blank line, "tres" up to its end
    p.fuente = c.fuente;
    p.panel.EnviaTexto(EditorActivo::Comandos);
    EXPECT_EQ(p.enviados, c.esperado) << c.nombre;
    EXPECT_EQ(p.fuentesPreguntadas, c.seleccion ? 1 : 0) << c.nombre;
  }
  Panel p;
  p.panel.EnviaTexto(EditorActivo::Macros); // F9 in the macro editor runs the macro
  EXPECT_EQ(p.macros, 1);
  EXPECT_TRUE(p.enviados.empty());
}

TEST(PanelComandos, EnviaLineaCancelaYEnvioDirecto) {
  Panel p;
  p.ed.Text(U"echo\tuno\r\nls\r\nfin");
  p.ed.CursorText(3, 1);
  p.panel.EnviaLinea(EditorActivo::Comandos);
  p.panel.EnviaLinea(EditorActivo::Comandos);
  EXPECT_EQ(p.enviados, (Envios{"echo  uno\r", "ls\r"})); // the expanded line; the cursor goes down
  EXPECT_EQ(p.ed.curYt, 3);
  p.panel.EnviaLinea(EditorActivo::Macros);
  EXPECT_EQ(U8(p.dialogos.UltimoMensaje()), "No implementado");
  p.panel.CancelaComando();
  EXPECT_EQ(p.enviados.back(), "\x03");

  p.enviados.clear();
  p.ed.TeclaAbajo(tecla::Enter, 0); // mode off: nothing goes out
  p.panel.CambiaModoEnvDir();
  EXPECT_TRUE(p.ed.ModEnvDir && p.ed.verFonLin);
  p.ed.CursorText(1, 2);
  p.ed.TeclaAbajo(tecla::Enter, 0);
  EXPECT_EQ(p.ed.curYt, 3); // the editor moved on by itself
  p.ed.TeclaAbajo(tecla::Enter, tecla::Ctrl);
  EXPECT_EQ(p.enviados, (Envios{"ls\r"}));
  p.panel.CambiaModoEnvDir();
  EXPECT_FALSE(p.ed.ModEnvDir || p.ed.verFonLin);
}

TEST(PanelComandos, ArchivoDeComandosVaTalCual) {
  Panel p;
  std::ofstream(p.carpeta.ruta / "scripts" / "dos.sh", std::ios::binary) << "uname -a\r\ndf -k\r\n";
  p.panel.archivos = {U"dos.sh", U"borrado.sh"};
  p.panel.EnviaArchivo(1);
  p.panel.EnviaArchivo(2); // missing: nothing, silently
  p.panel.EnviaArchivo(0); // the box is cancelled
  p.dialogos.respuestasArchivo.push_back(T((p.carpeta.ruta / "scripts" / "dos.sh").string()));
  p.panel.EnviaArchivo(0);
  EXPECT_EQ(p.enviados, (Envios{"uname -a\r\ndf -k", "uname -a\r\ndf -k"}));
  EXPECT_TRUE(p.dialogos.mensajes.empty());
  ASSERT_EQ(p.dialogos.archivos.size(), 2u);
  EXPECT_EQ(U8(p.dialogos.archivos[0].titulo), "Abrir Archivo de comandos");
}

struct PanelMac {
  CarpetaPrueba carpeta;
  FakeDialogs dialogos;
  CtlEdit ed{PerfilEditor::CtlEdit2(), &dialogos};
  PanelArchivo panel{kPanelMacros, ed, dialogos, carpeta.ruta, carpeta.ruta / "macros"};
  std::filesystem::path muestra = carpeta.ruta / "macros" / "macro1.zkv";
  PanelMac() {
    std::filesystem::create_directories(carpeta.ruta / "macros");
    panel.FechaHora = [] { return Texto(U"08/12/2026 11:00:00"); };
  }
};

TEST(PanelMacros, NuevoEscribeLaMuestra) {
  PanelMac p;
  ASSERT_TRUE(p.panel.Nuevo());
  EXPECT_EQ(p.carpeta.Lee(p.muestra), "// Macro de ejemplo para Zorvel's Telnet. \r\n"
                                      "// Creada: 08/12/2026 11:00:00\r\n"
                                      "disconnect    //Desconecta por si hab\xc3\xad"
                                      "a alguna conexi\xc3\xb3n\r\n"
                                      "connect 127.0.0.1    //Conecta a nueva direcci\xc3\xb3n\r\n"
                                      "wait \"login: \"\r\nsendln \"usuario\"\r\nwait \"password: \"\r\n"
                                      "sendln \"clave\"\r\npause 3    //genera una pausa\r\n"
                                      "sendln \"cd /carpeta_de_trabajo\"\r\n\r\n");
  EXPECT_EQ(U8(p.ed.archivo), p.muestra.string());
  EXPECT_EQ(U8(p.panel.titulo()), "MACROS - " + p.muestra.string());
  EXPECT_EQ(std::filesystem::current_path(), p.carpeta.ruta);
  EXPECT_FALSE(p.ed.TextModificado());
}

TEST(PanelMacros, NuevoConCambiosPregunta) {
  // The answer to "¿Guardar Cambios en Macro?", then the save box's answer.
  struct Caso {
    const char* nombre;
    Respuesta respuesta;
    std::optional<std::string> guardarComo; // nullopt: the box is cancelled
    bool sigue;
  } casos[] = {
      {"cancelar", Respuesta::Cancelar, {}, false},
      {"no descarta", Respuesta::No, {}, true},
      {"si, pero el nombre se cancela", Respuesta::Si, {}, false},
      {"si, y guardar falla", Respuesta::Si, "sin_carpeta/x.zkv", false},
      {"si, y guardar va", Respuesta::Si, "mia.zkv", true},
  };
  for (const Caso& c : casos) {
    PanelMac p;
    ASSERT_TRUE(p.panel.Nuevo());
    p.ed.CursorText(1, 3);
    p.ed.CurInsertar(U"mi cambio ");
    if (c.guardarComo) p.dialogos.respuestasArchivo.push_back(T((p.carpeta.ruta / *c.guardarComo).string()));
    p.dialogos.respuestas.push_back(c.respuesta);
    p.dialogos.mensajes.clear();
    EXPECT_EQ(p.panel.Nuevo(), c.sigue) << c.nombre;
    ASSERT_FALSE(p.dialogos.mensajes.empty());
    EXPECT_EQ(U8(p.dialogos.mensajes[0].texto), "\xc2\xbfGuardar Cambios en Macro?");
    const bool cambio = p.ed.linea(3).starts_with(U"mi cambio ");
    if (!c.sigue) {
      EXPECT_EQ(U8(p.ed.archivo), p.muestra.string()) << c.nombre;
    }
    EXPECT_EQ(cambio, !c.sigue) << c.nombre; // stopped: the editor keeps the edit
    // The sample on disk never took the edit: the panel's Save asked for another name.
    EXPECT_EQ(p.carpeta.Lee(p.muestra).find("mi cambio"), std::string::npos) << c.nombre;
    if (c.sigue && c.guardarComo) {
      EXPECT_NE(p.carpeta.Lee(p.carpeta.ruta / *c.guardarComo).find("mi cambio"), std::string::npos);
    }
  }
}

TEST(PanelMacros, GuardarYGuardarComo) {
  PanelMac p;
  p.panel.Nuevo();
  auto respuesta = [&](const std::string& r) { p.dialogos.respuestasArchivo.push_back(T(r)); };
  std::filesystem::create_directories(p.carpeta.ruta / "v1.d");
  respuesta((p.carpeta.ruta / "uno").string());
  EXPECT_TRUE(p.panel.Guardar()); // the sample: a name is asked for
  EXPECT_TRUE(std::filesystem::exists(p.carpeta.ruta / "uno.zkv"));
  EXPECT_EQ(U8(p.dialogos.archivos.back().titulo), "Guardar Macro");
  respuesta((p.carpeta.ruta / "v1.d" / "dos").string()); // a dot anywhere: nothing added
  EXPECT_TRUE(p.panel.GuardarComo());
  EXPECT_TRUE(std::filesystem::exists(p.carpeta.ruta / "v1.d" / "dos"));
  const size_t cajas = p.dialogos.archivos.size();
  EXPECT_TRUE(p.panel.Guardar()); // not the sample: saved in place
  EXPECT_EQ(p.dialogos.archivos.size(), cajas);

  FakeProcesses procesos;
  p.panel.Explorar(procesos);
  EXPECT_EQ(procesos.carpetasAbiertas, std::vector<std::string>{(p.carpeta.ruta / "macros").string()});
  procesos.falla = true; // no file manager: the folder is named
  EXPECT_FALSE(p.panel.Explorar(procesos));
  EXPECT_EQ(p.dialogos.UltimoMensaje(), T("No se puede abrir la carpeta: ") + T((p.carpeta.ruta / "macros").string()));
}

TEST(CPanel, AnchoAltoYEnfoque) {
  CPanel pan;
  std::vector<float> aplicados;
  std::vector<std::string> eventos;
  bool foco = false;
  pan.AplicaAncho = [&](float w) { aplicados.push_back(w); };
  pan.TieneEnfoque = [&] { return foco; };
  pan.TomaEnfoque = [&] { eventos.push_back("toma"); };
  pan.DejaEnfoque = [&] { eventos.push_back("deja"); };
  pan.Inic(100, U"COMANDOS");
  pan.Width(40);
  EXPECT_EQ(pan.Width(), 100);
  pan.Width(400);
  EXPECT_EQ(pan.ScaleWidth(), 396);
  EXPECT_EQ(aplicados.back(), 400);
  pan.Height(1);
  EXPECT_EQ(pan.Height(), 3);
  EXPECT_EQ(pan.ScaleHeight(), 0);
  pan.Visible(false);
  EXPECT_EQ(pan.Ancho(), 0);
  pan.Visible(true);
  EXPECT_EQ(pan.Ancho(), 400);

  foco = true;
  pan.ValidarEnfoque();
  pan.ValidarEnfoque(); // a move between two controls of the panel
  foco = false;
  pan.ValidarEnfoque();
  pan.ValidarEnfoque();
  EXPECT_EQ(eventos, (std::vector<std::string>{"toma", "deja"}));
}

} // namespace
} // namespace zt
