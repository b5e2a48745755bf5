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

double Segundos(const std::function<void()>& f) {
  auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Best of n runs, so a busy machine disturbs the figure less.
double Mejor(int n, const std::function<void()>& preparar, const std::function<void()>& f) {
  double mejor = 1e9;
  for (int i = 0; i < n; ++i) {
    preparar();
    mejor = std::min(mejor, Segundos(f));
  }
  return mejor;
}

// 100,000 lines of 78 bytes plus CR LF; 'acento' puts a two-byte UTF-8 letter in every line.
std::string HazArchivo(const fs::path& ruta, bool acento) {
  std::string bytes;
  bytes.reserve(8'500'000);
  for (int i = 1; i <= 100000; ++i) {
    std::string l = std::string(acento ? "l\xc3\xadnea " : "linea ") + std::to_string(i) +
                    "\tif [ -f /tmp/archivo_" + std::to_string(i % 97) +
                    " ]; then cat \"$x\" | grep -v '#' ; fi";
    l.resize(78, '.');
    bytes += l + "\r\n";
  }
  std::ofstream(ruta, std::ios::binary) << bytes;
  return bytes;
}

struct Cifras {
  double carga = 0, insercion = 0;
};

Cifras MideNucleo(const fs::path& ruta) {
  auto ed = std::make_unique<zt::CtlEdit>();
  zt::Texto nombre = zt::T(ruta.string());
  Cifras c;
  c.carga = Mejor(
      5, [&] { ed = std::make_unique<zt::CtlEdit>(); }, [&] { ed->CargarArch(nombre); });
  c.insercion = Mejor(
      5, [&] { ed->CursorText(10, 50000); }, [&] { ed->TeclaCaracter(U'x'); });
  if (ed->nLin() != 100000) std::printf("unexpected line count %d\n", ed->nLin());
  return c;
}

#ifdef ZT_WITH_QT
Cifras MideQt(const fs::path& ruta) {
  std::unique_ptr<QPlainTextEdit> qt;
  QString qruta = QString::fromStdString(ruta.string());
  Cifras c;
  c.carga = Mejor(
      5, [&] { qt = std::make_unique<QPlainTextEdit>(); },
      [&] {
        QFile f(qruta);
        f.open(QIODevice::ReadOnly);
        qt->setPlainText(QString::fromUtf8(f.readAll()));
      });
  c.insercion = Mejor(
      5, [] {},
      [&] {
        QTextCursor cur(qt->document()->findBlockByNumber(49999));
        cur.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 9);
        cur.insertText(QStringLiteral("x"));
      });
  return c;
}
#endif

} // namespace

int main(int argc, char** argv) {
#ifdef ZT_WITH_QT
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
#else
  (void)argc;
  (void)argv;
#endif
  fs::path ruta = fs::temp_directory_path() / ("zt_bench_editor_" + std::to_string(::getpid()) + ".txt");
  for (bool acento : {false, true}) {
    std::string bytes = HazArchivo(ruta, acento);
    std::printf("%s file: 100000 lines, %.1f MB\n", acento ? "UTF-8" : "ASCII", bytes.size() / 1e6);
    Cifras n = MideNucleo(ruta);
    std::printf("  core: load %.1f ms, insert at line 50,000 %.4f ms\n", n.carga * 1e3, n.insercion * 1e3);
#ifdef ZT_WITH_QT
    Cifras q = MideQt(ruta);
    std::printf("  QPlainTextEdit: load %.1f ms, insert at line 50,000 %.4f ms\n", q.carga * 1e3,
                q.insercion * 1e3);
    std::printf("  ratio load (QPlainTextEdit / core): %.1f x; insert: %.1f x\n", q.carga / n.carga,
                q.insercion / n.insercion);
#else
    std::printf("  built without Qt: no QPlainTextEdit figures\n");
#endif
  }
  fs::remove(ruta);
  return 0;
}
