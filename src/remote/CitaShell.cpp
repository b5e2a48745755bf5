// Quoting of names and texts for the shell, and the command that writes a file with printf.
#include "remote/CitaShell.h"
#include <array>

namespace zt {

namespace {

bool EsControl(unsigned char b) { return b < 0x20 || b == 0x7F; }

// Characters of a portable user name, as in "~user/".
bool EsLetraUsuario(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
         c == '-';
}

// One part of a name as a shell word. Bytes past ASCII are typed as octal escapes decoded by
// printf on the host, so no line editor takes them for meta keys and no encoding changes them.
std::string Palabra(std::string_view bytes) {
  bool ascii = true;
  for (unsigned char b : bytes) ascii = ascii && b < 0x80;
  if (ascii) return CitaShell(bytes);
  std::string arg;
  for (unsigned char b : bytes) arg += EscapaByte(b);
  return "\"$(\\printf '%b' '" + arg + "')\"";
}

} // namespace

Texto ReglaNombreRemoto(VistaTexto nombre, Codificacion cod) {
  if (nombre.empty()) return U"Falta el nombre del archivo.";
  const std::string bytes = Codifica(nombre, cod);
  for (unsigned char b : bytes)
    if (EsControl(b)) return U"El nombre del archivo no puede contener caracteres de control.";
  if (bytes.size() > kMaxNombreRemoto) return U"El nombre del archivo es demasiado largo.";
  return {};
}

std::string CitaShell(std::string_view bytes) {
  std::string r = "'";
  for (char c : bytes) {
    if (c == '\'')
      r += "'\\''";
    else
      r += c;
  }
  return r + "'";
}

std::string CitaNombreRemoto(VistaTexto nombre, Codificacion cod) {
  const std::string bytes = Codifica(nombre, cod);
  if (bytes.size() >= 2 && bytes[0] == '~') {
    std::size_t barra = bytes.find('/');
    bool usuario = barra != std::string::npos && (barra == 1 || bytes[1] != '-');
    for (std::size_t i = 1; usuario && i < barra; ++i) usuario = EsLetraUsuario(bytes[i]);
    if (usuario) {
      const std::string resto = bytes.substr(barra + 1);
      return bytes.substr(0, barra + 1) + (resto.empty() ? std::string() : Palabra(resto));
    }
  }
  if (!bytes.empty() && bytes[0] == '-') return Palabra("./" + bytes);
  return Palabra(bytes);
}

std::string EscapaByte(unsigned char b) {
  if (b == '\\') return "\\\\";
  if (b == '\t') return "\\t";
  if (b >= 0x20 && b < 0x7F && b != '\'') return std::string(1, char(b));
  const char octal[] = {'\\', '0', char('0' + (b >> 6)), char('0' + ((b >> 3) & 7)), char('0' + (b & 7))};
  return std::string(octal, sizeof octal);
}

// Data lines: ": '<escaped>'" ends a line of the text, ": '<escaped>'-" is a piece of a longer
// line, ": ZTFIN" ends the text. The reader holds no single quote, so it fits in one.
Escritura ComandoEscritura(std::string_view contenido, const std::string& nombreCitado,
                           const std::string& marca, std::size_t maxLinea) {
  Escritura e;
  // sed takes the data a line per read (a shell's read builtin would take a byte per call) and
  // stops at the end line; one printf decodes it all. The terminal does not echo the data back.
  e.orden = "\\sh -c 't=$(stty -g 2>/dev/null); stty -echo 2>/dev/null; printf \"%s%s\\n\" ZTL " + marca +
            " >&2; printf \"%b\" \"$(sed -n \"/^: ZTFIN\\$/q;s/^: .\\(.*\\).-\\$/\\1/p;t;"
            "s/^: .\\(.*\\).\\$/\\1\\\\\\\\n/p\" | tr -d \"\\n\")\"; r=$?; "
            "[ -n \"$t\" ] && stty \"$t\" 2>/dev/null; exit $r' > " +
            nombreCitado;
  std::string& d = e.datos;
  d.reserve(contenido.size() + contenido.size() / 8 + 64);
  std::size_t enLinea = 0;
  bool abierta = false;
  for (unsigned char b : contenido) {
    if (!abierta) {
      d += ": '";
      abierta = true;
      enLinea = 3;
    }
    if (b == '\n') {
      d += "'\r";
      abierta = false;
      continue;
    }
    const std::string t = EscapaByte(b);
    if (enLinea + t.size() > maxLinea) {
      d += "'-\r: '";
      enLinea = 3;
    }
    d += t;
    enLinea += t.size();
  }
  if (abierta) d += "'-\r";
  d += ": ZTFIN\r";
  return e;
}

namespace {

const std::array<uint32_t, 256>& TablaCrc() {
  static const std::array<uint32_t, 256> tabla = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i << 24;
      for (int k = 0; k < 8; ++k) c = (c & 0x80000000u) ? (c << 1) ^ 0x04C11DB7u : c << 1;
      t[i] = c;
    }
    return t;
  }();
  return tabla;
}

} // namespace

void CrcCksum::Agrega(std::string_view bytes) {
  const auto& tabla = TablaCrc();
  uint32_t crc = crc_;
  for (unsigned char b : bytes) crc = (crc << 8) ^ tabla[((crc >> 24) ^ b) & 0xFF];
  crc_ = crc;
  largo_ += bytes.size();
}

// The length goes in after the data, low byte first, as few bytes as it needs.
uint32_t CrcCksum::Final() const {
  const auto& tabla = TablaCrc();
  uint32_t crc = crc_;
  for (uint64_t n = largo_; n != 0; n >>= 8) crc = (crc << 8) ^ tabla[((crc >> 24) ^ (n & 0xFF)) & 0xFF];
  return ~crc;
}

uint32_t Cksum(std::string_view bytes) {
  CrcCksum c;
  c.Agrega(bytes);
  return c.Final();
}

} // namespace zt
