// The definitions table of a run: block definitions (a body in the source) and value definitions.
#pragma once
#include "base/Texto.h"
#include "preproc/Fuente.h"
#include <unordered_map>
#include <vector>

namespace zt::preproc {

enum class TipoDefinicion : int16_t { Bloque = 0, Valor = 1 };

struct Definicion {
  Texto nombre; // upper case; empty for a slot that was removed
  TipoDefinicion tipo = TipoDefinicion::Valor;
  Posicion cuerpo;
  Texto valor;
};

class Definiciones {
public:
  static constexpr int kMaximo = 600; // the count reaching this fails

  void Vacia();
  // First slot holding the name (compared upper-cased), or 0.
  int Busca(VistaTexto nombre) const;
  // The same for a name already in upper case (the hot loop's path: no copy).
  int BuscaMayusculas(const Texto& nombre) const {
    if (indice_.empty()) return 0;
    auto it = indice_.find(nombre);
    return it == indice_.end() ? 0 : it->second;
  }
  // Slot 0 asks for a new slot. Returns the slot used, or 0 when the table is full.
  int AgregaBloque(VistaTexto nombre, const Posicion& cuerpo, int slot = 0);
  int AgregaValor(VistaTexto nombre, Texto valor, int slot = 0);
  void Quita(int slot);
  const Definicion& operator[](int slot) const { return slots_[slot]; }
  int Cuenta() const { return cuenta_; }

private:
  int Reserva(VistaTexto nombre, int slot);
  void Indexa(int slot);

  std::vector<Definicion> slots_{1}; // slot 0 unused
  int cuenta_ = 0;
  std::unordered_map<Texto, int> indice_; // name -> first slot holding it
};

} // namespace zt::preproc
