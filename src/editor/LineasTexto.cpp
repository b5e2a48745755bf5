// Line store mutations and their hooks.
#include "editor/LineasTexto.h"
#include <iterator>

namespace zt {

void LineasTexto::Inserta(int32_t primera, std::vector<Texto> nuevas) {
  if (nuevas.empty() || primera < 1 || primera > Cuenta() + 1) return;
  auto n = static_cast<int32_t>(nuevas.size());
  if (l_.empty())
    l_ = std::move(nuevas);
  else
    l_.insert(l_.begin() + (primera - 1), std::make_move_iterator(nuevas.begin()),
              std::make_move_iterator(nuevas.end()));
  if (alInsertar) alInsertar(primera, n);
}

void LineasTexto::Elimina(int32_t primera, int32_t cuenta) {
  if (primera < 1 || primera > Cuenta() || cuenta < 1) return;
  if (cuenta > Cuenta() - primera + 1) cuenta = Cuenta() - primera + 1;
  l_.erase(l_.begin() + (primera - 1), l_.begin() + (primera - 1 + cuenta));
  if (alEliminar) alEliminar(primera, cuenta);
}

void LineasTexto::Cambia(int32_t y, Texto texto) {
  if (!Existe(y)) return;
  l_[static_cast<size_t>(y - 1)] = std::move(texto);
  if (alCambiar) alCambiar(y, 1);
}

} // namespace zt
