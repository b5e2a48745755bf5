// Plain-text clipboard.
#pragma once
#include "base/Texto.h"
#include <optional>

namespace zt {

class Clipboard {
public:
  virtual ~Clipboard() = default;
  // nullopt when the clipboard could not be read.
  virtual std::optional<Texto> LeeTexto() = 0;
  // false when the clipboard could not be written.
  virtual bool PonTexto(const Texto& texto) = 0;
};

} // namespace zt
