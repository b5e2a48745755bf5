// The editor widget, headless: keys reach the core, and what the core drew reaches the screen.
#include "editor/ui/EditorQt.h"
#include "platform/AppQt.h"
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace zt {
namespace {

// Pixels of 'imagen' inside 'zona' that differ from 'fondo'.
int Distintos(const QImage& imagen, const QRect& zona, QColor fondo) {
  int n = 0;
  for (int y = zona.top(); y <= zona.bottom(); ++y)
    for (int x = zona.left(); x <= zona.right(); ++x)
      if (imagen.pixelColor(x, y) != fondo) ++n;
  return n;
}

TEST(EditorQt, TeclasEscribenYElTextoSePinta) {
  AppQt();
  EditorQt w;
  CtlEdit& ed = w.ed();
  ed.verDesVer = ed.verEstado = true;
  w.resize(400, 300);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.setFocus();
  QTest::keyClicks(&w, "hola");
  QTest::keyClick(&w, Qt::Key_Return);
  QTest::keyClicks(&w, "mundo");
  QTest::keyClick(&w, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(&w, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(&w, Qt::Key_Delete);
  QTest::keyClick(&w, Qt::Key_Tab);
  EXPECT_EQ(U8(ed.Text()), "hola\r\nmun\t");
  EXPECT_EQ(U8(ed.lblEstado2.texto), "Fil=2 Col=7");

  QImage imagen = w.grab().toImage();
  const Rect& s = ed.geometria().superficie;
  const QColor blanco(255, 255, 255);
  // Line 1 holds ink; the rows below the text are bare background.
  EXPECT_GT(Distintos(imagen, QRect(s.x, 0, 4 * ed.anccarP, ed.altcarP), blanco), 0);
  EXPECT_EQ(Distintos(imagen, QRect(s.x, 3 * ed.altcarP, s.ancho, ed.altcarP), blanco), 0);
  // The vertical bar stands right of the surface; the status labels show the core's texts.
  auto* barra = w.findChild<QScrollBar*>();
  ASSERT_NE(barra, nullptr);
  EXPECT_TRUE(barra->isVisible());
  EXPECT_EQ(barra->geometry().left(), s.x + s.ancho);

  // A click on the first line moves the cursor there.
  QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(s.x + 1, ed.altcarP / 2));
  EXPECT_EQ(ed.curYt, 1);
  EXPECT_EQ(ed.curXt, 1);

  ed.enabled(false);
  imagen = w.grab().toImage();
  EXPECT_EQ(imagen.pixelColor(s.x + s.ancho - 2, s.alto - 2), QColor(200, 200, 200));
}

} // namespace
} // namespace zt
