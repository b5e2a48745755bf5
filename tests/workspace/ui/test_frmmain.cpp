// The main window under the offscreen platform, driven with real Qt events against a real
// telnetd on the loopback.
#include "../CarpetaPrueba.h"
#include "fakes/FakeDialogs.h"
#include "fakes/HostTelnetd.h"
#include "platform/AppQt.h"
#include "terminal/ui/FrmConnect.h"
#include "workspace/ui/FrmMain.h"
#include "workspace/ui/PanelesQt.h"
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace zt {
namespace {

namespace fs = std::filesystem;

// Runs events until 'listo' holds or ten seconds have passed.
bool Espera(const std::function<bool()>& listo) { return QTest::qWaitFor(listo, 10000); }

struct Ventana {
  FakeDialogs dialogos;
  std::unique_ptr<FrmMain> w;
  explicit Ventana(const fs::path& carpeta) {
    AppQt();
    w = std::make_unique<FrmMain>(CarpetasPrograma{carpeta}, nullptr, &dialogos);
  }
  CtlEdTelnet& vista() { return w->terminal()->vista(); }
  bool HayLinea(const Texto& t) {
    for (int32_t y = 1; y <= vista().nLin(); ++y)
      if (vista().linea(y) == t) return true;
    return false;
  }
};

TEST(FrmMain, PrimerArranqueSinPantalla) {
  CarpetaPrueba dir;
  Ventana v(dir.ruta);
  ASSERT_TRUE(v.w->Arranca({}));
  EXPECT_TRUE(v.dialogos.mensajes.empty());
  EXPECT_TRUE(fs::exists(dir.ruta / "ztelnet.ini"));
  for (const char* c : {"temp", "macros", "scripts"}) EXPECT_TRUE(fs::is_directory(dir.ruta / c)) << c;
  EXPECT_EQ(v.w->windowTitle().toStdString(), "Zorvel's Telnet 1.12 - Conexión Cerrada.");
  EXPECT_TRUE(v.w->DockComandos()->windowTitle().startsWith(QStringLiteral("COMANDOS - ")));
  EXPECT_TRUE(v.w->DockMacros()->windowTitle().startsWith(QStringLiteral("MACROS - ")));
  // The first layout leaves room to read each panel's title and its file's name.
  v.w->show();
  QApplication::processEvents();
  for (auto [dock, inicio, archivo] : {std::tuple{v.w->DockComandos(), "COMANDOS - ", "comandos1.sh"},
                                       std::tuple{v.w->DockMacros(), "MACROS - ", "macro1.zkv"}}) {
    auto* titulo = dynamic_cast<TituloPanelQt*>(dock->titleBarWidget());
    ASSERT_NE(titulo, nullptr);
    EXPECT_TRUE(titulo->TextoVisible().startsWith(inicio)) << titulo->TextoVisible().toStdString();
    EXPECT_TRUE(titulo->TextoVisible().endsWith(archivo)) << titulo->TextoVisible().toStdString();
  }
}

TEST(FrmMain, ArranqueConAjustes) {
  CarpetaPrueba dir;
  EscribeBytes(
      dir.ruta / "ztelnet.ini",
      "[APP]\tF\t3000\t\tV\t3000\t\t\r\n[TER]\t1200\t\t\tV\t\t$ \t1\t\t\t\r\n[CNX]\tanfitrion\t\t\t\t\r\n");
  Ventana v(dir.ruta);
  ASSERT_TRUE(v.w->Arranca({}));
  EXPECT_TRUE(v.dialogos.mensajes.empty());
  EXPECT_TRUE(v.w->DockComandos()->isHidden());
  EXPECT_FALSE(v.w->menus->mnPanCom->isChecked());
  EXPECT_TRUE(v.w->DockMacros()->isVisible());
  EXPECT_EQ(v.w->DockMacros()->width(), 200);
  EXPECT_EQ(v.w->principal().Telnet.MaxLineasTerm, 1200);
  EXPECT_EQ(v.vista().PatFinPrompt, U"$ ");
  EXPECT_EQ(v.w->principal().HistorialHosts, std::vector<Texto>{U"anfitrion"});
}

TEST(FrmMain, SesionConRegistroDesdeLaLineaDeComandos) {
  test::HostTelnetd host("bash", "zt$ ");
  if (!host.Disponible()) GTEST_SKIP() << host.Falta();
  ASSERT_TRUE(host.Arranca());
  CarpetaPrueba dir;
  const fs::path macro = dir.ruta / "sesion.zkv", log = dir.ruta / "sesión 1.log";
  EscribeBytes(macro, "WAIT \"zt$ \"\r\nSENDLN \"echo hola; printf 'a\\015b\\012'\"\r\nWAIT \"zt$ \"\r\n");
  Ventana v(dir.ruta);
  ASSERT_TRUE(v.w->Arranca({T("/IP=127.0.0.1:" + std::to_string(host.puerto)), U"/M=" + T(macro.string()),
                            U"/L=\"" + T(log.string()) + U"\""}))
      << U8(v.dialogos.UltimoMensaje());
  EXPECT_TRUE(v.dialogos.mensajes.empty()) << U8(v.dialogos.UltimoMensaje());
  EXPECT_EQ(v.w->windowTitle().toStdString(), "Zorvel's Telnet 1.12 127.0.0.1 - Conectado.");
  EXPECT_TRUE(v.HayLinea(U"hola"));
  // The log: everything the host sent, CR dropped and LF written as CR LF.
  const std::string bytes = dir.Lee(log);
  EXPECT_EQ(bytes.rfind("Connecting to 127.0.0.1\r\n", 0), 0u) << bytes;
  EXPECT_NE(bytes.find("hola\r\nab\r\n"), std::string::npos) << bytes;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      ASSERT_EQ(bytes[i + 1], '\n') << i;
    } else if (bytes[i] == '\n') {
      ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << i;
    }
  }
  EXPECT_FALSE(v.w->principal().registro.Abierto());

  // Typing into the terminal goes to the host.
  v.w->terminal()->setFocus();
  QTest::keyClicks(v.w->terminal(), QStringLiteral("echo tecleado$((40+2))"));
  QTest::keyClick(v.w->terminal(), Qt::Key_Return);
  EXPECT_TRUE(Espera([&] { return v.HayLinea(U"tecleado42"); }));
  EXPECT_TRUE(Espera([&] { return v.vista().UltimaLinea() == U"zt$ "; }));
}

