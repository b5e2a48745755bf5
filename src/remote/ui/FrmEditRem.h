// The remote editor window "Editor Remoto": menus, toolbar and one editor over the remote
// editor's logic; the open dialog lists the shell's folder, the find dialog searches the text.
#pragma once
#include "editor/ui/EditorQt.h"
#include "platform/qt/DialogsQt.h"
#include "remote/EditorRemoto.h"
#include <QDialog>
#include <QMainWindow>
#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QToolBar;

namespace zt {

// The display switches the window copies from the main window's command editor.
struct VistaEditor {
  bool verEstado = false, verDesHor = false, verDesVer = false, verNumLin = false;
};

// "Abrir Archivo Remoto": the entries of the shell's current folder.
class FrmAbrirRem : public QDialog {
public:
  FrmAbrirRem(TransferenciaRemota& transferencia, Dialogs& dialogos, QWidget* padre = nullptr);

  QListWidget* lstArc;
  QLineEdit* txtRut;
  QPushButton* cmdAceptar;
  QPushButton* cmdCerrar;
  QPushButton* cmdActual;
  // The chosen name; empty when nothing was chosen.
  Texto archivo;

  // Lists the folder again ("&Refrescar", and once when the dialog is shown).
  void Listar();

protected:
  void showEvent(QShowEvent* e) override;

private:
  void Acepta();
  TransferenciaRemota& tr_;
  Dialogs& dialogos_;
  bool listado_ = false;
};

// "Buscar": finds text in the remote editor.
class FrmBuscarRem : public QDialog {
public:
  FrmBuscarRem(EditorQt& editor, QWidget* padre = nullptr);
  QLineEdit* txtBuscar;
  QCheckBox* chkMayMin;
  QCheckBox* chkPalCom;
  QPushButton* cmdBuscar;
  QPushButton* cmdCancel;
  void Buscar();

private:
  EditorQt& editor_;
};

class FrmEditRem : public QMainWindow {
public:
  // 'dialogos' replaces the window's own message boxes (tests); 'procesos' shows the filter's
  // output file.
  FrmEditRem(TransferenciaRemota& transferencia, std::filesystem::path carpetaPrograma, VistaEditor vista,
             Processes* procesos, Dialogs* dialogos = nullptr, QWidget* padre = nullptr);

  // Fetches the file; "" or why not (nothing is shown: the caller decides).
  Texto EditaArchivo(const Texto& nombre);
  EditorRemoto& logica() { return logica_; }
  EditorQt* editor;
  QToolBar* picBarHer;

  QMenu *mn_archivo, *mnEdicion, *mnVer, *mn_herramientas;
  QAction *mnNuevo, *mnAbrir, *mnGuardar, *mnGuardarComo, *mnGuardarCop, *mn_salir;
  QAction *mnDeshacer, *mnCortar, *mnCopiar, *mnPegar, *mnSelTodo, *mnBuscar, *mnBuscarSig, *mnModColumna;
  QAction *mnVerBarVer, *mnVerBarHor, *mnVerNumLin, *mnVerBarEst;
  QAction *mnProcConsultar, *mnReubicVen, *mnActualizar, *mnTabAEspacio, *mnFiltrarLin, *mnQuitEspLat,
      *mnJunPal;
  QAction *cmdNue, *cmdAbr, *cmdGuar, *cmdCor, *cmdCop, *cmdPeg;

  // The main window, for "Reubicar &Ventana".
  std::function<QWidget*()> ventanaPrincipal;
  // Shows the open dialog and returns the chosen name (tests may answer instead).
  std::function<Texto()> eligeArchivo;

  void Abrir();
  void Buscar();
  void ReubicarVentana();

protected:
  void closeEvent(QCloseEvent* e) override;

private:
  QAction* Accion(QMenu* menu, const char* nombre, const char* texto, std::function<void()> hacer);
  void Retitula();
  void Refresca();
  void ModoColumna();

  DialogsQt dialogosQt_;
  Dialogs& dialogos_;
  TransferenciaRemota& tr_;
  EditorRemoto logica_;
};

} // namespace zt
