#include "AppQt.h"
#include "platform/qt/ConvierteQt.h"
#include <gtest/gtest.h>

using namespace zt;

TEST(ConvierteQt, TextoIdaYVuelta) {
  const Texto casos[] = {
      U"",
      U"hola",
      U"añeja ñandú €",
      U"\U0001F600 fuera del plano básico \U00010000",
      Texto{0xDC80, 0xDCFF, U'a', 0xDCC3}, // bytes that were not UTF-8
      Texto{0x1F600, 0xDC80},              // a pair followed by an escape
      Texto{0xDC80, 0xDC81},
  };
  for (const auto &t : casos) EXPECT_EQ(DeQString(AQString(t)), t) << U8(t);
}

TEST(ConvierteQt, LoQueQStringNoGuardaSeVuelveFFFD) {
  // A lone high surrogate followed by an escape would read back as one character.
  EXPECT_EQ(DeQString(AQString(Texto{0xD800, 0xDC80})), (Texto{0xFFFD, 0xDC80}));
  EXPECT_EQ(DeQString(AQString(Texto{0x110000})), Texto{0xFFFD});
}

TEST(ConvierteQt, DeQStringCuentaCaracteres) {
  EXPECT_EQ(DeQString(QString::fromUtf8("a\xF0\x9F\x98\x80"
                                        "b")),
            (Texto{U'a', 0x1F600, U'b'}));
  EXPECT_EQ(DeQString(QString::fromUtf8("ñ")), Texto{U'ñ'});
}

TEST(ConvierteQt, ColorRojoEnElByteBajo) {
  const Color c = RGB(10, 20, 30);
  const QColor q = AQColor(c);
  EXPECT_EQ(q.red(), 10);
  EXPECT_EQ(q.green(), 20);
  EXPECT_EQ(q.blue(), 30);
  EXPECT_EQ(DeQColor(q), c);
}
