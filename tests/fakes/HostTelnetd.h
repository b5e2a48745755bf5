// A real telnet host on the loopback for integration tests: the system's telnetd serves one
// connection on a free 127.0.0.1 port and runs a chosen shell, with a fixed prompt, in a scratch
// folder of its own. Everything it started is stopped by PID when the object goes.
//
//   HostTelnetd host("bash", "zt$ ");
//   if (!host.Disponible()) GTEST_SKIP() << host.Falta();
//   ASSERT_TRUE(host.Arranca());
//   telnet.Connect(U"127.0.0.1", host.puerto);
//   ... host.carpeta is the shell's current folder; write files there with host.Escribe(...)
#pragma once
#include "../../tools/anfitrion/ServidorTelnetd.h"
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace zt::test {

class HostTelnetd {
public:
  static constexpr const char* kServidor = kServidorTelnetd;

  // 'shell' is one of bash, dash, busybox (its sh), zsh, ksh, mksh, sh; the prompt is set as PS1
  // and nothing else is printed around it (no rc files are read).
  explicit HostTelnetd(std::string shell = "bash", std::string prompt = "zt$ ")
      : shell_(std::move(shell)), prompt_(std::move(prompt)) {}
  HostTelnetd(const HostTelnetd&) = delete;
  HostTelnetd& operator=(const HostTelnetd&) = delete;

  // Extra environment for the shell, set before it starts (e.g. {"LANG", "C"}).
  std::vector<std::pair<std::string, std::string>> entorno;

  uint16_t puerto = 0;           // valid after Arranca
  std::filesystem::path carpeta; // the shell's current folder and HOME, removed at the end

  const std::string& Prompt() const { return prompt_; }

  // Empty when the server and the shell are installed; otherwise what is missing.
  std::string Falta() const {
    if (access(kServidor, X_OK) != 0) return std::string(kServidor) + " no está instalado";
    const auto linea = LineaShell();
    if (linea.empty()) return "shell desconocido: " + shell_;
    const std::string programa = linea.substr(0, linea.find(' '));
    if (access(programa.c_str(), X_OK) != 0) return programa + " no está instalado";
    return {};
  }
  bool Disponible() const { return Falta().empty(); }

  // Makes the scratch folder and its start script, listens on a free loopback port and forks the
  // child that accepts one connection and becomes telnetd on it.
  bool Arranca() {
    if (!Disponible() || pid_ > 0) return false;
    char plantilla[] = "/tmp/zt-telnetd-XXXXXX";
    if (!mkdtemp(plantilla)) return false;
    carpeta = plantilla;
    const auto guion = carpeta / ".arranca.sh";
    {
      std::ofstream f(guion);
      f << "#!/bin/sh\n"
        << "cd " << Cita(carpeta.string()) << " || exit 1\n"
        << "unset ENV BASH_ENV PROMPT_COMMAND MAIL MAILPATH\n"
        << "export HOME=" << Cita(carpeta.string()) << " HISTFILE=" << Cita((carpeta / ".historia").string())
        << " LANG=C.UTF-8 LC_ALL=C.UTF-8 PS1=" << Cita(prompt_) << " PS2='> '\n";
      for (const auto& [nombre, valor] : entorno) f << "export " << nombre << "=" << Cita(valor) << "\n";
      // mksh gives root its own PS1 over the inherited one; its ENV file sets it back.
      if (shell_ == "mksh") {
        std::ofstream(carpeta / ".mkshrc") << "PS1=" << Cita(prompt_) << "\n";
        f << "export ENV=" << Cita((carpeta / ".mkshrc").string()) << "\n";
      }
      f << "exec " << LineaShell() << "\n";
      if (!f) return false;
    }
    std::filesystem::permissions(guion, std::filesystem::perms::owner_all);

    unsigned p = 0;
    const int escucha = EscuchaLoopback(1, p);
    if (escucha < 0) return false;
    puerto = static_cast<decltype(puerto)>(p);
    const std::string exec = guion.string();
    pid_ = fork();
    if (pid_ == 0) { // only async-signal-safe calls from here on
      setpgid(0, 0);
      const int c = accept(escucha, nullptr, nullptr);
      if (c < 0) _exit(127);
      SirveTelnetd(c, exec.c_str());
      _exit(127);
    }
    close(escucha);
    return pid_ > 0;
  }

  // Writes a file (raw bytes) in the scratch folder and returns its path.
  std::filesystem::path Escribe(const std::string& nombre, const std::string& bytes) const {
    const auto ruta = carpeta / nombre;
    std::ofstream(ruta, std::ios::binary) << bytes;
    return ruta;
  }
  // Reads a file of the scratch folder (raw bytes); empty when missing.
  std::string Lee(const std::string& nombre) const {
    std::ifstream f(carpeta / nombre, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }

  // Stops the server: it ends by itself once the shell exits; otherwise SIGTERM, then SIGKILL.
  void Para() {
    if (pid_ > 0) {
      if (!Espera(0)) {
        kill(pid_, SIGTERM);
        if (!Espera(2000)) {
          kill(pid_, SIGKILL);
          waitpid(pid_, nullptr, 0);
        }
      }
      pid_ = -1;
    }
    if (!carpeta.empty()) {
      std::error_code ec;
      std::filesystem::remove_all(carpeta, ec);
      carpeta.clear();
    }
  }
  ~HostTelnetd() { Para(); }

  pid_t Pid() const { return pid_; }

private:
  // The command that runs the shell interactively without reading any start-up file.
  std::string LineaShell() const {
    if (shell_ == "bash") return "/bin/bash --norc --noprofile -i";
    if (shell_ == "dash") return "/bin/dash -i";
    if (shell_ == "busybox") return "/bin/busybox sh -i";
    if (shell_ == "zsh") return "/bin/zsh -f -i -o NO_PROMPT_CR -o NO_PROMPT_SP -o NO_RCS";
    if (shell_ == "ksh") return "/bin/ksh -i";
    if (shell_ == "mksh") return "/bin/mksh -i";
    if (shell_ == "sh") return "/bin/sh -i";
    return {};
  }
  static std::string Cita(const std::string& s) {
    std::string r = "'";
    for (char c : s) r += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return r + "'";
  }
  bool Espera(int ms) {
    for (int t = 0;; t += 20) {
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) return true;
      if (t >= ms) return false;
      usleep(20000);
    }
  }

  std::string shell_;
  std::string prompt_;
  pid_t pid_ = -1;
};

} // namespace zt::test
