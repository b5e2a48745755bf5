// The output of a run: text written at a movable position, kept in memory and saved at the end.
#include "preproc/Salida.h"
#include "base/Codec.h"
#include "preproc/Fuente.h"
#include <fstream>

namespace zt::preproc {

void Salida::Vacia() {
  bytes_.clear();
  pos_ = 0;
  ultimoBlanco_ = false;
}

void Salida::Codifica(char32_t c) {
  char buf[4];
  int n = CodificaCaracterUtf8(c, buf);
  for (int i = 0; i < n; ++i) Byte(buf[i]);
}

void Salida::EscribeCaracter(char32_t c) {
  if (c == kSalto) {
    Byte('\r');
    Byte('\n');
  } else {
    Codifica(c);
  }
  ultimoBlanco_ = c == U' ';
}

void Salida::EscribeTexto(VistaTexto s) {
  if (s.empty()) return;
  for (char32_t c : s) Codifica(c);
  ultimoBlanco_ = s.back() == U' ';
}

// Only ever one byte back, and only over a blank, so a later multi-byte character never
// lands in the middle of another one.
void Salida::RetrocedeBlanco() {
  if (!ultimoBlanco_ || pos_ == 0) return;
  --pos_;
  ultimoBlanco_ = false;
}

std::string Salida::Guarda(const std::filesystem::path& ruta) const {
  std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
  if (!f) return "No se puede escribir " + ruta.string();
  f.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
  f.close();
  return f ? std::string() : "No se puede escribir " + ruta.string();
}

} // namespace zt::preproc
