// The remote editor window and its two dialogs: each command forwards to the remote editor's
// logic or to the editor, then brings the widgets up to date.
#include "remote/ui/FrmEditRem.h"
#include "base/Error.h"
#include "platform/qt/ConvierteQt.h"
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace zt {

namespace {

QPushButton* Boton(QWidget* padre, const char* nombre, const char* texto) {
  auto* b = new QPushButton(QString::fromUtf8(texto), padre);
  b->setObjectName(nombre);
  b->setAutoDefault(false);
  return b;
}

} // namespace

// ---- FrmAbrirRem ----

FrmAbrirRem::FrmAbrirRem(TransferenciaRemota& transferencia, Dialogs& dialogos, QWidget* padre)
    : QDialog(padre), tr_(transferencia), dialogos_(dialogos) {
  setObjectName("frmAbrirRem");
  setWindowTitle("Abrir Archivo Remoto");
  setModal(true);
  lstArc = new QListWidget(this);
  lstArc->setObjectName("lstArc");
  txtRut = new QLineEdit(this);
  txtRut->setObjectName("txtRut");
  txtRut->setReadOnly(true);
  cmdAceptar = Boton(this, "cmdAceptar", "&ACEPTAR");
  cmdAceptar->setDefault(true);
  cmdCerrar = Boton(this, "cmdCerrar", "&CANCELAR");
  cmdActual = Boton(this, "cmdActual", "&Refrescar");
  auto* caja = new QVBoxLayout(this);
  caja->addWidget(txtRut);
  caja->addWidget(lstArc, 1);
  auto* botones = new QHBoxLayout;
  botones->addWidget(cmdActual);
  botones->addStretch();
  botones->addWidget(cmdAceptar);
  botones->addWidget(cmdCerrar);
  caja->addLayout(botones);
  resize(360, 420);
  connect(lstArc, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* i) { txtRut->setText(i->text()); });
  connect(lstArc, &QListWidget::itemDoubleClicked, this, [this] { Acepta(); });
  connect(cmdAceptar, &QPushButton::clicked, this, [this] { Acepta(); });
  connect(cmdCerrar, &QPushButton::clicked, this, [this] {
    archivo.clear();
    reject();
  });
  connect(cmdActual, &QPushButton::clicked, this, [this] { Listar(); });
}

void FrmAbrirRem::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  // Listed once the dialog is on the screen, so the user sees it while the host answers.
  if (!std::exchange(listado_, true)) QTimer::singleShot(0, this, [this] { Listar(); });
}

void FrmAbrirRem::Listar() {
  lstArc->setEnabled(false);
  cmdAceptar->setEnabled(false);
  lstArc->clear();
  const auto l = tr_.Lista();
  lstArc->clear();
  for (const Texto& e : l.entradas) lstArc->addItem(AQString(e));
  lstArc->setEnabled(true);
  cmdAceptar->setEnabled(true);
  if (!l.error.empty()) dialogos_.Mensaje(l.error, U"", Botones::Aceptar, Icono::Exclamacion);
}

void FrmAbrirRem::Acepta() {
  if (lstArc->currentItem() && lstArc->currentItem()->isSelected())
    archivo = DeQString(lstArc->currentItem()->text());
  accept();
}

// ---- FrmBuscarRem ----

