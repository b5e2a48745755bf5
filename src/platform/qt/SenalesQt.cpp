// The self-pipe behind SenalesParadaQt.
#include "platform/qt/SenalesQt.h"
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace zt {

namespace {

constexpr int kSenales[] = {SIGTERM, SIGINT, SIGHUP};
int tuberia[2] = {-1, -1};

// Only async-signal-safe calls here.
void AlSenal(int senal) {
  const int guardado = errno;
  const unsigned char b = static_cast<unsigned char>(senal);
  [[maybe_unused]] const ssize_t n = write(tuberia[1], &b, 1);
  errno = guardado;
}

} // namespace

SenalesParadaQt::SenalesParadaQt(std::function<void(int)> alRecibir) : alRecibir_(std::move(alRecibir)) {
  if (tuberia[0] >= 0 || pipe2(tuberia, O_CLOEXEC | O_NONBLOCK) != 0) return;
  aviso_ = std::make_unique<QSocketNotifier>(tuberia[0], QSocketNotifier::Read);
  QObject::connect(aviso_.get(), &QSocketNotifier::activated, [this] { Lee(); });
  struct sigaction sa {};
  sa.sa_handler = AlSenal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int s : kSenales) sigaction(s, &sa, nullptr);
}

SenalesParadaQt::~SenalesParadaQt() {
  if (!aviso_) return;
  for (int s : kSenales) std::signal(s, SIG_DFL);
  aviso_.reset();
  close(tuberia[0]);
  close(tuberia[1]);
  tuberia[0] = tuberia[1] = -1;
}

void SenalesParadaQt::Lee() {
  unsigned char b[16];
  for (ssize_t n; (n = read(tuberia[0], b, sizeof b)) > 0;)
    for (ssize_t i = 0; i < n; ++i)
      if (alRecibir_) alRecibir_(b[i]);
}

} // namespace zt
