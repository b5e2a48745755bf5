// The editor widget: owns an editor core, turns Qt events into its calls and shows what it drew,
// its two scroll bars and its four status labels.
#pragma once
#include "editor/AyudaContextual.h"
#include "editor/CtlEdit.h"
#include "editor/ui/LienzoQt.h"
#include "platform/qt/ClipboardQt.h"
#include "platform/qt/DialogsQt.h"
#include "platform/qt/TimerQt.h"
#include <QWidget>
#include <array>
#include <memory>

class QLabel;
class QMenu;
class QScrollBar;

namespace zt {

class PopupAyudaQt;

class EditorQt : public QWidget {
public:
  explicit EditorQt(PerfilEditor perfil = PerfilEditor::CtlEdit(), QWidget* padre = nullptr);
  // Shows a core that lives elsewhere (the terminal view's); it must outlive the widget.
  explicit EditorQt(CtlEdit& externo, QWidget* padre = nullptr);
  ~EditorQt() override;

  CtlEdit& ed() { return ed_; }
  const LienzoQt& lienzo() const { return lienzo_; }
  // The menu shown when the right button is released on the text (none by default).
  void FijaMenuContexto(QMenu* menu) { menu_ = menu; }
  // Lines scrolled by one wheel notch.
  void FijaPasoRueda(int lineas) { pasoRueda_ = lineas; }
  // The window that holds the editor.
  QWidget* ParentForm() const { return window(); }
  // Gives the editor its help popup with these word lists (or this choice of list); the popup
  // lives as long as the editor.
  PopupAyudaQt* ActivaAyuda(ListasAyuda listas);
  PopupAyudaQt* ActivaAyuda(std::function<std::vector<Texto>(VistaTexto)> eleccion);
  PopupAyudaQt* ayuda() const { return ayuda_.get(); }
  // Copies the core's bars and labels onto the widgets.
  void Sincroniza();

protected:
  // Where a typed key and a typed character go; the terminal sends them to the host instead.
  virtual void TeclaAbajo(int codigo, int shift) { ed_.TeclaAbajo(codigo, shift); }
  virtual void TeclaCaracter(char32_t c) { ed_.TeclaCaracter(c); }

  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  bool focusNextPrevChild(bool) override { return false; } // Tab is typed into the text

  QLabel* Etiqueta(size_t i) const { return etiquetas_[i]; }

private:
  void Prepara();
  static QFont FuenteFija();

  DialogsQt dialogos_;
  ClipboardQt portapapeles_;
  std::unique_ptr<CtlEdit> propio_;
  CtlEdit& ed_;
  LienzoQt lienzo_;
  TimerQt timer_;                       // after ed_: it stops ticking before the editor goes
  std::unique_ptr<PopupAyudaQt> ayuda_; // after ed_: it unhooks itself from the core first
  QScrollBar* barraV_;
  QScrollBar* barraH_;
  std::array<QLabel*, 4> etiquetas_{};
  QMenu* menu_ = nullptr;
  int pasoRueda_ = 5;
  int restoRueda_ = 0;
  Color colorEstado1_ = 0xFFFFFFFF; // none yet
};

} // namespace zt
