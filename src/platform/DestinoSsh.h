// An SSH address as the user writes it wherever a host is asked for: "ssh://[user@]host[:port]".
// A host without the scheme is a Telnet host.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zt {

struct DestinoSsh {
  std::string usuario; // empty: the local user's name
  std::string host;    // brackets of an IPv6 literal removed
  uint16_t puerto = 22;
  bool puertoDado = false; // the address names its port
  std::string error;   // why the address cannot be read; the rest is then meaningless
};

inline constexpr std::string_view kEsquemaSsh = "ssh://";

inline bool EsDireccionSsh(std::string_view texto) {
  if (texto.size() < kEsquemaSsh.size()) return false;
  for (std::size_t i = 0; i < kEsquemaSsh.size(); ++i)
    if ((texto[i] | 0x20) != kEsquemaSsh[i]) return false; // the scheme in any case
  return true;
}

DestinoSsh LeeDestinoSsh(std::string_view texto);

// A name under the reserved top-level domain "invalid", which never resolves: both sockets fail
// it at once, without asking any name server.
bool NombreReservadoInvalido(std::string host);

// The address back in its written form; the port only when it is not 22.
std::string DireccionSsh(const DestinoSsh& d);

} // namespace zt
