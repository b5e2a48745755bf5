// One QApplication for the Qt tests, made on first use and kept to the end of the process.
#pragma once
#include <QApplication>
#include <cstdlib>

inline QApplication &AppQt() {
  static QApplication *app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char nombre[] = "platform_qt";
    static char *argv[] = {nombre, nullptr};
    return new QApplication(argc, argv);
  }();
  return *app;
}
