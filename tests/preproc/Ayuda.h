// Helpers of the preprocessor tests: a run on a fixed clock and a scratch folder.
#pragma once
#include "base/Texto.h"
#include "preproc/Motor.h"
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace zt::preproc::prueba {

// 1 March 2024, 10:30:00 unless a test says otherwise.
inline Fecha kHoy = FechaDe(2024, 3, 1, 10, 30, 0);

struct Corrida {
  Fecha hoy = kHoy;
  Preprocesador p{OpcionesRun{{}, [this] { return hoy; }, {}, nullptr}};

  std::string Expande(const std::string& texto) { return p.Expande(T(texto)); }
  std::string Error() const { return U8(p.Error().Mensaje()); }
  int Linea() const { return p.Error().Linea(); }
};

// A folder of its own under the system's temporary folder, removed at the end.
class Carpeta {
public:
  explicit Carpeta(const std::string& nombre) {
    ruta_ =
        std::filesystem::temp_directory_path() / ("zt_preproc_" + nombre + "_" + std::to_string(getpid()));
    std::filesystem::remove_all(ruta_);
    std::filesystem::create_directories(ruta_);
  }
  ~Carpeta() { std::filesystem::remove_all(ruta_); }
  const std::filesystem::path& Ruta() const { return ruta_; }
  std::string Escribe(const std::string& nombre, const std::string& contenido) const {
    auto r = ruta_ / nombre;
    std::filesystem::create_directories(r.parent_path());
    std::ofstream(r, std::ios::binary) << contenido;
    return r.string();
  }
  static std::string Lee(const std::filesystem::path& r) {
    std::ifstream f(r, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }

private:
  std::filesystem::path ruta_;
};

} // namespace zt::preproc::prueba
