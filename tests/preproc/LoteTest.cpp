// The quillon program as a batch step: a document with includes and loops, run with no display.
#include "base/Texto.h"
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Lee(const fs::path& r) {
  std::ifstream f(r, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

struct Resultado {
  int estado = -1;
  std::string errores;
};

// Runs the program with an argument list, no display, and QUILLON_HOME set to 'casa'.
Resultado Ejecuta(const std::vector<std::string>& args, const fs::path& casa) {
  fs::path err = casa / "stderr.txt";
  pid_t pid = fork();
  if (pid == 0) {
    int fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 2);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QUILLON_HOME", casa.c_str(), 1);
    std::vector<char*> argv{const_cast<char*>(QUILLON_EXE)};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(QUILLON_EXE, argv.data());
    _exit(127);
  }
  int st = 0;
  waitpid(pid, &st, 0);
  return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, Lee(err)};
}

// ZT_TEST_DATA when CTest sets it, else the folder this test was built from.
fs::path CarpetaDatos() {
  const char* v = std::getenv("ZT_TEST_DATA");
  return fs::path(v && *v ? v : QUILLON_DATOS) / "datos" / "lote";
}

struct QuillonLote : ::testing::Test {
  fs::path datos = CarpetaDatos();
  fs::path casa = fs::temp_directory_path() / ("zt_quillon_lote_" + std::to_string(getpid()));
  void SetUp() override {
    fs::remove_all(casa);
    fs::create_directories(casa / "bolsa");
  }
  void TearDown() override { fs::remove_all(casa); }
};

TEST_F(QuillonLote, LoteProduceLaSalidaEsperada) {
  Resultado r = Ejecuta({(datos / "doc.vrk").string(), "/PREPRO"}, casa);
  EXPECT_EQ(r.estado, 0) << r.errores;
  std::string obtenido = Lee(casa / "bolsa" / "doc.tmp");
  std::string esperado = Lee(datos / "esperado.tmp");
  if (obtenido != esperado) {
    const char* salida = std::getenv("ZT_TEST_OUT"); // next to the test program, not in the sources
    std::ofstream(fs::path(salida && *salida ? salida : casa.c_str()) / "esperado.tmp.new", std::ios::binary)
        << obtenido;
  }
  EXPECT_EQ(obtenido, esperado) << "see esperado.tmp.new";
  EXPECT_NE(Lee(casa / "bolsa" / "eventos.txt").find("   OPERACION: " + (datos / "doc.vrk").string()),
            std::string::npos);

  Ejecuta({(datos / "doc.vrk").string(), "/prepro"}, casa); // a second run takes a fresh name
  EXPECT_EQ(Lee(casa / "bolsa" / "doc~01.tmp"), esperado);
}

TEST_F(QuillonLote, UnErrorSinPantallaTerminaConFallo) {
  fs::path doc = casa / "mal.vrk";
  std::ofstream(doc, std::ios::binary) << "uno\r\n$PARA x EN a HACER x\r\n";
  Resultado r = Ejecuta({doc.string(), "/PREPRO"}, casa);
  EXPECT_NE(r.estado, 0);
  EXPECT_NE(r.errores.find("[" + doc.string() +
                           "]: Inesperado fin de archivo. No se encontró 'FINPARA' del "
                           "'PARA' Línea: 2"),
            std::string::npos)
      << r.errores;

  r = Ejecuta({doc.string(), "/PREPRO", "/NOERROR"}, casa);
  EXPECT_NE(r.estado, 0);
  EXPECT_EQ(r.errores.find("FINPARA"), std::string::npos);

  r = Ejecuta({doc.string(), "/BORRAR"}, casa);
  EXPECT_NE(r.estado, 0);
  EXPECT_NE(r.errores.find("Parámetro desconocido: /BORRAR"), std::string::npos);
}

} // namespace
