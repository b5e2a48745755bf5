// A dialog that shows the stored values again whenever the user comes back to it from another
// window, so edits left unaccepted do not survive; its own message and colour boxes do not count.
#pragma once
#include <QDialog>

namespace zt {

class DialogoRecargable : public QDialog {
public:
  explicit DialogoRecargable(QWidget* padre);

protected:
  // Fills the controls from the stored values.
  virtual void Carga() = 0;
  void showEvent(QShowEvent* e) override;

private:
  void VentanaActiva(QWindow* w);
  bool fuera_ = false; // another window of the program had the focus since the last Carga
};

} // namespace zt
