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
#include <sys/wait.h>
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

TEST(Anfitrion, UnaSolaConexionYLuegoNada) {
  if (!HayTelnetd()) GTEST_SKIP() << "falta /usr/sbin/telnetd";
  int tubo[2];
  ASSERT_EQ(pipe(tubo), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(tubo[1], 1);
    close(tubo[0]);
    execl(ZT_ANFITRION, "zt-anfitrion", "/bin/sh", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(tubo[1]);
  char linea[16] = {};
  ASSERT_GT(read(tubo[0], linea, sizeof linea - 1), 0);
  const int puerto = std::atoi(linea);
  ASSERT_GT(puerto, 0);
  const int primera = Conecta(puerto);
  ASSERT_GE(primera, 0);
  EXPECT_EQ(PrimerByte(primera), 255); // telnetd opens with IAC
  EXPECT_EQ(Conecta(puerto), -1);      // nobody else gets in
  close(primera);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  close(tubo[0]);
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
