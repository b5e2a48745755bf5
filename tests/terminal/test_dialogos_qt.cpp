// The connection, terminal and colour dialogs driven through their controls.
#include "editor/ui/CtlSelColor.h"
#include "fakes/FakeDialogs.h"
#include "platform/AppQt.h"
#include "terminal/ui/FrmColTer.h"
#include "terminal/ui/FrmConnect.h"
#include "terminal/ui/FrmTerminal.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zt;

TEST(FrmConnect, ConectaConElPuertoYRecuerdaElHost) {
  AppQt();
  std::vector<Texto> historial{U"h1", U"h2", U"h3", U"h4", U"h5"};
  std::vector<std::pair<Texto, int>> llamadas;
  FakeDialogs dialogos;
  bool acepta = true; // false: the main window kept a live session
  FrmConnect f(historial, [&](const Texto& h, int p) {
    llamadas.push_back({h, p});
    return acepta;
  });
  f.dialogos = &dialogos;
  f.show();
  ASSERT_EQ(f.cmbHost->count(), 5);
  EXPECT_EQ(f.cmbHost->currentText(), "h1");
  EXPECT_EQ(f.cboPort->currentText(), "TELNET");

  // Nothing to connect to: a box, the dialog stays, nobody is called.
  for (const char* puerto : {"70000", "0", "ssh"}) {
    f.cboPort->setEditText(puerto);
    QTest::mouseClick(f.cmdConnect, Qt::LeftButton);
  }
  EXPECT_EQ(dialogos.mensajes.size(), 3u);
  EXPECT_TRUE(llamadas.empty());
  EXPECT_TRUE(f.isVisible());

  acepta = false;
  f.cmbHost->setEditText("nuevo");
  f.cboPort->setEditText("telnet");
  QTest::mouseClick(f.cmdConnect, Qt::LeftButton);
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(historial.size(), 5u);
  EXPECT_EQ(historial.front(), U"h1");
  acepta = true;
  QTest::mouseClick(f.cmdConnect, Qt::LeftButton);
  f.cmbHost->setEditText("h3");
  f.cboPort->setEditText("40000");
  QTest::mouseClick(f.cmdConnect, Qt::LeftButton);
  EXPECT_EQ(llamadas, (std::vector<std::pair<Texto, int>>{{U"nuevo", 23}, {U"nuevo", 23}, {U"h3", 40000}}));
  EXPECT_EQ(historial, (std::vector<Texto>{U"h2", U"h3", U"h4", U"h5", U"nuevo"}));
  EXPECT_FALSE(f.isVisible());
}

// SSH: the address is made of protocol, user, host and port, kept whole in the history, and an
// entry of the history fills the boxes in again.
TEST(FrmConnect, SshConUsuarioYPuerto) {
  AppQt();
  std::vector<Texto> historial{U"ssh://ana@h1:2222", U"h2"};
  std::vector<std::pair<Texto, int>> llamadas;
  FrmConnect f(historial, [&](const Texto& h, int p) {
    llamadas.push_back({h, p});
    return true;
  });
  EXPECT_EQ(f.cboProto->currentText(), "SSH");
  EXPECT_EQ(f.cmbHost->currentText(), "h1");
  EXPECT_EQ(f.txtUser->text(), "ana");
  EXPECT_EQ(f.cboPort->currentText(), "2222");
  f.cmbHost->setCurrentIndex(1); // as the user picks it from the list
  emit f.cmbHost->textActivated(f.cmbHost->currentText());
  EXPECT_EQ(f.cboProto->currentText(), "TELNET");
  EXPECT_FALSE(f.txtUser->isEnabled());
  f.cboProto->setCurrentIndex(1);
  EXPECT_EQ(f.cboPort->currentText(), "22");
  f.txtUser->setText("root");
  QTest::mouseClick(f.cmdConnect, Qt::LeftButton);
  EXPECT_EQ(llamadas, (std::vector<std::pair<Texto, int>>{{U"ssh://root@h2", 22}}));
  EXPECT_EQ(historial, (std::vector<Texto>{U"ssh://ana@h1:2222", U"h2", U"ssh://root@h2"}));
}

