// The fetch, store and list commands, their marks and the reading of the host's answers.
#include "remote/TransferenciaRemota.h"
#include "base/Comodin.h"
#include <algorithm>
#include <random>

namespace zt {

namespace {

const Texto kCerrada = U"Se perdió la conexión con el host.";
const Texto kExcedido = U"La respuesta del host es demasiado grande para el editor remoto.";
const Texto kOcupado = U"Ya hay una operación remota en curso.";
const Texto kIrreconocible = U"No se reconoce la respuesta del host.";
const Texto kIncompleto = U"el texto no llegó entero al host; el archivo no se modificó.";

std::string MarcaAleatoria() {
  static std::mt19937_64 gen{std::random_device{}()};
  static const char kHex[] = "0123456789abcdef";
  uint64_t v = gen();
  std::string r;
  for (int i = 0; i < 12; ++i, v >>= 4) r += kHex[v & 15];
  return r;
}

// A mark as the host prints it ("ZTB" + token) and as the command types it, split in two
// arguments of printf so the echo of the command never shows the printed form.
std::string Imprime(const char* tipo, const std::string& marca, const char* resto = "\\n") {
  return std::string("\\printf '%s%s") + resto + "' " + tipo + " " + marca;
}

// The terminal turns each line feed of the output into CR LF.
std::string SinCR(std::string_view s) {
  std::string r;
  r.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i)
    if (!(s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) r += s[i];
  return r;
}

// The last line of what the host said, without escape sequences or control characters: the
// message of a failed command.
Texto MensajeHost(std::string_view s, Codificacion cod) {
  std::string limpio;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == 0x1B) { // ESC [ parameters final, or ESC and one character
      if (i + 1 < s.size() && s[i + 1] == '[') {
        i += 2;
        while (i < s.size() && !(s[i] >= '@' && s[i] <= '~')) ++i;
      } else {
        ++i;
      }
    } else if (c == '\n' || c >= 0x20 || c == '\t') {
      limpio += char(c);
    }
  }
  std::size_t fin = limpio.find_last_not_of(" \t\n");
  if (fin == std::string::npos) return {};
  std::size_t ini = limpio.rfind('\n', fin);
  ini = ini == std::string::npos ? 0 : ini + 1;
  std::string linea = limpio.substr(ini, std::min<std::size_t>(fin + 1 - ini, 300));
  return Decodifica(linea, cod);
}

// Up to 'n' unsigned numbers separated by blanks; how many were read.
int LeeNumeros(std::string_view s, uint64_t* v, int n) {
  int k = 0;
  std::size_t i = 0;
  while (k < n) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n')) ++i;
    if (i >= s.size() || s[i] < '0' || s[i] > '9') break;
    uint64_t x = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) x = x * 10 + uint64_t(s[i] - '0');
    v[k++] = x;
  }
  return k;
}

// The output of od -A n -t o1: octal numbers separated by blanks and line ends.
bool DesdeOctal(std::string_view s, std::string& bytes) {
  bytes.clear();
  bytes.reserve(s.size() / 4);
  unsigned v = 0;
  int digitos = 0;
  for (char c : s) {
    if (c >= '0' && c <= '7') {
      v = v * 8 + unsigned(c - '0');
      if (++digitos > 3 || v > 255) return false;
    } else if (c == ' ' || c == '\n' || c == '\t') {
      if (digitos) bytes += char(v);
      v = 0, digitos = 0;
    } else {
      return false;
    }
  }
  if (digitos) bytes += char(v);
  return true;
}

// Takes the lines of a cat's output while they arrive, so the text is ready, and its checksum
// known, when the end mark comes. It stops at the first line holding the end mark; what follows
// is left to the final reading. What it took is dropped from the received bytes, so they never
// hold the whole file.
struct LectorProgresivo {
  std::string marcaB, marcaE;
  Codificacion cod;
  std::size_t pos = 0;
  bool enContenido = false, parado = false;
  CrcCksum crc;
  std::vector<Texto> lineas;

  // Returns how many bytes it dropped from the front of 'rec'.
  std::size_t Avanza(std::string& rec) {
    Lee(rec);
    if (!enContenido || pos < kDescarte) return 0;
    const std::size_t n = pos;
    rec.erase(0, n);
    pos = 0;
    return n;
  }

  void Lee(const std::string& rec) {
    if (parado) return;
    if (!enContenido) {
      const std::size_t b = rec.find(marcaB, pos);
      const std::size_t nl = b == std::string::npos ? b : rec.find('\n', b);
      if (nl == std::string::npos) { // search again from where the mark may begin
        if (b != std::string::npos)
          pos = b;
        else if (rec.size() > marcaB.size())
          pos = rec.size() - marcaB.size();
        return;
      }
      pos = nl + 1;
      enContenido = true;
    }
    for (std::size_t nl; (nl = rec.find('\n', pos)) != std::string::npos; pos = nl + 1) {
      std::string_view linea(rec.data() + pos, nl - pos);
      if (linea.find(marcaE) != std::string_view::npos) {
        parado = true;
        return;
      }
      if (!linea.empty() && linea.back() == '\r') linea.remove_suffix(1);
      crc.Agrega(linea);
      crc.Agrega("\n");
      lineas.push_back(Decodifica(linea, cod));
    }
  }

