// Dialogs over QMessageBox, QInputDialog, QFileDialog and QColorDialog; headless answers alone.
#pragma once
#include "platform/Dialogs.h"

class QWidget;

namespace zt {

// True when no window can be seen: the offscreen or minimal platform, no GUI application, or
// neither DISPLAY nor WAYLAND_DISPLAY set.
bool SinPantalla();

class DialogsQt : public Dialogs {
public:
  explicit DialogsQt(QWidget *padre = nullptr) : padre_(padre) {}
  void FijaPadre(QWidget *padre) { padre_ = padre; }
  // Headless: writes "titulo: texto" to standard error and answers RespuestaPorDefecto.
  Respuesta Mensaje(const Texto &texto, const Texto &titulo, Botones botones = Botones::Aceptar,
                    Icono icono = Icono::Ninguno, std::optional<Respuesta> porDefecto = {}) override;
  // Headless, these answer nullopt, as if cancelled. The file boxes add "Todos (*)" to 'filtro'
  // (several filters are joined by ";;").
  std::optional<Texto> Entrada(const Texto &texto, const Texto &titulo, const Texto &inicial) override;
  std::optional<Texto> AbrirArchivo(const Texto &titulo, const Texto &carpeta, const Texto &filtro) override;
  std::optional<Texto> GuardarArchivo(const Texto &titulo, const Texto &inicial,
                                      const Texto &filtro) override;
  std::optional<Color> ElegirColor(Color inicial) override;

private:
  QWidget *padre_;
};

} // namespace zt
