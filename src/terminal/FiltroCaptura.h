// Host output as the terminal shows it, for a macro's capture: escape sequences and control
// characters are consumed as the terminal consumes them; TAB stays, each line ends in CR LF, and
// what BS, CR and erase-to-end-of-line do to a line within one chunk is done to the text.
#pragma once
#include "base/Texto.h"
#include "terminal/InterpreteEscape.h"
#include "terminal/OperacionesPantalla.h"

namespace zt {

class FiltroCaptura : private OperacionesPantalla {
public:
  // Appends the visible text of the decoded chunk 'recibido' to 'destino' (nothing when null). A
  // sequence split between chunks is followed across calls, so each chunk must be given, captured
  // or not.
  void Filtra(VistaTexto recibido, Texto* destino);
  // A new connection: a half-read sequence is forgotten.
  void Reinicia() { interprete_.ReiniciaSecuencia(); }

private:
  void TelnetCar(char32_t c) override;
  void TelnetTexto(VistaTexto run) override;
  void FijaCursorTel(int32_t, int32_t) override {}
  CursorTel LeeCursorTel() const override { return {}; }
  void eraseEOL() override;
  void eraseBOL() override {}
  void eraseLINE() override {}
  void eraseEOS() override {}
  void eraseBOS() override {}
  void eraseSCREEN() override {}

  InterpreteEscape interprete_{*this};
  Texto* destino_ = nullptr;
  size_t pos_ = 0, inicioLinea_ = 0; // the cursor and the current line's start in destino_
};

} // namespace zt
