// Remote files through the system's telnet server on the loopback, once per installed shell:
// every hostile text stored, compared byte for byte on the host, fetched back and stored again.
#include "ShellLocal.h"
#include "TextosHostiles.h"
#include "fakes/HostTelnetd.h"
#include "fakes/SesionLoopback.h"
#include "platform/AppQt.h"
#include "remote/CanalTelnet.h"
#include "remote/TransferenciaRemota.h"
#include "terminal/CtlEdTelnet.h"
#include <csignal>
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

// Nothing may stay in the host's folder for temporary files once a store ended, however it ended.
bool VaciaPronto(const std::filesystem::path& carpeta) {
  for (int i = 0; i < 100 && !std::filesystem::is_empty(carpeta); ++i) usleep(50000);
  return std::filesystem::is_empty(carpeta);
}

// Sends the first half of a store's data, lets it reach the host, then cuts the link.
struct CanalCortado : CanalRemoto {
  CanalRemoto& c;
  std::function<void()> corta;
  CanalCortado(CanalRemoto& canal, std::function<void()> f) : c(canal), corta(std::move(f)) {}
  bool Conectado() const override { return c.Conectado(); }
  Codificacion CodificacionFlujo() const override { return c.CodificacionFlujo(); }
  void FijaReceptor(std::function<void(std::string_view)> r) override { c.FijaReceptor(std::move(r)); }
  bool EsperaHasta(const std::function<bool()>& listo, int ms) override { return c.EsperaHasta(listo, ms); }
  void Envia(std::string_view b) override {
    if (b.rfind(": '", 0) != 0) return c.Envia(b);
    c.Envia(b.substr(0, b.size() / 2));
    c.EsperaHasta([] { return false; }, 300);
    corta();
  }
};

class RemotoReal : public ::testing::TestWithParam<const char*> {};

} // namespace

TEST_P(RemotoReal, GuardaLeeYEditaTextosHostiles) {
  HostTelnetd host(GetParam(), "zt$ ");
  if (!host.Disponible()) GTEST_SKIP() << host.Falta();
  AppQt();
  zt::test::CarpetaTemporal tmp;
  host.entorno = {{"TMPDIR", tmp.ruta.string()}};
  ASSERT_TRUE(host.Arranca());
  SesionLoopback s; // the real terminal view takes every byte the transfers make the host print
  CtlEdTelnet& vista = s.vista;
  CtlTelnet& telnet = s.telnet;
  PumpQt& pump = s.pump;
  ASSERT_TRUE(s.Conecta(
      host.puerto, [&] { return vista.LineaCursorTel() == U"zt$ "; }, 15000))
      << U8(vista.UltimaLinea());
  CanalTelnet canal(telnet, pump, &vista);
  TransferenciaRemota tr(canal);
  const Codificacion cod = Codificacion::Utf8;
  const int32_t lineasAntes = vista.NumLineas();

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

  // The file is overwritten in place: its inode, its permissions and its other names stay.
  const auto ruta = host.Escribe("enlazado", "viejo\n");
  chmod(ruta.c_str(), 0640);
  ASSERT_EQ(link(ruta.c_str(), (host.carpeta / "otro nombre").c_str()), 0);
  struct stat antes = {};
  stat(ruta.c_str(), &antes);
  ASSERT_EQ(tr.Guarda(U"enlazado", {{U"nuevo"}, true}), U"");
  struct stat despues = {};
  stat(ruta.c_str(), &despues);
  EXPECT_EQ(host.Lee("otro nombre"), "nuevo\n");
  EXPECT_EQ(despues.st_ino, antes.st_ino);
  EXPECT_EQ(despues.st_mode & 07777, 0640u);
  // A new file gets the permissions the shell's umask gives, not the temporary file's.
  const mode_t mascara = umask(022);
  umask(mascara);
  struct stat nuevo = {};
  stat((host.carpeta / "comillas").c_str(), &nuevo);
  EXPECT_EQ(nuevo.st_mode & 0777, 0666u & ~mascara);
  EXPECT_FALSE(std::filesystem::exists(host.carpeta / "no hay carpeta"));
  EXPECT_TRUE(VaciaPronto(tmp.ruta));

  const auto lista = tr.Lista();
  ASSERT_EQ(lista.error, U"");
  for (const char* n : {"comillas", "-un nombre's", "solo lectura", "vacio"})
    EXPECT_NE(std::find(lista.entradas.begin(), lista.entradas.end(), T(n)), lista.entradas.end()) << n;
  // The terminal shows none of the transfers' commands, marks or data: each leaves a prompt.
  const Texto pantalla = vista.TextLineas(lineasAntes, vista.NumLineas());
  EXPECT_EQ(pantalla.find(U"ZTL"), Texto::npos) << U8(pantalla);
  for (int32_t y = lineasAntes; y <= vista.NumLineas(); ++y) {
    const Texto linea = vista.TextLineas(y, y);
    EXPECT_TRUE(linea == U"zt$ " || linea.empty()) << U8(pantalla);
  }

  telnet.SendData(U"exit\r");
  pump.EsperaHasta([&] { return telnet.State() != 7; }, 5000);
}

