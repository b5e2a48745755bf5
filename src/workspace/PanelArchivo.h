// The file commands of the command and macro panels: new with a sample, open, save, save as.
#pragma once
#include "base/Texto.h"
#include "editor/CtlEdit.h"
#include "platform/Dialogs.h"
#include "platform/Processes.h"
#include <filesystem>
#include <functional>
#include <vector>

namespace zt {

// What tells one panel from the other.
struct DefPanelArchivo {
  VistaTexto prefijoTitulo; // "COMANDOS - "
  VistaTexto pregunta;      // asked before a modified text is replaced
  VistaTexto tituloAbrir, tituloGuardar;
  VistaTexto descripcion, patron, extension; // the file boxes' filter; added to a name without "."
  VistaTexto nombreMuestra;                  // the sample New writes; Save on it asks for a name
  std::vector<Texto> (*lineasMuestra)(VistaTexto fechaHora);
};
extern const DefPanelArchivo kPanelComandos;
extern const DefPanelArchivo kPanelMacros;

// The current date and time as dd/mm/yyyy hh:mm:ss.
Texto FechaHoraActual();

class PanelArchivo {
public:
  PanelArchivo(const DefPanelArchivo& def, CtlEdit& ed, Dialogs& dialogos,
               std::filesystem::path carpetaPrograma, std::filesystem::path carpeta);
  virtual ~PanelArchivo() = default;

  CtlEdit& ed() { return ed_; }
  const std::filesystem::path& carpeta() const { return carpeta_; }
  // Prefix and the full path of the file in the editor.
  Texto titulo() const;

  // Each returns true when it went to its end. A cancelled question or box, or a failed save,
  // stops the command and leaves the editor as it was.
  bool Nuevo();
  bool Abrir();
  bool Guardar();
  bool GuardarComo();
  // Opens the panel's folder in the file manager.
  bool Explorar(Processes& procesos);
  // Loads 'ruta' (a dropped file) after asking about a modified text.
  bool Carga(const Texto& ruta);

  // Host hooks: show the panel; the title changed (redraw it).
  std::function<void()> MuestraPanel;
  std::function<void()> RefrescaPanel;
  std::function<Texto()> FechaHora = &FechaHoraActual;

protected:
  // Asks about a modified text; true when the command may go on. 'guardarPanel' saves with the
  // panel's Save (the sample file then asks for a name) instead of the editor's.
  bool PreguntaGuardar(bool guardarPanel);
  void Cargado();

  const DefPanelArchivo& def_;
  CtlEdit& ed_;
  Dialogs& dialogos_;
  std::filesystem::path carpetaPrograma_, carpeta_;
};

} // namespace zt
