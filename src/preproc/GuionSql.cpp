// Query scripts: the connection text, the script reader, the spool format and the runner.
#include "preproc/GuionSql.h"
#include "base/ArchivoTexto.h"
#include "preproc/SentenciasSql.h"
#include <algorithm>
#include <fstream>

namespace zt::preproc {

namespace fs = std::filesystem;

namespace {

bool EmpiezaCon(VistaTexto s, VistaTexto prefijo) {
  return s.size() >= prefijo.size() && Mayusculas(s.substr(0, prefijo.size())) == prefijo;
}

Texto Recorta(VistaTexto s) {
  size_t a = 0, b = s.size();
  while (a < b && (s[a] == U' ' || s[a] == U'\t')) ++a;
  while (b > a && (s[b - 1] == U' ' || s[b - 1] == U'\t')) --b;
  return Texto(s.substr(a, b - a));
}

// The first word upper-cased, and the rest trimmed.
Texto PrimeraPalabra(VistaTexto linea, Texto& resto) {
  Texto t = Recorta(linea);
  size_t fin = 0;
  while (fin < t.size() && t[fin] != U' ' && t[fin] != U'\t') ++fin;
  resto = Recorta(VistaTexto(t).substr(fin));
  return Mayusculas(VistaTexto(t).substr(0, fin));
}

Texto SinComillas(Texto s) {
  if (s.size() >= 2 && s.front() == U'"' && s.back() == U'"') return s.substr(1, s.size() - 2);
  return s;
}

fs::path RutaSqlite(VistaTexto base, const fs::path& carpeta) {
  fs::path p = base.empty() ? fs::path(kBaseSqliteDefecto) : fs::path(U8(base));
  return p.is_absolute() ? p : carpeta / p;
}

} // namespace

DatosConexion LeeConexion(VistaTexto texto, const fs::path& carpeta) {
  DatosConexion d;
  Texto t = Recorta(texto);
  size_t arroba = t.rfind(U'@');
  Texto credenciales = arroba == Texto::npos ? t : t.substr(0, arroba);
  Texto base = arroba == Texto::npos ? Texto() : Recorta(VistaTexto(t).substr(arroba + 1));
  size_t barra = credenciales.find(U'/');
  d.usuario = credenciales.substr(0, barra);
  if (barra != Texto::npos) d.clave = credenciales.substr(barra + 1);
  if (EmpiezaCon(base, U"PG:")) {
    d.motor = MotorSql::PostgreSQL;
    Texto resto = base.substr(3);
    size_t ultima = resto.rfind(U'/');
    d.base = ultima == Texto::npos ? resto : resto.substr(ultima + 1);
    if (ultima != Texto::npos) {
      d.host = resto.substr(0, ultima);
      size_t dosPuntos = d.host.rfind(U':');
      if (dosPuntos != Texto::npos) {
        Texto num = d.host.substr(dosPuntos + 1);
        if (!num.empty() &&
            std::all_of(num.begin(), num.end(), [](char32_t c) { return c >= U'0' && c <= U'9'; })) {
          d.puerto = std::stoi(U8(num.substr(0, 6)));
          d.host.resize(dosPuntos);
        }
      }
    }
  } else if (EmpiezaCon(base, U"ODBC:")) {
    d.motor = MotorSql::ODBC;
    d.base = base.substr(5);
  } else {
    if (EmpiezaCon(base, U"SQLITE:")) base = base.substr(7);
    d.base = T(RutaSqlite(base, carpeta).string());
  }
  return d;
}

Texto ConexionAbsoluta(VistaTexto texto, const fs::path& carpeta) {
  DatosConexion d = LeeConexion(texto, carpeta);
  if (d.motor != MotorSql::SQLite) return Texto(texto);
  Texto t = Recorta(texto);
  size_t arroba = t.rfind(U'@');
  Texto credenciales = arroba == Texto::npos ? Texto(U"/") : t.substr(0, arroba);
  return credenciales + U"@" + d.base;
}

std::vector<OrdenGuion> LeeGuion(VistaTexto texto) { return LeeGuion(PartirLineas(texto)); }

std::vector<OrdenGuion> LeeGuion(const std::vector<Texto>& lineas) {
  std::vector<OrdenGuion> r;
  TroceadorSql trozos;
  std::vector<Texto> hechas;
  auto vuelca = [&] {
    for (Texto& s : hechas) r.push_back({OrdenGuion::Tipo::Sentencia, std::move(s), {}});
    hechas.clear();
  };
  for (const Texto& linea : lineas) {
    if (Recorta(linea) == U"/") {
      trozos.Cierra(hechas);
      vuelca();
      continue;
    }
    Texto resto;
    Texto palabra = PrimeraPalabra(linea, resto);
    const bool salir = palabra == U"EXIT" || palabra == U"EXIT;" || palabra == U"QUIT" || palabra == U"QUIT;";
    if (trozos.Dentro() || (trozos.Abierta() && !salir && palabra != U"SPOOL")) {
      trozos.Linea(linea, hechas);
      vuelca();
      continue;
    }
    trozos.Cierra(hechas); // a statement its author forgot to end
    vuelca();
    if (palabra.empty() || palabra.starts_with(U"--") || palabra == U"REM" || palabra == U"REMARK") continue;
    if (palabra == U"SPOOL") {
      Texto nombre = SinComillas(resto);
      if (Mayusculas(nombre) == U"OFF")
        r.push_back({OrdenGuion::Tipo::SpoolOff, {}, {}});
      else if (!nombre.empty())
        r.push_back({OrdenGuion::Tipo::Spool, nombre, {}});
      continue;
    }
    if (palabra == U"SET") {
      Texto valor;
      Texto opcion = PrimeraPalabra(resto, valor);
      if (!valor.empty() && valor.back() == U';') valor.pop_back();
      r.push_back({OrdenGuion::Tipo::Set, opcion, Mayusculas(Recorta(valor))});
      continue;
    }
    if (salir) {
      r.push_back({OrdenGuion::Tipo::Salir, {}, {}});
      return r;
    }
    trozos.Linea(linea, hechas);
    vuelca();
  }
  trozos.Cierra(hechas);
  vuelca();
  return r;
}

std::vector<Texto> FormateaResultado(const ResultadoSql& r, const OpcionesSalida& op) {
  std::vector<Texto> lineas;
  auto fin = [&](Texto s) {
    if (op.recortar)
      while (!s.empty() && s.back() == U' ') s.pop_back();
    lineas.push_back(std::move(s));
  };
  if (!r.ok) {
    // One line: breaks and runs of blanks become one blank; the database's own "ERROR:" is not
    // repeated.
    Texto m;
    for (char32_t c : r.error) {
      if (c == U'\r' || c == U'\n' || c == U'\t') c = U' ';
      if (c != U' ' || (!m.empty() && m.back() != U' ')) m += c;
    }
    m = Recorta(m);
    if (Mayusculas(VistaTexto(m).substr(0, 6)) == U"ERROR:") m = Recorta(VistaTexto(m).substr(6));
    lineas.push_back(U"ERROR: " + m);
    return lineas;
  }
  if (!r.consulta) return lineas;
  const size_t n = r.columnas.size();
  std::vector<size_t> ancho(n, 0);
  std::vector<bool> numerica(n, true);
  for (size_t c = 0; c < n; ++c)
    if (op.cabecera) ancho[c] = r.columnas[c].size();
  for (const auto& fila : r.filas)
    for (size_t c = 0; c < n && c < fila.size(); ++c) {
      ancho[c] = std::max(ancho[c], fila[c].texto.size());
      if (!fila[c].nulo && !fila[c].numero) numerica[c] = false;
    }
  auto celda = [&](Texto& linea, size_t c, VistaTexto s, bool derecha) {
    if (c > 0) linea += U' ';
    Texto relleno(ancho[c] - std::min(ancho[c], s.size()), U' ');
    linea += derecha ? relleno + Texto(s) : Texto(s) + relleno;
  };
  if (op.cabecera && !r.filas.empty()) {
    Texto nombres, rayas;
    for (size_t c = 0; c < n; ++c) {
      celda(nombres, c, r.columnas[c], numerica[c]);
      celda(rayas, c, Texto(ancho[c], U'-'), false);
    }
    fin(nombres);
    fin(rayas);
  }
  for (const auto& fila : r.filas) {
    Texto linea;
    for (size_t c = 0; c < n; ++c)
      celda(linea, c, c < fila.size() && !fila[c].nulo ? fila[c].texto : Texto(), numerica[c]);
    fin(linea);
  }
  if (r.cortado) lineas.push_back(T("ERROR: respuesta demasiado grande; se omiten las filas restantes"));
  if (op.aviso) {
    if (r.filas.empty())
      lineas.push_back(U"no rows selected");
    else
      lineas.push_back(
          T(std::to_string(r.filas.size()) + (r.filas.size() == 1 ? " row selected." : " rows selected.")));
  }
  return lineas;
}

void EjecutorGuion::Escribe(const Texto& linea) {
  if (spoolAbierto_) {
    bytes_ += U8(linea);
    bytes_ += "\r\n";
  } else if (pantalla) {
    pantalla(linea);
  }
}

std::string EjecutorGuion::CierraSpool() {
  if (!spoolAbierto_) return {};
  spoolAbierto_ = false;
  // A spool is read back at once and never kept: no flush to disk.
  std::string fallo = EscribeBytes(spool_, bytes_, false);
  bytes_.clear();
  return fallo.empty() ? fallo : spool_.string() + ": " + fallo;
}

std::string EjecutorGuion::Ejecuta(const std::vector<OrdenGuion>& guion) {
  std::string fallo;
  auto anota = [&](std::string f) {
    if (fallo.empty()) fallo = std::move(f);
  };
  for (const OrdenGuion& o : guion) {
    switch (o.tipo) {
    case OrdenGuion::Tipo::Spool: {
      anota(CierraSpool());
      fs::path p(U8(o.texto));
      if (!p.has_extension()) p += ".lst";
      spool_ = p;
      spoolAbierto_ = true;
      break;
    }
    case OrdenGuion::Tipo::SpoolOff: anota(CierraSpool()); break;
    case OrdenGuion::Tipo::Set: {
      bool si = o.valor != U"OFF" && o.valor != U"0";
      if (o.texto == U"HEAD" || o.texto == U"HEADING")
        op_.cabecera = si;
      else if (o.texto == U"FEED" || o.texto == U"FEEDBACK")
        op_.aviso = si;
      else if (o.texto == U"TRIMS" || o.texto == U"TRIMSPOOL")
        op_.recortar = si;
      break; // PAGESIZE, LINESIZE, NEWPAGE and the rest change nothing here
    }
    case OrdenGuion::Tipo::Sentencia:
      for (const Texto& l : FormateaResultado(base_.Ejecuta(o.texto, kLimiteRespuesta), op_)) Escribe(l);
      break;
    case OrdenGuion::Tipo::Salir: anota(CierraSpool()); return fallo;
    }
  }
  anota(CierraSpool());
  return fallo;
}

int EjecutaArchivoGuion(const fs::path& guion, const Texto& conexion, const fs::path& carpeta,
                        BaseDatos& base, const std::function<void(const Texto&)>& pantalla, Texto& errores) {
  auto contenido = LeeArchivoTexto(guion);
  if (!contenido) {
    errores = T("No se encuentra archivo: ") + T(guion.string());
    return 2;
  }
  Texto error;
  if (!base.Conecta(LeeConexion(conexion, carpeta), error)) {
    errores = T("No se puede conectar con la base de datos: ") + error;
    return 3;
  }
  EjecutorGuion e(base);
  e.pantalla = pantalla;
  std::string fallo = e.Ejecuta(LeeGuion(contenido->lineas));
  if (!fallo.empty()) {
    errores = T("Error escribiendo en archivo: ") + T(fallo);
    return 4;
  }
  return 0;
}

bool EsGuionSql(const fs::path& archivo) {
  std::ifstream f(archivo, std::ios::binary);
  char buf[6] = {};
  if (!f.read(buf, 6)) return false;
  std::string s(buf, 6);
  for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  if (s.starts_with("\xEF\xBB\xBF")) { // a byte-order mark before the first line
    char mas[3] = {};
    f.read(mas, 3);
    s = s.substr(3) + std::string(mas, 3);
    for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  }
  return s == "SPOOL ";
}

} // namespace zt::preproc
