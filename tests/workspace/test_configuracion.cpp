// Settings file: exact lines, round trip, backup, read-only and failed writes, bad lines.
#include "workspace/Configuracion.h"
#include "CarpetaPrueba.h"
#include "base/Tipos.h"

namespace zt {
namespace {

namespace fs = std::filesystem;

AjustesZTelnet AjustesCompletos() {
  AjustesZTelnet a;
  a.ventana = {false, 1234.5f, true, 2880};
  a.MaxLineasTerm = 2000;
  a.DetPromptActiva = true;
  a.PatIniPrompt = T("[usr@");
  a.PatFinPrompt = T("]\t$ \\x\r\nfin");
  a.TeclasInterceptadas = 0;
  a.HistorialHosts = {T("10.0.0.5"), T("host:2323"), T("máquina")};
  a.propTerminal.verNumLin = true;
  a.propTerminal.colores.ColFonEdi = 0;
  a.propTerminal.colores.ColTxtNor = RGB(200, 200, 200);
  a.propComandos.verEstado = true;
  a.propComandos.colores.ColTxtCom = RGB(1, 2, 3);
  return a;
}

struct ConfigPrueba : ::testing::Test {
  CarpetaPrueba carpeta;
  fs::path ini = carpeta.ruta / "ztelnet.ini";
  Texto mensaje;
  Configuracion config{ini, mensaje};

