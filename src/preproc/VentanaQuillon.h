// The commands of Quillon's editor window, apart from Qt: files with confirm-discard, processing,
// the text tools, the configuration, closing, and the jump to an error's file and line.
#pragma once
#include "editor/CtlEdit.h"
#include "platform/Dialogs.h"
#include "platform/Processes.h"
#include "preproc/AyudaPreproc.h"
#include "preproc/ConfigQuillon.h"
#include "preproc/Quillon.h"
#include <optional>

namespace zt::preproc {

// What the commands need from the window itself.
class VistaQuillon {
public:
  virtual ~VistaQuillon() = default;
  virtual void FijaTitulo(const Texto& titulo) = 0;
  // The source-choice dialog, "Texto Seleccionado" preset: true for the selection, false for the
  // whole text, nothing when cancelled.
  virtual std::optional<bool> EligeFuente() = 0;
  // The editor's switches or colours changed.
  virtual void RefrescaEditor() = 0;
};

class VentanaQuillon {
public:
  VentanaQuillon(Quillon& quillon, CtlEdit& editor, Dialogs& dialogos, Processes& procesos,
                 VistaQuillon& vista, AyudaPreproc* ayuda = nullptr);

  // The settings' switches and colours go to the editor; interactive runs start the table-name help.
  void Prepara(bool interactivo);
  Texto Titulo() const;

  // Confirm-discard: true when the command may go on (saved, or changes dropped).
  bool ConfirmaDescarte();
  void Nuevo();
  void Abrir();
  bool Guardar();
  bool GuardarComo();
  // Loads a file into the editor and retitles; false when it could not be read.
  bool CargaArchivo(const Texto& ruta);

  // The three processing commands; each saves the document first.
  void Procesar();
  void ProcesarYConsultar();
  void Consultar();
  const Texto& salida() const { return salida_; }

  // "&Ayuda": the manual in the text viewer; a failure is always said.
  void Ayuda();

  // Text tools.
  void QuitarEspaciosLaterales();
  void JuntarPalabras();
  void FiltrarLineas();

  // "&ACEPTAR" of the configuration dialog: the checks, then the values are stored and applied.
  // 'colores' brings the nine colours of the dialog.
  FalloConfig Configura(const Texto& conexion, const Texto& lanzador, const ColoresEditor& colores);
  // Closing: false when the user cancelled. The settings are written (an error is shown, closing
  // goes on).
  bool Cierra();

  // Steps after the error box: the error's file opened in the viewer, or loaded, or the cursor
  // moved to the error's line.
  void SaltaAlError(const EstadoError& e);

private:
  // Saves before processing: an untitled document takes a fresh "sin_nombre" name.
  bool GuardaParaProcesar();
  // Chooses the source and preprocesses it; false when cancelled or an error remains.
  bool Preprocesa();
  // The text viewer on a file; a viewer that cannot start is said.
  void MuestraArchivo(const Texto& ruta);

  Quillon& q_;
  CtlEdit& ed_;
  Dialogs& dlg_;
  Processes& proc_;
  VistaQuillon& vista_;
  AyudaPreproc* ayuda_;
  Texto salida_;
};

} // namespace zt::preproc
