// Quoting of names and texts, checked against the exact words and against real shells.
#include "ShellLocal.h"
#include "ShellViva.h"
#include "TextosHostiles.h"
#include "remote/TransferenciaRemota.h"
#include <gtest/gtest.h>

using namespace zt;
using namespace zt::test;

TEST(CitaShell, NombresComoUnaPalabraDelShell) {
  const struct {
    const char* nombre;
    const char* palabra;
  } casos[] = {
      {"a b", "'a b'"},
      {"it's", "'it'\\''s'"},
      {"-rf", "'./-rf'"},
      {"dir/-x", "'dir/-x'"},
      {"~/mis notas", "~/'mis notas'"},
      {"~root/f", "~root/'f'"},
      {"~/", "~/"},
      {"~", "'~'"},
      {"~-/x", "'~-/x'"},
      {"~$(id)/x", "'~$(id)/x'"},
      {"$(touch p);`x`", "'$(touch p);`x`'"},
      {"canción", "\"$(\\printf '%b' 'canci\\0303\\0263n')\""},
  };
  for (const auto& c : casos)
    EXPECT_EQ(CitaNombreRemoto(T(c.nombre), Codificacion::Utf8), c.palabra) << c.nombre;
  EXPECT_EQ(CitaNombreRemoto(T("ñ"), Codificacion::Cp1252), "\"$(\\printf '%b' '\\0361')\"");

  for (const char* malo : {"", "a\nb", "a\tb", "a\rb", "\x1b[A", "x\x7f"})
    EXPECT_FALSE(ReglaNombreRemoto(T(malo), Codificacion::Utf8).empty()) << malo;
  EXPECT_FALSE(ReglaNombreRemoto(Texto(kMaxNombreRemoto + 1, U'a'), Codificacion::Utf8).empty());
  EXPECT_TRUE(ReglaNombreRemoto(T("it's $(x) ~/ñ"), Codificacion::Utf8).empty());
}

// Each shell reads the quoted names back as the names, with nothing run.
TEST(CitaShell, LosShellsLeenLosNombresTalCual) {
  const std::vector<std::string> nombres = {"a b",      "it's",       "-rf",       "~/mis notas", "~",
                                            "~$(id)/x", "$(touch p)", "canción ñ", "a\\b\"c`d"};
  for (const auto& sh : ShellsInstalados()) {
    CarpetaTemporal dir;
    std::string guion, esperado;
    for (const auto& n : nombres) {
      guion += "\\printf '[%s]\\n' " + CitaNombreRemoto(T(n), Codificacion::Utf8) + "\r";
      esperado += "[" +
                  (n == "-rf"              ? "./" + n
                   : n.rfind("~/", 0) == 0 ? dir.ruta.string() + n.substr(1)
                                           : n) +
                  "]\n";
    }
    EXPECT_EQ(EjecutaEnShell(sh, guion, dir.ruta), esperado) << sh.nombre;
    EXPECT_FALSE(std::filesystem::exists(dir.ruta / "p")) << sh.nombre;
  }
}

// Every hostile text stored through every shell installed, both as the shell that reads the
// command and as the "sh" that decodes the data, comes out byte for byte; what is typed is short
// printable ASCII, so no line editor or terminal setting can act on it.
TEST(CitaShell, EscrituraExactaEnCadaShell) {
  const auto textos = TextosHostiles();
  for (const auto& [nombre, bytes] : textos) {
    const Escritura e = ComandoEscritura(bytes, CitaShell(nombre), "m", 100);
    for (unsigned char b : e.orden) ASSERT_TRUE(b >= 0x20 && b < 0x7F) << nombre;
    std::size_t largo = 0;
    for (unsigned char b : e.datos) {
      if (b == '\r')
        largo = 0;
      else {
        ASSERT_TRUE(b >= 0x20 && b < 0x7F) << nombre << ": byte " << int(b);
        ASSERT_LE(++largo, 102u) << nombre;
      }
    }
  }
  for (const auto& sh : ShellsInstalados()) {
    CarpetaTemporal bin;
    std::vector<std::string> argv;
    for (std::string a, resto = sh.programa; !resto.empty();) {
      const auto p = resto.find(' ');
      argv.push_back(resto.substr(0, p));
      resto = p == std::string::npos ? "" : resto.substr(p + 1);
    }
    std::filesystem::create_symlink(argv[0], bin.ruta / "sh");
    ShellViva shell(argv, bin.ruta.string());
    TransferenciaRemota tr(shell);
    tr.maxLineaDatos = 100; // every long line crosses several pieces
    tr.esperaMs = 10000;
    for (const auto& [nombre, bytes] : textos) {
      EXPECT_EQ(tr.Guarda(T(nombre), TextoDeBytes(bytes, Codificacion::Utf8)), U"")
          << sh.nombre << ": " << nombre;
      EXPECT_EQ(shell.Lee(nombre), bytes) << sh.nombre << ": " << nombre;
    }
    EXPECT_FALSE(std::filesystem::exists(shell.carpeta / "pwned1") ||
                 std::filesystem::exists(shell.carpeta / "pwned2"))
        << sh.nombre;
  }
}

TEST(CitaShell, CksumComoElDelSistema) {
  CarpetaTemporal dir;
  const std::vector<std::string> datos = {"", "a", "hola\n", std::string(70000, '\xff'),
                                          TextosHostiles()[6].second};
  for (std::size_t i = 0; i < datos.size(); ++i) {
    const std::string n = "d" + std::to_string(i);
    std::ofstream(dir.ruta / n, std::ios::binary) << datos[i];
    const std::string esperado =
        std::to_string(Cksum(datos[i])) + " " + std::to_string(datos[i].size()) + "\n";
    EXPECT_EQ(EjecutaEnShell({"sh", "/bin/sh"}, "cksum < " + n, dir.ruta), esperado) << i;
  }
}
