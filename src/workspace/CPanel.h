// A docked side panel's sizes and focus state; the window draws it and reports focus changes.
#pragma once
#include "base/Texto.h"
#include <cstdint>
#include <functional>

namespace zt {

class CPanel {
public:
  enum Lado : int16_t { Arriba = 1, Abajo = 2, Izquierda = 3, Derecha = 4 };
  static constexpr float kAltoMin = 3;
  static constexpr float kAltoTitulo = 14;

  void Inic(int32_t ancMin, Texto titulo0);

  // Requested width, at least ancMin; docked left or right it goes to the container.
  float Width() const { return width_; }
  void Width(float w);
  // Width taken in the layout: 0 while hidden.
  float Ancho() const { return visible_ ? width_ : 0; }
  float ScaleWidth() const { return width_ > 4 ? width_ - 4 : 0; }
  float Height() const { return height_; }
  void Height(float h);
  float Alto() const { return visible_ ? height_ : 0; }
  float ScaleHeight() const { return height_ > kAltoTitulo ? height_ - kAltoTitulo : 0; }
  bool Visible() const { return visible_; }
  void Visible(bool v) { visible_ = v; }
  int16_t Align() const { return align_; }
  void Align(int16_t a);
  int32_t ancMin() const { return ancMin_; }

  Texto titulo = U"PANEL";
  bool ConEnfoque = false;

  // Re-evaluates the focus shown against TieneEnfoque and raises the event on a change.
  void ValidarEnfoque();

  // Events.
  std::function<void()> PanelCerrado, PanelDimens, TomaEnfoque, DejaEnfoque;
  // The window's: whether its focused control is the container or inside it; a new width or
  // height for the container; redraw the title bar.
  std::function<bool()> TieneEnfoque;
  std::function<void(float)> AplicaAncho;
  std::function<void(float)> AplicaAlto;
  std::function<void()> Refrescar;

private:
  float width_ = 100, height_ = 50;
  int32_t ancMin_ = 0;
  int16_t align_ = Izquierda;
  bool visible_ = true;
  bool evaluando_ = false;
};

} // namespace zt
