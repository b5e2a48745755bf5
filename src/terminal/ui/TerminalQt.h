// The terminal view's widget: the editor widget over a CtlEdTelnet whose key events go to the
// view's own events (the window sends them on to the host), with the connection panel's colours.
#pragma once
#include "editor/ui/EditorQt.h"
#include "terminal/CtlEdTelnet.h"
#include <functional>

namespace zt {

class TerminalQt : public EditorQt {
public:
  // 'vista' is owned elsewhere and outlives the widget.
  explicit TerminalQt(CtlEdTelnet& vista, QWidget* padre = nullptr);
  ~TerminalQt() override;

  CtlEdTelnet& vista() { return vista_; }
  // The view got the focus (the window clears the Ctrl state then).
  std::function<void()> alEnfocar;

protected:
  void TeclaAbajo(int codigo, int shift) override;
  void TeclaCaracter(char32_t c) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

private:
  void SincronizaPanel();

  CtlEdTelnet& vista_;
  Color fondoPanel_ = 0xFFFFFFFF;
  Color tintaPanel_ = 0xFFFFFFFF;
};

} // namespace zt
