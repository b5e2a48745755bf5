// The terminal log file and the Edit menu's rules.
#include "CarpetaPrueba.h"
#include "base/Error.h"
#include "fakes/FakeClipboard.h"
#include "workspace/MenuEdicion.h"
#include "workspace/RegistroTerminal.h"
#include <fstream>

using namespace zt;

TEST(RegistroTerminal, FinesDeLinea) {
  EXPECT_EQ(TextoParaRegistro(U"a\r\nb\nc\rd\r\r\n\n"), U"a\r\nb\r\ncd\r\n\r\n");
  EXPECT_EQ(TextoParaRegistro(U""), U"");
}

TEST(RegistroTerminal, ArchivoExistenteQuedaVacioYRecibeLoLlegado) {
  CarpetaPrueba c;
  const auto ruta = c.ruta / "sesion.log";
  std::ofstream(ruta) << std::string(5000, 'x'); // an older, longer log
  {
    RegistroTerminal r;
    r.Abre(ruta);
    EXPECT_TRUE(r.Abierto());
    EXPECT_EQ(r.nombre(), ruta);
    EXPECT_EQ(c.Lee(ruta), ""); // emptied at once
    r.EscribeRecibido(U"$ ls\r\nuno\ndos\r");
    r.RegistroPausado = true;
    r.EscribeRecibido(U"perdido\n");
    r.Escribe(U"nota\r\n"); // LOGWRITE writes while paused
    r.RegistroPausado = false;
    r.EscribeRecibido(U"canción \xDCE9\n"); // a byte the stream could not decode comes back as it was
  }
  EXPECT_EQ(c.Lee(ruta), "$ ls\r\nuno\r\ndosnota\r\ncanci\xC3\xB3n \xE9\r\n");
}

TEST(RegistroTerminal, OtroArchivoCierraElPrimeroYWindows1252) {
  CarpetaPrueba c;
  RegistroTerminal r;
  r.Abre(c.ruta / "a.log");
  r.EscribeRecibido(U"uno\n");
  r.codificacion = Codificacion::Cp1252;
  r.Abre(c.ruta / "b.log");
  r.EscribeRecibido(U"año\n");
  r.Cierra();
  r.Cierra(); // closing without a log does nothing
  r.EscribeRecibido(U"fuera\n");
  EXPECT_FALSE(r.Abierto());
  EXPECT_EQ(c.Lee(c.ruta / "a.log"), "uno\r\n");
  EXPECT_EQ(c.Lee(c.ruta / "b.log"), "a\xF1o\r\n");
}

TEST(RegistroTerminal, RutaImposibleEsErrorYNoQuedaRegistro) {
  CarpetaPrueba c;
  RegistroTerminal r;
  r.Abre(c.ruta / "a.log");
  try {
    r.Abre(c.ruta / "no" / "existe.log");
    FAIL() << "abrió una ruta imposible";
  } catch (const ErrorEjecucion& e) {
    EXPECT_EQ(e.codigo(), CodigoError::RutaNoEncontrada);
  }
  EXPECT_FALSE(r.Abierto());
  EXPECT_THROW(r.Abre(c.ruta), ErrorEjecucion); // a folder
}

TEST(RegistroTerminal, EscrituraFallidaSeAvisaUnaVez) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "sin /dev/full";
  RegistroTerminal r;
  r.Abre("/dev/full");
  EXPECT_THROW(r.EscribeRecibido(U"datos\n"), ErrorEjecucion);
  EXPECT_FALSE(r.Abierto());
  EXPECT_NO_THROW(r.EscribeRecibido(U"más\n"));
}

TEST(MenuEdicion, EstadoSegunElEditor) {
  CtlEdit ed;
  EXPECT_EQ(EstadoEdicion(ed, false), (EstadoMenuEdicion{false, true, true, false, false}));
  ed.CurInsertar(U"x");
  ed.TipoSelec(1);
  EXPECT_EQ(EstadoEdicion(ed, false), (EstadoMenuEdicion{true, true, true, false, true}));
  EXPECT_EQ(EstadoEdicion(ed, true), (EstadoMenuEdicion{false, false, true, true, true}));
}

TEST(MenuEdicion, PegarEnLaTerminalEnviaElTextoSinCambiarlo) {
  FakeClipboard clip;
  clip.texto = U"ls -l\r\ncat 'a b'\n";
  CtlEdit terminal(PerfilEditor::CtlEdit(), nullptr, &clip);
  CtlEdit editor(PerfilEditor::CtlEdit(), nullptr, &clip);
  std::vector<Texto> enviado;
  const auto envia = [&](const Texto& t) { enviado.push_back(t); };
  Pega(terminal, true, clip, envia);
  EXPECT_EQ(enviado, std::vector<Texto>{clip.texto});
  EXPECT_EQ(terminal.Text(), U"");
  Pega(editor, false, clip, envia);
  EXPECT_EQ(enviado.size(), 1u);
  EXPECT_EQ(editor.linea(1), U"ls -l");
  clip.texto.clear(); // an empty clipboard sends nothing
  Pega(terminal, true, clip, envia);
  EXPECT_EQ(enviado.size(), 1u);
}

TEST(MenuEdicion, ModoColumna) {
  CtlEdit ed;
  ModoColumna(ed, true);
  EXPECT_EQ(ed.TipoSelec(), 1);
  EXPECT_TRUE(EstadoEdicion(ed, false).ModColumna);
  ModoColumna(ed, false);
  EXPECT_EQ(ed.TipoSelec(), 0);
}
