// Reserved-word tables of the colouring lexer, one per editor form, dispatched on the first character.
#pragma once
#include "base/Texto.h"
#include <array>
#include <cstddef>
#include <cstdint>

namespace zt {

struct PalabraReservada {
  VistaTexto texto;
  int8_t grupo = 1;            // 1 or 2: which reserved-word colour it takes
  bool sigueSinMayus = false;  // the character after the word is tested as received, not upper-cased
};

// A word list grouped by first character; words that begin with c are palabras[inicio[c]..inicio[c+1]).
// Only ASCII first characters are indexed: no list has a word that begins otherwise.
struct TablaPalabras {
  const PalabraReservada* palabras = nullptr;
  const uint16_t* inicio = nullptr;  // 129 entries
  size_t total = 0;
};

// Shell commands and directives ("#" comments): the command-file and remote editors.
const TablaPalabras& PalabrasShell();
// Macro language and directives ("//" comments): the macro editor and the preprocessor's editor.
const TablaPalabras& PalabrasMacro();
// The terminal view: lower-case shell words and the three ERROR words, compared case-sensitively.
const TablaPalabras& PalabrasTerminal();

} // namespace zt
