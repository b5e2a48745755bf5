// $CONSULTAR end to end: quillon as a batch step, the launch program running the script against a
// SQLite file and against a PostgreSQL server started here, and a database nobody can reach.
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <glob.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Lee(const fs::path& r) {
  std::ifstream f(r, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}
void Escribe(const fs::path& r, const std::string& s) { std::ofstream(r, std::ios::binary) << s; }

struct Resultado {
  int estado = -1;
  std::string errores;
};

// Runs a program with an argument list and extra environment; standard error is kept. 'uid' other
// than -1 runs it as that user.
pid_t Lanza(const std::vector<std::string>& args,
            const std::vector<std::pair<std::string, std::string>>& entorno, const fs::path& err,
            uid_t uid = uid_t(-1), gid_t gid = gid_t(-1)) {
  pid_t pid = fork();
  if (pid == 0) {
    int fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 2);
    dup2(fd, 1);
    for (const auto& [k, v] : entorno) setenv(k.c_str(), v.c_str(), 1);
    if (uid != uid_t(-1) && (setgid(gid) != 0 || setuid(uid) != 0)) _exit(126);
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

Resultado Ejecuta(const std::vector<std::string>& args,
                  const std::vector<std::pair<std::string, std::string>>& entorno, const fs::path& err,
                  uid_t uid = uid_t(-1), gid_t gid = gid_t(-1)) {
  pid_t pid = Lanza(args, entorno, err, uid, gid);
  int st = 0;
  waitpid(pid, &st, 0);
  return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, Lee(err)};
}

const char* kDoc =
    "$DEFINIR T =emp\r\n"
    "$DEFINIR N = $CONSULTAR select count(*) from T; FINCONSULTAR\r\n"
    "echo \"Empleados: N\"\r\n"
    "$CONSULTAR\r\n"
    "-- la plantilla\r\n"
    "select nombre, dpto, sueldo from T order by id;\r\n"
    "FINCONSULTAR\r\n"
    "$DEFINIR M = $CONSULTAR select nombre from T where dpto = 10 order by id; FINCONSULTAR\r\n"
    "[M]\r\n"
    "$CONSULTAR select x from nada; FINCONSULTAR\r\n"
    "fin\r\n";

const char* kDatos = "create table emp(id integer, nombre varchar(20), dpto integer, sueldo numeric(8,2));\n"
                     "insert into emp values (1, 'Ana', 10, 1200.5);\n"
                     "insert into emp values (2, 'Bernardo', 20, NULL);\n"
                     "insert into emp values (3, NULL, 10, 980);\n";

// Quillon with its home folder, settings naming the launch program and the connection.
struct ConsultaLote : ::testing::Test {
  fs::path casa;
  void SetUp() override {
    char plantilla[] = "/tmp/zt_consulta_lote_XXXXXX";
    casa = mkdtemp(plantilla);
    fs::create_directories(casa / "bolsa");
  }
  void TearDown() override { fs::remove_all(casa); }

  void Configura(const std::string& conexion) {
    Escribe(casa / "Quillon.ini", "[CADCOND]," + conexion + ",,\r\n[TELNETD]," LANZADOR_EXE ",,\r\n");
  }
  Resultado Sql(const std::string& conexion, const std::string& texto) {
    Escribe(casa / "datos.sql", texto);
    return Ejecuta({ZTSQL_EXE, conexion, (casa / "datos.sql").string()}, {}, casa / "sql.txt");
  }
  Resultado Quillon(const std::string& doc) {
    Escribe(casa / "doc.vrk", doc);
    return Ejecuta({QUILLON_EXE, (casa / "doc.vrk").string(), "/PREPRO"},
                   {{"QUILLON_HOME", casa.string()}, {"QT_QPA_PLATFORM", "offscreen"}, {"DISPLAY", ""}},
                   casa / "stderr.txt");
  }
};

TEST_F(ConsultaLote, Sqlite) {
  const std::string cx = "u/c@datos.db";
  ASSERT_EQ(Sql("u/c@" + (casa / "datos.db").string(), kDatos).estado, 0) << Lee(casa / "sql.txt");
  Configura(cx);
  Resultado r = Quillon(kDoc);
  EXPECT_EQ(r.estado, 0) << r.errores;
  EXPECT_EQ(Lee(casa / "bolsa" / "doc.tmp"), "\r\necho \"Empleados: 3\"\r\n"
                                             "Ana      10 1200.5\r\n"
                                             "Bernardo 20\r\n"
                                             "         10    980\r\n"
                                             "\r\n[Ana\r\n]\r\n"
                                             "ERROR: no such table: nada\r\n"
                                             "fin");
}

// Statements sharing a line run one by one, each with its own answer, as on separate lines; so
// does a $CONSULTAR holding several, whose value is then every answer.
TEST_F(ConsultaLote, VariasSentenciasPorLinea) {
  const std::string inicio = "SET HEAD OFF\nSET FEEDBACK OFF\n";
  Resultado juntas = Sql("u/c@" + (casa / "a.db").string(),
                         inicio + "create table c(id integer); insert into c values(1); insert into c values(2);\n"
                                  "select 1; select 'a;b' from c where id = 1; select x from nada; select count(*) from c;\n");
  Resultado separadas = Sql("u/c@" + (casa / "b.db").string(),
                            inicio + "create table c(id integer);\ninsert into c values(1);\n"
                                     "insert into c values(2);\nselect 1;\nselect 'a;b' from c where id = 1;\n"
                                     "select x from nada;\nselect count(*) from c;\n");
  EXPECT_EQ(juntas.errores, "1\na;b\nERROR: no such table: nada\n2\n");
  EXPECT_EQ(juntas.errores, separadas.errores);

  Configura("u/c@c.db");
  Resultado r = Quillon("$CONSULTAR create table c(id integer); insert into c values(7); FINCONSULTAR\r\n"
                        "$DEFINIR V = $CONSULTAR select id from c; select 'x;y'; FINCONSULTAR\r\n[V]");
  EXPECT_EQ(r.estado, 0) << r.errores;
  EXPECT_EQ(Lee(casa / "bolsa" / "doc.tmp"), "\r\n\r\n[7\r\nx;y]");
}

TEST_F(ConsultaLote, BaseInalcanzableTerminaEnTiempoDeEspera) {
  Configura("u/c@pg:" + (casa / "nadie").string() + ":5999/x");
  Resultado r = Quillon("uno\r\n$CONSULTAR select 1; FINCONSULTAR\r\n");
  EXPECT_NE(r.estado, 0);
  EXPECT_NE(r.errores.find("!!!Error en sentencia CONSULTAR. Tiempo de espera excedido.  Línea: 2"),
            std::string::npos)
      << r.errores;
}

// A throwaway PostgreSQL server in a temporary folder, reached through its socket there. The
// server refuses to run as root, so a root test runs it as "nobody".
class ServidorPg {
public:
  explicit ServidorPg(const fs::path& carpeta) : carpeta_(carpeta) {
    glob_t g{};
    if (glob("/usr/lib/postgresql/*/bin/initdb", 0, nullptr, &g) != 0 || g.gl_pathc == 0) {
      falta_ = "no está instalado el servidor PostgreSQL (paquete postgresql)";
      return;
    }
    bin_ = fs::path(g.gl_pathv[g.gl_pathc - 1]).parent_path();
    globfree(&g);
    if (geteuid() == 0) {
      passwd* p = getpwnam("nobody");
      if (!p) {
        falta_ = "el servidor no corre como root y no hay usuario nobody";
        return;
      }
      uid_ = p->pw_uid;
      gid_ = p->pw_gid;
      if (chown(carpeta_.c_str(), uid_, gid_) != 0) {
        falta_ = "no se puede ceder la carpeta al usuario nobody";
        return;
      }
    }
    Resultado r = Ejecuta({(bin_ / "initdb").string(), "-D", (carpeta_ / "datos").string(), "-A", "trust",
                           "-U", "zt", "--no-sync", "-E", "UTF8", "--locale=C"},
                          {}, carpeta_ / "initdb.txt", uid_, gid_);
    if (r.estado != 0) {
      falta_ = "initdb falló: " + r.errores;
      return;
    }
    puerto_ = 20000 + getpid() % 20000;
    pid_ = Lanza({(bin_ / "postgres").string(), "-D", (carpeta_ / "datos").string(), "-k", carpeta_.string(),
                  "-c", "listen_addresses=", "-p", std::to_string(puerto_), "-c", "fsync=off"},
                 {}, carpeta_ / "servidor.txt", uid_, gid_);
  }
  ~ServidorPg() {
    if (pid_ > 0) {
      kill(pid_, SIGINT); // fast shutdown
      int st;
      waitpid(pid_, &st, 0);
    }
  }
  const std::string& Falta() const { return falta_; }
  std::string Conexion(const std::string& base = "postgres") const {
    return "zt/x@pg:" + carpeta_.string() + ":" + std::to_string(puerto_) + "/" + base;
  }
  std::string Registro() const { return Lee(carpeta_ / "servidor.txt"); }

private:
  fs::path carpeta_, bin_;
  std::string falta_;
  uid_t uid_ = uid_t(-1);
  gid_t gid_ = gid_t(-1);
  int puerto_ = 0;
  pid_t pid_ = -1;
};

TEST_F(ConsultaLote, PostgreSql) {
  ServidorPg pg(casa);
  if (!pg.Falta().empty()) GTEST_SKIP() << pg.Falta();
  // Ready when it answers; a server that never does fails the test instead of hanging it.
  bool listo = false;
  for (int i = 0; i < 300 && !listo; ++i) {
    listo = Sql(pg.Conexion(), "select 1;\n").estado == 0;
    if (!listo) usleep(100000);
  }
  ASSERT_TRUE(listo) << Lee(casa / "sql.txt") << pg.Registro();
  ASSERT_EQ(Sql(pg.Conexion(), kDatos).estado, 0) << Lee(casa / "sql.txt");
  Configura(pg.Conexion());
  Resultado r = Quillon(kDoc);
  EXPECT_EQ(r.estado, 0) << r.errores;
  EXPECT_EQ(Lee(casa / "bolsa" / "doc.tmp"),
            "\r\necho \"Empleados: 3\"\r\n"
            "Ana      10 1200.50\r\n"
            "Bernardo 20\r\n"
            "         10  980.00\r\n"
            "\r\n[Ana\r\n]\r\n"
            "ERROR: relation \"nada\" does not exist LINE 1: select x from nada ^ (42P01)\r\n"
            "fin");
}

} // namespace
