#include "platform/qt/SocketMixto.h"
#include "platform/DestinoSsh.h"

namespace zt {

void SocketMixto::Conectar(const std::string& host, uint16_t puerto) {
  Socket* nuevo = EsDireccionSsh(host) ? static_cast<Socket*>(&ssh) : &tcp;
  if (nuevo != activo_) activo_->Cerrar();
  activo_ = nuevo;
  activo_->Conectar(host, puerto);
}

} // namespace zt
