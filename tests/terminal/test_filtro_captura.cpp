// The capture's text is the host's output as shown, also when a line comes in several chunks.
#include "terminal/FiltroCaptura.h"
#include <gtest/gtest.h>
#include <vector>

using namespace zt;

namespace {

// Runs the chunks through one filter the way the program does: a chunk given as null is not
// captured; the others are appended to the capture after taking off what the filter replaces.
Texto Captura(const std::vector<const char*>& trozos) {
  FiltroCaptura f;
  Texto captura;
  for (const char* t : trozos) {
    if (!t) {
      f.Filtra(U"zt$ ", nullptr);
      continue;
    }
    Texto nuevo;
    const std::size_t quitar = f.Filtra(T(t), &nuevo);
    captura.resize(captura.size() - std::min(quitar, captura.size()));
    captura += nuevo;
  }
  return captura;
}

} // namespace

TEST(FiltroCaptura, ComoSeVeAunEnVariosTrozos) {
  const struct {
    std::vector<const char*> trozos;
    const char* captura;
  } casos[] = {
      {{"\x1b[?2004lhola\x1b[1;32m!\x1b[0m\r\n"}, "hola!\r\n"},
      {{"ab\x0e" "c\x0f\td\x07\r\n"}, "abc\td\r\n"},
      // zsh writes the first letter of the echo, backs over it and writes the line, in two chunks.
      {{nullptr, "s", "\bsleep 1\r\n", "zt$ "}, "sleep 1\r\nzt$ "},
      // A counter that rewrites its line, chunk by chunk; erase-to-end takes the rest away.
      {{"10%", "\r20%", "\r100%\r\n"}, "100%\r\n"},
      {{"larga linea", "\rcorta\x1b[K", "\r\n"}, "corta\r\n"},
      // What came before the capture is not taken up, even on the same line.
      {{nullptr, "echo\r\n"}, "echo\r\n"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.captura);
    EXPECT_EQ(U8(Captura(c.trozos)), c.captura);
  }
}
