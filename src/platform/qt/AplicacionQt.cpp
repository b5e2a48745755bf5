#include "platform/qt/AplicacionQt.h"
#include "platform/qt/EstiloQt.h"
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>

namespace zt {

void PreparaAplicacion(QApplication& app) {
  QApplication::setStyle(new EstiloQt);
  // Without the translations installed Qt's texts stay in English; nothing else changes.
  auto* traductor = new QTranslator(&app);
  if (traductor->load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(traductor);
  else
    delete traductor;
}

bool HayDisplay() {
  for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY"})
    if (const char* s = std::getenv(v); s && *s) return true;
  return false;
}

} // namespace zt
