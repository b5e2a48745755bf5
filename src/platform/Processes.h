// Starting other programs: always with an argument list, never through a shell.
#pragma once
#include <string>
#include <vector>

namespace zt {

class Processes {
public:
  virtual ~Processes() = default;
  // Starts a detached program; returns its process id, or 0 when it could not start.
  virtual long IniciaDesligado(const std::string& programa, const std::vector<std::string>& argumentos) = 0;
  // Opens a text file for viewing with the desktop's viewer; false on failure.
  virtual bool VerArchivoTexto(const std::string& ruta) = 0;
  // Opens a folder in the desktop's file manager; false on failure.
  virtual bool AbrirCarpeta(const std::string& ruta) = 0;
  // True while the process started by IniciaDesligado still runs.
  virtual bool Vive(long pid) = 0;
};

} // namespace zt
