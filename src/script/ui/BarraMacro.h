// The macro bar "MACROS": a small tool window shown during a run started from a file, with the
// run, stop and pause buttons.
#pragma once
#include <QWidget>

class QPushButton;

namespace zt {

class BarraMacro : public QWidget {
  Q_OBJECT
public:
  explicit BarraMacro(QWidget* padre = nullptr);

  // Running: run off, stop on.
  void FijaEjecutando(bool enEjecucion);

  QPushButton* cmdEjec() const { return cmdEjec_; }
  QPushButton* cmdDeten() const { return cmdDeten_; }
  QPushButton* cmdPaus() const { return cmdPaus_; }

signals:
  void Ejecutar();
  void Detener();
  void Pausar();

private:
  QPushButton* cmdEjec_;
  QPushButton* cmdDeten_;
  QPushButton* cmdPaus_;
};

} // namespace zt
