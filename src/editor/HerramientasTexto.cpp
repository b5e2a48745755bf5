#include "editor/HerramientasTexto.h"
#include "base/Comodin.h"

namespace zt {

namespace {

// Selects the cursor line when nothing is selected, then replaces each selected line by what
// 'cambia' makes of it.
template <class F> void CambiaLineas(CtlEdit& ed, F cambia) {
  if (!ed.haysel) ed.SelecLinea(ed.nLinActual());
  if (!ed.haysel) return;
  std::vector<Texto> piezas = PartirEnSaltos(ed.TextSel());
  for (Texto& p : piezas) p = cambia(p);
  ed.CurInsertar(UneConSaltos(piezas));
}

} // namespace

void QuitaEspaciosLaterales(CtlEdit& ed) {
  CambiaLineas(ed, [](const Texto& s) { return RecortaEspacios(s); });
}

void JuntaPalabras(CtlEdit& ed) {
  CambiaLineas(ed, [](const Texto& s) {
    Texto r;
    for (std::size_t i = 0; i < s.size(); ++i) {
      r += s[i];
      if (s[i] == U' ' && i + 1 < s.size() && s[i + 1] == U' ') ++i;
    }
    return r;
  });
}

std::vector<Texto> LineasFiltradas(CtlEdit& ed, const Texto& cadena) {
  const Texto patron = U"*" + cadena + U"*";
  std::vector<Texto> r;
  const auto mira = [&](const Texto& l) {
    if (CoincideComodin(l, patron)) r.push_back(l);
  };
  if (ed.haysel)
    for (const Texto& l : PartirEnSaltos(ed.TextSel())) mira(l);
  else
    for (int32_t y = 1; y <= ed.nLin(); ++y) mira(ed.linea(y));
  return r;
}

} // namespace zt
