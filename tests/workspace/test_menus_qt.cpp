// The Edit, Ver and Configuración menus on a window with an editor and a terminal stand-in.
#include "fakes/FakeDialogs.h"
#include "platform/AppQt.h"
#include "workspace/RegistroTerminal.h"
#include "workspace/ui/FrmEntorno.h"
#include "workspace/ui/MenuRegistro.h"
#include "workspace/ui/MenusPrincipal.h"
#include <QAction>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QVBoxLayout>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace zt;

namespace {

// Stands for the terminal view's widget: records the keys it receives.
struct VistaPrueba : QWidget {
  std::string teclas;
  VistaPrueba() { setFocusPolicy(Qt::StrongFocus); }
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() != Qt::Key_Control)
      teclas += QKeySequence(e->keyCombination()).toString().toStdString() + ";";
  }
};

struct Ventana {
  QMainWindow ventana;
  VistaPrueba* widgetVista = new VistaPrueba;
  CtlEdit vista, editor;
  CtlEdit* actual = &vista;
  std::vector<Texto> enviado;
  MenusPrincipal* menus;
  Ventana() {
    ventana.setCentralWidget(widgetVista);
    EnlaceMenus e;
    e.EditorActual = [this] { return actual; };
    e.ActualEsTerminal = [this] { return actual == &vista; };
    e.VistaTerminal = [this] { return &vista; };
    e.SendData = [this](const Texto& t) { enviado.push_back(t); };
    menus = new MenusPrincipal(&ventana, e);
    for (QMenu* m : {menus->mnEdicion, menus->mnVer, menus->mnConfig}) ventana.menuBar()->addMenu(m);
    menus->ProtegeTeclasTerminal(widgetVista);
    ventana.show();
    widgetVista->setFocus();
  }
};

} // namespace

TEST(MenusPrincipal, EdicionSegunElEditorActual) {
  AppQt();
  Ventana v;
  emit v.menus->mnEdicion->aboutToShow();
  EXPECT_FALSE(v.menus->mnDeshacer->isEnabled());
  EXPECT_FALSE(v.menus->mnCortar->isEnabled());
  EXPECT_TRUE(v.menus->mnLimpTerm->isEnabled());
  emit v.menus->mnEdicion->aboutToHide();
  EXPECT_TRUE(v.menus->mnDeshacer->isEnabled()); // the shortcut works again for the next editor

  v.actual = &v.editor;
  v.editor.CurInsertar(U"x");
  emit v.menus->mnEdicion->aboutToShow();
  EXPECT_TRUE(v.menus->mnDeshacer->isEnabled());
  EXPECT_FALSE(v.menus->mnLimpBuff->isEnabled());
  emit v.menus->mnEdicion->aboutToHide();
  v.menus->mnDeshacer->trigger();
  EXPECT_EQ(v.editor.Text(), U"");
}

TEST(MenusPrincipal, TeclasDeLaTerminalYPegar) {
  AppQt();
  Ventana v;
  ASSERT_TRUE(QTest::qWaitForWindowActive(&v.ventana));
  QGuiApplication::clipboard()->setText("echo hola\n");
  // Ctrl+C with nothing selected and Ctrl+Z reach the shell; Ctrl+V pastes to the host.
  QTest::keyClick(v.widgetVista, Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(v.widgetVista, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(v.widgetVista, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(v.widgetVista->teclas, "Ctrl+C;Ctrl+Z;");
  EXPECT_EQ(v.enviado, std::vector<Texto>{U"echo hola\n"});
  EXPECT_EQ(v.vista.Text(), U"");
}

TEST(MenusPrincipal, BarrasDeLaVistaYEntorno) {
  AppQt();
  Ventana v;
  v.vista.verDesVer = true;
  emit v.menus->mnVer->aboutToShow();
  EXPECT_TRUE(v.menus->mnDesVer->isChecked());
  EXPECT_FALSE(v.menus->mnDesHor->isChecked());
  v.menus->mnDesVer->trigger();
  v.menus->mnBarEstado->trigger();
  EXPECT_FALSE(v.vista.verDesVer);
  EXPECT_TRUE(v.vista.verEstado);

  v.ventana.setObjectName("frmMain");
  v.ventana.setWindowTitle("Principal");
  v.menus->mnEntorno->trigger();
  FrmEntorno* e = v.menus->frmEntorno();
  e->Actualiza();
  EXPECT_TRUE(e->isVisible());
  EXPECT_TRUE(e->Label1->text().startsWith("FORMULARIOS CARGADOS: "));
  QStringList items;
  for (int i = 0; i < e->lstForms->count(); ++i) items << e->lstForms->item(i)->text();
  EXPECT_TRUE(items.contains("frmMain - Principal")) << items.join("|").toStdString();
  EXPECT_TRUE(items.contains("frmEntorno - Entorno")) << items.join("|").toStdString();
}

TEST(MenuRegistro, IniciarYDetener) {
  AppQt();
  const auto carpeta =
      std::filesystem::temp_directory_path() / ("zt-menu-registro-" + std::to_string(getpid()));
  std::filesystem::create_directories(carpeta);
  std::ofstream(carpeta / "viejo.log") << "contenido anterior";
  FakeDialogs dialogos;
  RegistroTerminal registro;
  QMenu archivo;
  QAction* salir = archivo.addAction("Salir");
  const ItemsRegistro items =
      InstalaMenuRegistro(&archivo, salir,
                          {[&] { return registro.Abierto(); }, [&](const Texto& r) { registro.Abre(U8(r)); },
                           [&] { registro.Cierra(); }, [&]() -> Dialogs& { return dialogos; }, carpeta});
  ASSERT_EQ(archivo.actions().indexOf(items.mnInicReg), 0);
  emit archivo.aboutToShow();
  EXPECT_TRUE(items.mnInicReg->isEnabled());
  EXPECT_FALSE(items.mnFinReg->isEnabled());

  dialogos.respuestasArchivo = {T((carpeta / "viejo.log").string()),
                                T((carpeta / "no" / "hay.log").string())};
  items.mnInicReg->trigger();
  EXPECT_TRUE(registro.Abierto());
  EXPECT_EQ(std::filesystem::file_size(carpeta / "viejo.log"), 0u);
  ASSERT_EQ(dialogos.archivos.size(), 1u);
  EXPECT_TRUE(dialogos.archivos[0].guardar); // a box where a new name can be typed
  EXPECT_EQ(dialogos.archivos[0].titulo, U"Archivo de Registro");
  emit archivo.aboutToShow();
  EXPECT_FALSE(items.mnInicReg->isEnabled());
  EXPECT_TRUE(items.mnFinReg->isEnabled());
  emit archivo.aboutToHide();

  items.mnInicReg->trigger(); // a path that cannot be opened: said, and no log
  EXPECT_FALSE(registro.Abierto());
  EXPECT_EQ(dialogos.UltimoMensaje(), U"No se ha encontrado la ruta de acceso");
  items.mnFinReg->trigger();
  EXPECT_FALSE(registro.Abierto());
  std::filesystem::remove_all(carpeta);
}
