// The remote editor window and its dialogs, driven as a user would, over a host whose shell is
// this machine's /bin/sh through pipes.
#include "ShellLocal.h"
#include "ShellViva.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeProcesses.h"
#include "platform/AppQt.h"
#include "remote/ui/FrmEditRem.h"
#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace zt;
using namespace zt::test;

namespace {

struct Ventana : ::testing::Test {
  CarpetaTemporal local;
  ShellViva canal;
  FakeDialogs dialogos;
  FakeProcesses procesos;
  TransferenciaRemota tr{canal};
  void SetUp() override {
    AppQt();
    canal.Escribe("notas.txt", "uno\nDos\n");
    canal.Escribe("b", "b\n");
  }
};

} // namespace

TEST_F(Ventana, AbreEditaCierraConPregunta) {
  auto* w = new FrmEditRem(tr, local.ruta, {true, false, true, true}, &procesos, &dialogos);
  EXPECT_EQ(w->windowTitle(), "Editor Remoto");
  EXPECT_TRUE(w->editor->ed().verEstado && w->editor->ed().verDesVer && !w->editor->ed().verDesHor);
  EXPECT_TRUE(w->mnVerBarEst->isChecked());
  EXPECT_EQ(w->cmdGuar->toolTip(), "Guarda el archivo actual.");

  w->eligeArchivo = [] { return Texto(U"notas.txt"); };
  w->cmdAbr->trigger();
  EXPECT_EQ(w->windowTitle(), "Editor Remoto - notas.txt");
  EXPECT_EQ(w->editor->ed().linea(2), U"Dos");

  // Edit menu state as it opens; column mode from the menu and from the editor's own request.
  emit w->mnEdicion->aboutToShow();
  EXPECT_FALSE(w->mnDeshacer->isEnabled());
  w->editor->ed().TeclaCaracter(U'x');
  emit w->mnEdicion->aboutToShow();
  EXPECT_TRUE(w->mnDeshacer->isEnabled());
  w->mnModColumna->trigger();
  EXPECT_EQ(w->editor->ed().TipoSelec(), 1);
  w->editor->ed().TeclaAbajo(tecla::LetraC, tecla::Alt);
  EXPECT_EQ(w->editor->ed().TipoSelec(), 0);

  // Closing with changes: Cancel keeps the window and the text.
  dialogos.respuestas = {Respuesta::Cancelar};
  QCloseEvent cierre;
  QCoreApplication::sendEvent(w, &cierre);
  EXPECT_FALSE(cierre.isAccepted());
  EXPECT_EQ(dialogos.UltimoMensaje(), U"¿Guardar Cambios en notas.txt?");
  EXPECT_EQ(w->editor->ed().linea(1), U"xuno");

  // The toolbar's save stores through the shell.
  w->cmdGuar->trigger();
  EXPECT_EQ(canal.Lee("notas.txt"), "xuno\nDos\n");
  w->mnNuevo->trigger();
  EXPECT_EQ(w->windowTitle(), "Editor Remoto");
  delete w;
}

TEST_F(Ventana, DialogosAbrirYBuscar) {
  canal.Escribe("You have mail", "");
  FrmAbrirRem abrir(tr, dialogos);
  abrir.Listar();
  ASSERT_EQ(abrir.lstArc->count(), 2); // "b", "notas.txt": the mail notice is not a file
  EXPECT_TRUE(abrir.lstArc->isEnabled() && abrir.cmdAceptar->isEnabled());
  abrir.cmdAceptar->click(); // nothing selected: no name
  EXPECT_TRUE(abrir.archivo.empty());
  abrir.lstArc->setCurrentRow(1);
  emit abrir.lstArc->itemClicked(abrir.lstArc->item(1));
  EXPECT_EQ(abrir.txtRut->text(), "notas.txt");
  abrir.cmdAceptar->click();
  EXPECT_EQ(abrir.archivo, U"notas.txt");

  FrmEditRem w(tr, local.ruta, {}, &procesos, &dialogos);
  w.EditaArchivo(U"notas.txt");
  FrmBuscarRem buscar(*w.editor);
  buscar.txtBuscar->setText("dos");
  buscar.chkMayMin->setChecked(true);
  buscar.cmdBuscar->click();
  EXPECT_FALSE(w.editor->ed().haysel);
  buscar.chkMayMin->setChecked(false);
  buscar.cmdBuscar->click();
  EXPECT_TRUE(w.editor->ed().haysel);
  EXPECT_EQ(w.editor->ed().TextSel(), U"Dos");
}