  // The host's message when the cat failed: its last lines and what follows them up to 'fin'.
  std::string Final(const std::string& rec, std::size_t fin) const {
    std::string r;
    for (std::size_t i = lineas.size() > 3 ? lineas.size() - 3 : 0; i < lineas.size(); ++i)
      r += Codifica(lineas[i], cod) + "\n";
    return r + SinCR(std::string_view(rec).substr(pos, fin - pos));
  }

  static constexpr std::size_t kDescarte = 64 * 1024;
};

struct Ocupa {
  bool& flag;
  explicit Ocupa(bool& f) : flag(f) { flag = true; }
  ~Ocupa() { flag = false; }
};

} // namespace

TextoRemoto TextoDeBytes(std::string_view bytes, Codificacion cod) {
  TextoRemoto t;
  t.saltoFinal = !bytes.empty() && bytes.back() == '\n';
  t.lineas.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
  for (std::size_t ini = 0; ini < bytes.size();) {
    std::size_t fin = bytes.find('\n', ini);
    if (fin == std::string_view::npos) fin = bytes.size();
    t.lineas.push_back(Decodifica(bytes.substr(ini, fin - ini), cod));
    ini = fin + 1;
  }
  return t;
}

std::string BytesDeTexto(const TextoRemoto& texto, Codificacion cod) {
  std::string r;
  std::size_t total = 0;
  for (const Texto& l : texto.lineas) total += l.size() + 1;
  r.reserve(total);
  for (std::size_t i = 0; i < texto.lineas.size(); ++i) {
    if (i) r += '\n';
    Codifica(texto.lineas[i], cod, r);
  }
  if (texto.saltoFinal && !texto.lineas.empty()) r += '\n';
  return r;
}

TransferenciaRemota::TransferenciaRemota(CanalRemoto& canal) : GeneraMarca(MarcaAleatoria), canal_(canal) {}

namespace {

// The terminal is spared one whole transfer, all its commands included.
struct Muda {
  CanalRemoto& c;
  explicit Muda(CanalRemoto& canal) : c(canal) { c.VistaMuda(true); }
  ~Muda() { c.VistaMuda(false); }
};

} // namespace

// Each chunk is taken as it arrives (the fetch reads its lines, the marks are looked for in what
// is new), so the wait wakes only when a mark came, the link closed or the host fell silent.
TransferenciaRemota::Fin TransferenciaRemota::Ejecuta(const std::string& envio,
                                                      const std::vector<std::string>& marcas,
                                                      std::string& recibido, std::size_t* cual, int msExtra) {
  bool excedido = false;
  std::size_t total = 0, buscado = recibido.size();
  std::size_t llego = marcas.size();
  const auto busca = [&] {
    if (alRecibir_) {
      const std::size_t n = alRecibir_(recibido);
      buscado = buscado > n ? buscado - n : 0;
    }
    // A mark counts with the end of its line, so none of the command's output is left to show
    // in a terminal after it.
    for (std::size_t i = 0; i < marcas.size() && llego == marcas.size(); ++i) {
      const std::size_t desde = buscado >= marcas[i].size() + 2 ? buscado - marcas[i].size() - 2 : 0;
      const std::size_t p = recibido.find(marcas[i], desde);
      if (p != std::string::npos && recibido.find('\n', p + marcas[i].size()) != std::string::npos) llego = i;
    }
    buscado = recibido.size();
  };
  canal_.FijaReceptor([&](std::string_view d) {
    if (excedido || llego != marcas.size()) return;
    total += d.size();
    if (total > maxRecibido) {
      excedido = true;
      return;
    }
    recibido.append(d);
    busca();
  });
  struct Suelta {
    CanalRemoto& c;
    ~Suelta() { c.FijaReceptor(nullptr); }
  } suelta{canal_};
  canal_.Envia(envio);
  busca();
  for (;;) {
    if (llego != marcas.size()) {
      if (cual) *cual = llego;
      return Fin::Llego;
    }
    if (excedido) {
      canal_.Envia("\x03"); // stop the command that floods the terminal
      return Fin::Excedido;
    }
    if (!canal_.Conectado()) return Fin::Cerrada;
    const std::size_t antes = total;
    if (!canal_.EsperaHasta([&] { return llego != marcas.size() || excedido || !canal_.Conectado(); },
                            esperaMs + msExtra) &&
        total == antes)
      return Fin::Tiempo;
  }
}

