// BaseDatos over Qt's SQL module: SQLite, PostgreSQL or ODBC as the connection says.
#pragma once
#include "preproc/GuionSql.h"
#include <QString>
#include <optional>
#include <string>

namespace zt::preproc {

class BaseDatosQt : public BaseDatos {
public:
  BaseDatosQt();
  ~BaseDatosQt() override;
  BaseDatosQt(const BaseDatosQt&) = delete;
  BaseDatosQt& operator=(const BaseDatosQt&) = delete;

  bool Conecta(const DatosConexion& datos, Texto& error) override;
  ResultadoSql Ejecuta(const Texto& sentencia, size_t limiteBytes) override;

private:
  QString nombre_; // this object's own connection in Qt's registry
};

// Runs the script file against the connection text (the environment's when empty) and returns the
// exit status; errors go to standard error and the lines without a spool to standard output.
int EjecutaGuionSql(const std::string& guion, const std::string& conexion = {});

// The file of a "/M=" argument (any case, quotes removed) when it is a query script rather than a
// macro: what the terminal program runs with EjecutaGuionSql before opening any window.
std::optional<std::string> GuionSqlEnArgumentos(int argc, char* argv[]);

} // namespace zt::preproc
