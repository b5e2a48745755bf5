// Codecs: byte-exact round trips through UTF-8 escapes and Windows-1252.
#include "base/Codec.h"
#include <gtest/gtest.h>
#include <random>

using namespace zt;

TEST(Utf8, RandomBytesRoundTripByteForByte) {
  std::mt19937 rng(1234);
  for (int n = 0; n < 2000; ++n) {
    std::string bytes(rng() % 64, '\0');
    // Mix plain random bytes with fragments of valid and broken sequences.
    for (auto& b : bytes) {
      switch (rng() % 4) {
      case 0: b = static_cast<char>(rng() % 128); break;
      case 1: b = static_cast<char>(0x80 + rng() % 64); break;
      case 2: b = static_cast<char>(0xC0 + rng() % 64); break;
      default: b = static_cast<char>(rng() % 256); break;
      }
    }
    ASSERT_EQ(CodificaUtf8(DecodificaUtf8(bytes)), bytes) << "case " << n;
  }
}

TEST(Utf8, ValidTextDecodesToCharactersAndBadBytesToEscapes) {
  EXPECT_EQ(DecodificaUtf8("a\xC3\xB1o"), U"año");
  EXPECT_EQ(DecodificaUtf8("\xF0\x9F\x98\x80"), U"\U0001F600");
  // Overlong, surrogate and truncated forms are not characters: every byte is kept on its own.
  EXPECT_EQ(DecodificaUtf8("\xC0\xAF"), Texto({0xDCC0, 0xDCAF}));
  EXPECT_EQ(DecodificaUtf8("\xED\xA0\x80"), Texto({0xDCED, 0xDCA0, 0xDC80}));
  EXPECT_EQ(DecodificaUtf8("x\xE2\x82"), Texto({U'x', 0xDCE2, 0xDC82}));
  EXPECT_FALSE(EsUtf8Valido("\xC3"));
  EXPECT_TRUE(EsUtf8Valido("a\xC3\xB1o"));
}

TEST(Cp1252, AllCodesRoundTrip) {
  // The five codes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the C1
  // control of the same number, so they too come back as the same byte.
  for (int b = 0; b < 256; ++b) {
    std::string s(1, static_cast<char>(b));
    Texto t = DecodificaCp1252(s);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(CodificaCp1252(t), s) << b;
    EXPECT_EQ(CodigoCp1252(t[0]), b);
  }
  EXPECT_EQ(DecodificaCp1252(std::string("\x80\x81\xF1")), Texto({0x20AC, 0x81, U'ñ'}));
  EXPECT_EQ(CodificaCp1252(U"\u4E2D"), "?");
  // A byte kept as an escape by the UTF-8 decoder is that byte in Windows-1252 too.
  EXPECT_EQ(CodigoCp1252(0xDC00 + 0xE9), 0xE9);
}