Texto TransferenciaRemota::Falla(Fin fin) const {
  switch (fin) {
  case Fin::Tiempo: return msg_remoto::kTiempo;
  case Fin::Cerrada: return kCerrada;
  case Fin::Excedido: return kExcedido;
  case Fin::Llego: break;
  }
  return {};
}

TransferenciaRemota::Lectura TransferenciaRemota::Lee(VistaTexto nombre) {
  const Codificacion cod = canal_.CodificacionFlujo();
  if (Texto e = ReglaNombreRemoto(nombre, cod); !e.empty()) return {e, {}};
  if (!canal_.Conectado()) return {msg_remoto::kSinConexion, {}};
  if (ocupado_) return {kOcupado, {}};
  Ocupa ocupa(ocupado_);
  Muda muda(canal_);
  const std::string cita = CitaNombreRemoto(nombre, cod);
  bool reintentar = false;
  Lectura l = LeeUnaVez(nombre, cita, false, reintentar);
  if (reintentar) l = LeeUnaVez(nombre, cita, true, reintentar);
  return l;
}

TransferenciaRemota::Lectura TransferenciaRemota::LeeUnaVez(VistaTexto nombre, const std::string& cita,
                                                            bool octal, bool& reintentar) {
  reintentar = false;
  const Texto prefijo = U"No se pudo leer " + Texto(nombre) + U": ";
  const std::string m = GeneraMarca();
  const std::string orden = octal ? "\\od -A n -t o1 -v " : "\\cat ";
  const std::string comando = Imprime("ZTB", m) + "; " + orden + cita + "; " + Imprime("ZTE", m, " %s ") +
                              " \"$?\"; \\cksum < " + cita + "; " + Imprime("ZTF", m);
  std::string rec;
  const Codificacion cod = canal_.CodificacionFlujo();
  LectorProgresivo lp;
  lp.marcaB = "ZTB" + m;
  lp.marcaE = "ZTE" + m + " ";
  lp.cod = cod;
  if (!octal) alRecibir_ = [&lp](std::string& r) { return lp.Avanza(r); };
  const Fin f = Ejecuta(comando + "\r", {"ZTF" + m}, rec);
  alRecibir_ = nullptr;
  if (f != Fin::Llego) return {Falla(f), {}};
  // The last end mark before the final one: a file may hold text that looks like a mark.
  const std::string marcaE = "ZTE" + m + " ";
  const std::size_t pF = rec.rfind("ZTF" + m);
  // Where the output starts: after the start mark's line, or where the progressive reading stands.
  std::size_t ini = std::string::npos;
  if (octal) {
    const std::size_t pB = rec.find("ZTB" + m);
    ini = pB == std::string::npos ? pB : rec.find('\n', pB);
    ini = ini == std::string::npos ? ini : ini + 1;
  } else {
    lp.Lee(rec);
    if (lp.enContenido) ini = lp.pos;
  }
  const std::size_t pE = ini == std::string::npos || pF < ini ? std::string::npos : rec.rfind(marcaE, pF);
  if (pE == std::string::npos || pE < ini) return {kIrreconocible, {}};
  uint64_t num[3];
  const int n = LeeNumeros(std::string_view(rec).substr(pE + marcaE.size()), num, 3);
  if (n < 1) return {kIrreconocible, {}};
  if (num[0] != 0) {
    const std::string salida = octal ? SinCR(std::string_view(rec).substr(ini, pE - ini)) : lp.Final(rec, pE);
    Texto m2 = MensajeHost(salida, cod);
    return {prefijo + (m2.empty() ? U"el host respondió con el estado " + T(std::to_string(num[0])) : m2),
            {}};
  }
  TextoRemoto texto;
  CrcCksum crc;
  if (octal) {
    std::string bytes;
    if (!DesdeOctal(SinCR(std::string_view(rec).substr(ini, pE - ini)), bytes)) return {kIrreconocible, {}};
    crc.Agrega(bytes);
    texto = TextoDeBytes(bytes, cod);
  } else {
    // What the progressive reading left: the last line when it has no line end (the mark follows
    // it on the same line), or nothing.
    const std::string resto = SinCR(std::string_view(rec).substr(lp.pos, pE - lp.pos));
    crc = lp.crc;
    crc.Agrega(resto);
    texto.lineas = std::move(lp.lineas);
    TextoRemoto cola = TextoDeBytes(resto, cod);
    texto.saltoFinal = resto.empty() ? !texto.lineas.empty() : cola.saltoFinal;
    for (Texto& l : cola.lineas) texto.lineas.push_back(std::move(l));
  }
  // A host without cksum gives no numbers: the text is taken as it came.
  if (n == 3 && (num[1] != crc.Final() || num[2] != crc.largo())) {
    if (!octal) {
      reintentar = true;
      return {};
    }
    return {prefijo + U"el archivo cambió mientras se leía.", {}};
  }
  return {{}, std::move(texto)};
}

