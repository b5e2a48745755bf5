// The main window's title and layout.
#include "workspace/ReglasVentana.h"
#include <algorithm>

namespace zt {

Texto NombrePrograma() { return T("Zorvel's Telnet 1.12"); }

Texto TituloVentana(VistaTexto titulo, const EstadoTitulo& e) {
  if (!titulo.empty()) return Texto(titulo);
  Texto t = NombrePrograma();
  if (!e.archivoVista.empty())
    t += U" - " + e.archivoVista;
  else if (e.macroEnEjecucion)
    t += T(" - Ejecutando: ") + e.ArchivoMacro;
  else if (e.estado == 7)
    t += U" " + e.RemoteHost;
  t += U" - ";
  switch (e.estado) {
  case 7: t += U"Conectado."; break;
  case 6: t += U"Conectando."; break;
  case 0: t += T("Conexión Cerrada."); break;
  default: t += U"Desconectado. "; break;
  }
  return t;
}

Disposicion DisponeVentana(int anchoInterior, int altoInterior, bool minimizada, int anchoCom, int anchoMac) {
  Disposicion d;
  if (minimizada || anchoInterior <= 0 || altoInterior <= 0) return d;
  d.aplicar = true;
  anchoCom = std::max(anchoCom, 0);
  anchoMac = std::max(anchoMac, 0);
  d.x = anchoMac + anchoCom;
  d.ancho = std::max(anchoInterior - anchoMac - anchoCom, 0);
  d.alto = altoInterior;
  d.anchoCom = std::min(anchoCom, anchoInterior);
  d.anchoMac = std::min(anchoMac, anchoInterior);
  return d;
}

} // namespace zt
