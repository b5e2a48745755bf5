// Remote files through the system's telnet server on the loopback, once per installed shell:
// every hostile text stored, compared byte for byte on the host, fetched back and stored again.
#include "TextosHostiles.h"
#include "fakes/HostTelnetd.h"
#include "fakes/SesionLoopback.h"
#include "platform/AppQt.h"
#include "remote/CanalTelnet.h"
#include "remote/TransferenciaRemota.h"
#include "terminal/CtlEdTelnet.h"
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zt;
using zt::test::HostTelnetd;
using zt::test::SesionLoopback;

namespace {

// A file this process cannot write, even as root (then it is made immutable); empty when this
// machine offers no way.
bool HazSoloLectura(const std::filesystem::path& ruta) {
  chmod(ruta.c_str(), 0444);
  if (getuid() == 0) std::system(("chattr +i '" + ruta.string() + "' 2>/dev/null").c_str());
  const int fd = open(ruta.c_str(), O_WRONLY);
  if (fd >= 0) close(fd);
  return fd < 0;
}

class RemotoReal : public ::testing::TestWithParam<const char*> {};

} // namespace

TEST_P(RemotoReal, GuardaLeeYEditaTextosHostiles) {
  HostTelnetd host(GetParam(), "zt$ ");
  if (!host.Disponible()) GTEST_SKIP() << host.Falta();
  AppQt();
  ASSERT_TRUE(host.Arranca());
  SesionLoopback s; // the real terminal view takes every byte the transfers make the host print
  CtlEdTelnet& vista = s.vista;
  CtlTelnet& telnet = s.telnet;
  PumpQt& pump = s.pump;
  ASSERT_TRUE(s.Conecta(
      host.puerto, [&] { return vista.UltimaLinea() == U"zt$ "; }, 15000))
      << U8(vista.UltimaLinea());
  CanalTelnet canal(telnet, pump, &vista);
  TransferenciaRemota tr(canal);
  const Codificacion cod = Codificacion::Utf8;

  for (const auto& [nombre, bytes] : zt::test::TextosHostiles()) {
    ASSERT_EQ(tr.Guarda(T(nombre), TextoDeBytes(bytes, cod)), U"") << nombre;
    EXPECT_EQ(host.Lee(nombre), bytes) << nombre;
    const auto l = tr.Lee(T(nombre));
    ASSERT_EQ(l.error, U"") << nombre;
    EXPECT_EQ(BytesDeTexto(l.texto, cod), bytes) << nombre;
  }
  EXPECT_FALSE(std::filesystem::exists(host.carpeta / "pwned1") ||
               std::filesystem::exists(host.carpeta / "pwned2"));

  // An edit of a fetched text goes back as edited, under a name that needs quoting.
  auto l = tr.Lee(U"control");
  l.texto.lineas.insert(l.texto.lineas.begin(), U"-- nueva 'línea' $(x) \\");
  ASSERT_EQ(tr.Guarda(U"-un nombre's", l.texto), U"");
  EXPECT_EQ(host.Lee("-un nombre's"), "-- nueva 'línea' $(x) \\\n" + host.Lee("control"));

  // A NUL never crosses the terminal: the checksum sends the fetch through od.
  const std::string conNul("a\0b\n\xff\x1b\xff\n", 8);
  host.Escribe("nul", conNul);
  l = tr.Lee(U"nul");
  ASSERT_EQ(l.error, U"");
  EXPECT_EQ(BytesDeTexto(l.texto, cod), conNul);

  // Failures are errors, with the host's words, and change nothing.
  EXPECT_NE(tr.Lee(U"no existe").error.find(U"No such file"), Texto::npos);
  EXPECT_FALSE(tr.Guarda(U"no hay carpeta/f", {{U"x"}, true}).empty());
  const auto ro = host.Escribe("solo lectura", "original\n");
  if (HazSoloLectura(ro)) {
    EXPECT_FALSE(tr.Guarda(U"solo lectura", {{U"cambiado"}, true}).empty());
    EXPECT_EQ(host.Lee("solo lectura"), "original\n");
    std::system(("chattr -i '" + ro.string() + "' 2>/dev/null").c_str());
  } else {
    EXPECT_FALSE(tr.Guarda(U"/proc/version", {{U"x"}, true}).empty());
  }

  const auto lista = tr.Lista();
  ASSERT_EQ(lista.error, U"");
  for (const char* n : {"comillas", "-un nombre's", "solo lectura", "vacio"})
    EXPECT_NE(std::find(lista.entradas.begin(), lista.entradas.end(), T(n)), lista.entradas.end()) << n;

  telnet.SendData(U"exit\r");
  pump.EsperaHasta([&] { return telnet.State() != 7; }, 5000);
}

INSTANTIATE_TEST_SUITE_P(Shells, RemotoReal,
                         ::testing::Values("bash", "dash", "busybox", "ksh", "mksh", "zsh"),
                         [](const auto& info) { return std::string(info.param); });
