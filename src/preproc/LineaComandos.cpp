// Quillon's command line, the fresh output names of the work folder and the busy test.
#include "preproc/LineaComandos.h"
#include <cstdio>

namespace zt::preproc {

namespace fs = std::filesystem;

LineaComandos LeeLineaComandos(const std::vector<Texto>& argumentos) {
  LineaComandos r;
  std::vector<Texto> palabras;
  for (const auto& a : argumentos)
    if (!RecortaEspacios(a).empty()) palabras.push_back(a);
  if (palabras.empty()) {
    r.interactivo = true;
    return r;
  }
  r.entrada = RecortaEspacios(palabras[0]);
  for (size_t i = 1; i < palabras.size(); ++i) {
    Texto p = RecortaEspacios(palabras[i]);
    if (p.empty() || p[0] != U'/') continue; // further names are ignored: outputs go to the work folder
    Texto m = Mayusculas(p);
    if (m == U"/PREPRO") {
      r.preprocesar = true;
    } else if (m == U"/LANZAR") {
      r.preprocesar = r.lanzar = true;
    } else if (m == U"/NOERROR") {
      r.mostrarErrores = false;
    } else if (m == U"/ERROR") {
      r.mostrarErrores = true;
    } else {
      r.desconocido = p;
      break;
    }
  }
  return r;
}

Texto MensajeParametroDesconocido(const Texto& palabra) {
  return T("Error. Parámetro desconocido: ") + palabra + U"\r\n" +
         T("SINTAXIS: Quillon <Archivo> [Archivo de Salida] [/PREPRO] [/CONSULTA] [/NOERROR] [/ERROR]");
}

fs::path NombreNuevo(const fs::path& carpeta, const Texto& fuente, const char* extension) {
  std::string base = fs::path(U8(fuente)).stem().string();
  fs::path candidato = carpeta / (base + extension);
  std::error_code ec;
  for (int n = 1; fs::exists(candidato, ec) || fs::is_symlink(candidato, ec); ++n) {
    char cifras[16];
    std::snprintf(cifras, sizeof cifras, "%02d", n);
    candidato = carpeta / (base + "~" + cifras + extension);
  }
  return candidato;
}

bool ArchivoOcupado(const fs::path& ruta) {
  fs::path temporal = ruta;
  temporal += ".chg";
  std::error_code ec;
  fs::remove(temporal, ec);
  fs::rename(ruta, temporal, ec);
  if (ec) return true;
  fs::rename(temporal, ruta, ec);
  return false;
}

} // namespace zt::preproc
