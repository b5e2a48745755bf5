// The per-line colouring lexer: five classes, comments, two quote kinds and reserved words by profile.
#pragma once
#include "base/Texto.h"
#include "base/Tipos.h"
#include "editor/Palabras.h"
#include "editor/PerfilEditor.h"
#include "editor/Propiedades.h"
#include <cstdint>
#include <vector>

namespace zt {

enum class ClaseLex : int16_t { Normal = 1, Comentario = 2, Cadena = 3, PalRes = 4, PalRes2 = 5 };

// One coloured run; lengths count expanded columns (32-bit, so a very long line cannot wrap them).
struct TramoColor {
  Color color = 0;
  int32_t largo = 0;
  ClaseLex clase = ClaseLex::Normal;
  friend bool operator==(const TramoColor&, const TramoColor&) = default;
};

// What differs between the editor forms: the comment marker, the words, and whether comparisons
// are made on an upper-cased copy of the line.
struct PerfilLexico {
  VistaTexto comentario;
  const TablaPalabras* palabras = nullptr;
  bool distingueMayus = false;
};

const PerfilLexico& PerfilShell();     // command-file and remote editors: "#", shell words
const PerfilLexico& PerfilMacro();     // macro editor and the preprocessor's editor: "//", macro words
const PerfilLexico& PerfilTerminal();  // terminal view: "#", lower-case shell words, ERROR words
const PerfilLexico& PerfilLexicoDe(FormaEditor forma);

// "[A-Z0-9_$ÁÉÍÓÚÑ]": the characters that continue a word (tested on an upper-case character).
bool EsCarPalabra(char32_t c);

// The runs of one tab-expanded line; an empty line has none. 'prompt' columns at the start are taken
// as one run in ColPalRes2 (the terminal's prompt) and lexing goes on after them.
std::vector<TramoColor> Colorea(VistaTexto linea, const PerfilLexico& perfil, const ColoresEditor& colores,
                                int32_t prompt = 0);

// Colour of the run that covers the 1-based column; 0 past all runs.
Color ColorEnColumna(const std::vector<TramoColor>& tramos, int32_t columna);

} // namespace zt
