// The remote editor's logic: one host file in an editor, fetched and stored through the shell,
// with the save questions, the local copy and the text tools. The window only forwards to it.
#pragma once
#include "editor/CtlEdit.h"
#include "platform/Dialogs.h"
#include "platform/Processes.h"
#include "remote/TransferenciaRemota.h"
#include <filesystem>
#include <functional>

namespace zt {

class EditorRemoto {
public:
  // 'carpetaPrograma' holds "bolsa" (the filter's output) and is where local copies start.
  EditorRemoto(CtlEdit& editor, Dialogs& dialogos, TransferenciaRemota& transferencia, Processes* procesos,
               std::filesystem::path carpetaPrograma);

  CtlEdit& editor() { return ed_; }
  // "Editor Remoto", or "Editor Remoto - " and the file's name.
  Texto Titulo() const;
  // Raised whenever the title may have changed.
  std::function<void()> alCambiarTitulo;

  // Fetches the file into the editor, after asking about unsaved changes. Returns an empty text
  // on success (or when 'nombre' is empty), else why not; the name and text are then unchanged.
  // Shows nothing: the caller decides (a message box, or a macro's error).
  Texto EditaArchivo(const Texto& nombre);
  // "&Abrir ...": false (after the warning) when there is no connection to list files on.
  bool PuedeAbrir();
  // The name chosen in the open dialog: fetched, and a failure shown.
  void AbreElegido(const Texto& nombre);
  // "&Guardar": stores through the shell; with no name, "G&uardar Como ...". True only when the
  // host confirmed the write; otherwise the reason is shown and the text stays modified.
  bool Guardar();
  bool GuardarComo();
  // "Guardar Copia ...": a local file, which becomes the editor's name.
  bool GuardarCopia();
  // "&Nuevo": after the question, an empty text with no name.
  bool Nuevo();
  // The question before the text is replaced or the window closes: true to go on (nothing to
  // save, "No", or "Yes" and the store succeeded).
  bool ConfirmaDescartar();

  void QuitarEspaciosLaterales();
  void JuntarPalabras();
  // Asks for a text and writes the matching lines to bolsa/filtradas.txt, then shows that file.
  void FiltrarLineas();

  bool saltoFinal() const { return saltoFinal_; }

private:
  Texto Edita(const Texto& nombre, bool& cancelado);
  void Aviso(const Texto& texto, Icono icono = Icono::Exclamacion);
  void CargaTexto(TextoRemoto texto);
  void Retitula();

  CtlEdit& ed_;
  Dialogs& dialogos_;
  TransferenciaRemota& tr_;
  Processes* procesos_;
  std::filesystem::path carpeta_;
  bool saltoFinal_ = true; // the file's last line ends in a line feed
};

} // namespace zt
