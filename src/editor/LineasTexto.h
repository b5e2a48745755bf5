// The line store of an editor: lines 1..Cuenta(), every change reported through three hooks.
#pragma once
#include "base/Texto.h"
#include <cstdint>
#include <functional>
#include <vector>

namespace zt {

class LineasTexto {
public:
  // Hooks for per-line data that must follow the lines (the colour cache): (first line, count).
  // alInsertar: lines first..first+count-1 are new; alEliminar: those lines were removed;
  // alCambiar: their text changed.
  std::function<void(int32_t, int32_t)> alInsertar, alEliminar, alCambiar;

  int32_t Cuenta() const { return static_cast<int32_t>(l_.size()); }
  // y must be 1..Cuenta().
  const Texto &Linea(int32_t y) const { return l_[static_cast<size_t>(y - 1)]; }
  bool Existe(int32_t y) const { return y >= 1 && y <= Cuenta(); }

  // The only three ways to change the store.
  void Inserta(int32_t primera, std::vector<Texto> nuevas);
  void Elimina(int32_t primera, int32_t cuenta);
  void Cambia(int32_t y, Texto texto);
  // Changes line y in place (no copy of a long line for a one-character write); one alCambiar.
  template <class F> void Modifica(int32_t y, F&& cambio) {
    if (!Existe(y)) return;
    cambio(l_[static_cast<size_t>(y - 1)]);
    if (alCambiar) alCambiar(y, 1);
  }

private:
  std::vector<Texto> l_;
};

} // namespace zt
