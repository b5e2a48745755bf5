// Loading and saving files: encoding kept from the load, CR LF on save, safe replacement.
#include "base/ArchivoTexto.h"
#include "editor/Columnas.h"
#include "editor/CtlEdit.h"
#include <cstring>
#include <filesystem>
#include <string>

namespace zt {

namespace {
// True when no byte has its high bit set; checked a word at a time, since most files are ASCII.
bool EsAscii(std::string_view b) {
  size_t i = 0;
  for (; i + 8 <= b.size(); i += 8) {
    uint64_t w;
    std::memcpy(&w, b.data() + i, 8);
    if (w & 0x8080808080808080ull) return false;
  }
  for (; i < b.size(); ++i)
    if (static_cast<unsigned char>(b[i]) & 0x80) return false;
  return true;
}

Texto DecodificaLinea(std::string_view b, Codificacion cod, bool ascii) {
  if (!ascii) return Decodifica(b, cod);
  Texto t(b.size(), U'\0');
  for (size_t i = 0; i < b.size(); ++i) t[i] = static_cast<unsigned char>(b[i]);
  return t;
}

struct Lectura {
  std::vector<Texto> lineas;
  bool unix = false;
  bool cortada = false;
};

// A line ends at CR, CR LF or LF; a bare LF marks a UNIX file, whose final LF leaves an empty
// last line. Stops once the line count passes the limit.
Lectura PartirArchivo(std::string_view bytes, Codificacion cod, bool ascii, size_t limite) {
  Lectura l;
  size_t inicio = 0;
  bool finLf = false;
  for (size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    l.lineas.push_back(DecodificaLinea(bytes.substr(inicio, i - inicio), cod, ascii));
    finLf = c == '\n';
    if (finLf) l.unix = true;
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    inicio = i + 1;
    if (l.lineas.size() > limite) {
      l.cortada = true;
      return l;
    }
  }
  if (inicio < bytes.size() || finLf) l.lineas.push_back(DecodificaLinea(bytes.substr(inicio), cod, ascii));
  l.cortada = l.lineas.size() > limite;
  return l;
}
} // namespace

bool CtlEdit::CargarArch(const Texto &ruta) {
  std::filesystem::path p(U8(ruta));
  std::error_code ec;
  if (ruta.empty() || !std::filesystem::is_regular_file(p, ec)) {
    Aviso(U"No se encuentra archivo: " + ruta);
    return false;
  }
  std::optional<std::string> bytes = LeeBytes(p);
  if (!bytes) {
    Aviso(U"No se puede abrir el archivo: " + ruta, Icono::Exclamacion);
    return false;
  }
  LimpiarLineas();
  archivo = ruta;
  lblEstado3.texto = U"DOS";
  bool ascii = EsAscii(*bytes);
  codificacion_ = ascii ? Codificacion::Utf8 : DetectaCodificacion(*bytes);
  Lectura l = PartirArchivo(*bytes, codificacion_, ascii, kMaxLineasArchivo);
  bytes.reset();
  if (l.unix) {
    tipArch = 1;
    lblEstado3.texto = U"UNIX";
  }
  int32_t ancho = 1;
  for (const Texto &t : l.lineas) {
    auto largo = static_cast<int32_t>(std::min<size_t>(t.size(), INT32_MAX));
    if (largo > ancho || t.find(U'\t') != Texto::npos) ancho = std::max(ancho, LargoExpandido(t, nEspTab));
  }
  lineas_.Inserta(1, std::move(l.lineas));
  CrecerAncho(ancho);
  if (l.cortada) {
    // The text is incomplete: a save must not overwrite the whole file with it.
    archivo.clear();
    Aviso(T("Demasiadas líneas para leer en el editor"));
  }
  haysel = false;
  primLinVis = primColVis = 1;
  ColocaCursor(1, 1, 0, false);
  FijaColDeseada();
  ancla_ = selIni_ = selFin_ = selIniPrev_ = selFinPrev_ = Cursor();
  EtiquetaSeleccion();
  redibujoTotal = true;
  RedibujaTodo();
  LimpiaDeshacer();
  FijarTextNoModif();
  return true;
}

bool CtlEdit::GuardarArch() {
  if (archivo.empty()) {
    Aviso(U"No se ha especificado un nombre para el archivo", Icono::Exclamacion);
    return false;
  }
  return EscribeArchivo(archivo);
}

bool CtlEdit::GuardarArchComo(const Texto &ruta) {
  archivo = ruta;
  return EscribeArchivo(ruta);
}

// First line holding a character Windows-1252 has no code for; 0 when there is none.
int32_t CtlEdit::LineaSinCp1252() const {
  for (int32_t y = 1; y <= nLin(); ++y)
    for (char32_t c : lineas_.Linea(y))
      if (c >= 0x80 && CodigoCp1252(c) < 0) return y;
  return 0;
}

// Every line followed by CR LF, in the encoding the file was read in; written to a temporary
// file and renamed over the old one, so a failure leaves the old file and the modified state.
// A Windows-1252 file that now holds characters without a code in it would lose them as "?":
// the user chooses UTF-8 instead, or nothing is written.
bool CtlEdit::EscribeArchivo(const Texto &ruta) {
  if (codificacion_ == Codificacion::Cp1252) {
    if (int32_t y = LineaSinCp1252()) {
      const Texto pregunta = T("La línea ") + T(std::to_string(y)) +
                             T(" tiene caracteres que no existen en Windows-1252 y se perderían.\r\n"
                               "¿Guardar el archivo en UTF-8?");
      Respuesta r = dialogos_ ? dialogos_->Mensaje(pregunta, ruta, Botones::SiNo, Icono::Pregunta, Respuesta::Si)
                              : Respuesta::Si;
      if (r != Respuesta::Si) {
        Aviso(U"No se ha guardado el archivo: " + ruta, Icono::Exclamacion);
        return false;
      }
      codificacion_ = Codificacion::Utf8;
    }
  }
  std::string bytes;
  for (int32_t y = 1; y <= nLin(); ++y) {
    bytes += Codifica(lineas_.Linea(y), codificacion_);
    bytes += "\r\n";
  }
  std::string error = EscribeBytes(std::filesystem::path(U8(ruta)), bytes);
  if (!error.empty()) {
    Aviso(U"No se puede guardar el archivo: " + ruta + U"\r\n" + T(error), Icono::Error);
    return false;
  }
  FijarTextNoModif();
  return true;
}

} // namespace zt
