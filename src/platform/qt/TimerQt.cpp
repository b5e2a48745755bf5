// Timer over QTimer.
#include "platform/qt/TimerQt.h"

namespace zt {

TimerQt::TimerQt() {
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    // A copy: the tick may set a new tick function while it runs.
    if (auto tic = tic_) tic();
  });
}

} // namespace zt
