// Start-up time to a drawn window: ztelnet against xterm, alternating, on the current X display.
// A program counts as up when its first top-level window shows more than a bare background
// (its first frame). Prints the median of each and their ratio.
//
//   DISPLAY=:93 build/bench/startup/bench_arranque [veces [otro programa en lugar de ztelnet]]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

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

// Milliseconds from the start of 'argv' to its first drawn top-level window; -1 on time-out.
double Mide(Display* d, const std::vector<std::string>& argv) {
  const Window raiz = DefaultRootWindow(d);
  XSelectInput(d, raiz, SubstructureNotifyMask);
  XSync(d, True);
  const auto t0 = Reloj::now();
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> a;
    for (const auto& s : argv) a.push_back(const_cast<char*>(s.c_str()));
    a.push_back(nullptr);
    execv(a[0], a.data());
    _exit(127);
  }
  Window ventana = 0;
  double ms = -1;
  while (Reloj::now() - t0 < std::chrono::seconds(20)) {
    while (XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
      if (e.type == MapNotify && e.xmap.event == raiz && !e.xmap.override_redirect && !ventana)
        ventana = e.xmap.window;
    }
    if (ventana && Dibujada(d, ventana)) {
      ms = std::chrono::duration<double, std::milli>(Reloj::now() - t0).count();
      break;
    }
    usleep(1000);
  }
  XSelectInput(d, raiz, NoEventMask);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  XSync(d, True);
  return ms;
}

double Mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
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

  std::vector<double> zt, xt;
  for (int i = 0; i < veces; ++i) {
    zt.push_back(Mide(d, {programa}));
    xt.push_back(Mide(d, {"/usr/bin/xterm", "-e", "/bin/sh"}));
  }
  std::filesystem::remove_all(casa);
  XCloseDisplay(d);
  for (double v : zt)
    if (v < 0) return std::fprintf(stderr, "ztelnet no mostró su ventana\n"), 1;
  for (double v : xt)
    if (v < 0) return std::fprintf(stderr, "xterm no mostró su ventana\n"), 1;
  const double mz = Mediana(zt), mx = Mediana(xt);
  std::printf("arranque hasta la primera imagen, mediana de %d: ztelnet %.1f ms, xterm %.1f ms, "
              "ztelnet/xterm %.2f\n",
              veces, mz, mx, mz / mx);
  return 0;
}
