// SIGTERM, SIGINT and SIGHUP as a stop request delivered on the event loop.
#pragma once
#include <functional>
#include <memory>

class QSocketNotifier;

namespace zt {

// While it lives, the three signals no longer kill the process: the handler only writes the
// signal's number into a pipe, and the event loop hands it to 'alRecibir' (so nothing unsafe runs
// inside the handler). One at a time; the signals' default actions come back when it goes.
class SenalesParadaQt {
public:
  explicit SenalesParadaQt(std::function<void(int senal)> alRecibir);
  ~SenalesParadaQt();
  SenalesParadaQt(const SenalesParadaQt&) = delete;
  SenalesParadaQt& operator=(const SenalesParadaQt&) = delete;

private:
  void Lee();

  std::function<void(int)> alRecibir_;
  std::unique_ptr<QSocketNotifier> aviso_;
};

} // namespace zt
