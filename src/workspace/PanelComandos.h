// The command panel: shell lines of the editor sent to the host, direct-send mode, command files.
#pragma once
#include "workspace/PanelArchivo.h"
#include <optional>

namespace zt {

// Which editor of the main window has the focus.
enum class EditorActivo { Comandos, Macros, Otro };

// The answer of the "Fuente a Procesar" box.
enum class Fuente { Seleccion, Todo, Cancelada };

class PanelComandos : public PanelArchivo {
public:
  PanelComandos(CtlEdit& edCom, Dialogs& dialogos, std::filesystem::path carpetaPrograma,
                std::filesystem::path CarpetaScripts);

  // Host hooks.
  std::function<void(VistaTexto)> SendData;      // the Telnet object's
  std::function<Fuente()> PreguntaFuente;        // shown only when there is a selection
  std::function<void()> EjecutaMacro;            // F9 with the macro editor focused
  std::function<void()> EnfocaEditor;            // give edCom the focus
  std::function<void(bool)> alCambiarModoEnvDir; // set the menu check and the check box

  // F8: the current line and a CR; the cursor moves to the next line.
  void EnviaLinea(EditorActivo activo);
  // F9: the selection's non-blank lines one by one, or the whole text in one piece.
  void EnviaTexto(EditorActivo activo);
  void EnviaTodo();
  // Ctrl+C to the host.
  void CancelaComando();
  bool ModEnvDir() const { return modEnvDir_; }
  void CambiaModoEnvDir();
  // The editor's Enter: in direct-send mode the line goes out unless Ctrl is held.
  void TeclaEnter(const Texto& linea, int shift);

  // The command-file list: item 0 asks for a file, item i > 0 is archivos[i - 1].
  std::vector<Texto> archivos;
  void EnviaArchivo(size_t item);

private:
  void Envia(VistaTexto t) {
    if (SendData) SendData(t);
  }
  bool modEnvDir_ = false;
};

} // namespace zt