FrmBuscarRem::FrmBuscarRem(EditorQt& editor, QWidget* padre) : QDialog(padre), editor_(editor) {
  setObjectName("frmBuscarRem");
  setWindowTitle("Buscar");
  setModal(true);
  txtBuscar = new QLineEdit(this);
  txtBuscar->setObjectName("txtBuscar");
  chkMayMin = new QCheckBox(QString::fromUtf8("Coincidir Mayúsc./Minúsc."), this);
  chkMayMin->setObjectName("chkMayMin");
  chkPalCom = new QCheckBox("Palabra Completa", this);
  chkPalCom->setObjectName("chkPalCom");
  cmdBuscar = Boton(this, "cmdBuscar", "&Buscar");
  cmdBuscar->setDefault(true);
  cmdCancel = Boton(this, "cmdCancel", "&Cancelar");
  auto* rejilla = new QGridLayout(this);
  rejilla->addWidget(new QLabel("Buscar:", this), 0, 0);
  rejilla->addWidget(txtBuscar, 0, 1);
  rejilla->addWidget(cmdBuscar, 0, 2);
  rejilla->addWidget(chkMayMin, 1, 1);
  rejilla->addWidget(cmdCancel, 1, 2);
  rejilla->addWidget(chkPalCom, 2, 1);
  connect(cmdBuscar, &QPushButton::clicked, this, [this] { Buscar(); });
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmBuscarRem::Buscar() {
  const Texto texto = DeQString(txtBuscar->text());
  if (texto.empty()) return;
  editor_.ed().InicBuscar(texto, 0, !chkMayMin->isChecked(), chkPalCom->isChecked());
  editor_.ed().BuscarSig();
  editor_.update();
}

// ---- FrmEditRem ----

FrmEditRem::FrmEditRem(TransferenciaRemota& transferencia, std::filesystem::path carpetaPrograma,
                       VistaEditor vista, Processes* procesos, Dialogs* dialogos, QWidget* padre)
    : QMainWindow(padre), editor(new EditorQt(PerfilEditor::CtlEdit(), this)), dialogosQt_(this),
      dialogos_(dialogos ? *dialogos : dialogosQt_), tr_(transferencia),
      logica_(editor->ed(), dialogos_, transferencia, procesos, std::move(carpetaPrograma)) {
  setObjectName("frmEditRem");
  setAttribute(Qt::WA_DeleteOnClose);
  resize(760, 560);
  editor->setObjectName("editor");
  editor->FijaPasoRueda(2);
  editor->ed().FijaDialogos(&dialogos_);
  setCentralWidget(editor);
  CtlEdit& ed = editor->ed();

  mn_archivo = menuBar()->addMenu("&Archivo");
  mn_archivo->setObjectName("mn_archivo");
  mnNuevo = Accion(mn_archivo, "mnNuevo", "&Nuevo", [this] { logica_.Nuevo(); });
  mnAbrir = Accion(mn_archivo, "mnAbrir", "&Abrir ...", [this] { Abrir(); });
  mnGuardar = Accion(mn_archivo, "mnGuardar", "&Guardar", [this] { logica_.Guardar(); });
  mnGuardarComo = Accion(mn_archivo, "mnGuardarComo", "G&uardar Como ...", [this] { logica_.GuardarComo(); });
  mnGuardarCop = Accion(mn_archivo, "mnGuardarCop", "Guardar Copia ...", [this] { logica_.GuardarCopia(); });
  mn_archivo->addSeparator();
  mn_salir = Accion(mn_archivo, "mn_salir", "&Salir", [this] { close(); });
  mnNuevo->setShortcut(QKeySequence::New);
  mnAbrir->setShortcut(QKeySequence::Open);
  mnGuardar->setShortcut(QKeySequence::Save);

  mnEdicion = menuBar()->addMenu(QString::fromUtf8("&Edición"));
  mnEdicion->setObjectName("mnEdicion");
  mnDeshacer = Accion(mnEdicion, "mnDeshacer", "Deshacer", [&ed] { ed.Deshacer(); });
  mnEdicion->addSeparator();
  mnCortar = Accion(mnEdicion, "mnCortar", "Co&rtar", [&ed] { ed.CortaSeleccion(); });
  mnCopiar = Accion(mnEdicion, "mnCopiar", "&Copiar", [&ed] { ed.CopiaSeleccion(); });
  mnPegar = Accion(mnEdicion, "mnPegar", "&Pegar", [&ed] { ed.PegaSeleccion(); });
  mnSelTodo = Accion(mnEdicion, "mnSelTodo", "&Seleccionar Todo", [&ed] { ed.SeleccionaTodo(); });
  mnEdicion->addSeparator();
  mnBuscar = Accion(mnEdicion, "mnBuscar", "B&uscar ...", [this] { Buscar(); });
  mnBuscarSig = Accion(mnEdicion, "mnBuscarSig", "Buscar Siguiente", [&ed] { ed.BuscarSig(); });
  mnBuscarSig->setShortcut(QKeySequence(Qt::Key_F3));
  mnModColumna = Accion(mnEdicion, "mnModColumna", "&Modo Columna", [this] { ModoColumna(); });
  mnModColumna->setCheckable(true);
  connect(mnEdicion, &QMenu::aboutToShow, this, [this, &ed] {
    mnDeshacer->setEnabled(ed.nUndo() != 0);
    mnModColumna->setChecked(ed.TipoSelec() != 0);
  });
  editor->FijaMenuContexto(mnEdicion);
  ed.CambiaModo = [this] { ModoColumna(); };

  mnVer = menuBar()->addMenu("&Ver");
  mnVer->setObjectName("mnVer");
  const auto vista1 = [this](const char* nombre, const char* texto, bool CtlEdit::*campo, bool valor) {
    QAction* a = Accion(mnVer, nombre, texto, nullptr);
    a->setCheckable(true);
    a->setChecked(valor);
    editor->ed().*campo = valor;
    connect(a, &QAction::toggled, this, [this, campo](bool v) {
      editor->ed().*campo = v;
      Refresca();
    });
    return a;
  };
  mnVerBarVer = vista1("mnVerBarVer", "Barra de Despl. Vert.", &CtlEdit::verDesVer, vista.verDesVer);
  mnVerBarHor = vista1("mnVerBarHor", "Barra de Despl. Horiz.", &CtlEdit::verDesHor, vista.verDesHor);
  mnVerNumLin = vista1("mnVerNumLin", "&Número de Línea", &CtlEdit::verNumLin, vista.verNumLin);
  mnVerBarEst = vista1("mnVerBarEst", "Barra de &Estado", &CtlEdit::verEstado, vista.verEstado);

  mn_herramientas = menuBar()->addMenu("&Herramientas");
  mn_herramientas->setObjectName("mn_herramientas");
  mnProcConsultar = Accion(mn_herramientas, "mnProcConsultar", "Procesar y Cons&ultar", nullptr);
  mnReubicVen = Accion(mn_herramientas, "mnReubicVen", "Reubicar &Ventana", [this] { ReubicarVentana(); });
  mnActualizar = Accion(mn_herramientas, "mnActualizar", "Actualizar &Pantalla", [this] { Refresca(); });
  mn_herramientas->addSeparator();
  mnTabAEspacio =
      Accion(mn_herramientas, "mnTabAEspacio", "&Tabulacion a espacios", [&ed] { ed.TabToSpaces(); });
  mnFiltrarLin =
      Accion(mn_herramientas, "mnFiltrarLin", "&Filtrar Lineas", [this] { logica_.FiltrarLineas(); });
  mnQuitEspLat = Accion(mn_herramientas, "mnQuitEspLat", "Quitar Espacios Laterales",
                        [this] { logica_.QuitarEspaciosLaterales(); });
  mnJunPal = Accion(mn_herramientas, "mnJunPal", "&Juntar Palabras", [this] { logica_.JuntarPalabras(); });

  picBarHer = addToolBar("picBarHer");
  picBarHer->setObjectName("picBarHer");
  picBarHer->setMovable(false);
  picBarHer->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  const auto boton = [this](const char* nombre, const char* texto, const char* tip, QIcon icono,
                            QAction* orden, bool siempreFoco) {
    QAction* a = picBarHer->addAction(icono, QString::fromUtf8(texto));
    a->setObjectName(nombre);
    a->setToolTip(QString::fromUtf8(tip));
    connect(a, &QAction::triggered, this, [this, orden, siempreFoco] {
      orden->trigger();
      if (siempreFoco || editor->isVisible()) editor->setFocus();
    });
    return a;
  };
  QStyle* s = style();
  cmdNue =
      boton("cmdNue", "Nuevo", "Crea Nuevo Archivo", s->standardIcon(QStyle::SP_FileIcon), mnNuevo, true);
  cmdAbr = boton("cmdAbr", "Abrir", "Abre un archivo remoto...", s->standardIcon(QStyle::SP_DialogOpenButton),
                 mnAbrir, false);
  cmdGuar = boton("cmdGuar", "Guardar", "Guarda el archivo actual.",
                  s->standardIcon(QStyle::SP_DialogSaveButton), mnGuardar, false);
  picBarHer->addSeparator();
  cmdCor = boton("cmdCor", "Cortar", "Cortar", QIcon::fromTheme("edit-cut"), mnCortar, false);
  cmdCop = boton("cmdCop", "Copiar", "Copiar", QIcon::fromTheme("edit-copy"), mnCopiar, false);
  cmdPeg = boton("cmdPeg", "Pegar", "Pegar", QIcon::fromTheme("edit-paste"), mnPegar, false);

  // A file dropped on the editor is loaded locally.
  ed.ArchivoSoltado = [this](const Texto& ruta) {
    editor->ed().CargarArch(ruta);
    Retitula();
    Refresca();
  };
  logica_.alCambiarTitulo = [this] { Retitula(); };
  eligeArchivo = [this] {
    FrmAbrirRem dlg(tr_, dialogos_, this);
    dlg.archivo.clear();
    dlg.exec();
    return dlg.archivo;
  };
  Retitula();
}

QAction* FrmEditRem::Accion(QMenu* menu, const char* nombre, const char* texto, std::function<void()> hacer) {
  QAction* a = menu->addAction(QString::fromUtf8(texto));
  a->setObjectName(nombre);
  if (hacer)
    connect(a, &QAction::triggered, this, [this, hacer = std::move(hacer)] {
      try {
        hacer();
      } catch (const std::exception& e) {
        dialogos_.Mensaje(DescripcionDe(e), U"");
      }
      Refresca();
    });
  return a;
}

void FrmEditRem::Retitula() { setWindowTitle(AQString(logica_.Titulo())); }

void FrmEditRem::Refresca() {
  editor->ed().Refrescar();
  editor->Sincroniza();
  editor->update();
}

Texto FrmEditRem::EditaArchivo(const Texto& nombre) {
  Texto e = logica_.EditaArchivo(nombre);
  Refresca();
  return e;
}

void FrmEditRem::Abrir() {
  if (!logica_.PuedeAbrir()) return;
  const Texto nombre = eligeArchivo ? eligeArchivo() : Texto();
  logica_.AbreElegido(nombre);
}

void FrmEditRem::Buscar() {
  FrmBuscarRem dlg(*editor, this);
  dlg.exec();
}

void FrmEditRem::ModoColumna() {
  CtlEdit& ed = editor->ed();
  const bool columna = ed.TipoSelec() == 0;
  ed.TipoSelec(columna ? 1 : 0);
  mnModColumna->setChecked(columna);
  Refresca();
}

// Both windows share the screen side by side: this one narrow at the left edge.
void FrmEditRem::ReubicarVentana() {
  QWidget* principal = ventanaPrincipal ? ventanaPrincipal() : nullptr;
  showNormal();
  if (principal) principal->showNormal();
  if (x() == 0) return;
  const QRect pantalla = (screen() ? screen() : QApplication::primaryScreen())->availableGeometry();
  constexpr int kAncho = 2500 / CtlEdit::kTwipsPorPixel;
  setGeometry(pantalla.x(), pantalla.y(), kAncho, pantalla.height());
  if (principal)
    principal->setGeometry(pantalla.x() + kAncho, pantalla.y(), pantalla.width() - kAncho, pantalla.height());
}

void FrmEditRem::closeEvent(QCloseEvent* e) {
  if (logica_.ConfirmaDescartar())
    e->accept();
  else
    e->ignore();
}

} // namespace zt
