// String operations used beside the scanner: comments, word lists, date test.
#pragma once
#include "base/Texto.h"
#include <vector>

namespace zt::preproc {

// The text before its first "--".
Texto CortaComentario(VistaTexto s);
// Takes the next word off 's' (a double-quoted word may hold blanks); 'resto' gets what follows.
Texto SiguientePalabra(VistaTexto s, Texto& resto);
// All the words of 's', empty ones skipped.
std::vector<Texto> ListaPalabras(VistaTexto s);
// Not empty once trimmed, and holds ":" or "/".
bool PareceFecha(VistaTexto s);

} // namespace zt::preproc
