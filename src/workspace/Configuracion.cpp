// The settings file "ztelnet.ini": tagged lines of TAB-separated fields, with a ".bak" of the last run.
#include "workspace/Configuracion.h"
#include "base/ArchivoTexto.h"
#include "base/Codec.h"
#include "base/Error.h"
#include "base/Numeros.h"
#include "base/Tipos.h"
#include "workspace/Archivos.h"
#include "workspace/ReglasVentana.h"
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <system_error>

namespace zt {

namespace fs = std::filesystem;

namespace {

// The text from the 1-based character 'desde' on; empty when the line is shorter.
VistaTexto Desde(VistaTexto s, size_t desde) {
  return desde - 1 < s.size() ? s.substr(desde - 1) : VistaTexto();
}

const Texto& Campo(const std::vector<Texto>& campos, size_t i) {
  if (i >= campos.size()) throw ErrorEjecucion(CodigoError::SubindiceFuera);
  return campos[i];
}

// A width as the window keeps it: a single-precision number.
float LeeSimple(VistaTexto s) {
  double v = LeeNumero(s);
  if (!std::isfinite(v) || std::fabs(v) > FLT_MAX) throw ErrorEjecucion(CodigoError::Desbordamiento);
  return static_cast<float>(v);
}

void LeeTer(AjustesZTelnet& a, VistaTexto linea) {
  const auto campos = PartirCampos(linea);
  bool esNumero = false;
  double lineas = LeeNumero(Campo(campos, 1), &esNumero);
  if (!esNumero) throw ErrorEjecucion(CodigoError::TiposNoCoinciden);
  lineas = RedondeaPar(lineas);
  // A size the terminal cannot sensibly keep leaves the one in force.
  if (lineas >= MinLineasTerm && lineas <= MaxLineasTermPermitido)
    a.MaxLineasTerm = static_cast<int16_t>(lineas);
  a.DetPromptActiva = LeeBool(Campo(campos, 4));
  a.PatIniPrompt = DesescapaTexto(Campo(campos, 5));
  a.PatFinPrompt = DesescapaTexto(Campo(campos, 6));
  a.TeclasInterceptadas = AEntero16(LeeNumero(Campo(campos, 7)));
}

void AgregaHost(std::vector<Texto>& hosts, Texto host) {
  hosts.push_back(std::move(host));
  if (hosts.size() > MaxHistorialHosts) hosts.erase(hosts.begin(), hosts.end() - MaxHistorialHosts);
}

// UTF-8, unless a value holds a raw byte from the host: the whole file would then read back as
// Windows-1252 and garble every other accent, so it is written in that code page when it can be.
Codificacion CodificacionPara(const std::vector<Texto>& lineas) {
  bool bytesSueltos = false;
  for (const Texto& l : lineas)
    for (char32_t c : l) {
      if (CodigoCp1252(c) < 0) return Codificacion::Utf8;
      bytesSueltos = bytesSueltos || (c >= 0xDC80 && c <= 0xDCFF);
    }
  return bytesSueltos ? Codificacion::Cp1252 : Codificacion::Utf8;
}

} // namespace

Texto CadPropiedades(const AjustesVentana& v) {
  return TextoBool(v.verPanCom) + U"\t" + TextoSimple(v.anchoPanCom) + U"\t\t" + TextoBool(v.verPanMac) +
         U"\t" + TextoSimple(v.anchoPanMac) + U"\t\t";
}

void LeePropiedades(AjustesVentana& v, VistaTexto s) {
  const auto campos = PartirCampos(s);
  v.verPanCom = LeeBool(Campo(campos, 0));
  v.anchoPanCom = LeeSimple(Campo(campos, 1));
  v.verPanMac = LeeBool(Campo(campos, 3));
  v.anchoPanMac = LeeSimple(Campo(campos, 4));
}

std::vector<Texto> Configuracion::Lineas(const AjustesZTelnet& a) {
  std::vector<Texto> r;
  r.push_back(U"[VER]\t" + NombrePrograma() + U"\t\t");
  r.push_back(U"[APP]\t" + CadPropiedades(a.ventana));
  r.push_back(U"[TER]\t" + TextoNumero(a.MaxLineasTerm, 7) + U"\t\t\t" + TextoBool(a.DetPromptActiva) +
              U"\t" + EscapaTexto(a.PatIniPrompt) + U"\t" + EscapaTexto(a.PatFinPrompt) + U"\t" +
              TextoNumero(a.TeclasInterceptadas, 7) + U"\t\t\t");
  for (const Texto& host : a.HistorialHosts) r.push_back(U"[CNX]\t" + host + U"\t\t\t\t");
  r.push_back(U"[TERVER]\t" + CadPropiedades(a.propTerminal));
  r.push_back(U"[PANCOM]\t" + CadPropiedades(a.propComandos));
  return r;
}

void Configuracion::LeeLinea(AjustesZTelnet& a, VistaTexto linea) {
  if (linea.starts_with(U"[APP]")) {
    LeePropiedades(a.ventana, Desde(linea, 7));
  } else if (linea.starts_with(U"[TER]")) {
    LeeTer(a, linea);
  } else if (linea.starts_with(U"[CNX]")) {
    AgregaHost(a.HistorialHosts, Campo(PartirCampos(linea), 1));
  } else if (linea.starts_with(U"[TERVER]")) {
    LeePropiedades(a.propTerminal, Desde(linea, 10));
  } else if (linea.starts_with(U"[PANCOM]")) {
    LeePropiedades(a.propComandos, Desde(linea, 10));
  }
}

bool Configuracion::Lee(AjustesZTelnet& a) {
  Texto linea;
  try {
    auto contenido = LeeArchivoTexto(ArchConfig);
    if (!contenido) throw ErrorEjecucion(CodigoError::ArchivoNoEncontrado);
    for (const Texto& l : contenido->lineas) {
      linea = l;
      LeeLinea(a, linea);
    }
  } catch (const ErrorEjecucion& e) {
    MensajeError = T("Error leyendo archivo ") + T(ArchConfig.string()) + U"\r\n" + T("Error procesando: ") +
                   linea + U"\r\n(" + e.descripcion() + U")";
    return false;
  }
  return true;
}

bool Configuracion::Lee(AjustesZTelnet& a, const fs::path& CarpetaMacros, const fs::path& CarpetaScripts,
                        MenusFrecuentes& menus) {
  if (!Lee(a)) return false;
  menus.macros = ArchivosConExtension(CarpetaMacros, U".zkv");
  menus.comandos = ArchivosConExtension(CarpetaScripts, U".sh");
  return true;
}

bool Configuracion::Escribe(const AjustesZTelnet& a) {
  const auto lineas = Lineas(a);
  switch (EscribeConRespaldo(ArchConfig, lineas, CodificacionPara(lineas))) {
  case EscrituraRespaldada::Hecha: return true;
  case EscrituraRespaldada::SoloLectura:
    MensajeError = T("Error. Archivo de configuración es de sólo lectura");
    return false;
  case EscrituraRespaldada::Fallida: break;
  }
  MensajeError = T("Error escribiendo en archivo: ") + T(ArchConfig.string());
  return false;
}

std::vector<Texto> ArchivosConExtension(const fs::path& carpeta, VistaTexto extension) {
  std::vector<Texto> r;
  std::error_code ec;
  const Texto ext = Mayusculas(extension);
  for (fs::directory_iterator it(carpeta, ec), fin; !ec && it != fin; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    Texto nombre = T(it->path().filename().string());
    if (nombre.size() > ext.size() && Mayusculas(nombre).ends_with(ext)) r.push_back(std::move(nombre));
  }
  std::sort(r.begin(), r.end());
  return r;
}

} // namespace zt
