// Small shared values: colours, the settings booleans and text positions.
#pragma once
#include "base/Texto.h"
#include <compare>
#include <cstdint>

namespace zt {

// Red in the low byte, then green, then blue.
using Color = uint32_t;
constexpr Color RGB(unsigned r, unsigned g, unsigned b) { return (r & 255) | (g & 255) << 8 | (b & 255) << 16; }
constexpr unsigned Rojo(Color c) { return c & 255; }
constexpr unsigned Verde(Color c) { return (c >> 8) & 255; }
constexpr unsigned Azul(Color c) { return (c >> 16) & 255; }

// "V" is true; anything else reads as false.
inline Texto TextoBool(bool v) { return v ? U"V" : U"F"; }
inline bool LeeBool(VistaTexto s) { return s == U"V"; }

// A position in an editor's text: expanded column and line, both 1-based; xt = 0 is absent.
// Columns are 32-bit: a line read from a file or a host may be longer than 32767 characters.
struct PosTexto {
  int32_t xt = 0;
  int32_t yt = 0;
  bool Ausente() const { return xt == 0; }
  friend bool operator==(const PosTexto&, const PosTexto&) = default;
  friend std::strong_ordering operator<=>(const PosTexto& a, const PosTexto& b) {
    if (auto c = a.yt <=> b.yt; c != 0) return c;
    return a.xt <=> b.xt;
  }
};

} // namespace zt
