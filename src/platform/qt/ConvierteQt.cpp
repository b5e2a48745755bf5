// Texto <-> QString, keeping the byte escapes of undecodable input.
#include "platform/qt/ConvierteQt.h"

namespace zt {

QString AQString(VistaTexto texto) {
  QString s;
  s.reserve(qsizetype(texto.size()));
  for (char32_t c : texto) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDBFF)) {
      s.append(QChar(0xFFFD));
    } else if (c >= 0x10000) {
      s.append(QChar(QChar::highSurrogate(c)));
      s.append(QChar(QChar::lowSurrogate(c)));
    } else {
      s.append(QChar(char16_t(c)));
    }
  }
  return s;
}

Texto DeQString(const QString &s) {
  Texto t;
  t.reserve(std::size_t(s.size()));
  for (qsizetype i = 0; i < s.size(); ++i) {
    const char16_t u = s[i].unicode();
    if (QChar::isHighSurrogate(u) && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
      t.push_back(QChar::surrogateToUcs4(u, s[i + 1].unicode()));
      ++i;
    } else {
      t.push_back(u);
    }
  }
  return t;
}

} // namespace zt
