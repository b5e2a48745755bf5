// The capture's view of host output: the escape interpreter driving a text instead of a screen.
#include "terminal/FiltroCaptura.h"
#include <algorithm>

namespace zt {

std::size_t FiltroCaptura::Filtra(VistaTexto recibido, Texto* destino) {
  const std::size_t quitar = destino ? emitido_ : 0;
  destino_ = destino;
  interprete_.Datos(recibido);
  destino_ = nullptr;
  if (!destino) { // not captured: a capture that starts takes up a line from where it stands then
    linea_.clear();
    pos_ = emitido_ = 0;
    return 0;
  }
  *destino += linea_;
  emitido_ = linea_.size();
  return quitar;
}

// BS and CR move back over what was written on the line, which the next characters overwrite, as
// on the screen (a shell's redrawn echo, a progress counter); LF ends the line whole.
void FiltroCaptura::TelnetCar(char32_t c) {
  if (!destino_) return;
  switch (c) {
  case U'\t': TelnetTexto(VistaTexto(&c, 1)); return;
  case 8:
    if (pos_ > 0) --pos_;
    return;
  case 13: pos_ = 0; return;
  case 10:
    *destino_ += linea_;
    *destino_ += U"\r\n";
    linea_.clear();
    pos_ = emitido_ = 0;
    return;
  default:
    if (c >= 32) TelnetTexto(VistaTexto(&c, 1));
    return;
  }
}

void FiltroCaptura::TelnetTexto(VistaTexto run) {
  if (!destino_) return;
  linea_.replace(pos_, std::min(run.size(), linea_.size() - pos_), run.data(), run.size());
  pos_ += run.size();
}

void FiltroCaptura::eraseEOL() {
  if (destino_) linea_.resize(pos_);
}

} // namespace zt
