#include "script/ui/MenuMacrosQt.h"
#include "script/ui/BarraMacro.h"
#include <QAbstractButton>
#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QPushButton>
#include <QRect>

namespace zt {
namespace {

QString AQ(const Texto& t) { return QString::fromStdU32String(t); }

} // namespace

MenuMacrosQt::MenuMacrosQt(QWidget* ventana, QMenu* mnMacro, QDockWidget* panMac, ControlMacro& control,
                           std::filesystem::path CarpetaMacros)
    : QObject(ventana), ventana_(ventana), mnMacro_(mnMacro), panMac_(panMac), control_(control),
      carpeta_(std::move(CarpetaMacros)) {
  auto item = [this](const char* nombre, const QString& texto, auto accion) {
    QAction* a = mnMacro_->addAction(texto);
    a->setObjectName(QString::fromLatin1(nombre));
    connect(a, &QAction::triggered, this, accion);
    return a;
  };
  auto ejecuta = [this] { control_.EjecutaMacroEditor(true); };
  auto detiene = [this] { control_.Detener(); };
  mnMacEjec = item("mnMacEjec", QStringLiteral("&Ejecutar Macro"), ejecuta);
  mnMacDet = item("mnMacDet", QStringLiteral("&Detener Macro"), detiene);
  mnMacPau = item("mnMacPau", QStringLiteral("&Pausar Macro"), [] {});
  mnMacGrab = item("mnMacGrab", QStringLiteral("&Grabar Macro"), [] {});
  mnMacro_->addSeparator();
  mnMacFrec0 = item("mnMacFrec", QStringLiteral("Ejecutar Archivo..."),
                    [this] { control_.EjecutaArchivoElegido(carpeta_); });
  connect(mnMacro_, &QMenu::aboutToShow, this, [this] { RefrescaMenu(); });

  frmMacro = new BarraMacro(ventana);
  connect(frmMacro, &BarraMacro::Ejecutar, this, ejecuta);
  connect(frmMacro, &BarraMacro::Detener, this, detiene);
  RefrescaMenu();
}

void MenuMacrosQt::FijaArchivos(const std::vector<Texto>& nombres) {
  for (QAction* a : lista_) {
    mnMacro_->removeAction(a);
    a->deleteLater();
  }
  lista_.clear();
  for (const Texto& n : nombres) {
    QAction* a = mnMacro_->addAction(AQ(n));
    a->setObjectName(QStringLiteral("mnMacFrec"));
    connect(a, &QAction::triggered, this, [this, n] { control_.EjecutaMacroListada(carpeta_, n); });
    lista_.push_back(a);
  }
}

void MenuMacrosQt::EstadoEjecucion(bool enEjecucion, bool MostrarBarra) {
  for (const char* nombre : {"cmdEjecMac", "cmdDetenMac"}) {
    if (auto* b = ventana_->findChild<QAbstractButton*>(QString::fromLatin1(nombre)))
      b->setEnabled(enEjecucion == (nombre[3] == 'D'));
  }
  frmMacro->FijaEjecutando(enEjecucion);
  if (enEjecucion && MostrarBarra) {
    // First shown at the window's top right corner, clear of the menus; later where the user left it.
    if (!barraColocada_) {
      frmMacro->adjustSize();
      const QRect r = ventana_->geometry();
      frmMacro->move(r.right() - frmMacro->width() - 24, r.top() + 48);
      barraColocada_ = true;
    }
    frmMacro->show();
    frmMacro->raise();
    frmMacro->activateWindow();
    frmMacro->cmdDeten()->setFocus();
  } else if (!enEjecucion && frmMacro->isVisible()) {
    frmMacro->close();
  }
  RefrescaMenu();
}

void MenuMacrosQt::RefrescaMenu() {
  const bool panel = panMac_ && !panMac_->isHidden();
  const EstadoMenuMacro e = EstadoMenuMacros(control_.MacroEnEjecucion(), panel);
  mnMacEjec->setEnabled(e.ejecutar);
  mnMacGrab->setEnabled(e.grabar);
  mnMacPau->setEnabled(e.pausar);
  mnMacDet->setEnabled(e.detener);
  // The macro panel's own file and view items, when the window has them.
  const std::pair<const char*, bool> suyos[] = {{"mnMacGua", e.guardar},
                                                {"mnMacGuaC", e.guardarComo},
                                                {"mnMacDespHor", e.barraHoriz},
                                                {"mnMacDespVer", e.barraVert}};
  for (const auto& [nombre, activo] : suyos) {
    for (QAction* a : mnMacro_->actions())
      if (a->objectName() == QLatin1String(nombre)) a->setEnabled(activo);
  }
}

} // namespace zt
