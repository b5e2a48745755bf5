// Decodes the data bytes of the Telnet stream, keeping a character split across chunks whole.
#pragma once
#include "base/Codec.h"
#include <string>
#include <utility>

namespace zt {

class FlujoEntrada {
public:
  Codificacion codificacion = Codificacion::Utf8;

  void Agrega(unsigned char byte) { pendiente_ += char(byte); }
  void Agrega(std::string_view bytes) { pendiente_.append(bytes); }
  // Decodes what has arrived; a tail that may still become a valid UTF-8 character waits for
  // the next bytes. Invalid bytes become U+DC00+byte. 'destino' is replaced; its storage is
  // reused, so a caller can keep one buffer for every chunk.
  void Toma(Texto& destino);
  // Forgets everything pending (a new connection).
  void Vacia() { pendiente_.clear(); }
  bool Vacio() const { return pendiente_.empty(); }

private:
  std::string pendiente_;
};

// Bytes at the end of 's' that begin a UTF-8 character still missing bytes (0 to 3).
std::size_t ColaIncompletaUtf8(std::string_view s);

} // namespace zt
