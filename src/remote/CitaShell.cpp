// Quoting of names and texts for the shell, and the command that writes a file with printf.
#include "remote/CitaShell.h"
#include <algorithm>
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
  if (b == '\n') return "\\n";
  if (b >= 0x20 && b < 0x7F && b != '\'') return std::string(1, char(b));
  const char octal[] = {'\\', '0', char('0' + (b >> 6)), char('0' + ((b >> 3) & 7)), char('0' + (b & 7))};
  return std::string(octal, sizeof octal);
}

std::string LectorDatos() {
  // sed takes the data a line per read (a shell's read builtin would take a byte per call), drops
  // each line's ": '" and stops at the end line; tr drops the closing quotes (a quote of the text
  // travels as \0047) and the line ends (the text's own travel as \n); one printf decodes it all.
  return "printf \"%b\" \"$(sed -n \"/^: ZTFIN\\$/q;s/^...//p\" | tr -d \"\\n\\047\")\"";
}

namespace {

// The escapes of the data, one per byte value, with the bytes that stand for themselves marked.
struct TablaEscapes {
  struct Escape {
    char s[5];
    uint8_t n;
  };
  std::array<Escape, 256> e{};
  std::array<bool, 256> plano{};
  TablaEscapes() {
    for (int b = 0; b < 256; ++b) {
      const std::string t = EscapaByte(static_cast<unsigned char>(b));
      std::copy(t.begin(), t.end(), e[b].s);
      e[b].n = static_cast<uint8_t>(t.size());
      plano[b] = t.size() == 1;
    }
  }
};

// The script of the store, run by sh -c with the target's name as $1. Every exit goes through
// q, which removes the temporary file, gives the terminal its settings back and, when the store
// created the target and did not fill it, removes it again.
std::string GuionEscritura(const std::string& marca, uint32_t cksum, std::size_t largo) {
  const std::string crc = std::to_string(cksum);
  const std::string pasos[] = {
      "f=$1", "t= s= n=",
      // A hang-up ends the reading with end-of-file: the checks then fail and the cleaning runs.
      "trap \"\" HUP", "[ -e \"$f\" ] || [ -h \"$f\" ] || n=1",
      // A target that cannot be written is refused before any data is sent; a new one gets the
      // user's usual permissions, the temporary file private ones.
      ": >> \"$f\" || exit", "umask 077",
      "q() { rm -f \"$t\"; [ -z \"$s\" ] || stty \"$s\" 2>/dev/null; "
      "[ -z \"$n\" ] || rm -f \"$f\"; exit $1; }",
      "trap \"q 130\" INT TERM", "d=${TMPDIR:-/tmp}",
      // Without mktemp: a name no one can guess, created only if it does not exist yet.
      "t=$(mktemp \"$d/zt.XXXXXXXXXX\" 2>/dev/null) || { t=$d/zt.$$." + marca +
          "; (set -C; : > \"$t\") || { t=; q 1; }; }",
      "s=$(stty -g 2>/dev/null)", "stty -echo 2>/dev/null", "printf \"%s%s\\n\" ZTL " + marca + " >&2",
      LectorDatos() + " > \"$t\" || q 1", "[ -z \"$s\" ] || stty \"$s\" 2>/dev/null", "s=",
      // Without cksum only the length can be checked.
      "c=$(cksum < \"$t\" 2>/dev/null) || c=\"" + crc + " $(wc -c < \"$t\")\"",
      "[ \"$(echo $c)\" = \"" + crc + " " + std::to_string(largo) + "\" ] || q " +
          std::to_string(kEstadoIncompleto),
      // Nothing cuts the copy short; it overwrites the target in place.
      "trap \"\" INT TERM QUIT", "n=", "cat \"$t\" > \"$f\"", "q $?"};
  std::string r;
  for (const std::string& p : pasos) r += (r.empty() ? "" : "; ") + p;
  return r;
}

} // namespace

