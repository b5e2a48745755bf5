// A repeating timer whose ticks run on the GUI thread.
#pragma once
#include <functional>

namespace zt {

class Timer {
public:
  virtual ~Timer() = default;
  // Called at every tick until Detener.
  virtual void FijaTic(std::function<void()> tic) = 0;
  virtual void Iniciar(int ms) = 0;
  virtual void Detener() = 0;
  virtual bool Activo() const = 0;
};

} // namespace zt
