// The two sides of a race for the private host's session.
//
//   zt-carrera /IP=127.0.0.1:PORT
//     Stands for ztelnet: connects, refuses every Telnet option, runs `echo` in the shell and
//     exits 0 when the answer comes back (it also prints the shell's uid), 1 otherwise.
//   zt-carrera atacante INFORME
//     Watches the kernel's table for loopback listeners and connects to each as fast as it can,
//     again and again, until SIGTERM; to each new one it also connects from a port whose earlier
//     connection waits out its time (listed as root's, with no owner, in the kernel's table). Any byte received means a server answered it: it writes
//     "ENTRO" to INFORME and exits 3. On SIGTERM it writes the number of connections it made
//     and of those a server accepted and closed unanswered.
#include <arpa/inet.h>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <set>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

int Conecta(unsigned puerto, bool bloqueante) {
  const int s = socket(AF_INET, SOCK_STREAM | (bloqueante ? 0 : SOCK_NONBLOCK), 0);
  sockaddr_in dir{};
  dir.sin_family = AF_INET;
  dir.sin_port = htons(uint16_t(puerto));
  dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(s, reinterpret_cast<sockaddr*>(&dir), sizeof dir) == 0 || errno == EINPROGRESS) return s;
  close(s);
  return -1;
}

// Answers DO with WONT and WILL with DONT, and strips the commands from what it returns.
std::string SinOpciones(int s, const std::string& datos) {
  std::string texto, respuesta;
  for (size_t i = 0; i < datos.size(); ++i) {
    const auto b = static_cast<unsigned char>(datos[i]);
    if (b != 255 || i + 1 >= datos.size()) {
      texto += datos[i];
      continue;
    }
    const auto orden = static_cast<unsigned char>(datos[++i]);
    if ((orden == 253 || orden == 251) && i + 1 < datos.size()) {
      respuesta += {char(255), char(orden == 253 ? 252 : 254), datos[++i]};
    } else if (orden == 250) {
      while (i + 1 < datos.size() && !(static_cast<unsigned char>(datos[i]) == 255 && datos[i + 1] == char(240))) ++i;
      ++i;
    }
  }
  if (!respuesta.empty() && write(s, respuesta.data(), respuesta.size()) < 0) return texto;
  return texto;
}

int Legitimo(const char* ip) {
  const char* dos = std::strrchr(ip, ':');
  const int s = dos ? Conecta(unsigned(std::atoi(dos + 1)), true) : -1;
  if (s < 0) return 1;
  std::string visto;
  bool enviado = false;
  for (int vueltas = 0; vueltas < 200; ++vueltas) {
    pollfd p{s, POLLIN, 0};
    if (poll(&p, 1, 50) == 1) {
      char b[4096];
      const ssize_t n = read(s, b, sizeof b);
      if (n <= 0) break;
      visto += SinOpciones(s, std::string(b, size_t(n)));
    }
    if (!enviado && vueltas >= 2) {
      const char orden[] = "echo ZT-$((6*7))-$(id -u)-FIN\r\n";
      enviado = write(s, orden, sizeof orden - 1) > 0;
    }
    const auto marca = visto.find("ZT-42-");
    if (marca != std::string::npos && visto.find("-FIN", marca) != std::string::npos) {
      std::printf("%s\n", visto.substr(marca, visto.find("-FIN", marca) - marca).c_str());
      if (write(s, "exit\r\n", 6) < 0) break;
      close(s);
      return 0;
    }
  }
  close(s);
  return 1;
}

// Binds 's' to 127.0.0.x:puerto with address reuse.
bool Liga(int s, unsigned x, unsigned puerto) {
  const int uno = 1;
  setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &uno, sizeof uno);
  sockaddr_in dir{};
  dir.sin_family = AF_INET;
  dir.sin_port = htons(uint16_t(puerto));
  dir.sin_addr.s_addr = htonl(0x7f000000u | x);
  return bind(s, reinterpret_cast<sockaddr*>(&dir), sizeof dir) == 0;
}

