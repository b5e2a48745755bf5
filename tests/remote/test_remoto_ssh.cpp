// Remote files over an SSH session to the system's sshd on the loopback: the same transfers as
// over Telnet, through the shell, byte for byte; the host checks the stored file with sha256sum.
#include "TextosHostiles.h"
#include "fakes/HostSshd.h"
#include "fakes/SesionLoopback.h"
#include "platform/AppQt.h"
#include "remote/CanalTelnet.h"
#include "remote/TransferenciaRemota.h"
#include <gtest/gtest.h>

using namespace zt;

TEST(RemotoSsh, GuardaYLeeTextosHostilesComprobadosEnElHost) {
  if (!test::HostSshd::Falta().empty()) GTEST_SKIP() << test::HostSshd::Falta();
  AppQt();
  test::HostSshd host;
  ASSERT_TRUE(host.Arranca());
  test::SesionLoopback s;
  s.socket.ssh.carpetaSsh = (host.casa / ".ssh").string();
  s.socket.ssh.AceptaClaveNueva = [](const std::string&, const std::string&) { return true; };
  s.telnet.Connect(T("ssh://root@127.0.0.1:" + std::to_string(host.puerto)), 23, 10);
  ASSERT_TRUE(s.pump.EsperaHasta([&] { return s.vista.LineaCursorTel() == U"zt$ "; }, 15000))
      << U8(s.vista.UltimaLinea());
  CanalTelnet canal(s.telnet, s.pump, &s.vista);
  TransferenciaRemota tr(canal);
  for (const auto& [nombre, bytes] : test::TextosHostiles()) {
    ASSERT_EQ(tr.Guarda(T(nombre), TextoDeBytes(bytes, Codificacion::Utf8)), U"") << nombre;
    EXPECT_EQ(host.Lee(nombre), bytes) << nombre;
    const auto l = tr.Lee(T(nombre));
    ASSERT_EQ(l.error, U"") << nombre;
    EXPECT_EQ(BytesDeTexto(l.texto, Codificacion::Utf8), bytes) << nombre;
  }
  // The host's own sha256sum of a stored file matches the one of the text sent.
  const std::string texto = "uno\n'dos' $(tres) \\ \t\xc3\xb1\n";
  ASSERT_EQ(tr.Guarda(U"suma", TextoDeBytes(texto, Codificacion::Utf8)), U"");
  std::ofstream(host.carpeta / "esperado", std::ios::binary) << texto;
  FILE* f = popen(("sha256sum < " + (host.carpeta / "esperado").string()).c_str(), "r");
  char suma[65] = {};
  ASSERT_EQ(fread(suma, 1, 64, f), 64u);
  pclose(f);
  s.telnet.SendData(U"sha256sum < suma\r");
  EXPECT_TRUE(s.pump.EsperaHasta([&] { return s.vista.TextLineas(1, s.vista.NumLineas()).find(T(suma)) != Texto::npos; },
                                 10000));
}
