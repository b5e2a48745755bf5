// The settings file "ztelnet.ini": tagged lines of TAB-separated fields, with a ".bak" of the last run.
#pragma once
#include "base/Texto.h"
#include "editor/Propiedades.h"
#include "terminal/AjustesTerminal.h"
#include <cstdint>
#include <filesystem>
#include <vector>

namespace zt {

// The main window's part ("[APP]"): the two panels' check marks and docked widths (twips).
// The first widths, 210 pixels, show a panel's title with its file's name and still leave the
// terminal its 90 columns beside both panels.
struct AjustesVentana {
  static constexpr float kAnchoInicial = 3150;
  bool verPanCom = true;     // "Panel de &Comandos"
  float anchoPanCom = kAnchoInicial;
  bool verPanMac = true;     // "Panel de &Macros"
  float anchoPanMac = kAnchoInicial;
  friend bool operator==(const AjustesVentana&, const AjustesVentana&) = default;
};

// Everything the file holds; the windows copy their state in before writing and out after reading.
struct AjustesZTelnet {
  AjustesVentana ventana;
  int16_t MaxLineasTerm = 500;
  bool DetPromptActiva = false;
  Texto PatIniPrompt;
  Texto PatFinPrompt;
  int16_t TeclasInterceptadas = 1;
  std::vector<Texto> HistorialHosts;   // oldest first, at most MaxHistorialHosts
  PropiedadesEditor propTerminal;      // "[TERVER]", the terminal view
  PropiedadesEditor propComandos;      // "[PANCOM]", the command editor
  friend bool operator==(const AjustesZTelnet&, const AjustesZTelnet&) = default;
};

// The "[APP]" string: seven fields, widths written with ".".
Texto CadPropiedades(const AjustesVentana& v);
// Throws ErrorEjecucion when a field is missing or a width does not fit a single.
void LeePropiedades(AjustesVentana& v, VistaTexto s);

// The file names (captions) of the frequent-file menus, sorted.
struct MenusFrecuentes {
  std::vector<Texto> macros;     // "*.zkv" of the macros folder
  std::vector<Texto> comandos;   // "*.sh" of the scripts folder
};

class Configuracion {
public:
  // 'mensajeError' is the program-wide error text the caller tests after each step.
  Configuracion(std::filesystem::path ArchConfig, Texto& mensajeError)
      : ArchConfig(std::move(ArchConfig)), MensajeError(mensajeError) {}

  const std::filesystem::path ArchConfig;

  // Reads the file into 'a'. On the first bad line (or a missing file) stops, sets the error text
  // and returns false; values read before it stay in 'a'.
  bool Lee(AjustesZTelnet& a);
  // Reads, and on success lists the frequent files of the two work folders into 'menus'.
  bool Lee(AjustesZTelnet& a, const std::filesystem::path& CarpetaMacros,
           const std::filesystem::path& CarpetaScripts, MenusFrecuentes& menus);
  // Copies the old file to ".bak" and writes the new one through a temporary file. A read-only
  // file is left alone. Returns false after setting the error text.
  bool Escribe(const AjustesZTelnet& a);

  // The lines Escribe writes, without line ends.
  static std::vector<Texto> Lineas(const AjustesZTelnet& a);
  // Applies one line; throws ErrorEjecucion on a bad one. Unknown tags are skipped.
  static void LeeLinea(AjustesZTelnet& a, VistaTexto linea);

private:
  Texto& MensajeError;
};

// Files of 'carpeta' whose names end in 'extension' (any case), sorted by name.
std::vector<Texto> ArchivosConExtension(const std::filesystem::path& carpeta, VistaTexto extension);

} // namespace zt
