// ZTelnet: the main window.
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
  ventana.show();
  // Start-up check for scripted runs: close by itself once the window is up.
  if (const char *ms = std::getenv("ZT_SMOKE_EXIT_MS"))
    QTimer::singleShot(std::atoi(ms), &ventana, &QMainWindow::close);
  return app.exec();
}
