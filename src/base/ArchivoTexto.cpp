// Whole-file reading with encoding detection, and writing through a temporary file.
#include "base/ArchivoTexto.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace zt {

Codificacion DetectaCodificacion(std::string_view bytes) {
  return EsUtf8Valido(bytes) ? Codificacion::Utf8 : Codificacion::Cp1252;
}

std::vector<Texto> PartirLineas(VistaTexto texto, bool* saltoFinal) {
  std::vector<Texto> lineas;
  std::size_t ini = 0, i = 0, n = texto.size();
  bool salto = false;
  while (i < n) {
    char32_t c = texto[i];
    if (c == U'\r' || c == U'\n') {
      lineas.emplace_back(texto.substr(ini, i - ini));
      i += (c == U'\r' && i + 1 < n && texto[i + 1] == U'\n') ? 2 : 1;
      ini = i;
      salto = true;
    } else {
      ++i;
      salto = false;
    }
  }
  if (ini < n) lineas.emplace_back(texto.substr(ini));
  if (saltoFinal) *saltoFinal = salto;
  return lineas;
}

std::optional<std::string> LeeBytes(const std::filesystem::path& ruta) {
  std::error_code ec;
  if (std::filesystem::is_directory(ruta, ec)) return std::nullopt;
  std::ifstream f(ruta, std::ios::binary);
  if (!f) return std::nullopt;
  // One read of the size the file says it has; files that grow or lie (pipes, /proc) are read
  // on in pieces to their real end.
  auto tam = std::filesystem::file_size(ruta, ec);
  std::string r(ec ? 0 : static_cast<std::size_t>(tam), '\0');
  f.read(r.data(), static_cast<std::streamsize>(r.size()));
  r.resize(static_cast<std::size_t>(f.gcount()));
  if (f) {
    char buf[65536];
    while (f.read(buf, sizeof buf) || f.gcount() > 0) r.append(buf, static_cast<std::size_t>(f.gcount()));
  }
  if (f.bad()) return std::nullopt;
  return r;
}

std::optional<ContenidoArchivo> LeeArchivoTexto(const std::filesystem::path& ruta) {
  auto bytes = LeeBytes(ruta);
  if (!bytes) return std::nullopt;
  ContenidoArchivo c;
  c.codificacion = DetectaCodificacion(*bytes);
  c.lineas = PartirLineas(Decodifica(*bytes, c.codificacion), &c.saltoFinal);
  return c;
}

namespace {

// The file a chain of symbolic links ends at (the link itself names no file to replace); a
// loop is reported like the system reports it.
std::filesystem::path DestinoEnlace(std::filesystem::path ruta, std::error_code& ec) {
  for (int saltos = 0; std::filesystem::is_symlink(ruta, ec); ++saltos) {
    if (saltos == 40) {
      ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
      return ruta;
    }
    std::filesystem::path destino = std::filesystem::read_symlink(ruta, ec);
    if (ec) return ruta;
    ruta = destino.is_absolute() ? destino : ruta.parent_path() / destino;
  }
  ec.clear();
  return ruta;
}

} // namespace

std::string EscribeBytes(const std::filesystem::path& enlace, std::string_view bytes, bool sincronizar) {
  std::error_code ec;
  const std::filesystem::path ruta = DestinoEnlace(enlace, ec);
  if (ec) return ec.message();
  auto carpeta = ruta.parent_path();
  std::string plantilla =
      (carpeta.empty() ? std::filesystem::path(".") : carpeta) / ("." + ruta.filename().string() + ".XXXXXX");
  int fd = mkstemp(plantilla.data());
  if (fd < 0) return std::strerror(errno);
  struct stat st;
  // A replaced file keeps its permissions; a new one gets the usual 0666 less the umask.
  if (stat(ruta.c_str(), &st) == 0) {
    fchmod(fd, st.st_mode & 07777);
  } else {
    mode_t m = umask(0);
    umask(m);
    fchmod(fd, 0666 & ~m);
  }
  std::size_t hecho = 0;
  while (hecho < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + hecho, bytes.size() - hecho);
    if (n < 0) {
      if (errno == EINTR) continue;
      std::string e = std::strerror(errno);
      close(fd);
      unlink(plantilla.c_str());
      return e;
    }
    hecho += static_cast<std::size_t>(n);
  }
  if ((sincronizar && fsync(fd) != 0) || close(fd) != 0) {
    std::string e = std::strerror(errno);
    unlink(plantilla.c_str());
    return e;
  }
  if (rename(plantilla.c_str(), ruta.c_str()) != 0) {
    std::string e = std::strerror(errno);
    unlink(plantilla.c_str());
    return e;
  }
  return {};
}

std::string EscribeArchivoTexto(const std::filesystem::path& ruta, const std::vector<Texto>& lineas,
                                Codificacion cod, bool saltoFinal) {
  Texto todo;
  for (std::size_t i = 0; i < lineas.size(); ++i) {
    todo += lineas[i];
    if (i + 1 < lineas.size() || saltoFinal) todo += U"\r\n";
  }
  return EscribeBytes(ruta, Codifica(todo, cod));
}

EscrituraRespaldada EscribeConRespaldo(const std::filesystem::path& ruta, const std::vector<Texto>& lineas,
                                       Codificacion cod) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(ruta, ec)) {
    if ((fs::status(ruta, ec).permissions() & fs::perms::owner_write) == fs::perms::none)
      return EscrituraRespaldada::SoloLectura;
    auto viejo = LeeBytes(ruta);
    fs::path bak = ruta;
    bak += ".bak";
    if (!viejo || !EscribeBytes(bak, *viejo).empty()) return EscrituraRespaldada::Fallida;
  }
  return EscribeArchivoTexto(ruta, lineas, cod, true).empty() ? EscrituraRespaldada::Hecha
                                                              : EscrituraRespaldada::Fallida;
}

} // namespace zt
