// A session with a real shell of this machine, through pipes instead of a terminal: typed CR
// become LF and each LF of the output comes back as CR LF, as a terminal would do; there is no
// echo and no line editor. The shell runs in a scratch folder until the object goes.
#pragma once
#include "remote/CanalRemoto.h"
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace zt::test {

class ShellViva : public CanalRemoto {
public:
  std::filesystem::path carpeta;
  bool conectado = true;
  bool mudo = false; // typed bytes are dropped: a host that never answers

  // 'argv' runs the shell; 'ruta' goes before PATH (a folder whose "sh" is another shell, say).
  explicit ShellViva(std::vector<std::string> argv = {"/bin/sh"}, std::string ruta = "") {
    char plantilla[] = "/tmp/zt-shell-XXXXXX";
    carpeta = mkdtemp(plantilla);
    int entrada[2], salida[2];
    if (pipe(entrada) != 0 || pipe(salida) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(entrada[0], 0), dup2(salida[1], 1), dup2(salida[1], 2);
      close(entrada[1]), close(salida[0]);
      if (chdir(carpeta.c_str()) != 0) _exit(126);
      setenv("HOME", carpeta.c_str(), 1);
      if (!ruta.empty()) setenv("PATH", (ruta + ":" + getenv("PATH")).c_str(), 1);
      std::vector<char*> args;
      for (auto& a : argv) args.push_back(a.data());
      args.push_back(nullptr);
      execv(args[0], args.data());
      _exit(127);
    }
    close(entrada[0]), close(salida[1]);
    escribe_ = entrada[1], lee_ = salida[0];
    fcntl(lee_, F_SETFL, O_NONBLOCK);
  }
  ~ShellViva() override {
    close(escribe_), close(lee_);
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    std::error_code ec;
    std::filesystem::remove_all(carpeta, ec);
  }

  std::string Lee(const std::string& nombre) const {
    std::ifstream f(carpeta / nombre, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
  void Escribe(const std::string& nombre, const std::string& bytes) const {
    std::ofstream(carpeta / nombre, std::ios::binary) << bytes;
  }

  bool Conectado() const override { return conectado; }
  Codificacion CodificacionFlujo() const override { return Codificacion::Utf8; }
  void Envia(std::string_view bytes) override {
    if (mudo) return;
    std::string lf(bytes);
    for (char& c : lf)
      if (c == '\r') c = '\n';
    for (std::size_t hecho = 0; hecho < lf.size();) {
      const ssize_t n = write(escribe_, lf.data() + hecho, lf.size() - hecho);
      if (n <= 0) return;
      hecho += std::size_t(n);
    }
  }
  void FijaReceptor(std::function<void(std::string_view)> receptor) override {
    receptor_ = std::move(receptor);
  }
  bool EsperaHasta(const std::function<bool()>& listo, int msMax) override {
    const auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(msMax);
    while (!listo()) {
      const auto resta =
          std::chrono::duration_cast<std::chrono::milliseconds>(fin - std::chrono::steady_clock::now());
      if (resta.count() <= 0) return false;
      pollfd p{lee_, POLLIN, 0};
      if (poll(&p, 1, int(resta.count())) <= 0) continue;
      char buf[65536];
      const ssize_t n = read(lee_, buf, sizeof buf);
      if (n <= 0) return listo();
      std::string crlf;
      for (ssize_t i = 0; i < n; ++i) crlf += buf[i] == '\n' ? std::string("\r\n") : std::string(1, buf[i]);
      if (receptor_) receptor_(crlf);
    }
    return true;
  }

private:
  pid_t pid_ = -1;
  int escribe_ = -1, lee_ = -1;
  std::function<void(std::string_view)> receptor_;
};

} // namespace zt::test
