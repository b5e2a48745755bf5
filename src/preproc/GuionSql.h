// The query scripts Quillon writes ($CONSULTAR, the table-name list) and the runner that carries
// them out against a database: script reading, spool formatting and the connection text.
#pragma once
#include "base/Texto.h"
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zt::preproc {

// ---- Connection: "usuario/clave@BaseDeDatos" ----

enum class MotorSql { SQLite, PostgreSQL, ODBC };

struct DatosConexion {
  MotorSql motor = MotorSql::SQLite;
  Texto usuario, clave;
  Texto base; // SQLite: the file; PostgreSQL: the database name; ODBC: the data source
  Texto host; // PostgreSQL only; empty for the local server
  int puerto = 0;
};

// The SQLite file used when the connection names no database.
constexpr const char* kBaseSqliteDefecto = "quillon.db";
// The variable through which a started program receives the connection.
constexpr const char* kVariableConexion = "QUILLON_CONEXION";

// After the last "@": "pg:[host[:puerto]/]base" is PostgreSQL, "odbc:fuente" an ODBC source,
// "sqlite:archivo" or anything else a SQLite file (relative names are taken from 'carpeta');
// nothing names carpeta/quillon.db. The user is what precedes the first "/", the password what
// lies between it and the last "@".
DatosConexion LeeConexion(VistaTexto texto, const std::filesystem::path& carpeta);
// The same connection written back with every SQLite file as an absolute path, for a program
// started in another folder.
Texto ConexionAbsoluta(VistaTexto texto, const std::filesystem::path& carpeta);

// ---- The database behind the runner ----

struct ValorSql {
  Texto texto;
  bool nulo = false;
  bool numero = false;
};

struct ResultadoSql {
  bool ok = true;
  Texto error;                 // the database's message when not ok
  bool consulta = false;       // the statement returned rows (possibly none)
  std::vector<Texto> columnas; // names, for headings
  std::vector<std::vector<ValorSql>> filas;
  int64_t afectadas = -1; // rows changed by another statement, -1 unknown
  bool cortado = false;   // stopped at the size bound
};

class BaseDatos {
public:
  virtual ~BaseDatos() = default;
  // Opens the connection; false with 'error' set when the database cannot be reached.
  virtual bool Conecta(const DatosConexion& datos, Texto& error) = 0;
  // Runs one statement. Rows past 'limiteBytes' of text are not fetched ('cortado').
  virtual ResultadoSql Ejecuta(const Texto& sentencia, size_t limiteBytes) = 0;
};

// ---- Scripts ----

struct OrdenGuion {
  enum class Tipo { Spool, SpoolOff, Set, Sentencia, Salir };
  Tipo tipo = Tipo::Sentencia;
  Texto texto; // Spool: the file; Set: the option upper-cased; Sentencia: the SQL without its end
  Texto valor; // Set: the value upper-cased
};

// Commands at a line start (case ignored): SPOOL name|OFF, SET option value, EXIT or QUIT, REM
// and "--" comment lines, blank lines. Anything else starts statements: each runs to a ";" outside
// quotes ('', "", $$) and comments (--, /* */), so a line may hold several, or to a line holding
// only "/" (blocks starting with BEGIN or DECLARE end only at "/", triggers at "END;"). A statement
// left open is run before a SPOOL or EXIT line and at the end of the script.
std::vector<OrdenGuion> LeeGuion(VistaTexto texto);
// The same over lines already split.
std::vector<OrdenGuion> LeeGuion(const std::vector<Texto>& lineas);

// ---- Spool formatting ----

struct OpcionesSalida {
  bool cabecera = true;  // SET HEAD[ING]
  bool aviso = true;     // SET FEEDBACK: "n rows selected."
  bool recortar = false; // SET TRIMSPOOL: trailing blanks removed
};

// The lines a statement's answer writes: one blank between columns, each padded to its widest
// value (numbers to the right), NULL empty; a failed statement gives "ERROR: " + message.
std::vector<Texto> FormateaResultado(const ResultadoSql& r, const OpcionesSalida& op);

// ---- The runner ----

class EjecutorGuion {
public:
  // Output bound of one statement's answer: a huge table ends in an error line, not in
  // exhausted memory.
  static constexpr size_t kLimiteRespuesta = size_t{64} << 20;

  explicit EjecutorGuion(BaseDatos& base) : base_(base) {}
  // Lines written while no spool is open (the standalone command prints them).
  std::function<void(const Texto&)> pantalla;

  // Runs the script; the spool file appears whole, through a temporary file, when it is closed
  // (SPOOL OFF, another SPOOL, EXIT or the end). Returns an empty text, or what went wrong with
  // the spool file itself.
  std::string Ejecuta(const std::vector<OrdenGuion>& guion);

private:
  void Escribe(const Texto& linea);
  std::string CierraSpool();

  BaseDatos& base_;
  OpcionesSalida op_;
  bool spoolAbierto_ = false;
  std::filesystem::path spool_;
  std::string bytes_;
};

// Reads the script file and runs it; 0 on success. 'errores' gets the reason of a failure
// (unreadable script, unreachable database, spool not written).
int EjecutaArchivoGuion(const std::filesystem::path& guion, const Texto& conexion,
                        const std::filesystem::path& carpeta, BaseDatos& base,
                        const std::function<void(const Texto&)>& pantalla, Texto& errores);

// True when the file's first line starts with "SPOOL " (case ignored): a query script rather
// than a macro.
bool EsGuionSql(const std::filesystem::path& archivo);

} // namespace zt::preproc