// A connection to 127.0.0.1:q from a port that also holds a closed connection to 127.0.0.2:q in
// its waiting time: a check that looks the port pair up without the addresses finds that one.
int ConEsperaCerrada(unsigned q) {
  const int escucha = socket(AF_INET, SOCK_STREAM, 0), antes = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in dir{};
  socklen_t largo = sizeof dir;
  int s = -1;
  if (Liga(escucha, 2, q) && listen(escucha, 1) == 0 && Liga(antes, 1, 0) &&
      getsockname(antes, reinterpret_cast<sockaddr*>(&dir), &largo) == 0) {
    const unsigned propio = ntohs(dir.sin_port);
    dir.sin_port = htons(uint16_t(q));
    dir.sin_addr.s_addr = htonl(0x7f000002u);
    if (connect(antes, reinterpret_cast<sockaddr*>(&dir), sizeof dir) == 0) {
      const int otro = accept(escucha, nullptr, nullptr);
      close(antes); // we close first: ours is the end that waits out its time
      usleep(20000);
      close(otro);
      usleep(20000);
      s = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
      dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      if (!Liga(s, 1, propio) || (connect(s, reinterpret_cast<sockaddr*>(&dir), sizeof dir) != 0 && errno != EINPROGRESS))
        close(s), s = -1;
    } else {
      close(antes);
    }
  } else {
    close(antes);
  }
  close(escucha);
  return s;
}

std::atomic<bool> parar{false};

std::set<unsigned> Escuchas() {
  std::set<unsigned> puertos;
  std::ifstream f("/proc/net/tcp");
  std::string linea;
  std::getline(f, linea);
  while (std::getline(f, linea)) {
    std::istringstream campos(linea);
    std::string sl, local, remoto, estado;
    if (campos >> sl >> local >> remoto >> estado && estado == "0A" && local.rfind("0100007F:", 0) == 0)
      puertos.insert(unsigned(std::strtoul(local.c_str() + 9, nullptr, 16)));
  }
  return puertos;
}

int Atacante(const char* informe) {
  signal(SIGTERM, [](int) { parar = true; });
  long conexiones = 0, cerradas = 0;
  std::vector<int> abiertas;
  const auto Escribe = [&](const std::string& texto) { std::ofstream(informe) << texto << "\n"; };
  std::set<unsigned> vistos;
  while (!parar) {
    for (unsigned puerto : Escuchas()) {
      const int s = Conecta(puerto, false);
      if (s >= 0) abiertas.push_back(s), ++conexiones;
      if (vistos.insert(puerto).second)
        if (const int t = ConEsperaCerrada(puerto); t >= 0) abiertas.push_back(t), ++conexiones;
    }
    // Keep every connection a while: a server that answers late is caught as well.
    for (size_t i = 0; i < abiertas.size();) {
      char b[64];
      const ssize_t n = recv(abiertas[i], b, sizeof b, MSG_DONTWAIT);
      if (n > 0) {
        Escribe("ENTRO");
        return 3;
      }
      if (n == 0) ++cerradas;
      if (n == 0 || (n < 0 && errno != EAGAIN && errno != ENOTCONN) || abiertas.size() > 200) {
        close(abiertas[i]);
        abiertas[i] = abiertas.back();
        abiertas.pop_back();
      } else {
        ++i;
      }
    }
  }
  Escribe(std::to_string(conexiones) + " " + std::to_string(cerradas));
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strncmp(argv[1], "/IP=", 4) == 0) return Legitimo(argv[1]);
  if (argc == 3 && std::strcmp(argv[1], "atacante") == 0) return Atacante(argv[2]);
  std::fprintf(stderr, "uso: zt-carrera /IP=127.0.0.1:PUERTO | atacante INFORME\n");
  return 2;
}
