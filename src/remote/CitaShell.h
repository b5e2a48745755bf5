// Shell command lines that every POSIX shell reads back exactly, whatever the names and texts
// hold: nothing from the user or the host can run as a command.
#pragma once
#include "base/Codec.h"
#include "base/Texto.h"
#include <cstdint>
#include <string>
#include <string_view>

namespace zt {

// Longest name accepted, in bytes: the command line must stay well inside a terminal line.
constexpr std::size_t kMaxNombreRemoto = 1024;

// Why a remote name cannot be used (empty when it can): no name, control characters (they would
// end or edit the typed line), or too long.
Texto ReglaNombreRemoto(VistaTexto nombre, Codificacion cod);

// Bytes in single quotes, ' written as '\''.
std::string CitaShell(std::string_view bytes);

// A name that passed ReglaNombreRemoto as one shell word: single-quoted; a leading "~/" or
// "~user/" stays outside the quotes so the shell still expands it; "./" goes before a relative
// name starting with "-" so no command takes it for an option.
std::string CitaNombreRemoto(VistaTexto nombre, Codificacion cod);

// What one byte of a text becomes in an argument of printf's %b inside single quotes: printable
// ASCII as itself, \ as \\, TAB as \t, line feed as \n, and ' and every other byte as \0ooo.
std::string EscapaByte(unsigned char b);

// A store types one command line that starts a reader on the host, then, once the reader said
// it is ready, the text as data lines. The reader decodes them into a private temporary file, and
// only when that file holds exactly the text (its length and checksum, given in the command) is
// the target overwritten from it, in place, so the target keeps its inode, owner, permissions and
// links. A store that breaks before (a lost connection, a time-out, a killed host) leaves the
// target as it was; the temporary file goes in every case. The text never passes through the
// shell's line editor, and every data line is a no-op command (": '...'") should a shell ever
// read it.
struct Escritura {
  std::string orden;  // the command to type (without its final CR); its status is the store's
  std::string datos;  // the data lines and the end line, each ending in CR
  uint32_t cksum = 0; // of the text, as the host's cksum gives it
};

// Bytes per typed data line: the host's terminal keeps at most 4095 of a line.
constexpr std::size_t kMaxLineaDatos = 512;

// Exit status of the store when the text did not reach the host whole: the target was not touched.
constexpr int kEstadoIncompleto = 65;

// The store of 'contenido' (the file's exact bytes) into the file named by 'nombreCitado'. The
// reader writes "ZTL" + 'marca' to the terminal when it starts reading; when the file cannot be
// written, or no temporary file can be made, it never starts, and the data must not be sent.
Escritura ComandoEscritura(std::string_view contenido, const std::string& nombreCitado,
                           const std::string& marca, std::size_t maxLinea = kMaxLineaDatos);

// The host command that reads data lines from its input up to the end line and writes the bytes
// they carry to its output; it holds no single quote.
std::string LectorDatos();

// POSIX cksum of the bytes: CRC-32 over the data and its length, complemented.
uint32_t Cksum(std::string_view bytes);
// The same, over bytes given in pieces.
class CrcCksum {
public:
  void Agrega(std::string_view bytes);
  uint32_t Final() const;
  uint64_t largo() const { return largo_; }

private:
  uint32_t crc_ = 0;
  uint64_t largo_ = 0;
};

} // namespace zt
