// The main window's title and layout, as pure rules over the state they depend on.
#pragma once
#include "base/Texto.h"
#include <cstdint>

namespace zt {

// The program's name as the title and the settings file show it.
Texto NombrePrograma();

struct EstadoTitulo {
  Texto archivoVista; // the terminal text's file, when it was loaded from or saved to one
  bool macroEnEjecucion = false;
  Texto ArchivoMacro;
  int16_t estado = 0; // socket state code
  Texto RemoteHost;
};

// A non-empty 'titulo' is the whole title; else the base title for the state and its state word.
Texto TituloVentana(VistaTexto titulo, const EstadoTitulo& e);

// Where the terminal goes and how wide the panels may be, in pixels.
struct Disposicion {
  bool aplicar = false; // false while minimised or with a zero size: nothing moves
  int x = 0, y = 0, ancho = 0, alto = 0;
  int anchoCom = 0, anchoMac = 0; // panel widths after narrowing to the window
};
// 'anchoCom' and 'anchoMac' are the widths the docked panels take (0 when hidden).
Disposicion DisponeVentana(int anchoInterior, int altoInterior, bool minimizada, int anchoCom, int anchoMac);

} // namespace zt
