// Runs typed command lines through a real shell on this machine, read from a pipe, in a scratch
// folder: what the host's shell would do with them, without a terminal in between.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace zt::test {

struct ShellLocal {
  const char* nombre;
  const char* programa; // program and arguments, for a command line of system()
};

// The shells installed here, among the common ones.
inline std::vector<ShellLocal> ShellsInstalados() {
  static const ShellLocal todos[] = {{"bash", "/bin/bash --norc --noprofile"},
                                     {"dash", "/bin/dash"},
                                     {"busybox", "/bin/busybox sh"},
                                     {"ksh", "/bin/ksh"},
                                     {"mksh", "/bin/mksh"},
                                     {"zsh", "/bin/zsh -f"}};
  std::vector<ShellLocal> r;
  for (const auto& s : todos) {
    std::string prog(s.programa);
    prog = prog.substr(0, prog.find(' '));
    if (access(prog.c_str(), X_OK) == 0) r.push_back(s);
  }
  return r;
}

// A scratch folder removed at the end.
struct CarpetaTemporal {
  std::filesystem::path ruta;
  CarpetaTemporal() {
    char plantilla[] = "/tmp/zt-remoto-XXXXXX";
    ruta = mkdtemp(plantilla);
  }
  ~CarpetaTemporal() {
    std::error_code ec;
    std::filesystem::remove_all(ruta, ec);
  }
  std::string Lee(const std::string& nombre) const {
    std::ifstream f(ruta / nombre, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
};

// Feeds 'guion' (lines ending in CR, as typed; the terminal turns CR into LF) to the shell in
// 'carpeta' with HOME set to it; returns the shell's standard output.
inline std::string EjecutaEnShell(const ShellLocal& sh, const std::string& guion,
                                  const std::filesystem::path& carpeta) {
  std::string lf = guion;
  for (char& c : lf)
    if (c == '\r') c = '\n';
  const auto archivo = carpeta / ".guion";
  std::ofstream(archivo, std::ios::binary) << lf << "\n";
  const std::string orden = "cd '" + carpeta.string() + "' && HOME='" + carpeta.string() + "' " +
                            sh.programa + " < '" + archivo.string() + "' 2>&1";
  std::string salida;
  if (FILE* p = popen(orden.c_str(), "r")) {
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) salida.append(buf, n);
    pclose(p);
  }
  std::filesystem::remove(archivo);
  return salida;
}

} // namespace zt::test
