#include "platform/DestinoSsh.h"
#include <cctype>

namespace zt {

DestinoSsh LeeDestinoSsh(std::string_view texto) {
  DestinoSsh d;
  if (!EsDireccionSsh(texto)) {
    d.error = "no es una dirección ssh://";
    return d;
  }
  std::string_view resto = texto.substr(kEsquemaSsh.size());
  while (!resto.empty() && resto.back() == '/') resto.remove_suffix(1);
  if (const auto arroba = resto.rfind('@'); arroba != std::string_view::npos) {
    d.usuario = resto.substr(0, arroba);
    resto.remove_prefix(arroba + 1);
    if (d.usuario.empty()) d.error = "falta el usuario antes de '@'";
  }
  std::string_view puerto;
  bool hayPuerto = false;
  if (!resto.empty() && resto.front() == '[') {
    const auto cierra = resto.find(']');
    if (cierra == std::string_view::npos) {
      d.error = "falta ']' en la dirección IPv6";
      return d;
    }
    d.host = resto.substr(1, cierra - 1);
    resto.remove_prefix(cierra + 1);
    if (!resto.empty() && resto.front() != ':') d.error = "texto de más tras ']'";
    if (!resto.empty()) puerto = resto.substr(1), hayPuerto = true;
  } else if (const auto dos = resto.find(':'); dos != std::string_view::npos) {
    d.host = resto.substr(0, dos);
    puerto = resto.substr(dos + 1);
    hayPuerto = true;
  } else {
    d.host = resto;
  }
  if (d.host.empty() && d.error.empty()) d.error = "falta el host";
  if (hayPuerto) {
    unsigned long n = 0;
    bool bien = !puerto.empty() && puerto.size() <= 5;
    for (char c : puerto) bien = bien && c >= '0' && c <= '9', n = n * 10 + unsigned(c - '0');
    if (!bien || n < 1 || n > 65535) {
      if (d.error.empty()) d.error = "puerto no válido: '" + std::string(puerto) + "' (1 a 65535)";
    } else {
      d.puerto = uint16_t(n);
      d.puertoDado = true;
    }
  }
  if (d.error.empty() && d.host.find_first_of(" \t/@") != std::string::npos) d.error = "host no válido: " + d.host;
  return d;
}

bool NombreReservadoInvalido(std::string host) {
  while (!host.empty() && host.back() == '.') host.pop_back();
  for (char& c : host) c = char(std::tolower(static_cast<unsigned char>(c)));
  return host == "invalid" || (host.size() > 8 && host.compare(host.size() - 8, 8, ".invalid") == 0);
}

std::string DireccionSsh(const DestinoSsh& d) {
  std::string s(kEsquemaSsh);
  if (!d.usuario.empty()) s += d.usuario + "@";
  s += d.host.find(':') != std::string::npos ? "[" + d.host + "]" : d.host;
  if (d.puertoDado || d.puerto != 22) s += ":" + std::to_string(d.puerto);
  return s;
}

} // namespace zt
