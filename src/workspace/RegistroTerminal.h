// The terminal log: a local file that receives everything the host sends.
#pragma once
#include "base/Codec.h"
#include "base/Texto.h"
#include <cstdio>
#include <filesystem>

namespace zt {

// Received text as the log keeps it: every CR dropped, every LF written as CR LF.
Texto TextoParaRegistro(VistaTexto recibido);

class RegistroTerminal {
public:
  RegistroTerminal() = default;
  ~RegistroTerminal() { Cierra(); }
  RegistroTerminal(const RegistroTerminal&) = delete;
  RegistroTerminal& operator=(const RegistroTerminal&) = delete;

  // Closes an open log, then opens 'ruta' for writing from its first byte; an existing file is
  // emptied, so nothing of an older log remains. Throws ErrorEjecucion when the file cannot be
  // opened (no log is open then).
  void Abre(const std::filesystem::path& ruta);
  // Closes the log; nothing happens without one.
  void Cierra();
  bool Abierto() const { return archivo_ != nullptr; }
  // The path of the open log (empty without one).
  const std::filesystem::path& nombre() const { return nombre_; }

  // Received data is not written while set; LOGPAUSE and LOGSTART change it.
  bool RegistroPausado = false;
  // A log is open and not paused: received data goes to it.
  bool Activo() const { return archivo_ && !RegistroPausado; }
  // Bytes are written in this encoding (the stream's), so the log holds what the host sent.
  Codificacion codificacion = Codificacion::Utf8;

  // A received chunk, already decoded: written as TextoParaRegistro gives it, when a log is open
  // and not paused.
  void EscribeRecibido(VistaTexto recibido);
  // Writes 'texto' as it is, paused or not; nothing happens without a log. A failed write
  // closes the log and throws ErrorEjecucion, so the loss is reported once.
  void Escribe(VistaTexto texto);

private:
  std::FILE* archivo_ = nullptr;
  std::filesystem::path nombre_;
};

} // namespace zt
