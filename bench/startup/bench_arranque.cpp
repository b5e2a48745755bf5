// Start-up time to a drawn window: ztelnet against xterm, alternating, on the current X display.
// A program counts as up when its first top-level window shows more than a bare background
// (its first frame). Prints the medians of the wall time and of the CPU time the program had used
// by then (the fairer figure on a busy machine), and the ratios.
//
// Needs the xterm package and the X server's bitmap fonts (xfonts-base, which every X desktop
// installs); the X server must have been started after they were installed.
//
//   DISPLAY=:93 build/bench/startup/bench_arranque [veces [otro programa en lugar de ztelnet]]
#include "../Cifras.h"
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using zt::bench::Mediana;

using Reloj = std::chrono::steady_clock;

// True when the window's image holds at least two colours.
bool Dibujada(Display* d, Window w) {
  XWindowAttributes a;
  if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable || a.width < 2 || a.height < 2)
    return false;
  XImage* img = XGetImage(d, w, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
  if (!img) return false;
  const unsigned long primero = XGetPixel(img, 0, 0);
  bool distinto = false;
  for (int y = 0; y < a.height && !distinto; y += 2)
    for (int x = 0; x < a.width; x += 2)
      if (XGetPixel(img, x, y) != primero) {
        distinto = true;
        break;
      }
  XDestroyImage(img);
  return distinto;
}

// CPU time used so far by every thread of 'pid', in milliseconds.
double CpuMs(pid_t pid) {
  double ns = 0;
  std::error_code ec;
  for (const auto& hilo : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec)) {
    std::ifstream f(hilo.path() / "schedstat");
    double t = 0;
    if (f >> t) ns += t;
  }
  return ns / 1e6;
}

struct Medida {
  double ms = -1; // wall time to the first frame; -1 on time-out
  double cpu = 0; // CPU time used by then
};

// From the start of 'argv' to its first drawn top-level window. The program's standard error
// goes to the file 'errores'.
Medida Mide(Display* d, const std::vector<std::string>& argv, const std::string& errores) {
  const Window raiz = DefaultRootWindow(d);
  XSelectInput(d, raiz, SubstructureNotifyMask);
  XSync(d, True);
  const auto t0 = Reloj::now();
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> a;
    for (const auto& s : argv) a.push_back(const_cast<char*>(s.c_str()));
    a.push_back(nullptr);
    if (const int fd = open(errores.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600); fd >= 0) dup2(fd, 2);
    execv(a[0], a.data());
    _exit(127);
  }
  Window ventana = 0;
  Medida m;
  while (Reloj::now() - t0 < std::chrono::seconds(20)) {
    while (XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
      if (e.type == MapNotify && e.xmap.event == raiz && !e.xmap.override_redirect && !ventana)
        ventana = e.xmap.window;
    }
    if (ventana && Dibujada(d, ventana)) {
      m.ms = std::chrono::duration<double, std::milli>(Reloj::now() - t0).count();
      m.cpu = CpuMs(pid);
      break;
    }
    usleep(1000);
  }
  XSelectInput(d, raiz, NoEventMask);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  XSync(d, True);
  return m;
}

} // namespace

int main(int argc, char** argv) {
  const int veces = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  const std::string programa = argc > 2 ? argv[2] : ZT_ZTELNET;
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "sin pantalla X (DISPLAY)\n");
    return 1;
  }
  unsetenv("QT_QPA_PLATFORM");
  // A settled program folder, so ztelnet asks nothing at start.
  const auto casa =
      std::filesystem::temp_directory_path() / ("zt-bench-arranque-" + std::to_string(getpid()));
  for (const char* sub : {"temp", "macros", "scripts"}) std::filesystem::create_directories(casa / sub);
  std::ofstream(casa / "ztelnet.ini") << "[TER]\t500\t\t\tF\t\t\t1\t\t\t\r\n";
  setenv("ZTELNET_HOME", casa.c_str(), 1);

  const std::string errZt = (casa / "ztelnet.err").string(), errXt = (casa / "xterm.err").string();
  std::vector<double> zt, xt, ztCpu, xtCpu;
  for (int i = 0; i < veces; ++i) {
    const Medida z = Mide(d, {programa}, errZt);
    const Medida x = Mide(d, {"/usr/bin/xterm", "-e", "/bin/sh"}, errXt);
    zt.push_back(z.ms), ztCpu.push_back(z.cpu);
    xt.push_back(x.ms), xtCpu.push_back(x.cpu);
  }
  // Without the X server's bitmap fonts xterm starts with a fallback and a complaint, faster than
  // on any desktop that has them: such a run is not the peer we compare with.
  std::string quejas;
  {
    std::ifstream f(errXt);
    quejas.assign(std::istreambuf_iterator<char>(f), {});
  }
  std::filesystem::remove_all(casa);
  if (quejas.find("cannot load font") != std::string::npos) {
    std::fprintf(stderr, "xterm no pudo cargar su tipo de letra; instale xfonts-base y reinicie el "
                         "servidor X antes de medir\n");
    return 1;
  }
  XCloseDisplay(d);
  for (double v : zt)
    if (v < 0) return std::fprintf(stderr, "ztelnet no mostró su ventana\n"), 1;
  for (double v : xt)
    if (v < 0) return std::fprintf(stderr, "xterm no mostró su ventana\n"), 1;
  const double mz = Mediana(zt), mx = Mediana(xt), cz = Mediana(ztCpu), cx = Mediana(xtCpu);
  std::printf("arranque hasta la primera imagen, mediana de %d: ztelnet %.1f ms, xterm %.1f ms, "
              "ztelnet/xterm %.2f\n",
              veces, mz, mx, mz / mx);
  std::printf("CPU usada hasta entonces: ztelnet %.1f ms, xterm %.1f ms, ztelnet/xterm %.2f\n", cz, cx,
              cz / cx);
  return 0;
}
