// The terminal log's items of the Archivo menu: "Iniciar Registro..." and "Detener Registro".
#pragma once
#include "base/Texto.h"
#include "platform/Dialogs.h"
#include <filesystem>
#include <functional>

class QAction;
class QMenu;

namespace zt {

struct EnlaceRegistro {
  std::function<bool()> Abierto;          // a log is open
  std::function<void(const Texto&)> Abre; // opens the log (throws ErrorEjecucion)
  std::function<void()> Cierra;           // closes it
  std::function<Dialogs&()> Dialogos;
  std::filesystem::path carpeta; // where the file box starts
};

struct ItemsRegistro {
  QAction* mnInicReg;
  QAction* mnFinReg;
};

// Inserts the two items before 'antes' (appended when null); the menu enables the one that
// applies each time it opens. The file box lets a new name be typed and asks before an existing
// file is replaced, since opening a log empties it.
ItemsRegistro InstalaMenuRegistro(QMenu* mnArchivo, QAction* antes, EnlaceRegistro enlace);

} // namespace zt
