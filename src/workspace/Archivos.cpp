// Small file operations shared by the panels, the settings and the remote editor.
#include "workspace/Archivos.h"
#include "base/ArchivoTexto.h"
#include "base/Codec.h"
#include "base/Error.h"
#include <system_error>

namespace zt {

namespace fs = std::filesystem;

namespace {

fs::path Ruta(VistaTexto t) { return fs::path(U8(t)); }

Texto SinBlancosFinales(Texto s) {
  while (!s.empty() && (s.back() == U' ' || s.back() == U'\0')) s.pop_back();
  return s;
}

// The platform's wording for a failed folder or file operation.
Texto DescripcionFallo(const std::error_code& ec) {
  if (ec == std::errc::permission_denied || ec == std::errc::read_only_file_system)
    return DescripcionError(CodigoError::AccesoDenegado);
  return DescripcionError(CodigoError::ErrorRuta);
}

Texto Filtro(VistaTexto descripcion, VistaTexto patron) {
  if (descripcion.find(U'(') != VistaTexto::npos || patron.empty()) return Texto(descripcion);
  return Texto(descripcion) + U" (" + Texto(patron) + U")";
}

} // namespace

Texto EscapaTexto(VistaTexto s) {
  Texto r;
  r.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c == U'\t') {
      r += U"\\!";
    } else if (c == U'\r' || c == U'\n') {
      if (c == U'\r' && i + 1 < s.size() && s[i + 1] == U'\n') ++i;
      r += U"\\?";
    } else {
      r += c;
    }
  }
  return r;
}

Texto DesescapaTexto(VistaTexto s) {
  Texto r;
  r.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == U'\\' && i + 1 < s.size() && (s[i + 1] == U'!' || s[i + 1] == U'?')) {
      r += s[i + 1] == U'!' ? U"\t" : U"\r\n";
      ++i;
    } else {
      r += s[i];
    }
  }
  return r;
}

std::vector<Texto> PartirCampos(VistaTexto s) {
  std::vector<Texto> campos(1);
  for (char32_t c : s) {
    if (c == U'\t') campos.emplace_back();
    else campos.back() += c;
  }
  return campos;
}

Texto DialogoAbrir(Dialogs& dialogos, VistaTexto descripcion, VistaTexto patron, VistaTexto titulo,
                   VistaTexto carpeta) {
  auto r = dialogos.AbrirArchivo(Texto(titulo), Texto(carpeta), Filtro(descripcion, patron));
  return r ? SinBlancosFinales(*r) : Texto();
}

Texto DialogoGuardar(Dialogs& dialogos, VistaTexto descripcion, VistaTexto patron, VistaTexto titulo,
                     VistaTexto inicial) {
  auto r = dialogos.GuardarArchivo(Texto(titulo), Texto(inicial), Filtro(descripcion, patron));
  return r ? SinBlancosFinales(*r) : Texto();
}

bool CambiaCarpeta(VistaTexto ruta) {
  std::error_code ec;
  fs::current_path(Ruta(ruta), ec);
  return !ec;
}

Texto NombreArchivo(VistaTexto ruta) {
  size_t p = ruta.rfind(U'/');
  return Texto(p == VistaTexto::npos ? ruta : ruta.substr(p + 1));
}

Texto LeeArchivo(VistaTexto nombre, Texto& mensajeError) {
  auto contenido = LeeArchivoTexto(Ruta(nombre));
  if (!contenido) {
    mensajeError = T("No se encuentra el archivo.");
    return {};
  }
  Texto r;
  for (size_t i = 0; i < contenido->lineas.size(); ++i) {
    if (i) r += U"\r\n";
    r += contenido->lineas[i];
  }
  return r;
}

Texto EscribeArchivo(VistaTexto nombre, VistaTexto texto, Dialogs& dialogos, const fs::path& carpetaPrograma) {
  Texto destino = nombre.empty() ? T((carpetaPrograma / "temp.txt").string()) : Texto(nombre);
  std::string bytes = CodificaUtf8(texto);
  bytes += "\r\n";
  if (!EscribeBytes(Ruta(destino), bytes).empty()) {
    dialogos.Mensaje(T("Error creando archivo: ") + destino, U"", Botones::Aceptar, Icono::Exclamacion);
    return {};
  }
  return destino;
}

bool AseguraCarpeta(const fs::path& carpeta, Dialogs& dialogos, Texto& mensajeError) {
  std::error_code ec;
  if (fs::is_directory(carpeta, ec)) return true;
  const Texto nombre = T(carpeta.string());
  Respuesta r = dialogos.Mensaje(T("No se encuentra carpeta: '") + nombre + T("'. ¿Desea crearla? "), U"",
                                 Botones::SiNo, Icono::Exclamacion, Respuesta::No);
  if (r != Respuesta::Si) {
    dialogos.Mensaje(T("No existe Carpeta: ") + nombre, U"", Botones::Aceptar, Icono::Error);
    return false;
  }
  fs::create_directories(carpeta, ec);
  if (ec || !fs::is_directory(carpeta)) {
    mensajeError = T("Error creando carpeta: ") + nombre + U"(" + DescripcionFallo(ec) + U")";
    dialogos.Mensaje(mensajeError, U"", Botones::Aceptar, Icono::Error);
  }
  return true;
}

} // namespace zt