TEST(FrmMain, ConexionDesdeElDialogoPegarYEdicion) {
  test::HostTelnetd host("bash", "zt$ ");
  if (!host.Disponible()) GTEST_SKIP() << host.Falta();
  ASSERT_TRUE(host.Arranca());
  CarpetaPrueba dir;
  Ventana v(dir.ruta);
  ASSERT_TRUE(v.w->Arranca({}));
  // The connection dialog is modal: fill it in and press "C&onectar" once it is up.
  QTimer::singleShot(0, [&] {
    auto* d = dynamic_cast<FrmConnect*>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    d->cmbHost->setEditText(QStringLiteral("127.0.0.1"));
    d->cboPort->setEditText(QString::number(host.puerto));
    QTest::mouseClick(d->cmdConnect, Qt::LeftButton);
  });
  v.w->mnuConnect->trigger();
  ASSERT_TRUE(Espera([&] { return v.vista().UltimaLinea() == U"zt$ "; })) << U8(v.vista().UltimaLinea());
  EXPECT_EQ(v.w->principal().HistorialHosts, std::vector<Texto>{U"127.0.0.1"});

  // Ctrl+V on the terminal sends the clipboard to the host as it is.
  v.w->terminal()->setFocus();
  QApplication::clipboard()->setText(QStringLiteral("echo pegado$((1+1))\r"));
  QTest::keyClick(v.w->terminal(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_TRUE(Espera([&] { return v.HayLinea(U"pegado2"); }));
  EXPECT_TRUE(v.w->EdCom()->ed().Text().empty());

  // The Edit menu follows the focus: select all and copy in the macro editor, paste in the
  // command editor.
  v.w->EdMac()->setFocus();
  QTest::keyClicks(v.w->EdMac(), QStringLiteral("WAIT \"x\""));
  QTest::keyClick(v.w->EdMac(), Qt::Key_E, Qt::ControlModifier);
  QTest::keyClick(v.w->EdMac(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("WAIT \"x\""));
  v.w->EdCom()->setFocus();
  QTest::keyClick(v.w->EdCom(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(v.w->EdCom()->ed().Text(), U"WAIT \"x\"");
  QTest::keyClick(v.w->EdCom(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(v.w->EdCom()->ed().Text().empty());
  v.dialogos.respuestas = {Respuesta::No, Respuesta::Aceptar}; // macro not saved; disconnect
  EXPECT_TRUE(v.w->close());
}

TEST(FrmMain, CerrarConEditorModificadoYCancelar) {
  CarpetaPrueba dir;
  Ventana v(dir.ruta);
  ASSERT_TRUE(v.w->Arranca({}));
  const std::string ini = dir.Lee(dir.ruta / "ztelnet.ini");
  v.w->EdMac()->setFocus();
  QTest::keyClicks(v.w->EdMac(), QStringLiteral("SENDLN \"ls\""));
  ASSERT_TRUE(v.w->EdMac()->ed().TextModificado());
  v.w->principal().Telnet.MaxLineasTerm = 999; // would reach the file if it were written
  v.dialogos.respuestas = {Respuesta::Cancelar};
  EXPECT_FALSE(v.w->close());
  EXPECT_TRUE(v.w->isVisible());
  ASSERT_EQ(v.dialogos.mensajes.size(), 1u);
  EXPECT_EQ(v.dialogos.mensajes[0].texto, T("Archivo de Macro modificado. ¿Guardar?"));
  EXPECT_EQ(dir.Lee(dir.ruta / "ztelnet.ini"), ini);
  // No: the program closes and writes its settings.
  v.dialogos.respuestas = {Respuesta::No};
  EXPECT_TRUE(v.w->close());
  EXPECT_NE(dir.Lee(dir.ruta / "ztelnet.ini").find("[TER]\t999\t"), std::string::npos);
}

} // namespace
} // namespace zt