  void Escribe(const std::string& texto) { ASSERT_TRUE(EscribeBytes(ini, texto).empty()); }
};

TEST_F(ConfigPrueba, DefaultsWriteTheDocumentedLines) {
  auto lineas = Configuracion::Lineas(AjustesZTelnet{});
  ASSERT_EQ(lineas.size(), 5u);
  EXPECT_EQ(lineas[0], T("[VER]\tZorvel's Telnet 1.12\t\t"));
  EXPECT_EQ(lineas[1], T("[APP]\tV\t3150\t\tV\t3150\t\t"));
  EXPECT_EQ(lineas[2], T("[TER]\t500\t\t\tF\t\t\t1\t\t\t"));
  EXPECT_TRUE(lineas[3].starts_with(U"[TERVER]\t"));
  EXPECT_TRUE(lineas[4].starts_with(U"[PANCOM]\t"));
}

TEST_F(ConfigPrueba, FullSettingsSurviveARoundTripWithCrLfLines) {
  const AjustesZTelnet a = AjustesCompletos();
  ASSERT_TRUE(config.Escribe(a)) << U8(mensaje);
  const std::string bytes = carpeta.Lee(ini);
  EXPECT_NE(bytes.find("[CNX]\thost:2323\t\t\t\t\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("]\\!$ \\x\\?fin\t0\t\t\t\r\n"), std::string::npos);
  EXPECT_TRUE(bytes.ends_with("\r\n"));

  AjustesZTelnet b;
  ASSERT_TRUE(config.Lee(b)) << U8(mensaje);
  EXPECT_EQ(b, a);
  EXPECT_TRUE(mensaje.empty());
}

TEST_F(ConfigPrueba, RawHostBytesDoNotGarbleTheRestOfTheFile) {
  AjustesZTelnet a;
  a.HistorialHosts = {T("máquina"), T("raro\xff")};   // an undecodable byte from the host
  ASSERT_TRUE(config.Escribe(a));
  AjustesZTelnet b;
  ASSERT_TRUE(config.Lee(b));
  // The byte reads back as its code-page character; the accented host stays whole.
  EXPECT_EQ(b.HistorialHosts, (std::vector<Texto>{T("máquina"), T("raroÿ")}));
}

TEST_F(ConfigPrueba, BackupHoldsThePreviousFile) {
  Escribe("[VER]\tviejo\r\n");
  ASSERT_TRUE(config.Escribe(AjustesZTelnet{}));
  EXPECT_EQ(carpeta.Lee(carpeta.ruta / "ztelnet.ini.bak"), "[VER]\tviejo\r\n");
  EXPECT_TRUE(carpeta.Lee(ini).starts_with("[VER]\tZorvel's"));
  // No backup is made when there was no file.
  fs::remove(carpeta.ruta / "ztelnet.ini.bak");
  fs::remove(ini);
  ASSERT_TRUE(config.Escribe(AjustesZTelnet{}));
  EXPECT_FALSE(fs::exists(carpeta.ruta / "ztelnet.ini.bak"));
}

TEST_F(ConfigPrueba, ReadOnlyFileIsKeptAndNoBackupMade) {
  Escribe("original\r\n");
  fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_FALSE(config.Escribe(AjustesCompletos()));
  EXPECT_EQ(mensaje, T("Error. Archivo de configuración es de sólo lectura"));
  EXPECT_EQ(carpeta.Lee(ini), "original\r\n");
  EXPECT_FALSE(fs::exists(carpeta.ruta / "ztelnet.ini.bak"));
}

TEST_F(ConfigPrueba, FailedBackupOrWriteLeavesTheOldFileAndReportsIt) {
  Escribe("original\r\n");
  fs::create_directory(carpeta.ruta / "ztelnet.ini.bak");   // the copy cannot be made
  EXPECT_FALSE(config.Escribe(AjustesCompletos()));
  EXPECT_EQ(mensaje, T("Error escribiendo en archivo: ") + T(ini.string()));
  EXPECT_EQ(carpeta.Lee(ini), "original\r\n");

  Texto otro;
  Configuracion sinCarpeta(carpeta.ruta / "no" / "ztelnet.ini", otro);
  EXPECT_FALSE(sinCarpeta.Escribe(AjustesZTelnet{}));
  EXPECT_TRUE(otro.starts_with(T("Error escribiendo en archivo: ")));
}

TEST_F(ConfigPrueba, OtherTagsAreIgnoredAndHostsKeepTheirOrder) {
  Escribe("[VER]\tx\r\n[XYZ]\tbasura\r\n[TER]\t800\t\t\tV\tini\\!\tfin\\?\t0\t\t\t\r\n"
          "[CNX]\ta\r\n[CNX]\tb\r\n[CNX]\tc\r\n[CNX]\td\r\n[CNX]\te\r\n[CNX]\tf\r\nsin etiqueta\r\n");
  AjustesZTelnet a;
  ASSERT_TRUE(config.Lee(a)) << U8(mensaje);
  EXPECT_EQ(a.MaxLineasTerm, 800);
  EXPECT_TRUE(a.DetPromptActiva);
  EXPECT_EQ(a.PatIniPrompt, T("ini\t"));
  EXPECT_EQ(a.PatFinPrompt, T("fin\r\n"));
  EXPECT_EQ(a.TeclasInterceptadas, 0);
  // Only the five newest hosts are remembered.
  EXPECT_EQ(a.HistorialHosts, (std::vector<Texto>{U"b", U"c", U"d", U"e", U"f"}));
  EXPECT_EQ(a.ventana, AjustesVentana{});
}

TEST_F(ConfigPrueba, TerminalLinesOutsideTheSensibleRangeKeepTheDefault) {
  struct Caso {
    const char* campo;
    int16_t esperado;
  } casos[] = {{"19", 500}, {"20", 20}, {"30000", 30000}, {"30001", 500}, {"-5", 500}, {"99999", 500},
               {"1e9", 500}, {"120.5", 120}, {"121.5", 122}};
  for (const auto& c : casos) {
    Escribe(std::string("[TER]\t") + c.campo + "\t\t\tF\t\t\t1\t\t\t\r\n");
    AjustesZTelnet a;
    EXPECT_TRUE(config.Lee(a)) << c.campo << U8(mensaje);
    EXPECT_EQ(a.MaxLineasTerm, c.esperado) << c.campo;
  }
}

TEST_F(ConfigPrueba, BadLineStopsReadingAndKeepsEarlierValues) {
  struct Caso {
    const char* linea;
    const char* descripcion;
  } casos[] = {
      {"[TER]\t800\t\t\tV", "El subíndice está fuera del intervalo"},
      {"[TER]\tmucho\t\t\tV\t\t\t1", "No coinciden los tipos"},
      {"[TER]\t800\t\t\tV\t\t\t99999", "Desbordamiento"},
      {"[CNX]", "El subíndice está fuera del intervalo"},
      {"[APP]\tV\t1e300\t\tV\t400", "Desbordamiento"},
      {"[APP]", "El subíndice está fuera del intervalo"},
      {"[TERVER]\tV\tF", "El subíndice está fuera del intervalo"},
      {"[PANCOM]\tV\tF\tF\tF\t\t\trojo\t1\t2\t3\t4\t\t5\t6\t7\t8\t9\t\t", "No coinciden los tipos"},
  };
  for (const auto& c : casos) {
    Escribe(std::string("[CNX]\tprimero\r\n") + c.linea + "\r\n[CNX]\tdespues\r\n");
    AjustesZTelnet a;
    mensaje.clear();
    EXPECT_FALSE(config.Lee(a)) << c.linea;
    EXPECT_EQ(mensaje, T("Error leyendo archivo ") + T(ini.string()) + T("\r\nError procesando: ") + T(c.linea) +
                           T("\r\n(") + T(c.descripcion) + T(")"));
    EXPECT_EQ(a.HistorialHosts, std::vector<Texto>{U"primero"}) << c.linea;
  }
}

TEST_F(ConfigPrueba, MissingFileIsAReadErrorAndSkipsTheMenus) {
  AjustesZTelnet a;
  MenusFrecuentes menus;
  menus.macros = {U"viejo.zkv"};
  EXPECT_FALSE(config.Lee(a, carpeta.ruta, carpeta.ruta, menus));
  EXPECT_TRUE(mensaje.starts_with(T("Error leyendo archivo ")));
  EXPECT_EQ(menus.macros, std::vector<Texto>{U"viejo.zkv"});
  EXPECT_EQ(a, AjustesZTelnet{});
}

TEST_F(ConfigPrueba, ReadingListsTheFrequentFiles) {
  fs::create_directories(carpeta.ruta / "macros" / "dir.zkv");
  fs::create_directories(carpeta.ruta / "scripts");
  for (const char* f : {"macros/b.zkv", "macros/A.ZKV", "macros/nota.txt", "scripts/x.sh", "scripts/y.shx"})
    ASSERT_TRUE(EscribeBytes(carpeta.ruta / f, "").empty());
  Escribe("[VER]\r\n");
  AjustesZTelnet a;
  MenusFrecuentes menus;
  ASSERT_TRUE(config.Lee(a, carpeta.ruta / "macros", carpeta.ruta / "scripts", menus));
  EXPECT_EQ(menus.macros, (std::vector<Texto>{U"A.ZKV", U"b.zkv"}));
  EXPECT_EQ(menus.comandos, std::vector<Texto>{U"x.sh"});
}

} // namespace
} // namespace zt
