// Clipboard fake that can be made to fail.
#pragma once
#include "platform/Clipboard.h"

namespace zt {

class FakeClipboard : public Clipboard {
public:
  Texto texto;
  bool fallaLectura = false;
  bool fallaEscritura = false;
  int escrituras = 0;

  std::optional<Texto> LeeTexto() override {
    if (fallaLectura) return std::nullopt;
    return texto;
  }
  bool PonTexto(const Texto &t) override {
    if (fallaEscritura) return false;
    texto = t;
    ++escrituras;
    return true;
  }
};

} // namespace zt
