// The colour-picker button, driven by real clicks with a scripted colour box.
#include "editor/ui/CtlSelColor.h"
#include "platform/AppQt.h"
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(CtlSelColor, ClicElijeCancelaYGuardaLosColoresPropios) {
  AppQt();
  CtlSelColor c;
  c.resize(60, 24);
  c.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&c));
  EXPECT_EQ(c.Command1()->geometry(), c.rect()); // the button fills the control
  c.resize(90, 30);
  QApplication::processEvents();
  EXPECT_EQ(c.Command1()->geometry(), c.rect());

  c.FijaColor(RGB(1, 2, 3));
  c.FijaColor(-1); // a negative value is ignored
  EXPECT_EQ(c.color(), RGB(1, 2, 3));

  std::optional<Color> respuesta = RGB(200, 100, 50);
  Color vistoInicial = 0;
  c.FijaElector([&](Color inicial, QWidget*, CtlSelColor::Personalizados& p) {
    vistoInicial = inicial;
    p[0] = RGB(9, 9, 9);
    return respuesta;
  });
  QSignalSpy cambios(&c, &CtlSelColor::CambiaColor);
  QTest::mouseClick(c.Command1(), Qt::LeftButton);
  EXPECT_EQ(vistoInicial, RGB(1, 2, 3));
  ASSERT_EQ(cambios.count(), 1);
  EXPECT_EQ(cambios[0][0].toUInt(), RGB(200, 100, 50));
  EXPECT_EQ(c.color(), RGB(200, 100, 50));
  EXPECT_EQ(c.BackColor(), RGB(200, 100, 50));
  EXPECT_EQ(c.personalizados()[0], RGB(9, 9, 9));
  QImage cara = c.Command1()->grab().toImage();
  EXPECT_EQ(cara.pixelColor(cara.width() / 2, cara.height() / 2), QColor(200, 100, 50));

  respuesta.reset(); // cancelled: no change, no event
  QTest::mouseClick(c.Command1(), Qt::LeftButton);
  EXPECT_EQ(cambios.count(), 1);
  EXPECT_EQ(c.color(), RGB(200, 100, 50));
}

} // namespace
} // namespace zt
