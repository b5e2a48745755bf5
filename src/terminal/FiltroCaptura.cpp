// The capture's view of host output: the escape interpreter driving a text instead of a screen.
#include "terminal/FiltroCaptura.h"

namespace zt {

void FiltroCaptura::Filtra(VistaTexto recibido, Texto* destino) {
  destino_ = destino;
  interprete_.Datos(recibido);
  destino_ = nullptr;
}

void FiltroCaptura::TelnetCar(char32_t c) {
  if (!destino_) return;
  if (c == U'\t' || c >= 32) *destino_ += c;
  if (c == U'\n') *destino_ += U"\r\n";
}

void FiltroCaptura::TelnetTexto(VistaTexto run) {
  if (destino_) destino_->append(run);
}

} // namespace zt
