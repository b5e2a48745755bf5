// Dialogs over the Qt standard boxes; with no display every box is answered without waiting.
#include "platform/qt/DialogsQt.h"
#include "platform/qt/AplicacionQt.h"
#include "platform/RespuestaDefecto.h"
#include "platform/qt/ConvierteQt.h"
#include <QColorDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <cstdlib>
#include <iostream>

namespace zt {

namespace {

struct Boton {
  Respuesta respuesta;
  QMessageBox::StandardButton qt;
  const char *texto;
};

constexpr Boton kBotones[] = {
    {Respuesta::Aceptar, QMessageBox::Ok, "Aceptar"},
    {Respuesta::Cancelar, QMessageBox::Cancel, "Cancelar"},
    {Respuesta::Si, QMessageBox::Yes, "Sí"},
    {Respuesta::No, QMessageBox::No, "No"},
    {Respuesta::Reintentar, QMessageBox::Retry, "Reintentar"},
};

std::vector<Respuesta> RespuestasDe(Botones b) {
  switch (b) {
  case Botones::Aceptar: return {Respuesta::Aceptar};
  case Botones::AceptarCancelar: return {Respuesta::Aceptar, Respuesta::Cancelar};
  case Botones::SiNo: return {Respuesta::Si, Respuesta::No};
  case Botones::SiNoCancelar: return {Respuesta::Si, Respuesta::No, Respuesta::Cancelar};
  case Botones::ReintentarCancelar: return {Respuesta::Reintentar, Respuesta::Cancelar};
  }
  return {Respuesta::Aceptar};
}

const Boton &BotonDe(Respuesta r) {
  for (const auto &b : kBotones)
    if (b.respuesta == r) return b;
  return kBotones[0];
}

QMessageBox::Icon IconoQt(Icono i) {
  switch (i) {
  case Icono::Informacion: return QMessageBox::Information;
  case Icono::Exclamacion: return QMessageBox::Warning;
  case Icono::Pregunta: return QMessageBox::Question;
  case Icono::Error: return QMessageBox::Critical;
  case Icono::Ninguno: break;
  }
  return QMessageBox::NoIcon;
}

// Closing the box with Escape or the window button: Cancelar, else No, else the only button.
Respuesta RespuestaDeEscape(const std::vector<Respuesta> &rs) {
  for (Respuesta r : {Respuesta::Cancelar, Respuesta::No})
    if (std::find(rs.begin(), rs.end(), r) != rs.end()) return r;
  return rs.front();
}

// The caller's filter, then every file, as the file boxes always offer.
QString FiltroConTodos(const Texto &filtro) {
  QString f = AQString(filtro);
  if (f.contains("(*)") || f.contains("(*.*)")) return f;
  return f.isEmpty() ? QString("Todos (*)") : f + ";;Todos (*)";
}

} // namespace

bool SinPantalla() {
  if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) return true;
  const QString plataforma = QGuiApplication::platformName();
  if (plataforma == "offscreen" || plataforma == "minimal") return true;
  return !HayDisplay();
}

Respuesta DialogsQt::Mensaje(const Texto &texto, const Texto &titulo, Botones botones, Icono icono,
                             std::optional<Respuesta> porDefecto) {
  const auto respuestas = RespuestasDe(botones);
  Respuesta defecto = RespuestaPorDefecto(botones, porDefecto);
  if (SinPantalla()) {
    // An empty title is the program's default one, as on screen.
    const std::string t = titulo.empty() ? QCoreApplication::applicationName().toStdString() : U8(titulo);
    std::cerr << t << ": " << U8(texto) << std::endl;
    return defecto;
  }
  QMessageBox caja(IconoQt(icono), AQString(titulo), AQString(texto), QMessageBox::NoButton, padre_);
  for (Respuesta r : respuestas) {
    const Boton &b = BotonDe(r);
    QPushButton *p = caja.addButton(b.qt);
    p->setText(QString::fromUtf8(b.texto));
    if (r == defecto) caja.setDefaultButton(p);
  }
  caja.setEscapeButton(caja.button(BotonDe(RespuestaDeEscape(respuestas)).qt));
  caja.exec();
  QAbstractButton *pulsado = caja.clickedButton();
  for (Respuesta r : respuestas)
    if (pulsado && pulsado == caja.button(BotonDe(r).qt)) return r;
  return RespuestaDeEscape(respuestas);
}

std::optional<Texto> DialogsQt::Entrada(const Texto &texto, const Texto &titulo, const Texto &inicial) {
  if (SinPantalla()) return std::nullopt;
  bool ok = false;
  QString r = QInputDialog::getText(padre_, AQString(titulo), AQString(texto), QLineEdit::Normal,
                                    AQString(inicial), &ok);
  if (!ok) return std::nullopt;
  return DeQString(r);
}

std::optional<Texto> DialogsQt::AbrirArchivo(const Texto &titulo, const Texto &carpeta, const Texto &filtro) {
  if (SinPantalla()) return std::nullopt;
  QString r =
      QFileDialog::getOpenFileName(padre_, AQString(titulo), AQString(carpeta), FiltroConTodos(filtro));
  if (r.isEmpty()) return std::nullopt;
  return DeQString(r);
}

std::optional<Texto> DialogsQt::GuardarArchivo(const Texto &titulo, const Texto &inicial,
                                               const Texto &filtro) {
  if (SinPantalla()) return std::nullopt;
  QString r =
      QFileDialog::getSaveFileName(padre_, AQString(titulo), AQString(inicial), FiltroConTodos(filtro));
  if (r.isEmpty()) return std::nullopt;
  return DeQString(r);
}

std::optional<Color> DialogsQt::ElegirColor(Color inicial) {
  if (SinPantalla()) return std::nullopt;
  QColor c = QColorDialog::getColor(AQColor(inicial), padre_);
  if (!c.isValid()) return std::nullopt;
  return DeQColor(c);
}

} // namespace zt
