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

// What one byte of a text becomes inside the single-quoted argument of printf's %b: printable
// ASCII as itself, \ as \\, ' as '\'', TAB as \t, ! and ^ (history expansion) and every other
// byte as \0ooo. A line feed is not handled here.
std::string EscapaByte(unsigned char b);

// Limits of the store command: bytes per typed line (the host's terminal keeps at most 4095 of a
// line) and bytes per printf argument (a shell whose printf is a program passes it through exec).
struct LimitesComando {
  std::size_t linea = 512;
  std::size_t trozo = 32768;
};

// The typed lines, joined by CR, of a command that writes 'contenido' (the file's exact bytes) to
// the file: { printf '%b' '...' && printf '%b' '...'; } > name. Each LF of the content is a line
// break inside the quotes; long lines are cut into quoted pieces joined by backslash-newline.
std::string ComandoEscritura(std::string_view contenido, const std::string& nombreCitado,
                             LimitesComando limites = {});

// POSIX cksum of the bytes: CRC-32 over the data and its length, complemented.
uint32_t Cksum(std::string_view bytes);

} // namespace zt
