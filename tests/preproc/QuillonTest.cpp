// Quillon's command line, fresh names in the work folder, and the batch path over fakes.
#include "preproc/Quillon.h"
#include "Ayuda.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeProcesses.h"
#include <gtest/gtest.h>

using namespace zt;
using namespace zt::preproc;
using namespace zt::preproc::prueba;

namespace {

std::vector<Texto> Args(std::initializer_list<const char*> l) {
  std::vector<Texto> r;
  for (auto a : l) r.push_back(T(a));
  return r;
}

TEST(PreLineaComandos, Interruptores) {
  struct Caso {
    std::vector<Texto> args;
    bool pre, lanzar, errores, interactivo;
    const char* desconocido;
  } casos[] = {
      {Args({}), false, false, true, true, ""},
      {Args({"  "}), false, false, true, true, ""},
      {Args({"a.vrk"}), false, false, true, false, ""},
      {Args({"a.vrk", "/prepro"}), true, false, true, false, ""},
      {Args({"a.vrk", "/Lanzar"}), true, true, true, false, ""},
      {Args({"a.vrk", "/PREPRO", "/NOERROR"}), true, false, false, false, ""},
      {Args({"a.vrk", "/noerror", "/error"}), false, false, true, false, ""},
      {Args({"a.vrk", "salida.txt", "/PREPRO"}), true, false, true, false, ""},
      {Args({"a.vrk", "/CONSULTA"}), false, false, true, false, "/CONSULTA"},
      {Args({"a.vrk", "/PREPRO", "/x", "/LANZAR"}), true, false, true, false, "/x"},
  };
  for (const auto& c : casos) {
    LineaComandos lc = LeeLineaComandos(c.args);
    std::string que = c.args.empty() ? "(nada)" : U8(c.args.back());
    EXPECT_EQ(lc.preprocesar, c.pre) << que;
    EXPECT_EQ(lc.lanzar, c.lanzar) << que;
    EXPECT_EQ(lc.mostrarErrores, c.errores) << que;
    EXPECT_EQ(lc.interactivo, c.interactivo) << que;
    EXPECT_EQ(U8(lc.desconocido), c.desconocido) << que;
  }
}

TEST(PreLineaComandos, NombresNuevos) {
  Carpeta dir("nombres");
  auto nombre = [&] { return NombreNuevo(dir.Ruta(), U"/algun/sitio/B.vrk").filename().string(); };
  EXPECT_EQ(nombre(), "B.tmp");
  dir.Escribe("B.tmp", "");
  EXPECT_EQ(nombre(), "B~01.tmp");
  dir.Escribe("B~01.tmp", "");
  EXPECT_EQ(nombre(), "B~02.tmp");
  for (int i = 2; i <= 99; ++i)
    dir.Escribe("B~" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".tmp", "");
  EXPECT_EQ(nombre(), "B~100.tmp");
  EXPECT_FALSE(ArchivoOcupado(dir.Ruta() / "B.tmp"));
  EXPECT_TRUE(std::filesystem::exists(dir.Ruta() / "B.tmp"));
}

// Sets an error with a file and no line, the way a failed query reports.
struct ConsultorQueFalla : Consultor {
  std::optional<Texto> Consulta(Preprocesador& p, bool) override {
    p.Error().Fija(1, T("!!!Error en sentencia CONSULTAR. Tiempo de espera excedido. "), T("q.vrk"), -1);
    return std::nullopt;
  }
};

struct PreLote : ::testing::Test {
  Carpeta dir{"lote"};
  FakeDialogs dialogs;
  FakeProcesses procesos;
  ConsultorQueFalla consultor;
  Quillon q{
      EntornoQuillon{dialogs, procesos, dir.Ruta(), U"/opt/zt/ztelnet", [] { return kHoy; }, &consultor}};

