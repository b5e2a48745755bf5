// The private host of ./run.sh: the listener serves one connection, and the session script
// starts it, hands its port to ztelnet, sets the prompt settings and removes everything after.
#include <arpa/inet.h>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <sched.h>
#include <sys/wait.h>
#include <vector>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A connection to 127.0.0.1:puerto; -1 when refused.
int Conecta(int puerto) {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in dir{};
  dir.sin_family = AF_INET;
  dir.sin_port = htons(uint16_t(puerto));
  dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(s, reinterpret_cast<sockaddr*>(&dir), sizeof dir) == 0) return s;
  close(s);
  return -1;
}

// The first byte the server sends, or -1 when none comes within 10 s.
int PrimerByte(int s) {
  pollfd p{s, POLLIN, 0};
  unsigned char b = 0;
  if (poll(&p, 1, 10000) != 1 || read(s, &b, 1) != 1) return -1;
  return b;
}

std::string Lee(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

struct Carpeta {
  fs::path ruta = fs::temp_directory_path() / ("zt-sesion-test-" + std::to_string(getpid()));
  Carpeta() { fs::create_directories(ruta); }
  ~Carpeta() { fs::remove_all(ruta); }
};

bool HayTelnetd() { return access("/usr/sbin/telnetd", X_OK) == 0; }

} // namespace

// A stranger that connects before the program is closed unanswered and logged; the program
// still gets its session, and after it nobody gets in.
TEST(Anfitrion, SoloElProgramaQueArrancaTieneLaSesion) {
  if (!HayTelnetd()) GTEST_SKIP() << "falta /usr/sbin/telnetd";
  Carpeta c;
  const fs::path tarde = c.ruta / "tarde";
  std::ofstream(tarde) << "#!/bin/sh\nsleep 0.3\nexec " << ZT_CARRERA << " \"$@\"\n";
  fs::permissions(tarde, fs::perms::owner_all);
  const std::string orden = std::string(ZT_ANFITRION) + " /bin/sh " + tarde.string() + " >" +
                            (c.ruta / "salida").string() + " 2>" + (c.ruta / "errores").string();
  FILE* anfitrion = popen(orden.c_str(), "r");
  ASSERT_NE(anfitrion, nullptr);
  int puerto = 0;
  for (int i = 0; i < 200 && !puerto; ++i, usleep(10000)) {
    const std::string errores = Lee(c.ruta / "errores");
    const auto en = errores.find("127.0.0.1:");
    if (en != std::string::npos) puerto = std::atoi(errores.c_str() + en + 10);
  }
  ASSERT_GT(puerto, 0);
  const int extrano = Conecta(puerto);
  ASSERT_GE(extrano, 0);
  EXPECT_EQ(PrimerByte(extrano), -1); // closed with nothing said
  close(extrano);
  EXPECT_EQ(pclose(anfitrion), 0);
  EXPECT_EQ(Lee(c.ruta / "salida"), "ZT-42-" + std::to_string(getuid()) + "\n");
  EXPECT_NE(Lee(c.ruta / "errores").find("conexión rechazada desde 127.0.0.1:"), std::string::npos);
  EXPECT_EQ(Conecta(puerto), -1);
}

TEST(SesionLocal, ConectaZtelnetYDejaTodoLimpio) {
  if (!HayTelnetd()) GTEST_SKIP() << "falta /usr/sbin/telnetd";
  Carpeta c;
  // Stands for ztelnet: records its arguments and proves the host answers.
  const fs::path falso = c.ruta / "ztelnet";
  std::ofstream(falso)
      << "#!/bin/bash\n"
         "echo \"$*\" > \"$ZT_PRUEBA/argumentos\"\n"
         "p=${1##*:}\n"
         "exec 3<>/dev/tcp/127.0.0.1/$p && head -c1 <&3 | od -An -tu1 | tr -d ' ' > \"$ZT_PRUEBA/primer\"\n";
  fs::permissions(falso, fs::perms::owner_all);
  // An existing settings file: only the prompt fields of its [TER] line change.
  std::ofstream(c.ruta / "ztelnet.ini")
      << "[VER]\t1.12\t\t\r\n[TER]\t700\t\t\tF\tx\ty\t0\t\t\t\r\n[CNX]\th\t\t\t\t\r\n";
  const std::string orden = "ZT_PRUEBA=" + c.ruta.string() + " ZTELNET_HOME=" + c.ruta.string() +
                            " ZT_ANFITRION=" + ZT_ANFITRION + " " + ZT_SESION_LOCAL + " " + falso.string() +
                            " /M=m.zkv 2>/dev/null";
  ASSERT_EQ(std::system(orden.c_str()), 0);

  const std::string argumentos = Lee(c.ruta / "argumentos");
  ASSERT_EQ(argumentos.rfind("/IP=127.0.0.1:", 0), 0u) << argumentos;
  EXPECT_NE(argumentos.find(" /M=m.zkv"), std::string::npos) << argumentos;
  EXPECT_EQ(Lee(c.ruta / "primer"), "255\n");
  const int puerto = std::atoi(argumentos.substr(std::string("/IP=127.0.0.1:").size()).c_str());
  EXPECT_EQ(Conecta(puerto), -1); // the host is gone with ztelnet

  const std::string ini = Lee(c.ruta / "ztelnet.ini");
  const std::string ter = ini.substr(ini.find("[TER]"), ini.find("[CNX]") - ini.find("[TER]"));
  EXPECT_EQ(ter.substr(0, 14), "[TER]\t700\t\t\tV\t");
  EXPECT_NE(ter.find(":\t$ \t0\t\t\t\r\n"), std::string::npos) << ter;
  EXPECT_EQ(ini.substr(0, 15), "[VER]\t1.12\t\t\r\n[");
  EXPECT_NE(ini.find("[CNX]\th\t\t\t\t\r\n"), std::string::npos);
}

