// The program's own text viewer.
#include "platform/qt/VisorTextoQt.h"
#include "base/ArchivoTexto.h"
#include "platform/qt/ConvierteQt.h"
#include <QApplication>
#include <QFontDatabase>
#include <QScreen>
#include <algorithm>
#include <filesystem>

namespace zt {

VisorTextoQt::VisorTextoQt() {
  setObjectName(QStringLiteral("visorTexto"));
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setAttribute(Qt::WA_DeleteOnClose);
  // A viewer left open does not keep the program running once its main window has closed.
  setAttribute(Qt::WA_QuitOnClose, false);
}

VisorTextoQt* VisorTextoQt::Abre(const std::string& ruta) {
  auto contenido = LeeArchivoTexto(ruta);
  if (!contenido) return nullptr;
  auto* v = new VisorTextoQt;
  Texto texto;
  size_t columnas = 60;
  for (size_t i = 0; i < contenido->lineas.size(); ++i) {
    texto += (i ? U"\n" : U"") + contenido->lineas[i];
    columnas = std::max(columnas, contenido->lineas[i].size());
  }
  v->setPlainText(AQString(texto));
  v->setWindowTitle(AQString(std::filesystem::path(ruta).filename().string()) + QStringLiteral(" - ") +
                    QApplication::applicationName());
  // Wide enough for the longest line, up to most of the screen.
  QSize tamano(int(std::min<size_t>(columnas + 4, 160)) * v->fontMetrics().horizontalAdvance(QLatin1Char('x')),
               40 * v->fontMetrics().height());
  if (const QScreen* s = QApplication::primaryScreen())
    tamano = tamano.boundedTo(s->availableGeometry().size() * 9 / 10);
  v->resize(tamano);
  v->show();
  v->raise();
  v->activateWindow();
  return v;
}

} // namespace zt