  std::filesystem::path Bolsa() const { return dir.Ruta() / "bolsa"; }
};

TEST_F(PreLote, PreprocesaEnLaCarpetaDeTrabajo) {
  std::string doc = dir.Escribe("B.vrk", "$DEFINIR A =x\r\nA A");
  auto a = q.Arranca(Args({doc.c_str(), "/PREPRO"}));
  EXPECT_EQ(a.accion, Quillon::Accion::Terminar);
  EXPECT_EQ(a.codigo, 0);
  ASSERT_EQ(dialogs.mensajes.size(), 2u); // only the work folder and the settings file being created
  EXPECT_EQ(dialogs.mensajes[0].texto, T("No se encuentra carpeta '/bolsa'. Se creará."));
  EXPECT_EQ(dialogs.mensajes[1].texto, T("No se encuentra archivo de configuración. \r\n¿Deseas crear uno?"));
  EXPECT_TRUE(std::filesystem::exists(dir.Ruta() / "Quillon.ini"));
  EXPECT_EQ(Carpeta::Lee(Bolsa() / "B.tmp"), "x x");
  q.Arranca(Args({doc.c_str(), "/PREPRO", "otro.txt"}));
  EXPECT_EQ(Carpeta::Lee(Bolsa() / "B~01.tmp"), "x x");
  EXPECT_TRUE(procesos.inicios.empty());
}

TEST_F(PreLote, LanzaLaSalida) {
  std::string doc = dir.Escribe("L.vrk", "x");
  q.Arranca(Args({doc.c_str(), "/lanzar"}));
  ASSERT_EQ(procesos.inicios.size(), 1u);
  EXPECT_EQ(procesos.inicios[0].programa, "/opt/zt/ztelnet");
  EXPECT_EQ(procesos.inicios[0].argumentos, std::vector<std::string>{"/M=" + (Bolsa() / "L.tmp").string()});

  procesos.falla = true;
  auto a = q.Arranca(Args({doc.c_str(), "/LANZAR"}));
  EXPECT_EQ(dialogs.UltimoMensaje(), T("Error ejecutando TELNET en ruta: /opt/zt/ztelnet"));
  EXPECT_EQ(a.codigo, 0);
}

TEST_F(PreLote, UnErrorHaceFallarElPaso) {
  std::string doc = dir.Escribe("E.vrk", "abc\r\n$DEFINIR\r\n");
  auto a = q.Arranca(Args({doc.c_str(), "/PREPRO"}));
  EXPECT_EQ(a.accion, Quillon::Accion::AbrirVentana);
  EXPECT_TRUE(a.conError);
  EXPECT_NE(a.codigo, 0);
  EXPECT_EQ(dialogs.UltimoMensaje(), T("[" + doc + "]: Se esperaba variable despues de $DEFINIR Línea: 2"));
  EXPECT_EQ(dialogs.mensajes.back().icono, Icono::Exclamacion);
  EXPECT_EQ(dialogs.mensajes.back().titulo, U"Quillon");

  size_t vistos = dialogs.mensajes.size();
  a = q.Arranca(Args({doc.c_str(), "/PREPRO", "/NOERROR"}));
  EXPECT_NE(a.codigo, 0);
  EXPECT_EQ(dialogs.mensajes.size(), vistos); // silent, but still a failure

  std::string consulta = dir.Escribe("Q.vrk", "$CONSULTAR x FINCONSULTAR");
  q.Arranca(Args({consulta.c_str(), "/PREPRO"}));
  EXPECT_EQ(dialogs.UltimoMensaje(),
            T("[q.vrk]: !!!Error en sentencia CONSULTAR. Tiempo de espera excedido. "));

  q.Arranca(Args({"/no/existe.vrk", "/PREPRO"}));
  EXPECT_EQ(dialogs.UltimoMensaje(), T("No se encuentra archivo: /no/existe.vrk"));
}

TEST_F(PreLote, SinConfiguracionNoArranca) {
  dialogs.respuestas = {Respuesta::Aceptar, Respuesta::No};
  auto a = q.Arranca(Args({"x.vrk", "/PREPRO"}));
  EXPECT_EQ(a.accion, Quillon::Accion::Terminar);
  EXPECT_FALSE(std::filesystem::exists(dir.Ruta() / "Quillon.ini"));
  EXPECT_FALSE(std::filesystem::exists(Bolsa() / "x.tmp"));
}

TEST_F(PreLote, ParametroDesconocido) {
  std::string doc = dir.Escribe("P.vrk", "x");
  auto a = q.Arranca(Args({doc.c_str(), "/PREPRO", "/CONSULTA"}));
  EXPECT_EQ(a.accion, Quillon::Accion::Terminar);
  EXPECT_NE(a.codigo, 0);
  EXPECT_EQ(dialogs.UltimoMensaje(),
            T("Error. Parámetro desconocido: /CONSULTA\r\nSINTAXIS: Quillon <Archivo> "
              "[Archivo de Salida] [/PREPRO] [/CONSULTA] [/NOERROR] [/ERROR]"));
  EXPECT_FALSE(std::filesystem::exists(Bolsa() / "P.tmp"));
}

TEST_F(PreLote, VentanaYTextoSeleccionado) {
  auto a = q.Arranca({});
  EXPECT_EQ(a.accion, Quillon::Accion::AbrirVentana);
  a = q.Arranca(Args({"doc.vrk"}));
  EXPECT_EQ(a.accion, Quillon::Accion::AbrirVentana);
  EXPECT_EQ(a.archivo, U"doc.vrk");

  q.textoSeleccionado = [] { return T("$DEFINIR S =sel\r\nS"); };
  Texto salida = T((Bolsa() / "sel.tmp").string());
  dir.Escribe("bolsa/sel.tmp", "contenido viejo y largo");
  q.ePreProcesar(U"-", salida);
  EXPECT_FALSE(q.Error().HayError());
  EXPECT_EQ(Carpeta::Lee(U8(salida)), "sel");
}

} // namespace
