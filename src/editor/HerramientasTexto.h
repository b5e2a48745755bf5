// Text tools of the editor windows (remote editor, preprocessor): each works on the selected
// lines, or on the cursor line when nothing is selected.
#pragma once
#include "editor/CtlEdit.h"
#include <vector>

namespace zt {

// Trims the blanks at both ends of every line.
void QuitaEspaciosLaterales(CtlEdit& ed);
// Every two blanks become one, in one left-to-right pass (four become two, three become two).
void JuntaPalabras(CtlEdit& ed);
// The lines that contain 'cadena' under the wildcard rules ("*" + cadena + "*", case-sensitive):
// of the selection when there is one, else of the whole text. The editor is not changed.
std::vector<Texto> LineasFiltradas(CtlEdit& ed, const Texto& cadena);

} // namespace zt
