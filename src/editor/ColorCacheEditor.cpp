// The editor's colour cache follows its line store through the store's hooks.
#include "editor/CtlEdit.h"

namespace zt {

namespace {

// Keeps a hook someone set before and calls it after the cache's own step.
void Encadena(std::function<void(int32_t, int32_t)>& gancho, std::function<void(int32_t, int32_t)> propio) {
  if (!gancho) {
    gancho = std::move(propio);
    return;
  }
  gancho = [previo = std::move(gancho), propio = std::move(propio)](int32_t a, int32_t b) {
    propio(a, b);
    previo(a, b);
  };
}

} // namespace

void CtlEdit::EnlazaColores() {
  colorCache_.AlInsertar(1, nLin());
  colorCache_.FijaFuente([this](int32_t y) { return LineaFin(linea(y)); });
  Encadena(lineas_.alInsertar, [this](int32_t a, int32_t n) { colorCache_.AlInsertar(a, n); });
  Encadena(lineas_.alEliminar, [this](int32_t a, int32_t n) { colorCache_.AlEliminar(a, n); });
  Encadena(lineas_.alCambiar, [this](int32_t a, int32_t n) { colorCache_.AlCambiar(a, n); });
}

} // namespace zt
