// The rules of the connection and terminal dialogs: ports, host history, line counts.
#include "terminal/AjustesTerminal.h"
#include <gtest/gtest.h>

using namespace zt;

TEST(AjustesTerminal, PuertoDeTexto) {
  const struct {
    const char32_t* texto;
    int puerto;
  } casos[] = {
      {U"TELNET", 23},
      {U"telnet", 23},
      {U" Telnet ", 23},
      {U"FTP", 21},
      {U"ftp", 21},
      {U"2323", 2323},
      {U"1", 1},
      {U"32768", 32768},
      {U"65535", 65535},
      // Nothing a connection could use: port 0 stays the refusal.
      {U"0", 0},
      {U"65536", 0},
      {U"-23", 0},
      {U"23x", 0},
      {U"", 0},
      {U"SSH", 0},
      {U"1e3", 0},
      {U"0000023", 0},
  };
  for (const auto& c : casos) EXPECT_EQ(PuertoDeTexto(c.texto), c.puerto) << U8(c.texto);
}

TEST(AjustesTerminal, HistorialGuardaCincoSinRepetir) {
  std::vector<Texto> h;
  for (const char32_t* host : {U"a", U"b", U"c", U"d", U"e"}) RecuerdaHost(h, host);
  RecuerdaHost(h, U"c"); // already there: unchanged
  EXPECT_EQ(h, (std::vector<Texto>{U"a", U"b", U"c", U"d", U"e"}));
  RecuerdaHost(h, U"C"); // case counts: a sixth host drops the oldest
  EXPECT_EQ(h, (std::vector<Texto>{U"b", U"c", U"d", U"e", U"C"}));
}

TEST(AjustesTerminal, LineasGuardadasEntre20y30000) {
  const struct {
    const char32_t* texto;
    std::optional<int16_t> lineas;
  } casos[] = {
      {U"20", 20},
      {U"30000", 30000},
      {U"500", 500},
      {U" 100 ", 100},
      {U"20.4", 20},
      {U"1000.5", 1000},
      {U"1001.5", 1002},
      {U"19", std::nullopt},
      {U"19.6", std::nullopt},
      {U"30001", std::nullopt},
      {U"30000.2", std::nullopt},
      {U"", std::nullopt},
      {U"abc", std::nullopt},
      {U"-500", std::nullopt},
      {U"99999999999", std::nullopt},
  };
  for (const auto& c : casos) EXPECT_EQ(LeeLineasTerm(c.texto), c.lineas) << U8(c.texto);
}
