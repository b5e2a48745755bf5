// ZTelnet's command line: switches, plain arguments told apart by their form, and the usage text.
#pragma once
#include "base/Texto.h"
#include <vector>

namespace zt {

struct LineaComandosZT {
  bool MostrarErrores = true; // "/NOERROR" clears it, "/ERROR" sets it
  bool SalirAlTerminar = false;
  Texto HostInicial; // "host", "host:port" or "ssh://[user@]host[:port]"
  bool AceptarClave = false; // "/ACEPTAR_CLAVE": a run with no display accepts an unknown SSH host key
  Texto ArchivoMacro;
  Texto ArchRegistroInicial;
};

struct LecturaLinea {
  LineaComandosZT valores;
  // Boxes to show in order when the line cannot be used (an unknown switch or word, a port that
  // is not 1..65535), the last one the usage text; the program then ends.
  std::vector<Texto> mensajes;
  // A run-time error's description (an unclosed quote): shown, the rest skipped, the program runs on.
  Texto errorEjecucion;
  bool Termina() const { return !mensajes.empty(); }
};

// Reads the program's arguments. Each argument is one word as the shell passed it: a switch's value
// is the rest of the word ("/M=/tmp/a b.zkv"), or a quoted string when it starts with a quote
// ('/M="/tmp/a b.zkv"'), so paths with blanks arrive whole either way.
LecturaLinea LeeLineaComandos(const std::vector<Texto>& argumentos);

// The usage text shown after an argument that is not recognised.
Texto TextoUso();

// Whether the program ends once the command line has been acted on: /SALIR, and also a macro run
// where nobody can see the window ('nadieMira'), who could neither use nor close it afterwards.
inline bool TerminaTrasLinea(const LineaComandosZT& l, bool nadieMira) {
  return l.SalirAlTerminar || (nadieMira && !l.ArchivoMacro.empty());
}

struct HostPuerto {
  Texto host;
  int puerto = 23;
};
// "host:port" (the port 1..65535, after the first ":") or "host" with port 23. A port that is not
// a number, or outside that range, throws ErrorEjecucion.
HostPuerto SeparaHostPuerto(VistaTexto hostInicial);

} // namespace zt
