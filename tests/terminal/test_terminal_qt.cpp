// The terminal widget, headless: keys become the view's key events, host text is painted, and the
// terminal cursor is a solid block in the text colour.
#include "platform/AppQt.h"
#include "terminal/ui/TerminalQt.h"
#include <QTest>
#include <gtest/gtest.h>

using namespace zt;

TEST(TerminalQt, TeclasAEventosYBloqueDelCursor) {
  AppQt();
  CtlEdTelnet vista;
  vista.FijaTamTerminal(90, 35);
  vista.colores.ColFonEdi = 0;
  vista.colores.ColTxtNor = RGB(200, 200, 200);
  vista.verEstado = true;
  TerminalQt w(vista);
  std::string eventos;
  vista.KeyDownTerm = [&](int& codigo, int) {
    eventos += "D" + std::to_string(codigo) + " ";
    if (codigo == 38) codigo = 0; // sent to the host: the view must not move
  };
  vista.KeyPress = [&](char32_t c) { eventos += "P" + std::to_string(int(c)) + " "; };
  vista.KeyUp = [&](int codigo, int) { eventos += "U" + std::to_string(codigo) + " "; };
  w.resize(600, 400);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.setFocus();

  vista.Datos(U"uno\r\ndos\r\nzt$ ");
  vista.EnganCursorEdit();
  vista.Dibujar();
  QTest::keyClick(&w, Qt::Key_A);
  QTest::keyClick(&w, Qt::Key_Up);
  QTest::keyClick(&w, Qt::Key_Return);
  EXPECT_EQ(eventos, "D65 P97 U65 D38 U38 D13 P13 U13 ");
  EXPECT_EQ(vista.nLin(), 3); // typing never changes the view
  EXPECT_EQ(vista.curYt, 3);  // Up was consumed

  // The cell at the terminal cursor (row 3, column 5) is filled with the text colour.
  vista.Panel1(U"Conectado a 127.0.0.1", RGB(0, 128, 0), ColorMenuSistema);
  QApplication::processEvents();
  const QImage imagen = w.grab().toImage();
  const Rect sup = vista.geometria().superficie;
  const int x = sup.x + 4 * vista.anccarP + 1, y = 2 * vista.altcarP + vista.altcarP / 2;
  EXPECT_EQ(imagen.pixelColor(x, y), QColor(200, 200, 200));
  EXPECT_EQ(imagen.pixelColor(x + vista.anccarP, y), QColor(0, 0, 0));
}
