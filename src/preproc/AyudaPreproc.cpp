// The preprocessor editor's built-in help.
#include "preproc/AyudaPreproc.h"
#include "base/ArchivoTexto.h"
#include "editor/AyudaContextual.h"
#include <algorithm>
#include <system_error>

namespace zt::preproc {

namespace fs = std::filesystem;

namespace {

constexpr VistaTexto kFormatos[] = {U"dd/mm/yy'",
                                    U"dd/mm/yyyy'",
                                    U"dd/mm/yyyy hh:mi:ss'",
                                    U"dd/mm/yyyy hh24:mi:ss'",
                                    U"dd-mon-yyyy'",
                                    U"mm/dd/yyyy'",
                                    U"yyyy/mm/dd'",
                                    U"yyyy-mm-dd'",
                                    U"yyyymmdd'",
                                    U"yyyymmddhh24miss'",
                                    U"hh:mm:ss'",
                                    U"hh24:mi:ss'",
                                    U"hh:mi'"};
constexpr VistaTexto kTipos[] = {U"CHARACTER STRING", U"INTEGER"};

} // namespace

Texto ConsultaTablas(MotorSql motor) {
  switch (motor) {
  case MotorSql::SQLite:
    return U"SELECT name FROM sqlite_master WHERE type IN ('table', 'view') AND name NOT LIKE 'sqlite_%' "
           U"ORDER BY 1;";
  case MotorSql::PostgreSQL:
    return U"SELECT table_name FROM information_schema.tables WHERE table_schema NOT IN ('pg_catalog', "
           U"'information_schema') ORDER BY 1;";
  case MotorSql::ODBC: break;
  }
  // The standard catalogue, which most databases reached through ODBC answer.
  return U"SELECT TABLE_NAME FROM INFORMATION_SCHEMA.TABLES ORDER BY 1;";
}

std::vector<Texto> GuionTablas(const fs::path& lista, MotorSql motor) {
  return {U"SET FEEDBACK OFF",           U"SET PAGESIZE 50000", U"SET LINESIZE 40", U"SET HEAD OFF",
          U"SPOOL " + T(lista.string()), ConsultaTablas(motor), U"SPOOL OFF",       U"EXIT;"};
}

bool AyudaPreproc::InicAyudaContext(VistaTexto conexion) {
  std::error_code ec;
  fs::remove(Lista(), ec);
  tablas_.clear();
  leida_ = {};
  auto lineas = GuionTablas(Lista(), LeeConexion(conexion, carpeta_).motor);
  if (!EscribeArchivoTexto(Guion(), lineas, Codificacion::Utf8).empty()) return false;
  return procesos_.IniciaDesligado(ejecutor_, {"@" + Guion().string()}) != 0;
}

const std::vector<Texto>& AyudaPreproc::Tablas() {
  std::error_code ec;
  auto t = fs::last_write_time(Lista(), ec);
  if (ec) {
    tablas_.clear();
    leida_ = {};
    return tablas_;
  }
  if (t == leida_) return tablas_;
  leida_ = t;
  tablas_.clear();
  if (auto c = LeeArchivoTexto(Lista()))
    for (const Texto& l : c->lineas) {
      Texto nombre = RecortaEspacios(l);
      // An error line of the database is no table name.
      if (!nombre.empty() && !nombre.starts_with(U"ERROR:")) tablas_.push_back(std::move(nombre));
    }
  return tablas_;
}

std::vector<Texto> AyudaPreproc::Eleccion(VistaTexto contexto) {
  if (contexto.ends_with(U"'")) return {std::begin(kFormatos), std::end(kFormatos)};
  if (contexto.ends_with(U"RETURN")) return {std::begin(kTipos), std::end(kTipos)};
  ListasAyuda macros = ListasMacros();
  std::vector<VistaTexto> principal(macros.principal.begin(), macros.principal.end());
  principal.insert(principal.end(), std::begin(kTipos), std::end(kTipos));
  principal.push_back(U"DUAL");
  for (const Texto& t : Tablas()) principal.push_back(t);
  return EligeLista({principal, macros.sql}, contexto);
}

} // namespace zt::preproc
