// A program killed while it writes its settings leaves the old file or the new one, never a piece.
#include "CarpetaPrueba.h"
#include "base/ArchivoTexto.h"
#include "workspace/Configuracion.h"
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace zt {
namespace {

AjustesZTelnet Ajustes(int hosts, const char* patron) {
  AjustesZTelnet a;
  a.PatFinPrompt = T(patron);
  for (int i = 0; i < hosts; ++i) a.HistorialHosts.push_back(T("host-" + std::to_string(i) + ".ejemplo"));
  a.MaxLineasTerm = int16_t(100 + hosts);
  return a;
}

TEST(AjustesSigkill, ElArchivoQuedaEnteroSiempre) {
  CarpetaPrueba dir;
  const auto ini = dir.ruta / "ztelnet.ini";
  Texto error;
  Configuracion cfg(ini, error);
  // Two settings of different sizes: a torn write would show as neither.
  const AjustesZTelnet a = Ajustes(1, "$ "), b = Ajustes(5, "larguísimo\tpatrón # ");
  ASSERT_TRUE(cfg.Escribe(b));
  const std::string bytesB = dir.Lee(ini);
  ASSERT_TRUE(cfg.Escribe(a));
  const std::string bytesA = dir.Lee(ini);
  ASSERT_NE(bytesA, bytesB);

  std::mt19937 azar(12345);
  for (int ronda = 0; ronda < 30; ++ronda) {
    int tubo[2];
    ASSERT_EQ(pipe(tubo), 0);
    const pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
      close(tubo[0]);
      Texto e;
      Configuracion c(ini, e);
      bool avisado = false;
      for (int n = 0;; ++n) {
        c.Escribe(n % 2 ? a : b);
        if (!avisado) {
          avisado = write(tubo[1], "x", 1) == 1;
          close(tubo[1]);
        }
      }
    }
    close(tubo[1]);
    char c;
    ASSERT_EQ(read(tubo[0], &c, 1), 1); // the child is writing over and over now
    close(tubo[0]);
    usleep(std::uniform_int_distribution<int>(0, 20000)(azar));
    kill(hijo, SIGKILL);
    int estado = 0;
    ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
    ASSERT_TRUE(WIFSIGNALED(estado));
    const std::string ahora = dir.Lee(ini);
    ASSERT_TRUE(ahora == bytesA || ahora == bytesB) << "ronda " << ronda << ": " << ahora.size() << " bytes";
    // The settings read back cleanly too.
    AjustesZTelnet leidos;
    ASSERT_TRUE(cfg.Lee(leidos)) << U8(error);
    ASSERT_TRUE(leidos == a || leidos == b);
  }
  // A writer killed between its temporary file and the rename leaves no obstacle for the next one.
  ASSERT_TRUE(cfg.Escribe(b));
  EXPECT_EQ(dir.Lee(ini), bytesB);
}

} // namespace
} // namespace zt