// Data lines: ": '<piece>'", the pieces in order being the escaped text, cut between escapes;
// ": ZTFIN" ends the data.
Escritura ComandoEscritura(std::string_view contenido, const std::string& nombreCitado,
                           const std::string& marca, std::size_t maxLinea) {
  static const TablaEscapes tabla;
  Escritura e;
  e.cksum = Cksum(contenido);
  e.orden = "\\sh -c '" + GuionEscritura(marca, e.cksum, contenido.size()) + "' sh " + nombreCitado;
  const std::size_t maxPieza = std::max<std::size_t>(maxLinea, 9) - 4;
  std::string& d = e.datos;
  d.reserve(contenido.size() + contenido.size() / 4 + contenido.size() / maxPieza * 5 + 16);
  std::size_t enPieza = 0;
  const auto cierra = [&] {
    if (enPieza) d += "'\r";
    enPieza = 0;
  };
  const auto abre = [&](std::size_t n) {
    if (enPieza + n > maxPieza) cierra();
    if (!enPieza) d += ": '";
  };
  for (std::size_t i = 0; i < contenido.size();) {
    const auto b = static_cast<unsigned char>(contenido[i]);
    if (tabla.plano[b]) { // a run of bytes that stand for themselves, up to the piece's end
      abre(1);
      std::size_t j = i + 1;
      const std::size_t fin = std::min(contenido.size(), i + maxPieza - enPieza);
      while (j < fin && tabla.plano[static_cast<unsigned char>(contenido[j])]) ++j;
      d.append(contenido.data() + i, j - i);
      enPieza += j - i;
      i = j;
    } else {
      const auto& x = tabla.e[b];
      abre(x.n);
      d.append(x.s, x.n);
      enPieza += x.n;
      ++i;
    }
  }
  cierra();
  d += ": ZTFIN\r";
  return e;
}

namespace {

// t[k][i]: the remainder of byte i followed by k zero bytes, so eight bytes are taken per step.
using TablasCrc = std::array<std::array<uint32_t, 256>, 8>;

const TablasCrc& TablaCrc() {
  static const TablasCrc tablas = [] {
    TablasCrc t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i << 24;
      for (int k = 0; k < 8; ++k) c = (c & 0x80000000u) ? (c << 1) ^ 0x04C11DB7u : c << 1;
      t[0][i] = c;
    }
    for (std::size_t k = 1; k < 8; ++k)
      for (uint32_t i = 0; i < 256; ++i) t[k][i] = (t[k - 1][i] << 8) ^ t[0][t[k - 1][i] >> 24];
    return t;
  }();
  return tablas;
}

} // namespace

void CrcCksum::Agrega(std::string_view bytes) {
  const auto& t = TablaCrc();
  uint32_t crc = crc_;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t n = bytes.size();
  for (; n >= 8; n -= 8, p += 8) {
    const uint32_t a = crc ^ (uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]);
    crc = t[7][a >> 24] ^ t[6][(a >> 16) & 0xFF] ^ t[5][(a >> 8) & 0xFF] ^ t[4][a & 0xFF] ^ t[3][p[4]] ^
          t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
  }
  for (; n; --n, ++p) crc = (crc << 8) ^ t[0][((crc >> 24) ^ *p) & 0xFF];
  crc_ = crc;
  largo_ += bytes.size();
}

// The length goes in after the data, low byte first, as few bytes as it needs.
uint32_t CrcCksum::Final() const {
  const auto& t = TablaCrc();
  uint32_t crc = crc_;
  for (uint64_t n = largo_; n != 0; n >>= 8) crc = (crc << 8) ^ t[0][((crc >> 24) ^ (n & 0xFF)) & 0xFF];
  return ~crc;
}

uint32_t Cksum(std::string_view bytes) {
  CrcCksum c;
  c.Agrega(bytes);
  return c.Final();
}

} // namespace zt
