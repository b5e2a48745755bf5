#include "remote/CanalTelnet.h"

namespace zt {

// The bytes pass through the stream's encoding and back unchanged (a byte that is not text
// travels as its escape character), so the host gets exactly these bytes.
void CanalTelnet::Envia(std::string_view bytes) {
  if (vista_) vista_->EnganCursorEdit();
  telnet_.SendData(Decodifica(bytes, telnet_.CodificacionFlujo()));
}

void CanalTelnet::FijaReceptor(std::function<void(std::string_view)> receptor) {
  telnet_.DatosHost = std::move(receptor);
}

} // namespace zt
