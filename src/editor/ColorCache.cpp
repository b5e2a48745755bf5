// The colour cache: moves with inserted and removed lines, re-lexes only what went stale.
#include "editor/ColorCache.h"
#include <algorithm>

namespace zt {

void ColorCache::FijaPerfil(const PerfilLexico& perfil) {
  perfil_ = &perfil;
  ReinicColEdi();
}

void ColorCache::AlInsertar(int32_t primera, int32_t cuenta) {
  if (cuenta < 1) return;
  size_t en = static_cast<size_t>(std::clamp(primera, 1, Cuenta() + 1) - 1);
  e_.insert(e_.begin() + static_cast<std::ptrdiff_t>(en), static_cast<size_t>(cuenta), Entrada{});
}

void ColorCache::AlEliminar(int32_t primera, int32_t cuenta) {
  if (cuenta < 1 || !Existe(primera)) return;
  int32_t hasta = std::min<int64_t>(int64_t{primera} + cuenta - 1, Cuenta());
  e_.erase(e_.begin() + static_cast<std::ptrdiff_t>(Indice(primera)), e_.begin() + hasta);
}

void ColorCache::AlCambiar(int32_t primera, int32_t cuenta) {
  for (int32_t y = std::max(primera, 1); y < int64_t{primera} + cuenta && y <= Cuenta(); ++y)
    e_[Indice(y)].estado = kInvalida;
}

void ColorCache::ReinicColEdi() {
  for (Entrada& e : e_) e.estado = kInvalida;
}

const std::vector<TramoColor>& ColorCache::Tramos(int32_t y) {
  static const std::vector<TramoColor> kNinguno;
  if (!Existe(y)) return kNinguno;
  if (e_[Indice(y)].estado != kValida) {
    // The callbacks may change the lines (a prompt event does), so the entry is looked up again after.
    Texto linea = fuente_ ? fuente_(y) : Texto();
    int32_t prompt = prompt_ ? prompt_(y, linea) : 0;
    std::vector<TramoColor> tramos = Colorea(linea, *perfil_, *colores_, prompt);
    if (!Existe(y)) return kNinguno;
    e_[Indice(y)] = {kValida, std::move(tramos)};
  }
  return e_[Indice(y)].tramos;
}

} // namespace zt
