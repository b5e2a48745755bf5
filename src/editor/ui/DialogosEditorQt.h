// The editors' small dialogs: find ("Buscar") and source choice ("Fuente a Procesar"), and the
// wheel watcher of a window.
#pragma once
#include <QDialog>
#include <QObject>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zt {

class EditorQt;

// Non-modal: each "&Buscar" searches the main window's current editor from its cursor. Made with
// new; closing deletes it.
class FrmBuscar : public QDialog {
public:
  FrmBuscar(std::function<EditorQt*()> editorActual, QWidget* padre = nullptr);
  QLineEdit* txtBuscar;
  QCheckBox* chkMayMin;
  QCheckBox* chkPalCom;
  QPushButton* cmdBuscar;
  QPushButton* cmdCancel;

private:
  void Buscar();
  std::function<EditorQt*()> editorActual_;
};

// Modal: the selection or the whole text. The caller reads 'cancel' and optSelec.
class FrmSelFuente : public QDialog {
public:
  explicit FrmSelFuente(bool haySeleccion, QWidget* padre = nullptr);
  QRadioButton* optSelec;
  QRadioButton* OptTodo;
  QPushButton* cmdAceptar;
  QPushButton* cmdCerrar;
  bool cancel = true;
};

// Watches a window for wheel turns that reach it (its children did not take them): one notch
// towards the user with no key or button held is WheelMove(true), one notch away WheelMove(false).
class MouseWheel : public QObject {
  Q_OBJECT
public:
  explicit MouseWheel(QWidget* ventana);

signals:
  void WheelMove(bool bDown);

protected:
  bool eventFilter(QObject* objeto, QEvent* e) override;
};

} // namespace zt
