// Quillon's window: widgets, menus and the forwarding of their commands.
#include "preproc/ui/FrmPrincipalQt.h"
#include "editor/ui/DialogosEditorQt.h"
#include "editor/ui/EditorQt.h"
#include "editor/ui/PopupAyudaQt.h"
#include "platform/qt/ConvierteQt.h"
#include "preproc/ui/FrmConfigQt.h"
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zt::preproc {

FrmPrincipalQt::FrmPrincipalQt(Quillon& quillon, Dialogs& dialogos, Processes& procesos,
                               const std::string& ejecutorSql, QWidget* padre)
    : QMainWindow(padre), q_(quillon), dlg_(dialogos), proc_(procesos),
      editor_(new EditorQt(PerfilEditor::Preprocesador(), this)),
      ayuda_(procesos, quillon.CarpetaPrograma(), ejecutorSql) {
  setObjectName(QStringLiteral("frmPrincipal"));
  editor_->setObjectName(QStringLiteral("editor"));
  setCentralWidget(editor_);
  ventana_ = std::make_unique<VentanaQuillon>(q_, editor_->ed(), dlg_, proc_, *this, &ayuda_);
  editor_->ActivaAyuda([this](VistaTexto contexto) { return ayuda_.Eleccion(contexto); });
  CtlEdit& ed = editor_->ed();
  ed.ArchivoSoltado = [this](const Texto& ruta) {
    if (ventana_->ConfirmaDescarte()) ventana_->CargaArchivo(ruta);
  };
  ed.CambiaModo = [this] { mnModColumna_->trigger(); };
  CreaMenus();
  editor_->FijaMenuContexto(mnEdicion_);
  setWindowTitle(AQString(ventana_->Titulo()));
  resize(900, 650);
}

FrmPrincipalQt::~FrmPrincipalQt() { q_.alReportarError = nullptr; }

QAction* FrmPrincipalQt::Entrada(QMenu* menu, const char* nombre, const char* texto,
                                 std::function<void()> accion, const QKeySequence& atajo) {
  QAction* a = menu->addAction(QString::fromUtf8(texto));
  a->setObjectName(QString::fromLatin1(nombre));
  if (!atajo.isEmpty()) a->setShortcut(atajo);
  connect(a, &QAction::triggered, this, [this, accion = std::move(accion)] {
    accion();
    RefrescaEditor();
  });
  return a;
}

void FrmPrincipalQt::CreaMenus() {
  VentanaQuillon& v = *ventana_;
  CtlEdit& ed = editor_->ed();
  QMenuBar* barra = menuBar();

  QMenu* archivo = barra->addMenu(QStringLiteral("&Archivo"));
  archivo->setObjectName(QStringLiteral("mn_archivo"));
  Entrada(archivo, "mn_nuevo", "&Nuevo", [&v] { v.Nuevo(); });
  Entrada(archivo, "mn_abrir", "&Abrir ...", [&v] { v.Abrir(); });
  Entrada(archivo, "mnGuardar", "&Guardar", [&v] { v.Guardar(); });
  Entrada(archivo, "mnGuardarComo", "G&uardar Como ...", [&v] { v.GuardarComo(); });
  archivo->addSeparator();
  Entrada(archivo, "mn_salir", "&Salir", [this] { close(); });

  mnEdicion_ = barra->addMenu(QString::fromUtf8("&Edición"));
  mnEdicion_->setObjectName(QStringLiteral("mnEdicion"));
  mnDeshacer_ = Entrada(mnEdicion_, "mnDeshacer", "Deshacer", [&ed] { ed.Deshacer(); });
  mnEdicion_->addSeparator();
  Entrada(mnEdicion_, "mnCortar", "Co&rtar", [&ed] { ed.CortaSeleccion(); });
  Entrada(mnEdicion_, "mnCopiar", "&Copiar", [&ed] { ed.CopiaSeleccion(); });
  Entrada(mnEdicion_, "mnPegar", "&Pegar", [&ed] { ed.PegaSeleccion(); });
  Entrada(mnEdicion_, "mnSelTodo", "&Seleccionar Todo", [&ed] { ed.SeleccionaTodo(); });
  mnEdicion_->addSeparator();
  Entrada(mnEdicion_, "mnBuscar", "B&uscar ...", [this] {
    auto* f = new FrmBuscar([this] { return editor_; }, this);
    f->show();
  });
  Entrada(
      mnEdicion_, "mnBuscarSig", "Buscar Siguiente", [&ed] { ed.BuscarSig(); }, QKeySequence(Qt::Key_F3));
  mnEdicion_->addSeparator();
  mnModColumna_ = Entrada(mnEdicion_, "mnModColumna", "&Modo Columna", [this, &ed] {
    ed.TipoSelec(mnModColumna_->isChecked() ? 1 : 0);
    ed.Refrescar();
  });
  mnModColumna_->setCheckable(true);
  connect(mnEdicion_, &QMenu::aboutToShow, this, &FrmPrincipalQt::MenuEdicionAbre);

  QMenu* ver = barra->addMenu(QStringLiteral("&Ver"));
  ver->setObjectName(QStringLiteral("mnVer"));
  mnVerBarHor_ = Entrada(ver, "mnVerBarHor", "Barra de Despl. Horiz.",
                         [this] { ToggleVista(mnVerBarHor_, &CtlEdit::verDesHor); });
  mnVerNumLin_ = Entrada(ver, "mnVerNumLin", "&Número de Línea",
                         [this] { ToggleVista(mnVerNumLin_, &CtlEdit::verNumLin); });
  mnVerBarEst_ = Entrada(ver, "mnVerBarEst", "Barra de &Estado",
                         [this] { ToggleVista(mnVerBarEst_, &CtlEdit::verEstado); });
  for (QAction* a : {mnVerBarHor_, mnVerNumLin_, mnVerBarEst_}) a->setCheckable(true);

  QMenu* herr = barra->addMenu(QStringLiteral("&Herramientas"));
  herr->setObjectName(QStringLiteral("mn_herramientas"));
  Entrada(
      herr, "mn_procesar", "&Procesar", [&v] { v.Procesar(); }, QKeySequence(Qt::Key_F5));
  Entrada(herr, "mnProcConsultar", "Procesar y Cons&ultar", [&v] { v.ProcesarYConsultar(); });
  Entrada(herr, "mnConsultar", "&Consultar", [&v] { v.Consultar(); });
  herr->addSeparator();
  Entrada(herr, "mnActualizar", "Actualizar &Pantalla", [&ed] { ed.Refrescar(); });
  Entrada(herr, "mnTabAEspacio", "&Tabulacion a espacios", [&ed] { ed.TabToSpaces(); });
  Entrada(herr, "mnFiltrarLin", "&Filtrar Lineas", [&v] { v.FiltrarLineas(); });
  Entrada(herr, "mnQuitEspLat", "Quitar Espacios Laterales", [&v] { v.QuitarEspaciosLaterales(); });
  Entrada(herr, "mnJunPal", "&Juntar Palabras", [&v] { v.JuntarPalabras(); });
  herr->addSeparator();
  Entrada(herr, "mnConfig", "Confi&guración", [this] { Configuracion(); });

  QMenu* ayuda = barra->addMenu(QStringLiteral("Ay&uda"));
  ayuda->setObjectName(QStringLiteral("mn_ayuda"));
  Entrada(ayuda, "mn_acerca_de", "A&cerca de ...", [this] { AcercaDe(); });
  Entrada(ayuda, "mn_ayud", "&Ayuda", [&v] { v.Ayuda(); });
}

QAction* FrmPrincipalQt::Accion(const char* nombre) const {
  return findChild<QAction*>(QString::fromLatin1(nombre));
}

void FrmPrincipalQt::MenuEdicionAbre() {
  CtlEdit& ed = editor_->ed();
  mnDeshacer_->setEnabled(ed.nUndo() != 0);
  mnModColumna_->setChecked(ed.TipoSelec() != 0);
}

void FrmPrincipalQt::ToggleVista(QAction* a, bool CtlEdit::*campo) {
  editor_->ed().*campo = a->isChecked();
  editor_->ed().Refrescar();
}

void FrmPrincipalQt::FijaTitulo(const Texto& titulo) { setWindowTitle(AQString(titulo)); }

std::optional<bool> FrmPrincipalQt::EligeFuente() {
  FrmSelFuente f(true, this);
  f.exec();
  if (f.cancel) return std::nullopt;
  return f.optSelec->isChecked();
}

void FrmPrincipalQt::RefrescaEditor() {
  CtlEdit& ed = editor_->ed();
  if (mnVerBarHor_) {
    mnVerBarHor_->setChecked(ed.verDesHor);
    mnVerNumLin_->setChecked(ed.verNumLin);
    mnVerBarEst_->setChecked(ed.verEstado);
  }
  ed.Refrescar();
  editor_->Sincroniza();
  editor_->update();
}

void FrmPrincipalQt::Configuracion() {
  FrmConfigQt f(*ventana_, q_.ajustes.conexion, q_.ajustes.lanzador, q_.ajustes.colores, this);
  f.exec();
}

void FrmPrincipalQt::AcercaDe() {
  QDialog d(this);
  d.setObjectName(QStringLiteral("frm_Splash"));
  d.setWindowTitle(QStringLiteral("Acerca de Quillon"));
  auto* col = new QVBoxLayout(&d);
  auto* titulo = new QLabel(QString::fromLatin1(Quillon::kTitulo), &d);
  QFont f = titulo->font();
  f.setPointSize(f.pointSize() * 2);
  f.setBold(true);
  titulo->setFont(f);
  titulo->setAlignment(Qt::AlignCenter);
  col->addWidget(titulo);
  col->addWidget(new QLabel(QStringLiteral("Preprocesador de macros y SQL"), &d), 0, Qt::AlignCenter);
  auto* cerrar = new QPushButton(QStringLiteral("&Cerrar"), &d);
  connect(cerrar, &QPushButton::clicked, &d, &QDialog::accept);
  col->addWidget(cerrar, 0, Qt::AlignCenter);
  d.exec();
}

void FrmPrincipalQt::closeEvent(QCloseEvent* e) {
  if (ventana_->Cierra())
    e->accept();
  else
    e->ignore();
}

} // namespace zt::preproc
