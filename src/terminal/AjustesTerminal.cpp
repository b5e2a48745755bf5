// Ports, host history and line-count check of the terminal's dialogs.
#include "terminal/AjustesTerminal.h"
#include "base/Numeros.h"
#include <algorithm>

namespace zt {

int PuertoDeTexto(VistaTexto texto) {
  const Texto t = Mayusculas(RecortaEspacios(texto));
  if (t == U"TELNET") return 23;
  if (t == U"FTP") return 21;
  if (t.empty() || t.size() > 5) return 0;
  int puerto = 0;
  for (char32_t c : t) {
    if (c < U'0' || c > U'9') return 0;
    puerto = puerto * 10 + int(c - U'0');
  }
  return puerto <= 65535 ? puerto : 0;
}

void RecuerdaHost(std::vector<Texto>& HistorialHosts, const Texto& host) {
  if (std::find(HistorialHosts.begin(), HistorialHosts.end(), host) == HistorialHosts.end())
    HistorialHosts.push_back(host);
  if (HistorialHosts.size() > MaxHistorialHosts)
    HistorialHosts.erase(HistorialHosts.begin(), HistorialHosts.end() - MaxHistorialHosts);
}

std::optional<int16_t> LeeLineasTerm(VistaTexto texto) {
  const double n = LeeNumero(texto);
  if (!(n >= MinLineasTerm && n <= MaxLineasTermPermitido)) return std::nullopt;
  return static_cast<int16_t>(RedondeaPar(n));
}

} // namespace zt
