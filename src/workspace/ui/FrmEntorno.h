// The environment window "Entorno": a live list of the program's loaded windows.
#pragma once
#include <QTimer>
#include <QWidget>

class QLabel;
class QListWidget;

namespace zt {

class FrmEntorno : public QWidget {
public:
  explicit FrmEntorno(QWidget* padre = nullptr);

  QLabel* Label1;
  QListWidget* lstForms;
  // Rebuilds the list and the count; the window's timer calls it on every tick.
  void Actualiza();

protected:
  void resizeEvent(QResizeEvent* e) override;

private:
  QTimer Timer1_;
};

} // namespace zt
