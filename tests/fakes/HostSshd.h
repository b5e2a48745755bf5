// A real SSH host on the loopback for integration tests: the system's sshd on a free 127.0.0.1
// port with a throwaway host key, its own authorized_keys and a client folder (HOME) holding a
// throwaway user key. Every session runs /bin/sh with the prompt "zt$ " in a scratch folder.
// Root logs in; its password is kClave inside the server's own mount namespace only, where a
// copy of the shadow file is mounted over the real one. Stopped by PID when the object goes.
#pragma once
#include "../../tools/anfitrion/ServidorTelnetd.h"
#include <arpa/inet.h>
#include <crypt.h>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <sched.h>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zt::test {

class HostSshd {
public:
  static constexpr const char* kClave = "clave-de-prueba";

  std::filesystem::path carpeta; // everything of the host; removed at the end
  std::filesystem::path casa;    // the client's HOME: .ssh/id_ed25519 and, once accepted, known_hosts
  std::filesystem::path trabajo; // the shell's current folder
  uint16_t puerto = 0;
  // The session's shell, started interactive; set before Arranca.
  std::string shell = "/bin/sh -i";

  // Empty when this machine can run the host; otherwise why not.
  static std::string Falta() {
    if (getuid() != 0) return "hace falta root";
    for (const char* p : {"/usr/sbin/sshd", "/usr/bin/ssh-keygen"})
      if (access(p, X_OK) != 0) return std::string(p) + " no está instalado (openssh-server)";
    return {};
  }

  bool Arranca() {
    if (!Falta().empty()) return false;
    char plantilla[] = "/tmp/zt-sshd-XXXXXX";
    if (!mkdtemp(plantilla)) return false;
    carpeta = plantilla;
    casa = carpeta / "casa";
    trabajo = carpeta / "trabajo";
    std::filesystem::create_directories(casa / ".ssh");
    std::filesystem::create_directories(trabajo);
    std::filesystem::create_directories("/run/sshd"); // sshd's privilege-separation folder
    if (!NuevaClaveHost() || !Corre("ssh-keygen -q -t ed25519 -N '' -f " + (casa / ".ssh/id_ed25519").string()))
      return false;
    std::filesystem::copy_file(casa / ".ssh/id_ed25519.pub", carpeta / "authorized_keys");
    std::ofstream(carpeta / "sesion.sh") << "#!/bin/sh\ncd " << trabajo.string()
                                         << " || exit 1\nexport PS1='zt$ ' HOME=" << trabajo.string()
                                         << "\nexec " << shell << "\n";
    std::filesystem::permissions(carpeta / "sesion.sh", std::filesystem::perms::owner_all);
    // A shadow file whose root password is known, for password log-ins.
    std::ifstream sombra("/etc/shadow");
    std::ofstream copia(carpeta / "shadow");
    for (std::string linea; std::getline(sombra, linea);) {
      if (linea.rfind("root:", 0) == 0) {
        const auto resto = linea.find(':', 5);
        linea = std::string("root:") + crypt(kClave, "$6$ztprueba$") + linea.substr(resto);
      }
      copia << linea << "\n";
    }
    copia.close();
    return Inicia();
  }

  // A new host key, as after a reinstallation of the host; the server restarts with it.
  bool CambiaClaveHost() {
    Para();
    std::filesystem::remove(carpeta / "clave_host");
    std::filesystem::remove(carpeta / "clave_host.pub");
    return NuevaClaveHost() && Inicia();
  }

  // The host key's SHA256 fingerprint, as "SHA256:...".
  std::string Huella() const {
    FILE* f = popen(("ssh-keygen -l -E sha256 -f " + (carpeta / "clave_host.pub").string()).c_str(), "r");
    char linea[512] = {};
    if (!f) return {};
    const bool leida = fgets(linea, sizeof linea, f) != nullptr;
    pclose(f);
    std::istringstream campos(leida ? linea : "");
    std::string bits, huella;
    campos >> bits >> huella;
    return huella;
  }

  std::string Lee(const std::string& nombre) const {
    std::ifstream f(trabajo / nombre, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }

  ~HostSshd() {
    Para();
    std::error_code ec;
    if (!carpeta.empty()) std::filesystem::remove_all(carpeta, ec);
  }

private:
  static bool Corre(const std::string& orden) { return std::system((orden + " >/dev/null 2>&1").c_str()) == 0; }

  bool NuevaClaveHost() const {
    return Corre("ssh-keygen -q -t ed25519 -N '' -f " + (carpeta / "clave_host").string());
  }

  // A port the system gives a loopback listener, free again once that listener closes.
  static uint16_t PuertoLibre() {
    unsigned p = 0;
    const int s = EscuchaLoopback(1, p);
    if (s >= 0) close(s);
    return uint16_t(p);
  }

  // On the same port when restarted, so that the client sees the same host.
  bool Inicia() {
    if (puerto == 0) puerto = PuertoLibre();
    const auto c = [this](const char* n) { return (carpeta / n).string(); };
    std::ofstream(carpeta / "sshd_config") << "Port " << puerto << "\nListenAddress 127.0.0.1\n"
                                           << "HostKey " << c("clave_host") << "\nPidFile none\n"
                                           << "AuthorizedKeysFile " << c("authorized_keys") << "\n"
                                           << "PermitRootLogin yes\nUsePAM no\nPasswordAuthentication yes\n"
                                           << "KbdInteractiveAuthentication no\nStrictModes no\n"
                                           << "ForceCommand " << c("sesion.sh") << "\nLogLevel ERROR\n";
    const std::string config = c("sshd_config"), sombra = c("shadow"), registro = c("sshd.log");
    pid_ = fork();
    if (pid_ == 0) {
      setpgid(0, 0);
      if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
          mount(sombra.c_str(), "/etc/shadow", nullptr, MS_BIND, nullptr) != 0)
        _exit(126);
      execl("/usr/sbin/sshd", "/usr/sbin/sshd", "-D", "-E", registro.c_str(), "-f", config.c_str(),
            static_cast<char*>(nullptr));
      _exit(127);
    }
    // Ready once it accepts a connection.
    for (int i = 0; i < 250; ++i) {
      const int s = socket(AF_INET, SOCK_STREAM, 0);
      sockaddr_in dir{};
      dir.sin_family = AF_INET;
      dir.sin_port = htons(puerto);
      dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      const bool listo = connect(s, reinterpret_cast<sockaddr*>(&dir), sizeof dir) == 0;
      close(s);
      if (listo) return true;
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) return pid_ = -1, false;
      usleep(20000);
    }
    return false;
  }

  void Para() {
    if (pid_ <= 0) return;
    kill(-pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

  pid_t pid_ = -1;
};

} // namespace zt::test
