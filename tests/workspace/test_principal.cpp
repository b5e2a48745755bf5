// The main window's core against played platform objects: start-up, command line, data handler,
// closing questions and the terminal's keys.
#include "CarpetaPrueba.h"
#include "fakes/FakeClipboard.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakePump.h"
#include "fakes/FakeSocket.h"
#include "fakes/FakeTimer.h"
#include "workspace/Principal.h"
#include <gtest/gtest.h>

namespace zt {
namespace {

namespace fs = std::filesystem;

struct VentanaFalsa : VentanaPrincipal {
  Texto titulo;
  int muestras = 0, cierresPedidos = 0, enfoques = 0;
  std::vector<bool> ejecucion;
  AjustesVentana ajustes;
  bool panelVisible = true;
  std::optional<int> terminada;
  void FijaTitulo(const Texto& t) override { titulo = t; }
  void Muestra() override { ++muestras; }
  void EstadoEjecucion(bool en, bool) override { ejecucion.push_back(en); }
  Texto EditaArchivo(const Texto&) override { return {}; }
  AjustesVentana LeeAjustesVentana() const override { return ajustes; }
  void AplicaAjustesVentana(const AjustesVentana& a) override { ajustes = a; }
  void FijaMenusFrecuentes(const MenusFrecuentes&) override {}
  bool EnfocaPanelEditor() override {
    ++enfoques;
    return panelVisible;
  }
  void Termina(int estado) override { terminada = estado; }
  void PideCierre() override { ++cierresPedidos; }
  bool editorRemotoSeCierra = true;
  bool CierraEditorRemoto() override { return editorRemotoSeCierra; }
};

struct Programa {
  CarpetaPrueba dir;
  FakeSocket socket;
  FakeTimer tmrConnect, timer1;
  FakeDialogs dialogos;
  FakePump pump;
  FakeClipboard portapapeles;
  VentanaFalsa ventana;
  CtlEdTelnet txtTerm;
  CtlEdit edCom{PerfilEditor::CtlEdit()}, edMac{PerfilEditor::CtlEdit2()};
  std::unique_ptr<Principal> p;