// A real session through the system's telnet client: the prompt ztelnet will recognise, the
// scratch folder, and Ctrl+C stopping a command (the listener starts in the background of a
// script, where that signal is ignored, and must not hand that on to the shell).
TEST(SesionLocal, ElShellDelUsuarioAtiendeCtrlC) {
  if (!HayTelnetd() || access("/usr/bin/expect", X_OK) != 0 || access("/usr/bin/telnet", X_OK) != 0)
    GTEST_SKIP() << "faltan telnetd, expect o telnet";
  Carpeta c;
  const fs::path falso = c.ruta / "ztelnet";
  std::ofstream(falso) << "#!/usr/bin/expect -f\n"
                          "set timeout 20\n"
                          "regexp {:([0-9]+)$} [lindex $argv 0] - puerto\n"
                          "spawn telnet 127.0.0.1 $puerto\n"
                          "expect -re {@[^:]*:/tmp/ztelnet-sesion[^ ]*/trabajo\\$ $} {} timeout { exit 2 }\n"
                          "send \"sleep 60\\r\"\n"
                          "sleep 0.5\n"
                          "send \"\\003\"\n"
                          "set timeout 10\n"
                          "expect -re {trabajo\\$ $} {} timeout { exit 3 }\n"
                          "send \"exit\\r\"\n"
                          "expect eof\n"
                          "exit 0\n";
  fs::permissions(falso, fs::perms::owner_all);
  const std::string orden = "ZTELNET_HOME=" + c.ruta.string() + " ZT_ANFITRION=" + ZT_ANFITRION + " " +
                            ZT_SESION_LOCAL + " " + falso.string() + " >/dev/null 2>&1";
  const int estado = std::system(orden.c_str());
  ASSERT_TRUE(WIFEXITED(estado));
  EXPECT_EQ(WEXITSTATUS(estado), 0) << "2: sin prompt, 3: Ctrl+C no detuvo la orden";
}

