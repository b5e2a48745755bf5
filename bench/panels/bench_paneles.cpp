// Sending a 10,000-line command file from the command panel: time from the command to the moment
// the last byte has crossed the loopback socket, for the whole text (one piece) and for the same
// text selected (one send per line). Peer: cat writing the same file to the same kind of sink
// (process start included). Median of several runs each.
#include "../Cifras.h"
#include "fakes/SesionLoopback.h"
#include "workspace/PanelComandos.h"
#include <QCoreApplication>
#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace zt;
using Reloj = std::chrono::steady_clock;

namespace {

using zt::bench::Mediana;

constexpr int kLineas = 10000, kRondas = 5;
const std::string kMarca = "echo FIN_DEL_ARCHIVO";

// One-connection sink on 127.0.0.1: reads everything and notes when the last line arrived.
class Sumidero {
public:
  Sumidero() {
    escucha_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(escucha_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t n = sizeof a;
    ::getsockname(escucha_, reinterpret_cast<sockaddr*>(&a), &n);
    puerto = ntohs(a.sin_port);
    ::listen(escucha_, 1);
    hilo_ = std::thread([this] { Lee(); });
  }
  ~Sumidero() {
    ::shutdown(escucha_, SHUT_RDWR);
    ::close(escucha_);
    if (hilo_.joinable()) hilo_.join();
  }
  int puerto = 0;
  std::atomic<bool> completo{false};
  std::atomic<int64_t> bytes{0};
  Reloj::time_point fin;

private:
  void Lee() {
    int c = ::accept(escucha_, nullptr, nullptr);
    if (c < 0) return;
    std::string cola;
    char b[65536];
    for (ssize_t n; (n = ::recv(c, b, sizeof b, 0)) > 0;) {
      bytes += n;
      cola.append(b, size_t(n));
      if (!completo && cola.find(kMarca) != std::string::npos) {
        fin = Reloj::now();
        completo = true;
        break;
      }
      if (cola.size() > 4 * kMarca.size()) cola.erase(0, cola.size() - 2 * kMarca.size());
    }
    ::close(c);
  }
  int escucha_ = -1;
  std::thread hilo_;
};

std::vector<Texto> Lineas() {
  std::vector<Texto> v;
  for (int i = 1; i < kLineas; ++i)
    v.push_back(T("echo 'linea " + std::to_string(i) + " del archivo de comandos' >> /tmp/salida.txt"));
  v.push_back(T(kMarca));
  return v;
}

// One run of the panel: whole text or the selection of all of it; ms from the command.
double Nuestra(bool seleccion, int64_t& bytes) {
  Sumidero s;
  test::SesionLoopback sesion;
  CtlTelnet& telnet = sesion.telnet;
  if (!sesion.Conecta(s.puerto, [&] { return telnet.State() == 7; })) return -1;
  FakeDialogs& dialogos = sesion.dialogos;
  CtlEdit ed(PerfilEditor::CtlEdit(), &dialogos);
  Texto texto;
  for (const Texto& l : Lineas()) texto += l + U"\r\n";
  ed.Text(texto.substr(0, texto.size() - 2));
  PanelComandos panel(ed, dialogos, std::filesystem::temp_directory_path(),
                      std::filesystem::temp_directory_path());
  panel.SendData = [&](VistaTexto t) { telnet.SendData(t); };
  panel.PreguntaFuente = [] { return Fuente::Seleccion; };
  if (seleccion) ed.SeleccionaTodo();
  const auto t0 = Reloj::now();
  panel.EnviaTexto(EditorActivo::Comandos);
  // The sink's thread posts no Qt event: spin on the event loop until it saw the last line.
  while (!s.completo && Reloj::now() - t0 < std::chrono::seconds(60)) QCoreApplication::processEvents();
  if (!s.completo) return -1;
  bytes = s.bytes;
  telnet.Disconnect();
  return std::chrono::duration<double, std::milli>(s.fin - t0).count();
}

// The same file written to the socket by cat through bash's /dev/tcp (the system telnet client
// does not send a file from a non-terminal input).
double DeTelnet(int64_t& bytes) {
  Sumidero s;
  const auto archivo =
      std::filesystem::temp_directory_path() / ("zt_bench_paneles_" + std::to_string(getpid()));
  {
    std::ofstream f(archivo);
    for (const Texto& l : Lineas()) f << U8(l) << "\n";
  }
  const std::string orden =
      "/bin/bash -c 'cat " + archivo.string() + " > /dev/tcp/127.0.0.1/" + std::to_string(s.puerto) + "'";
  const auto t0 = Reloj::now();
  FILE* p = popen(orden.c_str(), "r");
  if (!p) return -1;
  while (!s.completo && Reloj::now() - t0 < std::chrono::seconds(60))
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  pclose(p);
  std::filesystem::remove(archivo);
  bytes = s.bytes;
  return s.completo ? std::chrono::duration<double, std::milli>(s.fin - t0).count() : -1;
}

} // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QCoreApplication app(argc, argv);
  std::vector<double> todo, sel, peer;
  int64_t bTodo = 0, bSel = 0, bPeer = 0;
  for (int i = 0; i < kRondas; ++i) {
    todo.push_back(Nuestra(false, bTodo));
    sel.push_back(Nuestra(true, bSel));
    peer.push_back(DeTelnet(bPeer));
  }
  const double a = Mediana(todo), b = Mediana(sel), c = Mediana(peer);
  std::printf("%d líneas, mediana de %d rondas\n", kLineas, kRondas);
  std::printf("panel, todo el texto (1 envío)     %8.2f ms  %lld bytes\n", a, (long long)bTodo);
  std::printf("panel, selección (1 envío/línea)   %8.2f ms  %lld bytes\n", b, (long long)bSel);
  std::printf("cat > /dev/tcp (bash)              %8.2f ms  %lld bytes (arranque incluido)\n", c,
              (long long)bPeer);
  if (a > 0 && b > 0) std::printf("razón cat/panel: todo %.2f  selección %.2f\n", c / a, c / b);
}
