// Host output as the terminal shows it, for a macro's capture: escape sequences and control
// characters are consumed as the terminal consumes them; TAB stays, each line ends in CR LF, and
// what BS, CR and erase-to-end-of-line do to a line is done to the text, also when the line came in
// several chunks (a shell that redraws its echo, a counter that rewrites its line).
#pragma once
#include "base/Texto.h"
#include "terminal/InterpreteEscape.h"
#include "terminal/OperacionesPantalla.h"

namespace zt {

class FiltroCaptura : private OperacionesPantalla {
public:
  // Appends the visible text of the decoded chunk 'recibido' to 'destino' (nothing when null): the
  // lines it ends, then the unfinished line as it stands. Returns how many characters at the end of
  // what the previous call appended (that unfinished line) this text replaces. A sequence split
  // between chunks is followed across calls, so each chunk must be given, captured or not.
  std::size_t Filtra(VistaTexto recibido, Texto* destino);
  // A new connection: a half-read sequence and the unfinished line are forgotten.
  void Reinicia() {
    interprete_.ReiniciaSecuencia();
    linea_.clear();
    pos_ = emitido_ = 0;
  }

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
  Texto linea_;          // the unfinished line, as written since the capture took it up
  size_t pos_ = 0;       // the cursor in it
  size_t emitido_ = 0;   // its length as the last call appended it
};

} // namespace zt