Texto TransferenciaRemota::Guarda(VistaTexto nombre, const TextoRemoto& texto) {
  const Codificacion cod = canal_.CodificacionFlujo();
  if (Texto e = ReglaNombreRemoto(nombre, cod); !e.empty()) return e;
  if (!canal_.Conectado()) return msg_remoto::kSinConexion;
  if (ocupado_) return kOcupado;
  Ocupa ocupa(ocupado_);
  Muda muda(canal_);
  const std::string cita = CitaNombreRemoto(nombre, cod);
  const std::string bytes = BytesDeTexto(texto, cod);
  const std::string m = GeneraMarca();
  const Escritura e = ComandoEscritura(bytes, cita, m, maxLineaDatos);
  const std::string comando =
      e.orden + "; " + Imprime("ZTS", m, " %s ") + " \"$?\"; \\cksum < " + cita + "; " + Imprime("ZTF", m);
  // The text goes only to a reader that said it is reading: when the file cannot be written the
  // reader never starts, and the shell itself must not get the data.
  std::string rec;
  std::size_t cual = 0;
  Fin f = Ejecuta(comando + "\r", {"ZTL" + m, "ZTF" + m}, rec, &cual);
  if (f == Fin::Llego && cual == 0)
    // The host says nothing while it takes the data: allow for a slow link (64 KB/s).
    f = Ejecuta(e.datos, {"ZTF" + m}, rec, nullptr, int(std::min<std::size_t>(e.datos.size() / 64, 3600000)));
  if (f != Fin::Llego) {
    // A reader left waiting would take what is typed next as data: stop it (the target stays).
    if (f == Fin::Tiempo) canal_.Envia("\x03");
    return Falla(f);
  }
  const std::string marcaS = "ZTS" + m + " ";
  const std::size_t pS = rec.find(marcaS);
  if (pS == std::string::npos) return kIrreconocible;
  uint64_t num[3];
  const int n = LeeNumeros(std::string_view(rec).substr(pS + marcaS.size()), num, 3);
  if (n < 1) return kIrreconocible;
  const Texto prefijo = U"No se pudo guardar " + Texto(nombre) + U": ";
  if (num[0] == uint64_t(kEstadoIncompleto)) return prefijo + kIncompleto;
  if (num[0] != 0) {
    // The host's words since the reader started (before it, those of the command line).
    const std::size_t pL = rec.rfind("ZTL" + m, pS);
    const std::size_t desde = pL == std::string::npos ? 0 : std::min(rec.find('\n', pL), pS);
    Texto m2 = MensajeHost(std::string_view(rec).substr(desde, pS - desde), cod);
    return prefijo + (m2.empty() ? U"el host respondió con el estado " + T(std::to_string(num[0])) : m2);
  }
  if (n == 3 && (num[1] != e.cksum || num[2] != bytes.size()))
    return prefijo + U"el archivo del host no coincide con el texto enviado.";
  return {};
}

TransferenciaRemota::Listado TransferenciaRemota::Lista() {
  if (!canal_.Conectado()) return {msg_remoto::kSinConexion, {}};
  if (ocupado_) return {kOcupado, {}};
  Ocupa ocupa(ocupado_);
  Muda muda(canal_);
  const std::string m = GeneraMarca();
  // Through a pipe ls writes the names as they are (to a terminal it may quote them).
  const std::string comando =
      Imprime("ZTB", m) + "; { \\ls -1 || " + Imprime("ZTX", m) + "; } 2>&1 | \\cat; " + Imprime("ZTF", m);
  std::string rec;
  if (Fin f = Ejecuta(comando + "\r", {"ZTF" + m}, rec); f != Fin::Llego) return {Falla(f), {}};
  const std::size_t pB = rec.find("ZTB" + m);
  const std::size_t ini = pB == std::string::npos ? pB : rec.find('\n', pB);
  const std::size_t pF = ini == std::string::npos ? ini : rec.find("ZTF" + m, ini + 1);
  if (pF == std::string::npos) return {kIrreconocible, {}};
  std::string contenido = SinCR(std::string_view(rec).substr(ini + 1, pF - ini - 1));
  const Codificacion cod = canal_.CodificacionFlujo();
  if (const std::size_t pX = contenido.find("ZTX" + m); pX != std::string::npos)
    return {U"No se pudo listar la carpeta: " + MensajeHost(contenido.substr(0, pX), cod), {}};
  Listado l;
  for (const Texto& linea : TextoDeBytes(contenido, cod).lineas)
    if (!CoincideComodin(Mayusculas(linea), U"YOU HAVE MAIL*")) l.entradas.push_back(linea);
  return l;
}

} // namespace zt
