// The definitions table of a run.
#include "preproc/Definiciones.h"

namespace zt::preproc {

void Definiciones::Vacia() {
  slots_.assign(1, Definicion{});
  cuenta_ = 0;
  indice_.clear();
}

int Definiciones::Busca(VistaTexto nombre) const {
  if (indice_.empty()) return 0;
  Texto clave = Mayusculas(nombre);
  auto it = indice_.find(clave);
  return it == indice_.end() ? 0 : it->second;
}

// The count goes up even when the table is full, as callers expect it.
int Definiciones::Reserva(VistaTexto nombre, int slot) {
  if (slot > 0 && slot <= cuenta_) {
    Texto viejo = slots_[slot].nombre;
    slots_[slot].nombre = Mayusculas(nombre);
    if (viejo != slots_[slot].nombre) {
      if (!viejo.empty()) {
        auto it = indice_.find(viejo);
        if (it != indice_.end() && it->second == slot) {
          indice_.erase(it);
          for (int i = slot + 1; i <= cuenta_; ++i)
            if (slots_[i].nombre == viejo) {
              indice_[viejo] = i;
              break;
            }
        }
      }
      Indexa(slot);
    }
    return slot;
  }
  ++cuenta_;
  if (cuenta_ >= kMaximo) return 0;
  slots_.resize(cuenta_ + 1);
  slots_[cuenta_] = Definicion{Mayusculas(nombre), TipoDefinicion::Valor, Posicion{}, Texto()};
  Indexa(cuenta_);
  return cuenta_;
}

void Definiciones::Indexa(int slot) {
  auto [it, nuevo] = indice_.try_emplace(slots_[slot].nombre, slot);
  if (!nuevo && it->second > slot) it->second = slot;
}

int Definiciones::AgregaBloque(VistaTexto nombre, const Posicion& cuerpo, int slot) {
  int s = Reserva(nombre, slot);
  if (s == 0) return 0;
  slots_[s].tipo = TipoDefinicion::Bloque;
  slots_[s].cuerpo = cuerpo;
  slots_[s].valor.clear();
  return s;
}

int Definiciones::AgregaValor(VistaTexto nombre, Texto valor, int slot) {
  int s = Reserva(nombre, slot);
  if (s == 0) return 0;
  slots_[s].tipo = TipoDefinicion::Valor;
  slots_[s].valor = std::move(valor);
  return s;
}

// A removed slot is left empty; trailing empty slots are given back so loops reuse them.
void Definiciones::Quita(int slot) {
  if (slot < 1 || slot > cuenta_ || slot >= static_cast<int>(slots_.size())) return;
  Texto nombre = std::move(slots_[slot].nombre);
  slots_[slot] = Definicion{};
  auto it = indice_.find(nombre);
  if (it != indice_.end() && it->second == slot) {
    indice_.erase(it);
    for (int i = slot + 1; i <= cuenta_; ++i)
      if (slots_[i].nombre == nombre) {
        indice_[nombre] = i;
        break;
      }
  }
  // Past a failed add the count is above the slots actually stored.
  while (cuenta_ > 0 && (cuenta_ >= static_cast<int>(slots_.size()) || slots_[cuenta_].nombre.empty())) {
    if (cuenta_ == static_cast<int>(slots_.size()) - 1) slots_.pop_back();
    --cuenta_;
  }
}

} // namespace zt::preproc
