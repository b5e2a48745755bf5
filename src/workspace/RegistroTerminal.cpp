// The terminal log file: opened emptied, written through as data arrives, closed on request.
#include "workspace/RegistroTerminal.h"
#include "base/Error.h"
#include <cerrno>

namespace zt {

Texto TextoParaRegistro(VistaTexto recibido) {
  Texto r;
  r.reserve(recibido.size() + recibido.size() / 16);
  for (char32_t c : recibido) {
    if (c == U'\r') continue;
    if (c == U'\n') r += U'\r';
    r += c;
  }
  return r;
}

void RegistroTerminal::Abre(const std::filesystem::path& ruta) {
  Cierra();
  // "w" truncates: the new log starts from an empty file.
  archivo_ = std::fopen(ruta.c_str(), "wb");
  if (!archivo_) throw ErrorEjecucion(ErrorDeApertura(errno));
  nombre_ = ruta;
}

void RegistroTerminal::Cierra() {
  if (!archivo_) return;
  std::fclose(archivo_);
  archivo_ = nullptr;
  nombre_.clear();
}

void RegistroTerminal::EscribeRecibido(VistaTexto recibido) {
  if (Activo()) Escribe(TextoParaRegistro(recibido));
}

void RegistroTerminal::Escribe(VistaTexto texto) {
  if (!archivo_ || texto.empty()) return;
  const std::string bytes = Codifica(texto, codificacion);
  // Flushed at once: the log is read while the session goes on.
  if (std::fwrite(bytes.data(), 1, bytes.size(), archivo_) != bytes.size() || std::fflush(archivo_) != 0) {
    const int e = errno;
    Cierra();
    throw ErrorEjecucion(e == EACCES ? CodigoError::AccesoDenegado : CodigoError::ErrorRuta);
  }
}

} // namespace zt
