// Wildcard matching with *, ?, #, [list], [!list] and ranges; case-sensitive.
#pragma once
#include "base/Texto.h"

namespace zt {

// True when the whole text matches the pattern. Never backtracks exponentially; an unclosed
// "[" matches the character "[" literally.
bool CoincideComodin(VistaTexto texto, VistaTexto patron);

} // namespace zt
