// Processes fake: records every start and plays the running programs.
#pragma once
#include "platform/Processes.h"
#include <functional>
#include <set>

namespace zt {

class FakeProcesses : public Processes {
public:
  struct Inicio {
    std::string programa;
    std::vector<std::string> argumentos;
  };
  std::vector<Inicio> inicios;
  std::vector<std::string> archivosVistos;
  std::vector<std::string> carpetasAbiertas;
  // When true every start fails (pid 0, false).
  bool falla = false;
  // Runs after each successful IniciaDesligado, e.g. to write the file the program would write.
  std::function<void(const Inicio &)> alIniciar;

  long IniciaDesligado(const std::string &programa, const std::vector<std::string> &argumentos) override {
    inicios.push_back({programa, argumentos});
    if (falla) return 0;
    long pid = siguientePid_++;
    vivos_.insert(pid);
    if (alIniciar) alIniciar(inicios.back());
    return pid;
  }
  bool VerArchivoTexto(const std::string &ruta) override {
    archivosVistos.push_back(ruta);
    return !falla;
  }
  bool AbrirCarpeta(const std::string &ruta) override {
    carpetasAbiertas.push_back(ruta);
    return !falla;
  }
  bool Vive(long pid) override { return vivos_.count(pid) != 0; }

  // The program 'pid' ends.
  void Termina(long pid) { vivos_.erase(pid); }

private:
  long siguientePid_ = 1000;
  std::set<long> vivos_;
};

} // namespace zt
