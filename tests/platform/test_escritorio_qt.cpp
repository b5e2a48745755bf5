// Dialogs, clipboard, processes and drawing of the Qt layer, run headless.
#include "AppQt.h"
#include "platform/qt/ClipboardQt.h"
#include "platform/qt/DialogsQt.h"
#include "platform/qt/ProcessesQt.h"
#include "platform/qt/PumpQt.h"
#include "platform/qt/SurfaceQt.h"
#include <QImage>
#include <QPainter>
#include <QPlainTextEdit>
#include <fstream>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace zt;
namespace fs = std::filesystem;

TEST(DialogsQt, SinPantallaRespondeElBotonPorDefectoYEscribeEnStderr) {
  AppQt();
  ASSERT_TRUE(SinPantalla());
  DialogsQt d;
  struct Caso {
    Botones botones;
    std::optional<Respuesta> porDefecto;
    Respuesta esperada;
  };
  const Caso casos[] = {
      {Botones::Aceptar, {}, Respuesta::Aceptar},
      {Botones::AceptarCancelar, {}, Respuesta::Aceptar},
      {Botones::SiNo, {}, Respuesta::Si},
      {Botones::SiNoCancelar, {}, Respuesta::Si},
      {Botones::SiNoCancelar, Respuesta::Cancelar, Respuesta::Cancelar},
      {Botones::SiNo, Respuesta::No, Respuesta::No},
      {Botones::ReintentarCancelar, {}, Respuesta::Cancelar},
  };
  for (const auto &c : casos) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(d.Mensaje(U"¿Guardar los cambios?", U"Macro", c.botones, Icono::Pregunta, c.porDefecto),
              c.esperada);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Macro: ¿Guardar los cambios?\n");
  }
}

TEST(DialogsQt, SinPantallaLosDemasDialogosSeCancelan) {
  AppQt();
  DialogsQt d;
  EXPECT_EQ(d.Entrada(U"Nombre", U"T", U"x"), std::nullopt);
  EXPECT_EQ(d.AbrirArchivo(U"Abrir Macro", U"/tmp", U"Macro (*.zkv)"), std::nullopt);
  EXPECT_EQ(d.GuardarArchivo(U"Guardar Macro", U"/tmp/a.zkv", U"Macro (*.zkv)"), std::nullopt);
  EXPECT_EQ(d.ElegirColor(RGB(1, 2, 3)), std::nullopt);
}

TEST(ClipboardQt, TextoIdaYVuelta) {
  AppQt();
  ClipboardQt c;
  const Texto t = U"línea 1\nlínea 2 \U0001F600";
  ASSERT_TRUE(c.PonTexto(t));
  EXPECT_EQ(c.LeeTexto(), t);
}

TEST(ProcessesQt, LosArgumentosNoPasanPorUnaShell) {
  AppQt();
  char plantilla[] = "/tmp/zt_procesosXXXXXX";
  ASSERT_NE(mkdtemp(plantilla), nullptr);
  // A shell would expand, split or run any of these.
  const fs::path archivo = fs::path(plantilla) / "a b;$(touch x)`y` 'c' *";
  ProcessesQt p;
  PumpQt pump;
  const long pid = p.IniciaDesligado("touch", {archivo.string()});
  ASSERT_GT(pid, 0);
  EXPECT_TRUE(pump.EsperaHasta([&] { return fs::exists(archivo) && !p.Vive(pid); }, 10000));
  int entradas = 0;
  for ([[maybe_unused]] const auto &e : fs::directory_iterator(plantilla)) ++entradas;
  EXPECT_EQ(entradas, 1);
  EXPECT_EQ(p.IniciaDesligado("/no/existe/programa", {}), 0);
  EXPECT_EQ(p.IniciaDesligado("", {}), 0);
  fs::remove_all(plantilla);
}

TEST(ProcessesQt, SinAbridorDelEscritorioElTextoSeVeEnUnaVentanaPropia) {
  AppQt();
  char plantilla[] = "/tmp/zt_visorXXXXXX";
  ASSERT_NE(mkdtemp(plantilla), nullptr);
  const fs::path archivo = fs::path(plantilla) / "salida.tmp";
  std::ofstream(archivo, std::ios::binary) << "uno\r\nd\xC3\xB3s\r\n";
  {
    ProcessesQt p;
    p.abreEnEscritorio = [](const std::string &, const char *) { return false; };
    ASSERT_TRUE(p.VerArchivoTexto(archivo.string()));
    QPlainTextEdit *visor = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
      if (w->objectName() == "visorTexto" && w->isVisible()) visor = qobject_cast<QPlainTextEdit *>(w);
    ASSERT_NE(visor, nullptr);
    EXPECT_EQ(visor->toPlainText(), QString::fromUtf8("uno\nd\xC3\xB3s"));
    EXPECT_TRUE(visor->isReadOnly());
    EXPECT_TRUE(visor->windowTitle().startsWith("salida.tmp"));
    EXPECT_FALSE(p.VerArchivoTexto((fs::path(plantilla) / "no-existe").string()));
  }
  fs::remove_all(plantilla);
}

TEST(SurfaceQt, PintaRectangulosYTextoEnSusCeldas) {
  AppQt();
  QFont fuente("Monospace", 10);
  fuente.setStyleHint(QFont::TypeWriter);
  const MetricaCelda m = SurfaceQt::MetricaDe(fuente);
  ASSERT_GT(m.ancho, 0);
  QImage img(m.ancho * 4, m.alto, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter pintor(&img);
    SurfaceQt s(pintor, fuente);
    EXPECT_EQ(s.Metrica().alto, m.alto);
    s.LlenaRect(0, 0, m.ancho, m.alto, RGB(255, 0, 0));
    s.DibujaTexto(2 * m.ancho, 0, Texto{0xDC80, U'M'}, RGB(0, 0, 255), true);
  }
  EXPECT_EQ(img.pixelColor(m.ancho / 2, m.alto / 2), QColor(255, 0, 0));
  EXPECT_EQ(img.pixelColor(m.ancho + 1, 1), QColor(Qt::white));
  // Something blue was drawn in the "M" cell and nothing past the text.
  bool azul = false;
  for (int x = 3 * m.ancho; x < 4 * m.ancho; ++x)
    for (int y = 0; y < m.alto; ++y)
      azul = azul || img.pixelColor(x, y).blue() > img.pixelColor(x, y).red() + 60;
  EXPECT_TRUE(azul);
}
