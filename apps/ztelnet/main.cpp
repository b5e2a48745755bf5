// ZTelnet: the main window.
#include "editor/ui/EditorQt.h"
#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <cstdlib>

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("ZTelnet");
  QMainWindow ventana;
  ventana.setWindowTitle("ZTelnet");
  ventana.resize(900, 650);
  // For now the window holds one command editor.
  auto *editor = new zt::EditorQt(zt::PerfilEditor::CtlEdit(), &ventana);
  zt::CtlEdit &ed = editor->ed();
  ed.verEstado = ed.verNumLin = ed.verDesHor = ed.verDesVer = ed.verFonLin = true;
  ed.Refrescar();
  ventana.setCentralWidget(editor);
  ventana.show();
  editor->setFocus();
  // Start-up check for scripted runs: close by itself once the window is up.
  if (const char *ms = std::getenv("ZT_SMOKE_EXIT_MS"))
    QTimer::singleShot(std::atoi(ms), &ventana, &QMainWindow::close);
  return app.exec();
}
