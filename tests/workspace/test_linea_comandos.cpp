// The command line, the title and the layout rules of the main window.
#include "base/Error.h"
#include "workspace/LineaComandos.h"
#include "workspace/ReglasVentana.h"
#include <gtest/gtest.h>

namespace zt {
namespace {

struct CasoLinea {
  std::vector<const char*> args;
  const char* host;
  const char* macro;
  const char* registro;
  bool mostrarErrores;
  bool salir;
};

TEST(LineaComandos, SwitchesYArgumentosSimples) {
  const CasoLinea casos[] = {
      {{}, "", "", "", true, false},
      {{"/IP=10.0.0.5:2323"}, "10.0.0.5:2323", "", "", true, false},
      {{"/ip:host.example"}, "host.example", "", "", true, false},
      {{"/SALIR", "/M=m.zkv"}, "", "m.zkv", "", true, true},
      {{"/NOERROR"}, "", "", "", false, false},
      {{"/NOERROR", "/ERROR"}, "", "", "", true, false},
      {{"/L=sesion.txt"}, "", "", "sesion.txt", true, false},
      // The shell already split the words: a value keeps its blanks, with or without quotes.
      {{"/M=\"/tmp/mis macros/a b.zkv\""}, "", "/tmp/mis macros/a b.zkv", "", true, false},
      {{"/M=/tmp/mis macros/a b.zkv"}, "", "/tmp/mis macros/a b.zkv", "", true, false},
      {{"/L='/tmp/x y.log'"}, "", "", "/tmp/x y.log", true, false},
      // Plain arguments are told apart by their form.
      {{"192.168.1.1", "salida.log", "x.zql"}, "192.168.1.1", "x.zql", "salida.log", true, false},
      {{"10.1.1.1:2323", "X.ZQL", "S.LOG"}, "10.1.1.1:2323", "X.ZQL", "S.LOG", true, false},
      {{"\"/tmp/con blanco.log\""}, "", "", "/tmp/con blanco.log", true, false},
      // Several arguments in one word, as a caller passing a whole line would.
      {{"/SALIR /NOERROR  /IP=1.2.3.4"}, "1.2.3.4", "", "", false, true},
  };
  for (const auto& c : casos) {
    std::vector<Texto> args;
    for (const char* a : c.args) args.push_back(T(a));
    const LecturaLinea r = LeeLineaComandos(args);
    SCOPED_TRACE(c.args.empty() ? "(vacía)" : c.args[0]);
    EXPECT_FALSE(r.Termina());
    EXPECT_TRUE(r.errorEjecucion.empty());
    EXPECT_EQ(r.valores.HostInicial, T(c.host));
    EXPECT_EQ(r.valores.ArchivoMacro, T(c.macro));
    EXPECT_EQ(r.valores.ArchRegistroInicial, T(c.registro));
    EXPECT_EQ(r.valores.MostrarErrores, c.mostrarErrores);
    EXPECT_EQ(r.valores.SalirAlTerminar, c.salir);
  }
}

TEST(LineaComandos, ErroresTerminanElPrograma) {
  LecturaLinea r = LeeLineaComandos({U"/IP=1.2.3.4", U"/xyz=3"});
  ASSERT_EQ(r.mensajes.size(), 2u);
  EXPECT_EQ(r.mensajes[0], T("Error. Parámetro desconocido: /XYZ"));
  EXPECT_EQ(r.mensajes[1], TextoUso());

  r = LeeLineaComandos({U"m.zkv"});
  ASSERT_EQ(r.mensajes.size(), 2u);
  EXPECT_EQ(r.mensajes[0], T("Error en línea de comandos. No se reconoce: m.zkv"));
  EXPECT_EQ(r.mensajes[1], TextoUso());
  EXPECT_EQ(TextoUso(),
            T("Se requiere linea de comandos: \r\nztelnet [direcciónIP[:puerto]] [archivo de macro.zql] "
              "[archivo de registro.log] \r\n[/NOERROR] [/ERROR] [/SALIR] "
              "[/IP=<direcciónIP[:puerto]>] \r\n[/IP=ssh://[usuario@]host[:puerto]] [/ACEPTAR_CLAVE] \r\n"
              "[M=<archivo de macros>] [L=<archivo de registro>]"));

  // An unclosed quote is a run-time error: shown, and the program runs on.
  r = LeeLineaComandos({U"/M=\"abierto.zkv"});
  EXPECT_FALSE(r.Termina());
  EXPECT_FALSE(r.errorEjecucion.empty());
}

TEST(LineaComandos, HostYPuerto) {
  struct {
    const char* texto;
    const char* host;
    int puerto; // 0: a run-time error
  } casos[] = {
      {"10.0.0.5:2323", "10.0.0.5", 2323},
      {"10.0.0.5", "10.0.0.5", 23},
      {"h:1", "h", 1},
      {"h:65535", "h", 65535},
      {"h:40000", "h", 40000},
      {"h:0", "", 0},
      {"h:65536", "", 0},
      {"h:abc", "", 0},
      {"h:", "", 0},
      {"h:23x", "", 0},
      {"h:99999999999999999999", "", 0},
      // An SSH address is kept whole; its port, 22 unless given, is read from it.
      {"ssh://ana@h:2222", "ssh://ana@h:2222", 2222},
      {"SSH://h", "SSH://h", 22},
      {"ssh://root@[::1]:2200", "ssh://root@[::1]:2200", 2200},
      {"ssh://h:abc", "", 0},
      {"ssh://@h", "", 0},
      {"ssh://", "", 0},
      {"ssh://h:70000", "", 0},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.texto);
    if (c.puerto == 0) {
      EXPECT_THROW(SeparaHostPuerto(T(c.texto)), ErrorEjecucion);
      continue;
    }
    const HostPuerto hp = SeparaHostPuerto(T(c.texto));
    EXPECT_EQ(hp.host, T(c.host));
    EXPECT_EQ(hp.puerto, c.puerto);
  }
}

TEST(ReglasVentana, Titulo) {
  const Texto base = T("Zorvel's Telnet 1.12");
  EstadoTitulo e;
  EXPECT_EQ(TituloVentana(U"Otro", e), U"Otro");
  EXPECT_EQ(TituloVentana(U"", e), base + T(" - Conexión Cerrada."));
  e.estado = 6;
  EXPECT_EQ(TituloVentana(U"", e), base + U" - Conectando.");
  e.estado = 9;
  EXPECT_EQ(TituloVentana(U"", e), base + U" - Desconectado. ");
  e.estado = 7;
  e.RemoteHost = U"127.0.0.1";
  EXPECT_EQ(TituloVentana(U"", e), base + U" 127.0.0.1 - Conectado.");
  e.macroEnEjecucion = true;
  e.ArchivoMacro = U"/m/a.zkv";
  EXPECT_EQ(TituloVentana(U"", e), base + U" - Ejecutando: /m/a.zkv - Conectado.");
  e.archivoVista = U"/t/sesion.txt";
  EXPECT_EQ(TituloVentana(U"", e), base + U" - /t/sesion.txt - Conectado.");
}

TEST(ReglasVentana, Disposicion) {
  EXPECT_FALSE(DisponeVentana(800, 600, true, 100, 100).aplicar);
  EXPECT_FALSE(DisponeVentana(0, 600, false, 100, 100).aplicar);
  EXPECT_FALSE(DisponeVentana(800, 0, false, 100, 100).aplicar);

  Disposicion d = DisponeVentana(800, 600, false, 300, 200);
  EXPECT_TRUE(d.aplicar);
  EXPECT_EQ(d.x, 500);
  EXPECT_EQ(d.y, 0);
  EXPECT_EQ(d.ancho, 300);
  EXPECT_EQ(d.alto, 600);
  EXPECT_EQ(d.anchoCom, 300);
  EXPECT_EQ(d.anchoMac, 200);

  // Panels wider than the window: no negative terminal, each panel narrowed to the window.
  d = DisponeVentana(250, 100, false, 400, 300);
  EXPECT_EQ(d.ancho, 0);
  EXPECT_EQ(d.anchoCom, 250);
  EXPECT_EQ(d.anchoMac, 250);

  d = DisponeVentana(640, 480, false, 0, 0); // both hidden
  EXPECT_EQ(d.x, 0);
  EXPECT_EQ(d.ancho, 640);
}

} // namespace
} // namespace zt
