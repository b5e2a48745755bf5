// Quillon's window offscreen: open, edit and process through its menus, the configuration dialog's
// refusals, and table names from a real SQLite database offered while typing.
#include "editor/ui/CtlSelColor.h"
#include "editor/ui/EditorQt.h"
#include "editor/ui/PopupAyudaQt.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeProcesses.h"
#include "platform/AppQt.h"
#include "platform/qt/ProcessesQt.h"
#include "preproc/Ayuda.h"
#include "preproc/ui/FrmConfigQt.h"
#include "preproc/ui/FrmPrincipalQt.h"
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zt;
using namespace zt::preproc;
using namespace zt::preproc::prueba;
namespace fs = std::filesystem;

namespace {

struct QuillonQt : ::testing::Test {
  Carpeta dir{"ventana_qt"};
  FakeDialogs dialogs;
  FakeProcesses procesos;
  Quillon q{EntornoQuillon{dialogs, procesos, dir.Ruta(), U"/opt/zt/ztelnet"}};
  void SetUp() override {
    AppQt();
    q.AseguraCarpetaTrabajo();
  }
};

TEST_F(QuillonQt, AbreEditaYProcesa) {
  FrmPrincipalQt w(q, dialogs, procesos, ZTSQL_EXE);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  std::string doc = dir.Escribe("informe.vrk", "$DEFINIR A =uno\r\nA\r\n");
  dialogs.respuestasArchivo = {T(doc)};
  w.Accion("mn_abrir")->trigger();
  EXPECT_EQ(w.windowTitle(), "informe.vrk - Quillon");
  EXPECT_EQ(dialogs.archivos.back().titulo, T("Abrir Macro Quillon"));

  w.editor().setFocus();
  w.editor().ed().CursorText(2, 2);
  QTest::keyClicks(&w.editor(), " y A");
  EXPECT_TRUE(w.editor().ed().TextModificado());
  w.Accion("mn_procesar")->trigger();
  EXPECT_EQ(Carpeta::Lee(doc), "$DEFINIR A =uno\r\nA y A\r\n"); // saved before processing
  EXPECT_EQ(Carpeta::Lee(dir.Ruta() / "bolsa" / "informe.tmp"), "uno y uno");
  EXPECT_EQ(procesos.archivosVistos.back(), (dir.Ruta() / "bolsa" / "informe.tmp").string());

  // The view menu follows the editor's switches.
  QAction* num = w.Accion("mnVerNumLin");
  bool antes = w.editor().ed().verNumLin;
  num->trigger();
  EXPECT_NE(w.editor().ed().verNumLin, antes);
}

TEST_F(QuillonQt, ConfiguracionRechazaValoresMalos) {
  FrmPrincipalQt w(q, dialogs, procesos, ZTSQL_EXE);
  FrmConfigQt f(w.ventana(), U"", U"/opt/zt/ztelnet", q.ajustes.colores, &w);
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  struct {
    const char *conexion, *ruta, *mensaje;
    QLineEdit* foco;
  } malos[] = {
      {"scott/tiger", "/opt/zt/ztelnet",
       "Error en formato de cadena de conexión. Use el formato usuario/clave@BaseDeDatos: ", f.txtCadConD},
      {"scott/ti,ger@x", "/opt/zt/ztelnet",
       "Error. Los valores de la configuración no pueden contener comas (',').", f.txtCadConD},
      {"scott/tiger@x", "", "Debe especifcicar un valor para la ruta del SQLPLUS", f.txtSQLPLUS},
  };
  for (const auto& m : malos) {
    f.txtCadConD->setText(QString::fromUtf8(m.conexion));
    f.txtSQLPLUS->setText(QString::fromUtf8(m.ruta));
    QTest::mouseClick(f.cmdAceptar, Qt::LeftButton);
    EXPECT_TRUE(f.isVisible()) << m.conexion;
    EXPECT_EQ(U8(dialogs.UltimoMensaje()), m.mensaje);
    EXPECT_EQ(QApplication::focusWidget(), m.foco) << m.conexion;
    EXPECT_EQ(q.ajustes.conexion, U"");
  }
  f.txtCadConD->setText("scott/tiger@datos.db");
  f.txtSQLPLUS->setText("/opt/zt/ztelnet");
  f.ctlColFonEdi->FijaColor(0x203040);
  QTest::mouseClick(f.cmdAceptar, Qt::LeftButton);
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(q.ajustes.conexion, U"scott/tiger@datos.db");
  EXPECT_EQ(w.editor().ed().colores.ColFonEdi, 0x203040u);
}

TEST_F(QuillonQt, CompletaNombresDeTablasSqlite) {
  ProcessesQt reales;
  Quillon qr{EntornoQuillon{dialogs, reales, dir.Ruta(), U"/opt/zt/ztelnet"}};
  // The database the help lists, made with the same runner.
  std::string crea =
      dir.Escribe("crea.sql", "create table EMPLEADOS(id integer);\ncreate table EMPRESAS(id "
                              "integer);\ncreate view EMPVISTA as select 1;\ncreate table OTRA(x);\n");
  qr.ajustes.conexion = U"u/c@prueba.db";
  qr.AplicaAjustes();
  ASSERT_EQ(std::system((std::string(ZTSQL_EXE) + " " + crea + " >/dev/null").c_str()), 0);

  FrmPrincipalQt w(qr, dialogs, reales, ZTSQL_EXE);
  w.ventana().Prepara(true);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.ayuda().Tablas().size() == 4; }, 20000));
  w.editor().setFocus();
  QTest::keyClicks(&w.editor(), "select * from EMP");
  PopupAyudaQt* popup = w.editor().ayuda();
  ASSERT_TRUE(popup && popup->isVisible());
  QStringList vistos;
  for (int i = 0; i < popup->count(); ++i) vistos << popup->item(i)->text();
  EXPECT_EQ(vistos, (QStringList{"EMPLEADOS", "EMPRESAS", "EMPVISTA"}));
  QTest::keyClick(&w.editor(), Qt::Key_Down);
  QTest::keyClick(&w.editor(), Qt::Key_Return);
  EXPECT_EQ(U8(w.editor().ed().Text()), "select * from EMPRESAS");
}

} // namespace
