// What the remote transfers need of the terminal: type bytes, hear the host's bytes, wait.
#pragma once
#include "base/Codec.h"
#include <functional>
#include <string_view>

namespace zt {

class CanalRemoto {
public:
  virtual ~CanalRemoto() = default;
  virtual bool Conectado() const = 0;
  // The stream's encoding: names and texts are turned into bytes with it.
  virtual Codificacion CodificacionFlujo() const = 0;
  // Types bytes into the session as they are (lines end in CR, as the Enter key sends them).
  virtual void Envia(std::string_view bytes) = 0;
  // From now on every data byte the host sends also goes to 'receptor', in order; an empty
  // function stops that.
  virtual void FijaReceptor(std::function<void(std::string_view)> receptor) = 0;
  // Runs events (received data among them) until 'listo' is true or 'msMax' have passed; true
  // when 'listo' became true.
  virtual bool EsperaHasta(const std::function<bool()>& listo, int msMax) = 0;
  // While set, the host's output is the transfer's alone: a terminal does not show it.
  virtual void VistaMuda(bool muda) { (void)muda; }
};

} // namespace zt