// Another local user races for the session: processes that watch the kernel's table for the new
// listener and connect as fast as they can, in a network namespace of their own so that nothing
// else on the machine is raced. They must never be answered, and the program must get its
// session every round.
namespace {

struct Usuario {
  uid_t uid;
  const char* nombre;
};

// argv run as 'u' (no change for root's own runs); output to files in 'carpeta'.
pid_t Lanza(std::vector<std::string> argv, uid_t u, const fs::path& salida, const fs::path& errores) {
  if (u != 0) {
    const std::string id = std::to_string(u);
    argv.insert(argv.begin(), {"/usr/bin/setpriv", "--reuid=" + id, "--regid=" + id, "--clear-groups", "--"});
  }
  const pid_t pid = fork();
  if (pid == 0) {
    freopen(salida.c_str(), "w", stdout);
    freopen(errores.c_str(), "w", stderr);
    std::vector<char*> a;
    for (auto& x : argv) a.push_back(x.data());
    a.push_back(nullptr);
    execv(a[0], a.data());
    _exit(127);
  }
  return pid;
}

int Espera(pid_t pid) {
  int estado = 0;
  waitpid(pid, &estado, 0);
  return WIFEXITED(estado) ? WEXITSTATUS(estado) : 128 + WTERMSIG(estado);
}

// 100 rounds of the host run by 'anfitrion' while 'atacantes' race it. Runs in a child that has
// entered a new network namespace; failures come back as text.
std::string Carrera(uid_t anfitrion, const std::vector<uid_t>& atacantes, const fs::path& carpeta) {
  // Copies every user can run, wherever the build tree is.
  const std::string carrera = (carpeta / "zt-carrera").string(), listener = (carpeta / "zt-anfitrion").string();
  fs::copy_file(ZT_CARRERA, carrera);
  fs::copy_file(ZT_ANFITRION, listener);
  std::vector<pid_t> pids;
  for (size_t i = 0; i < atacantes.size(); ++i) {
    const auto informe = carpeta / ("informe" + std::to_string(i));
    pids.push_back(Lanza({carrera, "atacante", informe.string()}, atacantes[i], "/dev/null", "/dev/null"));
  }
  // ztelnet takes a while to start before it connects: the strangers' window.
  const auto programa = carpeta / "ztelnet";
  std::ofstream(programa) << "#!/bin/sh\nsleep 0.05\nexec " << carrera << " \"$@\"\n";
  fs::permissions(programa, fs::perms::all & ~fs::perms::others_write & ~fs::perms::group_write);
  usleep(100000);
  std::string fallos;
  long rechazadas = 0;
  for (int ronda = 0; ronda < 100 && fallos.empty(); ++ronda) {
    const auto salida = carpeta / "salida", errores = carpeta / "errores";
    const int estado = Espera(Lanza({listener, "/bin/sh", programa.string()}, anfitrion, salida, errores));
    const std::string dicho = Lee(salida), log = Lee(errores);
    if (estado != 0 || dicho != "ZT-42-" + std::to_string(anfitrion) + "\n")
      fallos = "ronda " + std::to_string(ronda) + ": estado " + std::to_string(estado) + ", salida '" + dicho +
               "', errores '" + log + "'";
    for (size_t en = 0; (en = log.find("conexión rechazada", en)) != std::string::npos; ++en) ++rechazadas;
  }
  long aceptadasYCerradas = 0;
  for (size_t i = 0; i < pids.size(); ++i) {
    kill(pids[i], SIGTERM);
    if (Espera(pids[i]) != 0) fallos += " atacante " + std::to_string(atacantes[i]) + " recibió datos";
    const std::string informe = Lee(carpeta / ("informe" + std::to_string(i)));
    aceptadasYCerradas += std::atol(informe.c_str() + informe.find(' ') + 1);
  }
  // Without a single stranger accepted and turned away the race proved nothing.
  if (fallos.empty() && (rechazadas == 0 || aceptadasYCerradas == 0))
    fallos = "los atacantes no llegaron a conectar (" + std::to_string(rechazadas) + " rechazadas)";
  return fallos;
}

std::string EnEspacioDeRedPropio(uid_t anfitrion, const std::vector<uid_t>& atacantes) {
  Carpeta c;
  fs::permissions(c.ruta, fs::perms::all | fs::perms::sticky_bit);
  const auto resultado = c.ruta / "resultado";
  const pid_t pid = fork();
  if (pid == 0) {
    if (unshare(CLONE_NEWNET) != 0 || std::system("ip link set lo up") != 0) _exit(2);
    std::ofstream(resultado) << Carrera(anfitrion, atacantes, c.ruta);
    _exit(0);
  }
  if (Espera(pid) == 2) return "SIN_ESPACIO";
  return Lee(resultado);
}

bool PuedeCorrer() {
  return getuid() == 0 && HayTelnetd() && access("/usr/bin/setpriv", X_OK) == 0 &&
         access("/usr/sbin/ip", X_OK) == 0;
}

} // namespace

TEST(Anfitrion, OtroUsuarioNoGanaLaCarrera) {
  if (!PuedeCorrer()) GTEST_SKIP() << "hace falta root, telnetd, setpriv e ip";
  constexpr uid_t nobody = 65534, daemon = 1;
  // root runs the host while nobody races it; nobody runs it while root and daemon race it.
  for (const auto& [anfitrion, atacantes] :
       std::vector<std::pair<uid_t, std::vector<uid_t>>>{{0, {nobody}}, {nobody, {0, daemon}}}) {
    const std::string fallos = EnEspacioDeRedPropio(anfitrion, atacantes);
    if (fallos == "SIN_ESPACIO") GTEST_SKIP() << "no se pudo crear un espacio de red";
    EXPECT_EQ(fallos, "") << "anfitrión uid " << anfitrion;
  }
}
