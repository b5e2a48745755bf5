#include "remote/ui/VentanaRemota.h"
#include "platform/qt/ProcessesQt.h"

namespace zt {

VentanaRemota::VentanaRemota(CtlTelnet& telnet, Pump& pump, PantallaTelnet* vista,
                             std::filesystem::path carpetaPrograma,
                             std::function<VistaEditor()> vistaComandos, QWidget* principal)
    : canal_(telnet, pump, vista), tr_(canal_), carpeta_(std::move(carpetaPrograma)),
      vistaComandos_(std::move(vistaComandos)), principal_(principal),
      procesos_(std::make_unique<ProcessesQt>()) {}

// The window refers to the transfers owned here: it cannot outlive them.
VentanaRemota::~VentanaRemota() { delete frm_.data(); }

FrmEditRem* VentanaRemota::Crea() {
  if (!frm_) {
    frm_ = new FrmEditRem(tr_, carpeta_, vistaComandos_ ? vistaComandos_() : VistaEditor{}, procesos_.get(),
                          dialogos);
    frm_->ventanaPrincipal = [this] { return principal_; };
  }
  return frm_;
}

Texto VentanaRemota::EditaArchivo(const Texto& nombre) {
  const bool nueva = !frm_;
  FrmEditRem* f = Crea();
  Texto e = f->EditaArchivo(nombre);
  if (e.empty()) {
    f->show();
    f->raise();
  } else if (nueva && frm_) {
    delete frm_.data();
  }
  return e;
}

void VentanaRemota::Muestra() {
  FrmEditRem* f = Crea();
  f->show();
  f->raise();
  f->activateWindow();
}

void VentanaRemota::Explora() {
  Muestra();
  frm_->Abrir();
}

} // namespace zt
