// The help popup, the find dialog and the wheel watcher, driven by real keys and clicks.
#include "editor/ui/DialogosEditorQt.h"
#include "editor/ui/EditorQt.h"
#include "editor/ui/PopupAyudaQt.h"
#include "platform/AppQt.h"
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(PopupAyudaQt, SenYEnterEscribeSendln) {
  AppQt();
  EditorQt w(PerfilEditor::CtlEdit2());
  PopupAyudaQt* popup = w.ActivaAyuda(ListasMacros());
  w.resize(400, 300);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.setFocus();
  QTest::keyClicks(&w, "SEN");
  ASSERT_TRUE(popup->isVisible());
  EXPECT_EQ(popup->currentItem()->text(), "SENDLN ");
  EXPECT_EQ(popup->count(), 6);
  // Below the cursor line (opened at the first letter), and as wide as the rule says.
  EXPECT_EQ(popup->y(), w.mapToGlobal(QPoint(0, w.ed().PuntoCursor().second)).y());
  EXPECT_EQ(popup->width(), popup->Pixeles(kAnchoAyuda));
  // Enter takes the entry the user went to.
  QTest::keyClick(&w, Qt::Key_Down);
  QTest::keyClick(&w, Qt::Key_Up);
  QTest::keyClick(&w, Qt::Key_Return);
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(U8(w.ed().Text()), "SENDLN ");
  EXPECT_TRUE(w.hasFocus());

  // A click on an entry accepts it too.
  QTest::keyClicks(&w, "wa");
  ASSERT_TRUE(popup->isVisible());
  ASSERT_EQ(popup->count(), 2);
  QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualItemRect(popup->item(1)).center());
  EXPECT_EQ(U8(w.ed().Text()), "SENDLN WAIT \"\"");
  EXPECT_FALSE(popup->isVisible());
}

TEST(FrmBuscar, BuscaLaSiguiente) {
  AppQt();
  EditorQt w;
  w.ed().Text(U"ab abc ab\r\nxx AB");
  w.ed().CursorText(1, 1);
  w.resize(400, 200);
  w.show();
  auto* dlg = new FrmBuscar([&] { return &w; });
  dlg->show();
  QTest::keyClicks(dlg->txtBuscar, "ab");
  dlg->chkPalCom->setChecked(true);
  QTest::mouseClick(dlg->cmdBuscar, Qt::LeftButton);
  EXPECT_EQ(w.ed().selIni(), (PosTexto{1, 1}));
  QTest::mouseClick(dlg->cmdBuscar, Qt::LeftButton);
  EXPECT_EQ(w.ed().selIni(), (PosTexto{8, 1}));
  QTest::mouseClick(dlg->cmdBuscar, Qt::LeftButton); // ignore case: "AB" on line 2
  EXPECT_EQ(w.ed().selIni(), (PosTexto{4, 2}));
  EXPECT_EQ(w.ed().curXt, 6);
  QTest::mouseClick(dlg->cmdCancel, Qt::LeftButton);
  EXPECT_FALSE(dlg->isVisible());
}

TEST(MouseWheel, UnaMuescaSinTeclas) {
  AppQt();
  QWidget v;
  v.resize(100, 100);
  MouseWheel rueda(&v);
  QSignalSpy giros(&rueda, &MouseWheel::WheelMove);
  auto gira = [&](int delta, Qt::KeyboardModifiers m) {
    QWheelEvent e(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, delta), Qt::NoButton, m, Qt::NoScrollPhase,
                  false);
    QApplication::sendEvent(&v, &e);
  };
  gira(-120, Qt::NoModifier);
  gira(120, Qt::NoModifier);
  gira(-120, Qt::ControlModifier);
  gira(-240, Qt::NoModifier);
  ASSERT_EQ(giros.count(), 2);
  EXPECT_TRUE(giros[0][0].toBool());
  EXPECT_FALSE(giros[1][0].toBool());
}

} // namespace
} // namespace zt
