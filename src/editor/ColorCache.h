// Per-line colour runs kept parallel to the lines: stale entries are lexed again when asked for.
#pragma once
#include "editor/Lexico.h"
#include <cstdint>
#include <functional>
#include <vector>

namespace zt {

class ColorCache {
public:
  static constexpr int32_t kInvalida = 0;  // must be coloured again
  static constexpr int32_t kValida = 2;

  struct Entrada {
    int32_t estado = kInvalida;
    std::vector<TramoColor> tramos;
  };

  // Returns the expanded text of a line (1-based) when it has to be lexed.
  using FuenteLinea = std::function<Texto(int32_t)>;
  // Terminal prompts: columns at the start of a line, about to be lexed, that take the prompt colour.
  using Prompt = std::function<int32_t(int32_t, VistaTexto)>;

  ColorCache(const PerfilLexico& perfil, const ColoresEditor& colores) : perfil_(&perfil), colores_(&colores) {}

  void FijaPerfil(const PerfilLexico& perfil);
  void FijaFuente(FuenteLinea fuente) { fuente_ = std::move(fuente); }
  void FijaPrompt(Prompt prompt) { prompt_ = std::move(prompt); }

  // Follow the line store: new stale entries before 'primera', removed entries, changed lines.
  void AlInsertar(int32_t primera, int32_t cuenta);
  void AlEliminar(int32_t primera, int32_t cuenta);
  void AlCambiar(int32_t primera, int32_t cuenta);
  void Limpia() { e_.clear(); }

  // Every entry stale: after a change of colours or word lists.
  void ReinicColEdi();

  int32_t Cuenta() const { return static_cast<int32_t>(e_.size()); }
  int32_t Estado(int32_t y) const { return Existe(y) ? e_[Indice(y)].estado : kInvalida; }

  // The runs of line y, lexed first when stale; empty for a line that does not exist.
  const std::vector<TramoColor>& Tramos(int32_t y);
  // Colour at the 1-based expanded column of line y; 0 past the runs.
  Color ColorEn(int32_t columna, int32_t y) { return ColorEnColumna(Tramos(y), columna); }

private:
  bool Existe(int32_t y) const { return y >= 1 && y <= Cuenta(); }
  static size_t Indice(int32_t y) { return static_cast<size_t>(y - 1); }

  const PerfilLexico* perfil_;
  const ColoresEditor* colores_;
  FuenteLinea fuente_;
  Prompt prompt_;
  std::vector<Entrada> e_;
};

} // namespace zt
