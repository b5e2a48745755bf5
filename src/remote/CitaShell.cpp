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
  switch (b) {
  case '\\': return "\\\\";
  case '\'': return "'\\''";
  case '\t': return "\\t";
  case '!':
  case '^': break;
  default:
    if (b >= 0x20 && b < 0x7F) return std::string(1, char(b));
  }
  const char octal[] = {'\\', '0', char('0' + (b >> 6)), char('0' + ((b >> 3) & 7)), char('0' + (b & 7))};
  return std::string(octal, sizeof octal);
}

std::string ComandoEscritura(std::string_view contenido, const std::string& nombreCitado,
                             LimitesComando limites) {
  static const std::string kInicio = "{ \\printf '%b' '";
  static const std::string kOtroTrozo = "' && \\printf '%b' '";
  static const std::string kCorte = "'\\\r'";
  std::string r = kInicio;
  r.reserve(contenido.size() + contenido.size() / 8 + 128);
  std::size_t enLinea = r.size(), enTrozo = 0;
  for (unsigned char b : contenido) {
    if (b == '\n') {
      r += '\r';
      enLinea = 0;
      ++enTrozo;
      continue;
    }
    const std::string t = EscapaByte(b);
    if (enTrozo + t.size() > limites.trozo) {
      r += kOtroTrozo;
      enLinea += kOtroTrozo.size();
      enTrozo = 0;
    }
    if (enLinea + t.size() > limites.linea) {
      r += kCorte;
      enLinea = 1;
    }
    r += t;
    enLinea += t.size();
    enTrozo += t.size();
  }
  return r + "'; } > " + nombreCitado;
}

uint32_t Cksum(std::string_view bytes) {
  static const std::array<uint32_t, 256> tabla = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i << 24;
      for (int k = 0; k < 8; ++k) c = (c & 0x80000000u) ? (c << 1) ^ 0x04C11DB7u : c << 1;
      t[i] = c;
    }
    return t;
  }();
  uint32_t crc = 0;
  const auto paso = [&](unsigned char b) { crc = (crc << 8) ^ tabla[((crc >> 24) ^ b) & 0xFF]; };
  for (unsigned char b : bytes) paso(b);
  for (uint64_t n = bytes.size(); n != 0; n >>= 8) paso(static_cast<unsigned char>(n & 0xFF));
  return ~crc;
}

} // namespace zt