  explicit Programa(bool sinPantalla = true) {
    p = std::make_unique<Principal>(
        PlataformaPrincipal{socket, tmrConnect, timer1, dialogos, pump, portapapeles, sinPantalla}, ventana,
        txtTerm, edCom, edMac, CarpetasPrograma{dir.ruta});
  }
  fs::path Ini() const { return dir.ruta / "ztelnet.ini"; }
};

TEST(Principal, PrimerArranqueSinPantallaCreaTodoSinPreguntar) {
  Programa pr;
  ASSERT_TRUE(pr.p->Carga());
  EXPECT_TRUE(pr.dialogos.mensajes.empty());
  EXPECT_TRUE(fs::exists(pr.Ini()));
  for (const char* c : {"temp", "macros", "scripts"}) EXPECT_TRUE(fs::is_directory(pr.dir.ruta / c)) << c;
  EXPECT_EQ(pr.ventana.titulo, T("Zorvel's Telnet 1.12 - Conexión Cerrada."));
  EXPECT_EQ(pr.edMac.archivo, T((pr.dir.ruta / "macros" / "macro1.zkv").string()));
  EXPECT_EQ(pr.timer1.intervalo, 500);
}

TEST(Principal, PrimerArranqueConPantallaPregunta) {
  {
    Programa pr(false);
    pr.dialogos.respuestas = {Respuesta::No};
    EXPECT_FALSE(pr.p->Carga());
    EXPECT_NE(pr.p->EstadoSalida, 0);
    EXPECT_FALSE(fs::exists(pr.Ini()));
    ASSERT_EQ(pr.dialogos.mensajes.size(), 1u);
    EXPECT_EQ(pr.dialogos.mensajes[0].texto,
              T("No se encuentra archivo de configuración. \r\n¿Deseas crear uno?"));
  }
  Programa pr(false);
  pr.dialogos.respuestas = {Respuesta::Si, Respuesta::Si, Respuesta::Si, Respuesta::No};
  EXPECT_FALSE(pr.p->Carga()); // the third folder refused
  EXPECT_TRUE(fs::exists(pr.Ini()));
  EXPECT_TRUE(fs::is_directory(pr.dir.ruta / "macros"));
  EXPECT_FALSE(fs::is_directory(pr.dir.ruta / "scripts"));
}

TEST(Principal, ArranqueConArchivoDeAjustes) {
  Programa pr;
  EscribeBytes(pr.Ini(),
               "[VER]\tx\t\t\r\n[APP]\tF\t3000\t\tV\t4500\t\t\r\n"
               "[TER]\t800\t\t\tV\tzt\\!$ \t# \t0\t\t\t\r\n[CNX]\tuno\t\t\t\t\r\n[CNX]\tdos\t\t\t\t\r\n");
  ASSERT_TRUE(pr.p->Carga());
  EXPECT_TRUE(pr.dialogos.mensajes.empty());
  EXPECT_EQ(pr.p->Telnet.MaxLineasTerm, 800);
  EXPECT_TRUE(pr.txtTerm.DetPromptActiva);
  EXPECT_EQ(pr.txtTerm.PatIniPrompt, U"zt\t$ ");
  EXPECT_EQ(pr.txtTerm.PatFinPrompt, U"# ");
  EXPECT_EQ(pr.p->TeclasInterceptadas, 0);
  EXPECT_EQ(pr.p->HistorialHosts, (std::vector<Texto>{U"uno", U"dos"}));
  EXPECT_FALSE(pr.ventana.ajustes.verPanCom);
  EXPECT_EQ(pr.ventana.ajustes.anchoPanMac, 4500);

  // A broken line is reported, and what came before it stays.
  Programa roto;
  EscribeBytes(roto.Ini(), "[TER]\t900\t\t\tF\t\t\t1\t\t\t\r\n[APP]\tV\r\n");
  ASSERT_TRUE(roto.p->Carga());
  EXPECT_EQ(roto.p->Telnet.MaxLineasTerm, 900);
  ASSERT_EQ(roto.dialogos.mensajes.size(), 1u);
  EXPECT_NE(roto.dialogos.mensajes[0].texto.find(U"Error leyendo archivo"), Texto::npos);
}

TEST(Principal, LineaDeComandos) {
  {
    Programa pr;
    ASSERT_TRUE(pr.p->Carga());
    const auto log = pr.dir.ruta / "sesion.log";
    EscribeBytes(log, std::string(100, 'x')); // an older, longer log: nothing of it may remain
    ASSERT_TRUE(pr.p->ActuaLineaComandos({U"/IP=10.0.0.5:2323", U"/L=" + T(log.string())}));
    EXPECT_EQ(pr.socket.llamadas.back(), "conectar 10.0.0.5:2323");
    EXPECT_EQ(pr.ventana.muestras, 1);
    // The log was opened before the connection and closed after the (absent) macro.
    EXPECT_FALSE(pr.p->registro.Abierto());
    EXPECT_EQ(pr.dir.Lee(log), "Connecting to 10.0.0.5\r\n");
  }
  {
    Programa pr;
    ASSERT_TRUE(pr.p->Carga());
    // A port that cannot be read is a command line that cannot be used: what is wrong, the usage
    // text, and the end with status 2.
    EXPECT_FALSE(pr.p->ActuaLineaComandos({U"/IP=10.0.0.5:http"}));
    EXPECT_TRUE(pr.socket.llamadas.empty());
    ASSERT_EQ(pr.dialogos.mensajes.size(), 2u);
    EXPECT_EQ(pr.dialogos.mensajes[0].texto,
              T("Error en línea de comandos. Puerto no válido: 'http' (se espera un número de 1 a 65535)"));
    EXPECT_EQ(pr.dialogos.UltimoMensaje(), TextoUso());
    EXPECT_EQ(pr.p->EstadoSalida, 2);
  }
  {
    // A failed step in a batch run nobody can see ends it, failed, instead of waiting for nobody,
    // and so does a macro from the command line that ends, /SALIR or not.
    Programa pr;
    pr.p->nadieMira = true;
    ASSERT_TRUE(pr.p->Carga());
    EXPECT_FALSE(pr.p->ActuaLineaComandos({U"/M=x.zkv", U"/L=" + T((pr.dir.ruta / "no" / "x.log").string())}));
    EXPECT_EQ(pr.ventana.terminada, 1);
  }
  {
    Programa otro;
    otro.p->nadieMira = true;
    ASSERT_TRUE(otro.p->Carga());
    const auto macro = otro.dir.ruta / "m.zkv";
    EscribeBytes(macro, "x = 1\r\n");
    EXPECT_FALSE(otro.p->ActuaLineaComandos({U"/M=" + T(macro.string())}));
    EXPECT_EQ(otro.ventana.terminada, 0);
  }
  {
    Programa pr;
    ASSERT_TRUE(pr.p->Carga());
    EXPECT_FALSE(pr.p->ActuaLineaComandos({U"/IP=1.2.3.4", U"/BOGUS"}));
    ASSERT_EQ(pr.dialogos.mensajes.size(), 2u);
    EXPECT_EQ(pr.dialogos.mensajes[0].texto, T("Error. Parámetro desconocido: /BOGUS"));
    EXPECT_EQ(pr.dialogos.UltimoMensaje(), TextoUso());
    EXPECT_NE(pr.p->EstadoSalida, 0);
    EXPECT_TRUE(pr.socket.llamadas.empty());
  }
  {
    // A macro from the command line runs, then /SALIR ends the program with its outcome.
    Programa pr;
    ASSERT_TRUE(pr.p->Carga());
    const auto macro = pr.dir.ruta / "m.zkv";
    EscribeBytes(macro, "x = 1\r\n");
    EXPECT_FALSE(pr.p->ActuaLineaComandos({U"/SALIR", U"/M=" + T(macro.string())}));
    EXPECT_EQ(pr.ventana.terminada, 0);
  }
}

TEST(Principal, DatosAlRegistroYUltimaLinea) {
  Programa pr;
  ASSERT_TRUE(pr.p->Carga());
  const auto log = pr.dir.ruta / "r.log";
  pr.p->AbreRegistro(T(log.string()));
  pr.socket.conectarAlInstante = true;
  pr.p->ConnectToHost(U"h", 23);
  EXPECT_EQ(pr.ventana.titulo, T("Zorvel's Telnet 1.12 h - Conectado."));
  // A character split between two chunks arrives whole; CR dropped, LF to CR LF.
  pr.socket.Recibe("uno\r\ndos\ncanci\xC3");
  pr.socket.Recibe("\xB3n\r\nzt$ ");
  pr.p->CierraRegistro();
  EXPECT_EQ(pr.dir.Lee(log), "Connecting to h\r\nuno\r\ndos\r\ncanci\xC3\xB3n\r\nzt$ ");
  // The program's own line left the cursor below it: the host's prompt is a line of its own.
  EXPECT_EQ(pr.txtTerm.UltimaLinea(), U"zt$ ");
  EXPECT_EQ(pr.p->control.UltimaLinea(), U"zt$ ");
  EXPECT_EQ(pr.txtTerm.linea(pr.txtTerm.nLin() - 4), U"Connecting to h");
  // The caret still follows the host's cursor, so the view keeps up with the output.
  EXPECT_TRUE(pr.txtTerm.CursorEditEngan());
}

TEST(Principal, CierreConPreguntas) {
  Programa pr;
  ASSERT_TRUE(pr.p->Carga());
  pr.edMac.archivo = T((pr.dir.ruta / "macros" / "m.zkv").string());
  pr.edMac.CurInsertar(U"x = 1");
  const auto antes = fs::last_write_time(pr.Ini());
  const std::string contenido = pr.dir.Lee(pr.Ini());
  pr.p->Telnet.MaxLineasTerm = 777; // would show in the file if it were written

  pr.dialogos.respuestas = {Respuesta::Cancelar};
  EXPECT_FALSE(pr.p->SolicitudCierre());
  EXPECT_EQ(pr.dir.Lee(pr.Ini()), contenido);
  EXPECT_EQ(fs::last_write_time(pr.Ini()), antes);

  // "&Salir" asks the same questions and Cancel keeps the program running.
  pr.dialogos.respuestas = {Respuesta::Cancelar};
  pr.p->Salir();
  EXPECT_FALSE(pr.ventana.terminada);
  // So does a remote editor kept open at its own save question, before any other question.
  pr.ventana.editorRemotoSeCierra = false;
  const auto preguntas = pr.dialogos.mensajes.size();
  pr.p->Salir();
  EXPECT_FALSE(pr.ventana.terminada);
  EXPECT_EQ(pr.dialogos.mensajes.size(), preguntas);
  pr.ventana.editorRemotoSeCierra = true;

  // A connection asks too; then Yes saves the macro and the settings are written.
  pr.socket.conectarAlInstante = true;
  pr.p->ConnectToHost(U"h", 23);
  pr.dialogos.respuestas = {Respuesta::Si, Respuesta::Cancelar};
  EXPECT_FALSE(pr.p->SolicitudCierre());
  EXPECT_EQ(pr.dialogos.mensajes.back().texto, T("Hay una conexión activa. ¿Desea desconectar?"));
  EXPECT_EQ(pr.dir.Lee(pr.dir.ruta / "macros" / "m.zkv"), "x = 1\r\n");
  pr.dialogos.respuestas = {Respuesta::Aceptar};
  pr.p->Salir();
  EXPECT_EQ(pr.ventana.terminada, 0);
  EXPECT_EQ(pr.socket.EstadoCodigo(), 0);
  EXPECT_NE(pr.dir.Lee(pr.Ini()).find("[TER]\t777\t"), std::string::npos);
}

TEST(Principal, CerrarDuranteUnaMacroLaDetienePrimero) {
  Programa pr;
  ASSERT_TRUE(pr.p->Carga());
  pr.edMac.CurInsertar(U"WAIT \"nunca\"");
  bool respuesta = true;
  int vueltas = 0;
  pr.pump.alProcesar = [&] {
    if (++vueltas == 3) respuesta = pr.p->SolicitudCierre();
  };
  pr.p->control.EjecutaMacroEditor(false);
  EXPECT_FALSE(respuesta);
  EXPECT_FALSE(pr.p->control.MacroEnEjecucion());
  EXPECT_EQ(pr.ventana.cierresPedidos, 1);
  EXPECT_LT(vueltas, 50); // the wait ended at once, not after its time-out
  pr.pump.alProcesar = nullptr;
  EXPECT_TRUE(pr.p->SolicitudCierre());
}

// A refused or unknown host is said at once, in the terminal and the status panel; no time-out
// comes later for that attempt.
TEST(Principal, ConexionFallidaSeDiceAlInstante) {
  Programa pr;
  ASSERT_TRUE(pr.p->Carga());
  pr.p->ConnectToHost(U"h", 23);
  EXPECT_TRUE(pr.tmrConnect.Activo());
  pr.socket.FallaConexion("Conexión rechazada");
  EXPECT_EQ(pr.txtTerm.linea(pr.txtTerm.nLin() - 1), T("No se pudo conectar: Conexión rechazada"));
  EXPECT_EQ(pr.p->MotivoCierre(), T("No se pudo conectar: Conexión rechazada"));
  EXPECT_FALSE(pr.tmrConnect.Activo());
  EXPECT_EQ(pr.ventana.titulo, T("Zorvel's Telnet 1.12 - Conexión Cerrada."));
  // A new attempt forgets the reason; the host's own close gives its own.
  pr.socket.conectarAlInstante = true;
  pr.p->ConnectToHost(U"h", 23);
  EXPECT_TRUE(pr.p->MotivoCierre().empty());
  pr.socket.CierraRemoto();
  EXPECT_EQ(pr.p->MotivoCierre(), T("Conexión cerrada por el host"));
}

// Connecting from the dialog while a session is live asks first, as closing does.
TEST(Principal, NuevaConexionConUnaActivaPregunta) {
  Programa pr;
  ASSERT_TRUE(pr.p->Carga());
  pr.socket.conectarAlInstante = true;
  EXPECT_TRUE(pr.p->NuevaConexion(U"uno", 23));
  EXPECT_TRUE(pr.dialogos.mensajes.empty()); // nothing to lose: no question
  pr.dialogos.respuestas = {Respuesta::Cancelar};
  EXPECT_FALSE(pr.p->NuevaConexion(U"dos", 23));
  EXPECT_EQ(pr.dialogos.UltimoMensaje(), T("Hay una conexión activa. ¿Desea desconectar?"));
  EXPECT_EQ(pr.socket.llamadas, std::vector<std::string>{"conectar uno:23"});
  EXPECT_EQ(pr.socket.EstadoCodigo(), 7);
  pr.dialogos.respuestas = {Respuesta::Aceptar};
  EXPECT_TRUE(pr.p->NuevaConexion(U"dos", 23));
  EXPECT_EQ(pr.socket.llamadas.back(), "conectar dos:23");
}

// A signal during a run stops it at once, closes its files, the log and the connection, and ends
// with 128 + the signal; error.log says where it stopped.
TEST(Principal, SenalDetieneLaMacroYTermina) {
  Programa pr;
  ASSERT_TRUE(pr.p->Carga());
  const fs::path datos = pr.dir.ruta / "datos.txt", log = pr.dir.ruta / "s.log";
  pr.edMac.CurInsertar(T("FILEOPEN f '" + datos.string() + "'\r\nFILEWRITE f 'antes'\r\nLOGOPEN '" +
                         log.string() + "'\r\nLOGWRITE nota\r\nWAIT 'nunca'\r\nFILEWRITE f 'despues'"));
  int vueltas = 0;
  pr.pump.alProcesar = [&] {
    if (++vueltas == 3) pr.p->PeticionParada(15);
  };
  struct Aqui { // error.log goes to the current folder
    fs::path antes = fs::current_path();
    explicit Aqui(const fs::path& p) { fs::current_path(p); }
    ~Aqui() { fs::current_path(antes); }
  } aqui(pr.dir.ruta);
  EXPECT_EQ(pr.p->control.EjecutaMacroEditor(false), FinMacro::Error);
  EXPECT_LT(vueltas, 50); // the wait ended at once
  EXPECT_EQ(pr.ventana.terminada, 128 + 15);
  EXPECT_EQ(pr.dir.Lee(datos), "antes\r\n");
  EXPECT_EQ(pr.dir.Lee(log), "nota\r\n");
  EXPECT_FALSE(pr.p->registro.Abierto());
  EXPECT_EQ(pr.dir.Lee(pr.dir.ruta / "error.log"), "5\r\n13\r\nEjecución detenida por la señal SIGTERM\r\n");
}

TEST(Principal, TeclasDelTerminal) {
  Programa pr;
  ASSERT_TRUE(pr.p->Carga());
  pr.socket.conectarAlInstante = true;
  pr.p->ConnectToHost(U"h", 23);
  pr.socket.TomaEnviado();
  pr.txtTerm.EnganCursorEdit();
  EXPECT_TRUE(pr.p->TeclaAbajoTerminal(tecla::Izquierda, 0));
  EXPECT_FALSE(pr.p->TeclaAbajoTerminal(tecla::Arriba, 0)); // kept for the scroll-back
  pr.p->TeclasInterceptadas = 0;
  EXPECT_TRUE(pr.p->TeclaAbajoTerminal(tecla::Arriba, 0));
  EXPECT_FALSE(pr.socket.TomaEnviado().empty());
  EXPECT_TRUE(pr.p->TeclaAbajoTerminal(tecla::Tab, tecla::Ctrl));
  EXPECT_EQ(pr.ventana.enfoques, 1);
  // Alt+F4 is "&Salir".
  pr.dialogos.respuestas = {Respuesta::Cancelar};
  EXPECT_TRUE(pr.p->TeclaAbajoTerminal(115, tecla::Alt));
  EXPECT_FALSE(pr.ventana.terminada);
  // Losing the focus dims the view; the configured background is what is kept.
  pr.p->TerminalPierdeEnfoque();
  EXPECT_EQ(pr.txtTerm.colores.ColFonEdi, 2631720u);
  EXPECT_EQ(pr.p->AjustesActuales().propTerminal.colores.ColFonEdi, 0u);
  pr.p->TerminalTomaEnfoque();
  EXPECT_EQ(pr.txtTerm.colores.ColFonEdi, 0u);
}

} // namespace
} // namespace zt
