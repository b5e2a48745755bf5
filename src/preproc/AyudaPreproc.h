// The built-in help of Quillon's editor: macro templates, date formats, type names and the table
// names of the user's database, which a script run by the query command lists into "lista.lst".
#pragma once
#include "base/Texto.h"
#include "platform/Processes.h"
#include "preproc/GuionSql.h"
#include <filesystem>
#include <vector>

namespace zt::preproc {

class AyudaPreproc {
public:
  // 'carpeta' holds listar.sql and lista.lst; 'ejecutor' is the query command (ztsql).
  AyudaPreproc(Processes& procesos, std::filesystem::path carpeta, std::string ejecutor)
      : procesos_(procesos), carpeta_(std::move(carpeta)), ejecutor_(std::move(ejecutor)) {}

  // Writes listar.sql for the connection's kind of database and starts the query command on it
  // without waiting; the old list is removed first, so no names of another database linger.
  // The connection reaches the command through its environment. False when it could not start.
  bool InicAyudaContext(VistaTexto conexion);

  // The list for a normalised context: date formats after an apostrophe, type names after RETURN,
  // else the SQL-function and template rules with the table names among the templates.
  std::vector<Texto> Eleccion(VistaTexto contexto);
  // The table names of lista.lst, read again when the file changed.
  const std::vector<Texto>& Tablas();

  std::filesystem::path Guion() const { return carpeta_ / "listar.sql"; }
  std::filesystem::path Lista() const { return carpeta_ / "lista.lst"; }

private:
  Processes& procesos_;
  std::filesystem::path carpeta_;
  std::string ejecutor_;
  std::vector<Texto> tablas_;
  std::filesystem::file_time_type leida_{};
};

// The query listing the tables, in the dialect of each kind of database.
Texto ConsultaTablas(MotorSql motor);
// The script of the table list: settings, spool to 'lista', the query, SPOOL OFF and EXIT.
std::vector<Texto> GuionTablas(const std::filesystem::path& lista, MotorSql motor);

} // namespace zt::preproc
