// The capture's view of host output: the escape interpreter driving a text instead of a screen.
#include "terminal/FiltroCaptura.h"
#include <algorithm>

namespace zt {

void FiltroCaptura::Filtra(VistaTexto recibido, Texto* destino) {
  destino_ = destino;
  if (destino_) pos_ = inicioLinea_ = destino_->size();
  interprete_.Datos(recibido);
  destino_ = nullptr;
}

// BS and CR move back over what this chunk wrote on the line, which the next characters overwrite,
// as on the screen (a shell's redrawn echo, a progress counter); LF keeps the whole line.
void FiltroCaptura::TelnetCar(char32_t c) {
  if (!destino_) return;
  switch (c) {
  case U'\t': TelnetTexto(VistaTexto(&c, 1)); return;
  case 8:
    if (pos_ > inicioLinea_) --pos_;
    return;
  case 13: pos_ = inicioLinea_; return;
  case 10:
    *destino_ += U"\r\n";
    pos_ = inicioLinea_ = destino_->size();
    return;
  default:
    if (c >= 32) TelnetTexto(VistaTexto(&c, 1));
    return;
  }
}

void FiltroCaptura::TelnetTexto(VistaTexto run) {
  if (!destino_) return;
  destino_->replace(pos_, std::min(run.size(), destino_->size() - pos_), run.data(), run.size());
  pos_ += run.size();
}

void FiltroCaptura::eraseEOL() {
  if (destino_) destino_->resize(pos_);
}

} // namespace zt