TEST(FrmTerminal, MuestraCompruebaYGuarda) {
  AppQt();
  ValoresTerminal guardados{500, 1, false, U"ini", U"$ "};
  int guardas = 0;
  FakeDialogs dialogos;
  FrmTerminal f([&] { return guardados; },
                [&](const ValoresTerminal& v) {
                  guardados = v;
                  ++guardas;
                });
  f.dialogos = &dialogos;
  f.show();
  EXPECT_EQ(f.txtNlin->text(), "500");
  EXPECT_TRUE(f.optInterc->isChecked());
  EXPECT_FALSE(f.txtPatIni->isEnabled());
  EXPECT_FALSE(f.txtPatFin->isEnabled());
  QTest::mouseClick(f.chkActDetPrm, Qt::LeftButton, {}, QPoint(4, f.chkActDetPrm->height() / 2));
  EXPECT_TRUE(f.txtPatIni->isEnabled());

  for (const char* n : {"19", "30001", "mil"}) {
    f.txtNlin->setText(n);
    QTest::mouseClick(f.cmdAceptar, Qt::LeftButton);
  }
  ASSERT_EQ(dialogos.mensajes.size(), 3u);
  EXPECT_EQ(dialogos.UltimoMensaje(), U"Valor de Número de Líneas no permitido");
  EXPECT_EQ(guardas, 0);
  EXPECT_TRUE(f.isVisible());

  f.txtNlin->setText("20");
  f.optNormal->setChecked(true);
  f.txtPatFin->setText("# ");
  QTest::mouseClick(f.cmdAceptar, Qt::LeftButton);
  EXPECT_EQ(guardas, 1);
  EXPECT_EQ(guardados, (ValoresTerminal{20, 0, true, U"ini", U"# "}));
  EXPECT_FALSE(f.isVisible());

  // Shown again: the stored values, not what was typed last.
  guardados.MaxLineasTerm = 777;
  f.show();
  EXPECT_EQ(f.txtNlin->text(), "777");
  f.txtNlin->setText("123");
  // Back from another window: the typed value gives way to the stored one.
  QWidget otra;
  otra.show();
  otra.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&otra));
  guardados.MaxLineasTerm = 888;
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  EXPECT_EQ(f.txtNlin->text(), "888");
  f.txtNlin->setText("123");
  QTest::mouseClick(f.cmdCancelar, Qt::LeftButton);
  EXPECT_EQ(guardas, 1);
}

TEST(FrmColTer, LosOchoSelectoresLeenYGuardanSuColor) {
  AppQt();
  ColoresEditor vista;
  vista.ColFonEdi = 0;
  vista.ColPalRes2 = RGB(1, 2, 3);
  std::optional<ColoresEditor> guardado;
  FrmColTer f([&] { return vista; }, [&](const ColoresEditor& c) { guardado = c; });
  f.show();
  EXPECT_EQ(f.selectores[0]->objectName(), "ctlColFonEdi");
  EXPECT_EQ(f.selectores[0]->color(), 0u);
  EXPECT_EQ(f.selectores[7]->color(), RGB(1, 2, 3));
  // A choice in the colour box, then Aceptar.
  f.selectores[1]->FijaElector(
      [](Color, QWidget*, CtlSelColor::Personalizados&) { return RGB(200, 200, 200); });
  QTest::mouseClick(f.selectores[1]->Command1(), Qt::LeftButton);
  QTest::mouseClick(f.cmdCancelar, Qt::LeftButton);
  EXPECT_FALSE(guardado);
  f.show();
  EXPECT_EQ(f.selectores[1]->color(), vista.ColTxtNor); // the cancelled choice is gone
  QTest::mouseClick(f.selectores[1]->Command1(), Qt::LeftButton);
  QTest::mouseClick(f.cmdAceptar, Qt::LeftButton);
  ColoresEditor esperado = vista;
  esperado.ColTxtNor = RGB(200, 200, 200);
  EXPECT_EQ(guardado, esperado);
}
