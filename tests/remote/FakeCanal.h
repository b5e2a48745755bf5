// A terminal session played by the test: each typed command gets the bytes the test's host
// function returns, handed over in chunks of a chosen size while the caller waits.
#pragma once
#include "remote/CanalRemoto.h"
#include <deque>
#include <string>
#include <vector>

namespace zt {

class FakeCanal : public CanalRemoto {
public:
  bool conectado = true;
  Codificacion codificacion = Codificacion::Utf8;
  std::size_t trozo = 7; // bytes per delivered chunk
  // The host: answer to one typed command (without its final CR). Unset: silence.
  std::function<std::string(const std::string&)> host;
  // Runs once per wait round, before a chunk is delivered (the test may disconnect here).
  std::function<void()> alEsperar;
  std::vector<std::string> enviados;
  int esperas = 0;

  bool Conectado() const override { return conectado; }
  Codificacion CodificacionFlujo() const override { return codificacion; }
  void Envia(std::string_view bytes) override {
    enviados.emplace_back(bytes);
    if (!host || bytes.empty() || bytes.back() != '\r') return;
    const std::string r = host(std::string(bytes.substr(0, bytes.size() - 1)));
    for (std::size_t i = 0; i < r.size(); i += trozo) pendiente_.push_back(r.substr(i, trozo));
  }
  void FijaReceptor(std::function<void(std::string_view)> receptor) override {
    receptor_ = std::move(receptor);
  }
  bool EsperaHasta(const std::function<bool()>& listo, int) override {
    while (!listo()) {
      ++esperas;
      if (alEsperar) alEsperar();
      if (listo()) break;
      if (pendiente_.empty()) return false;
      const std::string c = std::move(pendiente_.front());
      pendiente_.pop_front();
      if (receptor_) receptor_(c);
    }
    return true;
  }
  bool HayReceptor() const { return bool(receptor_); }

private:
  std::function<void(std::string_view)> receptor_;
  std::deque<std::string> pendiente_;
};

} // namespace zt
