// Every conversion between core types and Qt types.
#pragma once
#include "base/Texto.h"
#include "base/Tipos.h"
#include <QColor>
#include <QString>
#include <string>

namespace zt {

// Characters above U+FFFF become surrogate pairs; the byte escapes U+DC80..U+DCFF stay as lone
// code units, which QString keeps, so they come back unchanged. A lone high surrogate or a value
// beyond U+10FFFF cannot come back and is written as U+FFFD.
QString AQString(VistaTexto texto);
// Pairs become one character; lone surrogates are kept as they are.
Texto DeQString(const QString &s);

// UTF-8 strings (paths, host names).
inline QString AQString(const std::string &utf8) { return QString::fromStdString(utf8); }
inline std::string AUtf8(const QString &s) { return s.toStdString(); }

inline QColor AQColor(Color c) { return QColor(int(Rojo(c)), int(Verde(c)), int(Azul(c))); }
inline Color DeQColor(const QColor &c) {
  return RGB(unsigned(c.red()), unsigned(c.green()), unsigned(c.blue()));
}

} // namespace zt
