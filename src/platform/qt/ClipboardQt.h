// Clipboard over QClipboard.
#pragma once
#include "platform/Clipboard.h"

namespace zt {

class ClipboardQt : public Clipboard {
public:
  // nullopt without a GUI application.
  std::optional<Texto> LeeTexto() override;
  // Reads the text back to tell whether the system took it.
  bool PonTexto(const Texto &texto) override;
};

} // namespace zt
