// Query scripts: the reader, the spool format, the runner over a scripted database, and the
// connection text.
#include "Ayuda.h"
#include "preproc/GuionSql.h"
#include <gtest/gtest.h>
#include <map>

using namespace zt;
using namespace zt::preproc;
using namespace zt::preproc::prueba;

namespace {

std::string Ordenes(const std::string& guion) {
  std::string r;
  for (const auto& o : LeeGuion(T(guion))) {
    const char* tipos[] = {"SPOOL", "OFF", "SET", "SQL", "EXIT"};
    r += std::string("[") + tipos[int(o.tipo)] + " " + U8(o.texto) +
         (o.valor.empty() ? "" : " " + U8(o.valor)) + "]";
  }
  return r;
}

TEST(PreGuionSql, LeeLasOrdenes) {
  struct {
    const char* guion;
    const char* ordenes;
  } casos[] = {
      {"SPOOL /b/salida.tmp\r\nSET TRIMSPOOL ON\r\nset head off\r\n select 1 from t;\r\nSPOOL "
       "OFF\r\nEXIT\r\n",
       "[SPOOL /b/salida.tmp][SET TRIMSPOOL ON][SET HEAD OFF][SQL  select 1 from t][OFF ][EXIT ]"},
      // Several lines, a "/" line, comments and blank lines between statements.
      {"-- lista\nREM otra\n\nselect a,\n  b from t\n/\nselect 2 -- nota\nfrom u;\n",
       "[SQL select a,\n  b from t][SQL select 2 -- nota\nfrom u]"},
      // A statement left open runs before SPOOL OFF; a SET inside a statement belongs to it.
      {"update t\nset a = 1\nwhere b = 2\nSPOOL OFF\nexit;\nselect 3;",
       "[SQL update t\nset a = 1\nwhere b = 2][OFF ][EXIT ]"},
      // Blocks end only at "/".
      {"BEGIN\n  x;\nEND;\n/\nSPOOL \"/c d/l\"\n", "[SQL BEGIN\n  x;\nEND;][SPOOL /c d/l]"},
      // Several statements on a line; ";" inside quotes and comments ends nothing; "/" still ends.
      {"select 1; select 2;; -- fin; x\ncreate table c(id integer); insert into c values(1)\n/\n",
       "[SQL select 1][SQL  select 2][SQL create table c(id integer)][SQL  insert into c values(1)]"},
      {"select 'a;''b' \"c;\" /* d; */ from t; /* e;\nSPOOL OFF; */ select 'f\nexit\n';\n",
       "[SQL select 'a;''b' \"c;\" /* d; */ from t][SQL  select 'f\nexit\n']"},
      // A transaction's BEGIN is a statement; a trigger ends at END; dollar quotes hold ";".
      {"begin; create trigger g after insert on t begin delete from u; end; select $$;$$, v$s;",
       "[SQL begin][SQL  create trigger g after insert on t begin delete from u; end][SQL  select $$;$$, v$s]"},
  };
  for (const auto& c : casos) EXPECT_EQ(Ordenes(c.guion), c.ordenes) << c.guion;
}

ValorSql V(const char* t) { return {T(t), false, false}; }
ValorSql N(const char* t) { return {T(t), false, true}; }
ValorSql Nulo() { return {{}, true, false}; }

std::string Formato(const ResultadoSql& r, OpcionesSalida op = {false, false, true}) {
  std::string s;
  for (const auto& l : FormateaResultado(r, op)) s += U8(l) + "|";
  return s;
}

TEST(PreGuionSql, FormatoDelSpool) {
  ResultadoSql una{true, {}, true, {U"TABLE_NAME"}, {{V("EMP")}, {V("DEPARTAMENTOS")}}};
  EXPECT_EQ(Formato(una), "EMP|DEPARTAMENTOS|");

  // Text to the left, numbers to the right, NULL empty, one blank between columns, trailing
  // blanks trimmed.
  ResultadoSql varias{
      true,
      {},
      true,
      {U"ID", U"NOMBRE", U"SUELDO"},
      {{N("1"), V("Ana"), N("1200.5")}, {N("10"), Nulo(), N("90")}, {N("2"), V("Bernardo"), Nulo()}}};
  EXPECT_EQ(Formato(varias), " 1 Ana      1200.5|10              90| 2 Bernardo|");
  EXPECT_EQ(Formato(varias, {false, false, false}),
            " 1 Ana      1200.5|10              90| 2 Bernardo       |");
  EXPECT_EQ(Formato(varias, {true, true, true}), "ID NOMBRE   SUELDO|-- -------- ------| 1 Ana      "
                                                 "1200.5|10              90| 2 Bernardo|3 rows selected.|");

  ResultadoSql vacia{true, {}, true, {U"X"}, {}};
  EXPECT_EQ(Formato(vacia), "");
  EXPECT_EQ(Formato(vacia, {true, true, true}), "no rows selected|");

  ResultadoSql fallo{false, T("no such table:\nnada "), false, {}, {}};
  EXPECT_EQ(Formato(fallo), "ERROR: no such table: nada|");
  ResultadoSql otra{true, {}, false, {}, {}, 3};
  EXPECT_EQ(Formato(otra), "");
}

// Answers each statement from a table; an unknown one fails.
struct BaseGuionada : BaseDatos {
  std::map<std::string, ResultadoSql> respuestas;
  std::vector<std::string> ejecutadas;
  bool alcanzable = true;
  bool Conecta(const DatosConexion& d, Texto& error) override {
    conexion = d;
    if (!alcanzable) error = U"could not connect to server";
    return alcanzable;
  }
  ResultadoSql Ejecuta(const Texto& s, size_t) override {
    ejecutadas.push_back(U8(s));
    auto it = respuestas.find(U8(s));
    if (it != respuestas.end()) return it->second;
    ResultadoSql r;
    r.ok = false;
    r.error = T("syntax error at \"" + U8(s) + "\"");
    return r;
  }
  DatosConexion conexion;
};

TEST(PreGuionSql, ElSpoolApareceEnteroAlCerrarse) {
  Carpeta dir("spool");
  BaseGuionada base;
  base.respuestas["select n from t"] = {true, {}, true, {U"N"}, {{N("1")}, {N("22")}}};
  std::string guion =
      "SPOOL " + (dir.Ruta() / "a.tmp").string() +
      "\r\nSET FEEDBACK OFF\r\nSET HEAD OFF\r\nSET TRIMSPOOL ON\r\nselect n from t;\r\nmal;\r\n"
      "SPOOL " +
      (dir.Ruta() / "b").string() + "\r\nselect n from t;\r\nSPOOL OFF\r\nselect n from t;\r\nEXIT\r\n";
  EjecutorGuion e(base);
  std::vector<std::string> pantalla;
  e.pantalla = [&](const Texto& l) { pantalla.push_back(U8(l)); };
  EXPECT_EQ(e.Ejecuta(LeeGuion(T(guion))), "");
  EXPECT_EQ(Carpeta::Lee(dir.Ruta() / "a.tmp"), " 1\r\n22\r\nERROR: syntax error at \"mal\"\r\n");
  EXPECT_EQ(Carpeta::Lee(dir.Ruta() / "b.lst"), " 1\r\n22\r\n"); // a name without extension gets .lst
  EXPECT_EQ(pantalla, (std::vector<std::string>{" 1", "22"}));

  // A spool in a folder that does not exist is reported, the run is not a success.
  EXPECT_NE(e.Ejecuta(LeeGuion(T("SPOOL /no/existe/x.tmp\nselect n from t;\n"))), "");
}

TEST(PreGuionSql, ArchivoDeGuionYBaseInalcanzable) {
  Carpeta dir("archivo");
  BaseGuionada base;
  base.respuestas["select 1"] = {true, {}, true, {U"1"}, {{N("1")}}};
  std::string spool = (dir.Ruta() / "s.tmp").string();
  std::string guion = dir.Escribe("g.sql", "SPOOL " + spool + "\r\nselect 1;\r\nSPOOL OFF\r\n");
  Texto errores;
  EXPECT_TRUE(EsGuionSql(guion));
  EXPECT_FALSE(EsGuionSql(dir.Escribe("m.zkv", "SPOOLER\r\n")));
  EXPECT_EQ(EjecutaArchivoGuion(guion, U"u/c@pg:ventas", dir.Ruta(), base, {}, errores), 0);
  EXPECT_EQ(base.conexion.motor, MotorSql::PostgreSQL);
  EXPECT_NE(Carpeta::Lee(spool).find("1\r\n"), std::string::npos);

  std::filesystem::remove(spool);
  base.alcanzable = false;
  EXPECT_NE(EjecutaArchivoGuion(guion, U"u/c@pg:ventas", dir.Ruta(), base, {}, errores), 0);
  EXPECT_EQ(U8(errores), "No se puede conectar con la base de datos: could not connect to server");
  EXPECT_FALSE(std::filesystem::exists(spool)); // so the waiting side ends in its time-out
}

TEST(PreGuionSql, CadenaDeConexion) {
  struct {
    const char* texto;
    MotorSql motor;
    const char *usuario, *clave, *base, *host;
    int puerto;
  } casos[] = {
      {"", MotorSql::SQLite, "", "", "/q/quillon.db", "", 0},
      {"scott/tiger@", MotorSql::SQLite, "scott", "tiger", "/q/quillon.db", "", 0},
      {"a/b@datos.db", MotorSql::SQLite, "a", "b", "/q/datos.db", "", 0},
      {"a/b@sqlite:/v/x.db", MotorSql::SQLite, "a", "b", "/v/x.db", "", 0},
      {"a/b/c@d@PG:ventas", MotorSql::PostgreSQL, "a", "b/c@d", "ventas", "", 0},
      {"a/b@pg:db.local:5433/ventas", MotorSql::PostgreSQL, "a", "b", "ventas", "db.local", 5433},
      {"a/b@pg:/tmp/pg sock/ventas", MotorSql::PostgreSQL, "a", "b", "ventas", "/tmp/pg sock", 0},
      {"a/b@odbc:Contable", MotorSql::ODBC, "a", "b", "Contable", "", 0},
  };
  for (const auto& c : casos) {
    DatosConexion d = LeeConexion(T(c.texto), "/q");
    EXPECT_EQ(d.motor, c.motor) << c.texto;
    EXPECT_EQ(U8(d.usuario), c.usuario) << c.texto;
    EXPECT_EQ(U8(d.clave), c.clave) << c.texto;
    EXPECT_EQ(U8(d.base), c.base) << c.texto;
    EXPECT_EQ(U8(d.host), c.host) << c.texto;
    EXPECT_EQ(d.puerto, c.puerto) << c.texto;
  }
  EXPECT_EQ(U8(ConexionAbsoluta(U"a/b@datos.db", "/q")), "a/b@/q/datos.db");
  EXPECT_EQ(U8(ConexionAbsoluta(U"", "/q")), "/@/q/quillon.db");
  EXPECT_EQ(U8(ConexionAbsoluta(U"a/b@pg:x", "/q")), "a/b@pg:x");
}

} // namespace
