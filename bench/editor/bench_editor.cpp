// Loads a 100,000-line file into the editor core and inserts a character at line 50,000; with Qt,
// loads the same file into a QPlainTextEdit in the same run. Prints times and their ratio.
#include "editor/CtlEdit.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#ifdef ZT_WITH_QT
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#endif

namespace fs = std::filesystem;

namespace {

double Segundos(const std::function<void()> &f) {
  auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Best of n runs, so a busy machine disturbs the figure less.
double Mejor(int n, const std::function<void()> &preparar, const std::function<void()> &f) {
  double mejor = 1e9;
  for (int i = 0; i < n; ++i) {
    preparar();
    mejor = std::min(mejor, Segundos(f));
  }
  return mejor;
}

std::string HazArchivo(const fs::path &ruta) {
  std::string bytes;
  bytes.reserve(8'500'000);
  for (int i = 1; i <= 100000; ++i) {
    std::string l = "linea " + std::to_string(i) + "\tif [ -f /tmp/archivo_" + std::to_string(i % 97) +
                    " ]; then cat \"$x\" | grep -v '#' ; fi";
    l.resize(78, '.');
    bytes += l + "\r\n";
  }
  std::ofstream(ruta, std::ios::binary) << bytes;
  return bytes;
}

} // namespace

int main(int argc, char **argv) {
  fs::path ruta = fs::temp_directory_path() / ("zt_bench_editor_" + std::to_string(::getpid()) + ".txt");
  std::string bytes = HazArchivo(ruta);
  std::printf("file: 100000 lines, %.1f MB\n", bytes.size() / 1e6);
  const int n = 5;

  auto ed = std::make_unique<zt::CtlEdit>();
  zt::Texto nombre = zt::T(ruta.string());
  double carga = Mejor(
      n, [&] { ed = std::make_unique<zt::CtlEdit>(); }, [&] { ed->CargarArch(nombre); });
  double insercion = Mejor(
      n, [&] { ed->CursorText(10, 50000); }, [&] { ed->TeclaCaracter(U'x'); });
  std::printf("core: load %.1f ms, insert at line 50,000 %.3f ms (lines %d)\n", carga * 1e3, insercion * 1e3,
              ed->nLin());

#ifdef ZT_WITH_QT
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::unique_ptr<QPlainTextEdit> qt;
  QString qruta = QString::fromStdString(ruta.string());
  double cargaQt = Mejor(
      n, [&] { qt = std::make_unique<QPlainTextEdit>(); },
      [&] {
        QFile f(qruta);
        f.open(QIODevice::ReadOnly);
        qt->setPlainText(QString::fromUtf8(f.readAll()));
      });
  double insercionQt = Mejor(
      n, [] {},
      [&] {
        QTextCursor c(qt->document()->findBlockByNumber(49999));
        c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 9);
        c.insertText(QStringLiteral("x"));
      });
  std::printf("QPlainTextEdit: load %.1f ms, insert at line 50,000 %.3f ms (blocks %d)\n", cargaQt * 1e3,
              insercionQt * 1e3, qt->document()->blockCount());
  std::printf("ratio load (QPlainTextEdit / core): %.1f x\n", cargaQt / carga);
  std::printf("ratio insert (QPlainTextEdit / core): %.1f x\n", insercionQt / insercion);
#else
  (void)argc;
  (void)argv;
  std::printf("built without Qt: no QPlainTextEdit figures\n");
#endif
  fs::remove(ruta);
  return 0;
}
