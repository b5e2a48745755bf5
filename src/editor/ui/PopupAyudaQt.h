// The help popup: a borderless list under the cursor that never takes the editor's focus.
#pragma once
#include "editor/AyudaContextual.h"
#include <QListWidget>

namespace zt {

class EditorQt;

class PopupAyudaQt : public QListWidget, public VentanaAyuda {
public:
  // Serves 'editor' with the lists 'eleccion' picks for the text before the cursor.
  PopupAyudaQt(EditorQt& editor, AyudaContextual::Eleccion eleccion);
  ~PopupAyudaQt() override;

  AyudaContextual& ayuda() { return ayuda_; }
  // Pixels of a length in twips on this screen.
  int Pixeles(int twips) const;

  void Muestra(int altoTwips) override;
  void Oculta() override;
  void Actualiza() override;

protected:
  bool eventFilter(QObject* objeto, QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

private:
  void Ubica(int altoTwips);

  EditorQt& editor_;
  AyudaContextual ayuda_;
  QWidget* ventanaEditor_ = nullptr;
};

} // namespace zt
