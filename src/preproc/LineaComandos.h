// Quillon's command line, the fresh output names of the work folder and the busy test.
#pragma once
#include "base/Texto.h"
#include <filesystem>
#include <vector>

namespace zt::preproc {

struct LineaComandos {
  Texto entrada;            // the first word
  bool preprocesar = false; // "/PREPRO"
  bool lanzar = false;      // "/LANZAR" (implies preprocesar)
  bool mostrarErrores = true;
  bool interactivo = false; // nothing given
  Texto desconocido;        // the first switch not recognised, when any
};

// The program's arguments, each one word (the shell has already removed the quotes).
LineaComandos LeeLineaComandos(const std::vector<Texto>& argumentos);
// The box shown for a switch that is not recognised.
Texto MensajeParametroDesconocido(const Texto& palabra);

// carpeta/base.tmp, else base~01.tmp, base~02.tmp, ... (base~100.tmp after base~99.tmp): the
// first that does not exist. 'fuente' gives the base: its name without folders and extension.
std::filesystem::path NombreNuevo(const std::filesystem::path& carpeta, const Texto& fuente,
                                  const char* extension = ".tmp");

// True when the file cannot be moved to another name in its folder (another program holds it).
bool ArchivoOcupado(const std::filesystem::path& ruta);

} // namespace zt::preproc
