// Clipboard over QClipboard, plain text only.
#include "platform/qt/ClipboardQt.h"
#include "platform/qt/ConvierteQt.h"
#include <QClipboard>
#include <QGuiApplication>

namespace zt {

namespace {
QClipboard *Portapapeles() {
  if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) return nullptr;
  return QGuiApplication::clipboard();
}
} // namespace

std::optional<Texto> ClipboardQt::LeeTexto() {
  QClipboard *c = Portapapeles();
  if (!c) return std::nullopt;
  return DeQString(c->text());
}

bool ClipboardQt::PonTexto(const Texto &texto) {
  QClipboard *c = Portapapeles();
  if (!c) return false;
  const QString q = AQString(texto);
  c->setText(q);
  return c->text() == q;
}

} // namespace zt
