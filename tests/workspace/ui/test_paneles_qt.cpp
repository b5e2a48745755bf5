// The panels in a main window, driven by real keys and clicks: sending, direct send, the macro
// panel's New, the focus shown in the title bars and resizing by the dock's edge.
#include "editor/ui/DialogosEditorQt.h"
#include "editor/ui/EditorQt.h"
#include "editor/ui/PopupAyudaQt.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeProcesses.h"
#include "fakes/HostTelnetd.h"
#include "platform/AppQt.h"
#include "workspace/CarpetaPrueba.h"
#include "workspace/ui/FrmMain.h"
#include "workspace/ui/PanelesQt.h"
#include <QCheckBox>
#include <QDockWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace zt {
namespace {

struct ConApp {
  ConApp() { AppQt(); }
};

// A window laid out like the program's: the two docks at the left, a text area in the middle.
struct Ventana : ConApp {
  CarpetaPrueba carpeta;
  FakeDialogs dialogos;
  FakeProcesses procesos;
  QMainWindow v;
  QPlainTextEdit* term = new QPlainTextEdit;
  EditorQt* edCom = new EditorQt(PerfilEditor::CtlEdit());
  EditorQt* edMac = new EditorQt(PerfilEditor::CtlEdit2());
  QVBoxLayout *layCom = nullptr, *layMac = nullptr;
  QDockWidget* panCom = Dock("COMANDOS", edCom, layCom);
  QDockWidget* panMac = Dock("MACROS", edMac, layMac);
  QMenu* mnComandos = v.menuBar()->addMenu("C&omandos");
  QMenu* mnMacro = v.menuBar()->addMenu("&Macros");
  QAction* verCom = new QAction("Panel de &Comandos", &v);
  QAction* verMac = new QAction("Panel de &Macros", &v);
  std::vector<std::string> enviados;
  std::unique_ptr<PanelesQt> paneles;

  QDockWidget* Dock(const char* titulo, EditorQt* ed, QVBoxLayout*& lay) {
    auto* d = new QDockWidget(titulo, &v);
    auto* caja = new QWidget(d);
    lay = new QVBoxLayout(caja);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(ed, 1);
    caja->setMinimumWidth(100);
    d->setWidget(caja);
    return d;
  }

  Ventana() {
    v.setCentralWidget(term);
    v.addDockWidget(Qt::LeftDockWidgetArea, panCom);
    v.splitDockWidget(panCom, panMac, Qt::Horizontal);
    for (auto [ver, dock] : {std::pair{verCom, panCom}, std::pair{verMac, panMac}}) {
      ver->setCheckable(true);
      ver->setChecked(true);
      QObject::connect(ver, &QAction::triggered, dock, [dock = dock](bool x) { dock->setVisible(x); });
    }
    std::filesystem::create_directories(carpeta.ruta / "scripts");
    std::filesystem::create_directories(carpeta.ruta / "macros");
    PiezasPaneles p{&v,    panCom,     panMac,  layCom, layMac, edCom,
                    edMac, mnComandos, mnMacro, verCom, verMac, term};
    paneles = std::make_unique<PanelesQt>(
        p, CarpetasPaneles{carpeta.ruta, carpeta.ruta / "scripts", carpeta.ruta / "macros"}, dialogos,
        procesos, [this](VistaTexto t) { enviados.push_back(U8(t)); });
    v.resize(1000, 600);
    v.resizeDocks({panCom, panMac}, {300, 300}, Qt::Horizontal);
    v.show();
    Activa();
  }
  // The window's shortcuts need it active again after a modal dialog.
  void Activa() {
    v.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&v));
  }
};

// Clicks the button of the modal dialog that opens next.
void RespondeFuente(bool todo) {
  QTimer::singleShot(0, [todo] {
    auto* d = dynamic_cast<FrmSelFuente*>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->optSelec->isChecked());
    if (todo) QTest::mouseClick(d->OptTodo, Qt::LeftButton);
    QTest::mouseClick(d->cmdAceptar, Qt::LeftButton);
  });
}

