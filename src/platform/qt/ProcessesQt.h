// Processes over QProcess and QDesktopServices.
#pragma once
#include "platform/Processes.h"
#include <QPointer>
#include <QWidget>
#include <functional>

namespace zt {

class ProcessesQt : public Processes {
public:
  ProcessesQt();
  ~ProcessesQt() override;
  ProcessesQt(const ProcessesQt &) = delete;
  ProcessesQt &operator=(const ProcessesQt &) = delete;

  // The program is run directly with its argument list; no shell ever reads them.
  long IniciaDesligado(const std::string &programa, const std::vector<std::string> &argumentos) override;
  // Through the desktop's handler for the file; when the desktop has none (no opener installed),
  // in a read-only text window of the program. With no display nothing is opened: the path goes
  // to standard error and the answer is true, so batch runs go on.
  bool VerArchivoTexto(const std::string &ruta) override;
  bool AbrirCarpeta(const std::string &ruta) override;
  bool Vive(long pid) override;

  // The desktop's handler for a file or folder; false when it could not be started.
  std::function<bool(const std::string &ruta, const char *que)> abreEnEscritorio;

private:
  std::vector<QPointer<QWidget>> visores_; // closed with the program
};

} // namespace zt