// A store broken while its data travels (the host's server dies, the link is closed, or the rest
// of the data never comes and the wait runs out) leaves the host's file as it was; after the
// time-out the session is usable again.
TEST_P(RemotoReal, GuardadoCortadoDejaElArchivoComoEstaba) {
  if (!HostTelnetd(GetParam()).Disponible()) GTEST_SKIP();
  AppQt();
  std::string viejo, nuevo;
  for (int i = 0; i < 5000; ++i) {
    viejo += "linea vieja " + std::to_string(i) + "\n";
    nuevo += "linea nueva, más larga que la vieja: " + std::to_string(i) + "\n";
  }
  enum Corte { Mata, Cierra, Calla };
  for (const Corte corte : {Mata, Cierra, Calla}) {
    HostTelnetd host(GetParam(), "zt$ ");
    zt::test::CarpetaTemporal tmp;
    // A shell that outlives its server writes no history into the folder being removed.
    host.entorno = {{"TMPDIR", tmp.ruta.string()}, {"HISTFILE", "/dev/null"}};
    ASSERT_TRUE(host.Arranca());
    host.Escribe("f", viejo);
    SesionLoopback s;
    ASSERT_TRUE(s.Conecta(
        host.puerto, [&] { return s.vista.LineaCursorTel() == U"zt$ "; }, 15000));
    CanalTelnet canal(s.telnet, s.pump, &s.vista);
    CanalCortado cortado(canal, [&] {
      if (corte == Mata) kill(host.Pid(), SIGKILL);
      if (corte == Cierra) s.telnet.Disconnect();
    });
    TransferenciaRemota tr(cortado);
    // The wait allowed grows with the data: a short text makes the time-out short.
    const std::string texto = corte == Calla ? nuevo.substr(0, 4000) : nuevo;
    tr.esperaMs = corte == Calla ? 300 : 10000;
    EXPECT_EQ(tr.Guarda(U"f", TextoDeBytes(texto, Codificacion::Utf8)),
              corte == Calla ? U"Tiempo de espera agotado" : U"Se perdió la conexión con el host.")
        << corte;
    EXPECT_TRUE(VaciaPronto(tmp.ruta)) << corte;
    EXPECT_EQ(host.Lee("f"), viejo) << corte;
    if (corte == Calla) {
      TransferenciaRemota otra(canal);
      EXPECT_EQ(otra.Guarda(U"f", TextoDeBytes(texto, Codificacion::Utf8)), U"");
      EXPECT_EQ(host.Lee("f"), texto);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Shells, RemotoReal,
                         ::testing::Values("bash", "dash", "busybox", "ksh", "mksh", "zsh"),
                         [](const auto& info) { return std::string(info.param); });
