// The program's one remote editor window: made on first use, discarded when closed (the next
// use opens it empty). The main window calls EditaArchivo for the EDIT statement and Muestra /
// Explora for its menu entries.
#pragma once
#include "remote/CanalTelnet.h"
#include "remote/ui/FrmEditRem.h"
#include <QPointer>
#include <memory>

namespace zt {

class VentanaRemota {
public:
  // 'vista' follows the output while a command runs; 'vistaComandos' gives the command editor's
  // display switches, copied when the window is made; 'principal' is the main window.
  VentanaRemota(CtlTelnet& telnet, Pump& pump, PantallaTelnet* vista, std::filesystem::path carpetaPrograma,
                std::function<VistaEditor()> vistaComandos, QWidget* principal);
  ~VentanaRemota();
  VentanaRemota(const VentanaRemota&) = delete;
  VentanaRemota& operator=(const VentanaRemota&) = delete;

  // Fetches 'nombre' into the window and shows it. "" when the window took the file, else why
  // not (a window made for this call and left empty is closed again).
  Texto EditaArchivo(const Texto& nombre);
  // "Editor &Remoto": shows the window.
  void Muestra();
  // "E&xplorador Remoto": shows the window and its open dialog.
  void Explora();
  // Closes the window after its save question; false when the user kept it open.
  bool Cierra() { return !frm_ || frm_->close(); }
  // The window when it exists.
  FrmEditRem* ventana() const { return frm_; }
  TransferenciaRemota& transferencia() { return tr_; }
  // Replaces the window's message boxes (tests), for windows made from now on.
  Dialogs* dialogos = nullptr;

private:
  FrmEditRem* Crea();

  CanalTelnet canal_;
  TransferenciaRemota tr_;
  std::filesystem::path carpeta_;
  std::function<VistaEditor()> vistaComandos_;
  QWidget* principal_;
  std::unique_ptr<Processes> procesos_;
  QPointer<FrmEditRem> frm_;
};

} // namespace zt