TEST(PanelesQt, TeclasYBotonesEnvian) {
  Ventana w;
  w.edCom->setFocus();
  QTest::keyClicks(w.edCom, "uname");
  QTest::keyClick(w.edCom, Qt::Key_Escape);
  QTest::keyClick(w.edCom, Qt::Key_Return);
  QTest::keyClicks(w.edCom, "date");
  QTest::keyClick(w.edCom, Qt::Key_Escape);
  QTest::keyClick(w.edCom, Qt::Key_Up);
  QTest::keyClick(&w.v, Qt::Key_F8); // the window's shortcut, the focus in the command editor
  EXPECT_EQ(w.enviados, std::vector<std::string>{"uname\r"});
  EXPECT_EQ(w.edCom->ed().curYt, 2);

  // A selection: the dialog asks, "Texto Seleccionado" sends its lines one by one.
  QTest::keyClick(w.edCom, Qt::Key_Home);
  QTest::keyClick(w.edCom, Qt::Key_Up, Qt::ShiftModifier);
  RespondeFuente(false);
  QTest::keyClick(&w.v, Qt::Key_F9);
  EXPECT_EQ(w.enviados, (std::vector<std::string>{"uname\r", "uname\r"}));
  RespondeFuente(true);
  QTest::mouseClick(w.paneles->cmdLanzar, Qt::LeftButton);
  EXPECT_EQ(w.enviados.back(), "uname\rdate\r");
  QTest::mouseClick(w.paneles->cmdCancel, Qt::LeftButton);
  EXPECT_EQ(w.enviados.back(), "\x03");
  w.Activa();

  // Direct send: a click on the box, then Enter sends the line and moves on; Ctrl+Enter does not.
  w.enviados.clear();
  QTest::mouseClick(w.paneles->chkEnvDir, Qt::LeftButton);
  EXPECT_TRUE(w.paneles->chkEnvDir->isChecked());
  EXPECT_TRUE(w.paneles->mnModEnvDir->isChecked());
  EXPECT_TRUE(w.edCom->hasFocus());
  QTest::keyClick(w.edCom, Qt::Key_Home);
  QTest::keyClick(w.edCom, Qt::Key_Return);
  QTest::keyClick(w.edCom, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(w.enviados, std::vector<std::string>{"uname\r"});
  QTest::keyClick(&w.v, Qt::Key_T, Qt::ControlModifier);
  EXPECT_FALSE(w.paneles->chkEnvDir->isChecked());

  // F8 in the macro editor only says so; F9 there runs the macro.
  int ejecutadas = 0;
  w.paneles->EjecutaMacro = [&] { ++ejecutadas; };
  w.edMac->setFocus();
  QTest::keyClick(&w.v, Qt::Key_F8);
  EXPECT_EQ(U8(w.dialogos.UltimoMensaje()), "No implementado");
  QTest::keyClick(&w.v, Qt::Key_F9);
  EXPECT_EQ(ejecutadas, 1);
}

TEST(PanelesQt, NuevaMacroConCambios) {
  Ventana w;
  w.paneles->mnMacNue->trigger();
  const Texto muestra = T((w.carpeta.ruta / "macros" / "macro1.zkv").string());
  ASSERT_EQ(w.edMac->ed().archivo, muestra);
  EXPECT_EQ(w.panMac->windowTitle().toStdString(), "MACROS - " + U8(muestra));
  w.edMac->setFocus();
  QTest::keyClicks(w.edMac, "x");
  const Texto editado = w.edMac->ed().Text();

  // Cancel: nothing changes.
  w.dialogos.respuestas.push_back(Respuesta::Cancelar);
  w.paneles->mnMacNue->trigger();
  EXPECT_EQ(w.edMac->ed().Text(), editado);
  // Yes, but the save fails (the name asked for lies in a missing folder): the edit stays.
  w.dialogos.respuestas.push_back(Respuesta::Si);
  w.dialogos.respuestasArchivo.push_back(T((w.carpeta.ruta / "no" / "hay.zkv").string()));
  w.paneles->mnMacNue->trigger();
  EXPECT_EQ(w.edMac->ed().Text(), editado);
  EXPECT_EQ(w.edMac->ed().archivo, muestra);
  EXPECT_TRUE(w.edMac->ed().TextModificado());
  EXPECT_EQ(U8(w.dialogos.mensajes.back().texto), "\xc2\xbfGuardar Cambios en Macro?");
}

TEST(PanelesQt, EnfoqueYBorde) {
  Ventana w;
  w.term->setFocus();
  EXPECT_FALSE(w.paneles->panCom().ConEnfoque);
  w.edCom->setFocus();
  EXPECT_TRUE(w.paneles->panCom().ConEnfoque);
  QTest::keyClick(w.edCom, Qt::Key_Tab, Qt::ControlModifier); // to the macro editor
  EXPECT_TRUE(w.edMac->hasFocus());
  EXPECT_FALSE(w.paneles->panCom().ConEnfoque);
  EXPECT_TRUE(w.paneles->panMac().ConEnfoque);
  QTest::keyClick(w.edMac, Qt::Key_Tab, Qt::ControlModifier); // to the terminal
  EXPECT_TRUE(w.term->hasFocus());

  // Drag the edge between the command dock and the macro dock 80 pixels right, then far left.
  auto arrastra = [&](QPoint desde, QPoint hasta) {
    QWindow* ventana = w.v.windowHandle();
    QTest::mouseMove(ventana, desde);
    QTest::mousePress(ventana, Qt::LeftButton, {}, desde);
    QTest::mouseMove(ventana, (desde + hasta) / 2);
    QTest::mouseMove(ventana, hasta);
    QTest::mouseRelease(ventana, Qt::LeftButton, {}, hasta);
  };
  const int antes = w.panCom->width();
  const QPoint borde(w.panCom->geometry().right() + 3, w.panCom->geometry().center().y());
  arrastra(borde, borde + QPoint(80, 0));
  EXPECT_EQ(w.panCom->width(), antes + 80);
  arrastra(borde + QPoint(80, 0), QPoint(10, borde.y()));
  EXPECT_EQ(w.panCom->widget()->width(), 100); // not below the narrowest width

  // The close box hides the panel through the View item.
  QTest::mouseClick(static_cast<TituloPanelQt*>(w.panCom->titleBarWidget())->cierre(), Qt::LeftButton);
  EXPECT_TRUE(w.panCom->isHidden());
  EXPECT_FALSE(w.verCom->isChecked());
}

// The program's own window against telnetd running bash: the current line with F8, then a
// selection with F9, and their output in the terminal view.
TEST(PanelesQt, LineaYSeleccionLleganAlHost) {
  test::HostTelnetd host("bash", "zt$ ");
  if (!host.Disponible()) GTEST_SKIP() << host.Falta();
  ASSERT_TRUE(host.Arranca());
  AppQt();
  CarpetaPrueba dir;
  FakeDialogs dialogos;
  FrmMain w(CarpetasPrograma{dir.ruta}, nullptr, &dialogos);
  ASSERT_TRUE(w.Arranca({T("/IP=127.0.0.1:" + std::to_string(host.puerto))}));
  CtlEdTelnet& vista = w.terminal()->vista();
  auto hay = [&](const Texto& t) {
    for (int32_t y = 1; y <= vista.nLin(); ++y)
      if (vista.linea(y) == t) return true;
    return false;
  };
  ASSERT_TRUE(QTest::qWaitFor([&] { return vista.UltimaLinea() == U"zt$ "; }, 10000));
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

  EditorQt* ed = w.EdCom();
  ed->setFocus();
  for (const char* l : {"echo linea$((6*7))", "echo uno$((1+1))", "", "echo tres$((1+2))"}) {
    QTest::keyClicks(ed, l);
    QTest::keyClick(ed, Qt::Key_Escape);
    QTest::keyClick(ed, Qt::Key_Return);
  }
  QTest::keyClick(ed, Qt::Key_Up, Qt::ControlModifier); // to the first line
  ed->ed().CursorText(1, 1);
  QTest::keyClick(&w, Qt::Key_F8);
  EXPECT_TRUE(QTest::qWaitFor([&] { return hay(U"linea42"); }, 10000));
  EXPECT_EQ(ed->ed().curYt, 2);

  QTest::keyClick(ed, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(ed, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(ed, Qt::Key_End, Qt::ShiftModifier);
  RespondeFuente(false);
  QTest::keyClick(&w, Qt::Key_F9);
  EXPECT_TRUE(QTest::qWaitFor([&] { return hay(U"uno2") && hay(U"tres3"); }, 10000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return vista.UltimaLinea() == U"zt$ "; }, 10000));
}

} // namespace
} // namespace zt
