// Processes over QProcess and QDesktopServices.
#pragma once
#include "platform/Processes.h"

namespace zt {

class ProcessesQt : public Processes {
public:
  // The program is run directly with its argument list; no shell ever reads them.
  long IniciaDesligado(const std::string &programa, const std::vector<std::string> &argumentos) override;
  // Through the desktop's handler for the file. With no display nothing is opened: the path goes
  // to standard error and the answer is true, so batch runs go on.
  bool VerArchivoTexto(const std::string &ruta) override;
  bool AbrirCarpeta(const std::string &ruta) override;
  bool Vive(long pid) override;
};

} // namespace zt
