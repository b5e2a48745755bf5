// Width and height rules of a docked panel, and its focus events raised once per change.
#include "workspace/CPanel.h"
#include <algorithm>

namespace zt {

void CPanel::Inic(int32_t ancMin, Texto titulo0) {
  ancMin_ = std::max(ancMin, 0);
  titulo = std::move(titulo0);
  Align(Izquierda);
  if (Refrescar) Refrescar();
}

void CPanel::Width(float w) {
  width_ = std::max(w, float(ancMin_));
  if ((align_ == Izquierda || align_ == Derecha) && AplicaAncho) AplicaAncho(width_);
}

void CPanel::Height(float h) {
  height_ = std::max(h, kAltoMin);
  if ((align_ == Arriba || align_ == Abajo) && AplicaAlto) AplicaAlto(height_);
}

void CPanel::Align(int16_t a) {
  align_ = a;
  Width(width_);
  Height(height_);
}

void CPanel::ValidarEnfoque() {
  if (evaluando_ || !TieneEnfoque) return;
  evaluando_ = true;
  const bool tiene = TieneEnfoque();
  if (tiene != ConEnfoque) {
    ConEnfoque = tiene;
    auto& evento = tiene ? TomaEnfoque : DejaEnfoque;
    if (evento) evento();
    if (Refrescar) Refrescar();
  }
  evaluando_ = false;
}

} // namespace zt
