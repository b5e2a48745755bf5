// The log items of the Archivo menu.
#include "workspace/ui/MenuRegistro.h"
#include "base/Error.h"
#include "workspace/Archivos.h"
#include <QAction>
#include <QMenu>
#include <memory>

namespace zt {

ItemsRegistro InstalaMenuRegistro(QMenu* mnArchivo, QAction* antes, EnlaceRegistro enlace) {
  auto e = std::make_shared<EnlaceRegistro>(std::move(enlace));
  ItemsRegistro items{new QAction(QString::fromUtf8("Iniciar Registro..."), mnArchivo),
                      new QAction(QString::fromUtf8("Detener Registro"), mnArchivo)};
  items.mnInicReg->setObjectName("mnInicReg");
  items.mnFinReg->setObjectName("mnFinReg");
  mnArchivo->insertAction(antes, items.mnInicReg);
  mnArchivo->insertAction(antes, items.mnFinReg);
  QObject::connect(items.mnInicReg, &QAction::triggered, mnArchivo, [e] {
    Dialogs& d = e->Dialogos();
    const Texto ruta = DialogoGuardar(d, U"Registro de sesión", U"*.log", U"Archivo de Registro",
                                      T(e->carpeta.string() + "/"));
    if (ruta.empty()) return;
    try {
      e->Abre(ruta);
    } catch (const ErrorEjecucion& error) {
      d.Mensaje(error.descripcion(), U"Archivo de Registro", Botones::Aceptar, Icono::Exclamacion);
    }
  });
  QObject::connect(items.mnFinReg, &QAction::triggered, mnArchivo, [e] { e->Cierra(); });
  QObject::connect(mnArchivo, &QMenu::aboutToShow, mnArchivo, [e, items] {
    const bool abierto = e->Abierto();
    items.mnInicReg->setEnabled(!abierto);
    items.mnFinReg->setEnabled(abierto);
  });
  // Enabled again when the menu closes, so each item can still be reached by its action.
  QObject::connect(mnArchivo, &QMenu::aboutToHide, mnArchivo, [items] {
    items.mnInicReg->setEnabled(true);
    items.mnFinReg->setEnabled(true);
  });
  return items;
}

} // namespace zt
