// The text type of the core: one element is one character, so every column is an index.
#pragma once
#include <string>
#include <string_view>

namespace zt {

using Texto = std::u32string;
using VistaTexto = std::u32string_view;

// UTF-8 literal or std::string to Texto (invalid bytes kept as U+DC00+byte).
Texto T(std::string_view utf8);
// Texto to UTF-8 (U+DC80..U+DCFF written back as the original byte).
std::string U8(VistaTexto texto);

// ASCII-only case mapping plus the Latin-1 letters, as the original platform's UCase/LCase.
char32_t Mayuscula(char32_t c);
char32_t Minuscula(char32_t c);
Texto Mayusculas(VistaTexto s);
Texto Minusculas(VistaTexto s);

// Trims spaces only (not tabs), as the platform's Trim.
Texto RecortaEspacios(VistaTexto s);

} // namespace zt
