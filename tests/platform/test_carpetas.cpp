#include "platform/Carpetas.h"
#include "platform/CarpetasRegla.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace zt;

TEST(Carpetas, LaReglaEligeEnOrden) {
  struct Caso {
    const char *que;
    FuentesCarpeta f;
    fs::path esperada;
  };
  const Caso casos[] = {
      {"la variable manda", {"/opt/zt", "/usr/bin", true, "/x", "/home/u"}, "/opt/zt"},
      {"junto al ejecutable", {"", "/srv/zt", true, "/x", "/home/u"}, "/srv/zt"},
      {"ejecutable sin permiso: XDG", {"", "/usr/bin", false, "/datos", "/home/u"}, "/datos/ztelnet"},
      {"sin XDG: ~/.local/share", {"", "/usr/bin", false, "", "/home/u"}, "/home/u/.local/share/ztelnet"},
      {"XDG relativo se ignora", {"", "/usr/bin", false, "rel", "/home/u"}, "/home/u/.local/share/ztelnet"},
      {"ejecutable desconocido", {"", "", true, "/datos", "/home/u"}, "/datos/ztelnet"},
  };
  for (const auto &c : casos) EXPECT_EQ(EligeCarpeta(c.f, "ztelnet"), c.esperada) << c.que;
}

TEST(Carpetas, VariableRelativaSeVuelveAbsoluta) {
  FuentesCarpeta f{"datos", "/usr/bin", true, "", "/home/u"};
  EXPECT_EQ(EligeCarpeta(f, "ztelnet"), fs::current_path() / "datos");
}

TEST(Carpetas, LaCarpetaDeLaVariableSeCrea) {
  char plantilla[] = "/tmp/zt_carpetasXXXXXX";
  ASSERT_NE(mkdtemp(plantilla), nullptr);
  fs::path destino = fs::path(plantilla) / "a" / "b";
  setenv("ZT_PRUEBA_HOME", destino.c_str(), 1);
  EXPECT_EQ(CarpetaPrograma("ZT_PRUEBA_HOME", "ztelnet"), destino);
  EXPECT_TRUE(fs::is_directory(destino));
  unsetenv("ZT_PRUEBA_HOME");
  fs::remove_all(plantilla);
}

TEST(Carpetas, SinVariableEsLaCarpetaDelEjecutable) {
  unsetenv("ZT_PRUEBA_HOME");
  fs::path exe = CarpetaEjecutable();
  ASSERT_FALSE(exe.empty());
  EXPECT_TRUE(fs::exists(exe / "platform_carpetas"));
  // The build folder is writable, so the program's folder is the executable's.
  EXPECT_EQ(CarpetaPrograma("ZT_PRUEBA_HOME", "ztelnet"), exe);
}
