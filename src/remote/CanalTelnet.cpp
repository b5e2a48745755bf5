#include "remote/CanalTelnet.h"

namespace zt {

void CanalTelnet::Envia(std::string_view bytes) {
  if (vista_) vista_->EnganCursorEdit();
  telnet_.SendBytes(bytes);
}

void CanalTelnet::FijaReceptor(std::function<void(std::string_view)> receptor) {
  telnet_.DatosHost = std::move(receptor);
}

} // namespace zt
