// The escape-sequence interpreter between the received data and the terminal view.
#pragma once
#include "base/Texto.h"
#include "terminal/OperacionesPantalla.h"
#include <cstddef>
#include <cstdint>

namespace zt {

class InterpreteEscape {
public:
  // Characters kept after ESC; a longer sequence is consumed up to its final letter and ignored.
  static constexpr std::size_t MaxSecuencia = 256;
  // Numeric parameters stop growing here.
  static constexpr int32_t MaxParametro = 32767;

  explicit InterpreteEscape(OperacionesPantalla& pantalla) : pantalla_(pantalla) {}

  // Data characters in order; a call may end anywhere, even inside a sequence.
  void Datos(VistaTexto texto);
  // True while a sequence is open, so the next byte belongs to it.
  bool EnSecuencia() const { return estado_ != Estado::Datos; }
  // Forgets a half-read sequence; the saved cursor stays.
  void ReiniciaSecuencia();

private:
  enum class Estado {
    Datos,    // plain text
    Escape,   // just after ESC
    Juego,    // after ESC ( / ESC ) / ESC #: one more byte
    Control,  // after ESC [: collecting up to a letter
    Descarta, // a control sequence too long to keep: consumed up to its letter
  };

  void Paso(char32_t c);
  void PasoEscape(char32_t c);
  void PasoControl(char32_t c);
  void Final(char32_t c);
  void Mueve(int32_t dx, int32_t dy);
  void Nueva();
  void GuardaCursor();
  void RestauraCursor();

  OperacionesPantalla& pantalla_;
  Estado estado_ = Estado::Datos;
  Texto BufSecuencia_;
  int32_t CursorGuardadoX_ = 0;
  int32_t CursorGuardadoY_ = 0;
};

} // namespace zt
