// Quillon's settings file "Quillon.ini": comma-separated tagged lines, a ".bak" of the previous
// file, and the checks of the configuration dialog.
#pragma once
#include "base/Texto.h"
#include "editor/Propiedades.h"
#include <filesystem>
#include <vector>

namespace zt::preproc {

struct AjustesQuillon {
  Texto conexion;                                              // "[CADCOND]": usuario/clave@BaseDeDatos
  Texto lanzador = U"ztelnet";                                 // "[TELNETD]": the launch program
  bool verEstado = true, verDesHor = false, verNumLin = false; // "[EDVER]"
  ColoresEditor colores;                                       // "[EDCOL]" and "[EDCOLS]"
  friend bool operator==(const AjustesQuillon&, const AjustesQuillon&) = default;
};

// The eight lines written, without line ends.
std::vector<Texto> LineasConfig(const AjustesQuillon& a, VistaTexto titulo);
// Applies the lines of the known keys; the first bad field ends the reading, keeping what was read.
void LeeLineasConfig(AjustesQuillon& a, const std::vector<Texto>& lineas);
// False when the file cannot be read.
bool LeeConfig(const std::filesystem::path& ruta, AjustesQuillon& a);
// Empty on success, else the message for the error box (read-only file, failed write).
Texto EscribeConfig(const std::filesystem::path& ruta, const AjustesQuillon& a, VistaTexto titulo);

// The configuration dialog's checks, in order. 'campo' tells which box gets the focus back.
struct FalloConfig {
  enum class Campo { Ninguno, Conexion, Lanzador } campo = Campo::Ninguno;
  Texto mensaje;
};
FalloConfig CompruebaConfig(VistaTexto conexion, VistaTexto lanzador);

} // namespace zt::preproc
