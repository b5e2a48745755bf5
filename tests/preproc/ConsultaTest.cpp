// $CONSULTAR through the launch program (played by the fakes), and Quillon.ini with its checks.
#include "Ayuda.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeProcesses.h"
#include "fakes/FakePump.h"
#include "preproc/ConfigQuillon.h"
#include "preproc/ConsultaLanzada.h"
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zt;
using namespace zt::preproc;
using namespace zt::preproc::prueba;
namespace fs = std::filesystem;

namespace {

struct PreConsulta : ::testing::Test {
  Carpeta dir{"consulta"};
  FakeProcesses procesos;
  FakePump pump;
  FakeDialogs dialogs;
  ConsultaLanzada consultas{procesos, pump, dialogs, dir.Ruta() / "bolsa", U"/opt/zt/ztelnet"};
  Preprocesador p{OpcionesRun{{}, [] { return kHoy; }, {}, &consultas}};
  // What the started program does: write this answer (nullopt: nothing) and end, or stay.
  std::optional<std::string> respuesta = "A\r\nB\r\n";
  bool termina = true;
  std::vector<std::string> guiones;
  fs::path spool;

  void SetUp() override {
    procesos.alIniciar = [this](const FakeProcesses::Inicio& i) {
      std::string g = Carpeta::Lee(i.argumentos.at(0).substr(3));
      guiones.push_back(g);
      spool = g.substr(6, g.find("\r\n") - 6);
      if (respuesta) std::ofstream(spool, std::ios::binary) << *respuesta;
      if (termina) procesos.Termina(999 + long(procesos.inicios.size()));
    };
  }
  std::string Expande(const std::string& doc) { return p.Expande(T(doc)); }
  std::string Error() const { return U8(p.Error().Mensaje()); }
};

TEST_F(PreConsulta, ModoValorYModoInsercion) {
  std::string out = Expande("$DEFINIR TABLA =emp\n$DEFINIR V = $CONSULTAR select a -- FROM\nfrom TABLA;"
                            " FINCONSULTAR\n[V]\n$CONSULTAR select TABLA; FINCONSULTAR fin");
  ASSERT_FALSE(p.Error().HayError()) << Error();
  fs::path bolsa = dir.Ruta() / "bolsa";
  ASSERT_EQ(procesos.inicios.size(), 2u);
  EXPECT_EQ(procesos.inicios[0].programa, "/opt/zt/ztelnet");
  EXPECT_EQ(procesos.inicios[0].argumentos, std::vector<std::string>{"/M=" + (bolsa / "temp.tmp").string()});
  EXPECT_EQ(guiones[0], "SPOOL " + (bolsa / "salida.tmp").string() +
                            "\r\nSET TRIMSPOOL ON\r\nSET FEEDBACK OFF\r\nSET NEWPAGE NONE\r\nSET HEAD OFF\r\n"
                            " select a -- FROM\r\nfrom emp; \r\nSPOOL OFF\r\nEXIT\r\n");
  // The second query takes fresh names; the answer is processed as source.
  EXPECT_EQ(procesos.inicios[1].argumentos,
            std::vector<std::string>{"/M=" + (bolsa / "temp~01.tmp").string()});
  EXPECT_NE(guiones[1].find("SPOOL " + (bolsa / "salida~01.tmp").string()), std::string::npos);
  EXPECT_EQ(out, "\r\n[A\r\nB]\r\nA\r\nB fin");

  respuesta = "x V y\r\n";
  EXPECT_EQ(Expande("$DEFINIR V =7\n$CONSULTAR q; FINCONSULTAR"), "x 7 y");
  respuesta = "";
  EXPECT_EQ(Expande("$DEFINIR V = $CONSULTAR q; FINCONSULTAR <V>"), " <>");
}

TEST_F(PreConsulta, TiempoDeEsperaSinColgarse) {
  const std::string espera = "!!!Error en sentencia CONSULTAR. Tiempo de espera excedido. ";
  // The program ended without a spool (an unreachable database): no need to wait it out.
  respuesta.reset();
  Expande("x\n  $CONSULTAR select 1; FINCONSULTAR");
  EXPECT_EQ(Error(), espera);
  EXPECT_EQ(p.Error().Linea(), 2);
  EXPECT_LT(pump.ahora, 1000);

  // Still running and no file: the ten seconds run out.
  termina = false;
  pump.ahora = 0;
  Expande("$CONSULTAR select 1; FINCONSULTAR");
  EXPECT_EQ(Error(), espera);
  EXPECT_GE(pump.ahora, ConsultaLanzada::kEsperaAparicion);

  // Still running, a file that keeps growing: not complete; one that stays still a second: complete.
  respuesta = "A\r\n";
  pump.alProcesar = [&] { std::ofstream(spool, std::ios::binary | std::ios::app) << "+"; };
  Expande("$CONSULTAR select 1; FINCONSULTAR");
  EXPECT_EQ(Error(), espera);
  pump.alProcesar = nullptr;
  pump.ahora = 0;
  EXPECT_EQ(Expande("$CONSULTAR select 1; FINCONSULTAR"), "A");
  EXPECT_GE(pump.ahora, ConsultaLanzada::kEstable);

  // The program cannot start.
  procesos.falla = true;
  Expande("$CONSULTAR select 1; FINCONSULTAR");
  EXPECT_EQ(dialogs.UltimoMensaje(), T("Error ejecutando TELNET en ruta: /opt/zt/ztelnet"));
  EXPECT_EQ(Error(), espera);

  Expande("uno\n$CONSULTAR select 1;\n");
  EXPECT_EQ(Error(), "Inesperado fin de archivo. No se encontro 'FINCONSULTAR' del 'CONSULTAR'");
  EXPECT_EQ(p.Error().Linea(), 2);
}

TEST(PreConfig, EscribeLeeYRespalda) {
  Carpeta dir("config");
  fs::path ini = dir.Ruta() / "Quillon.ini";
  AjustesQuillon a;
  a.conexion = U"scott/tiger@pg:ventas";
  a.lanzador = U"/usr/bin/ztelnet";
  a.verNumLin = true;
  a.colores.ColTxtFun = 123456;
  EXPECT_EQ(EscribeConfig(ini, a, U"Quillon"), U"");
  EXPECT_EQ(Carpeta::Lee(ini),
            "[VER],Quillon,,\r\n[CADCOND],scott/tiger@pg:ventas,,\r\n[TELNETD],/usr/bin/ztelnet,,\r\n"
            "[EDVER],V,F,V,,,\r\n[EDCOL],16777215,16745090,0,16777215,13816530,,,\r\n"
            "[EDCOLS],8421504,16734810,48640,255,123456,,,,,\r\n"
            "=========================FIN===========================\r\n"
            "=======================================================\r\n");
  AjustesQuillon b;
  EXPECT_TRUE(LeeConfig(ini, b));
  EXPECT_EQ(b, a);

  std::string viejo = Carpeta::Lee(ini);
  a.conexion = U"x/y@z";
  EXPECT_EQ(EscribeConfig(ini, a, U"Quillon"), U"");
  EXPECT_EQ(Carpeta::Lee(dir.Ruta() / "Quillon.ini.bak"), viejo);

  chmod(ini.c_str(), 0444);
  a.conexion = U"otra/x@y";
  EXPECT_EQ(EscribeConfig(ini, a, U"Quillon"), T("Error. Archivo de configuración es de sólo lectura"));
  if (geteuid() != 0) {
    EXPECT_NE(Carpeta::Lee(ini).find("x/y@z"), std::string::npos);
  }

  // A bad colour ends the reading; what came before stays.
  AjustesQuillon c;
  LeeLineasConfig(
      c, {U"[TELNETD],/bin/t,,", U"[EDVER],F,V,F", U"[EDCOL],1,dos,3,4,5", U"[CADCOND],no/se@lee,,"});
  EXPECT_EQ(c.lanzador, U"/bin/t");
  EXPECT_FALSE(c.verEstado);
  EXPECT_TRUE(c.verDesHor);
  EXPECT_EQ(c.colores.ColFonEdi, 1u);
  EXPECT_EQ(c.colores.ColFonSel, AjustesQuillon().colores.ColFonSel);
  EXPECT_EQ(c.conexion, U"");
}

TEST(PreConfig, Comprobaciones) {
  using C = FalloConfig::Campo;
  struct {
    const char *conexion, *ruta;
    C campo;
    const char* mensaje;
  } casos[] = {
      {"scott/tiger@ventas", "/usr/bin/ztelnet", C::Ninguno, ""},
      {"/@", "z", C::Ninguno, ""},
      {"", "z", C::Ninguno, ""}, // the default: quillon.db
      {" ", "z", C::Ninguno, ""},
      {"scott/tiger", "z", C::Conexion,
       "Error en formato de cadena de conexión. Use el formato usuario/clave@BaseDeDatos: "},
      {"scott@ventas/x", "z", C::Conexion,
       "Error en formato de cadena de conexión. Use el formato usuario/clave@BaseDeDatos: "},
      {"a/b,c@d", "z", C::Conexion, "Error. Los valores de la configuración no pueden contener comas (',')."},
      {"a/b@d", "", C::Lanzador, "Debe especifcicar un valor para la ruta del SQLPLUS"},
      {"a/b@d", "/opt/a,b", C::Lanzador,
       "Error. Los valores de la configuración no pueden contener comas (',')."},
  };
  for (const auto& c : casos) {
    FalloConfig f = CompruebaConfig(T(c.conexion), T(c.ruta));
    EXPECT_EQ(f.campo, c.campo) << c.conexion;
    EXPECT_EQ(U8(f.mensaje), c.mensaje) << c.conexion;
  }
}

} // namespace
