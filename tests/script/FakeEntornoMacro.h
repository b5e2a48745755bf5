// The program around a macro run, played by the test: a scripted host that answers sent lines
// on a manual clock, an in-memory log, and a record of what the run asked for.
#pragma once
#include "base/Error.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakePump.h"
#include "script/ControlMacro.h"
#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace zt::prueba {

class FakeEntornoMacro : public EntornoMacro {
public:
  FakePump bomba;
  FakeDialogs dialogos;
  int16_t estado = 0;
  // "conecta h:p", "desconecta", "muestra", "edita x", "registro x", "ini 0/1", "fin", "termina".
  std::vector<std::string> llamadas;
  std::string enviado;
  int64_t enviadoEn = -1;              // clock of the first SendData
  std::optional<std::string> registro; // the open log's text; nullopt = none
  bool pausado = false;
  Texto editor;
  Texto fallaEdita;
  std::vector<std::string> estados; // status-panel texts
  // Connection accepted this many ms after ConnectToHost; negative = never.
  int msConexion = 0;
  // What the host prints after each line it receives, then the prompt as the last line.
  std::string prompt = "$ ";
  std::function<std::string(const std::string&)> respuesta = [](const std::string&) { return ""; };
  ControlMacro* control = nullptr;
  // Runs on every event round, after the host's deliveries.
  std::function<void()> alProcesar;

  FakeEntornoMacro() {
    bomba.alProcesar = [this] { Procesa(); };
  }

  // Delivers a chunk at 'ms' on the clock: 'texto' decoded, 'ultima' the view's last line then.
  void Entrega(int64_t ms, const std::string& texto, const std::string& ultima) {
    auto it = std::upper_bound(pendientes_.begin(), pendientes_.end(), ms,
                               [](int64_t m, const Trozo& t) { return m < t.ms; });
    pendientes_.insert(it, Trozo{ms, texto, ultima});
  }

  Pump& Bomba() override { return bomba; }
  Dialogs& Dialogos() override { return dialogos; }
  int16_t EstadoConexion() const override { return estado; }
  // Why the host ended the link; ConnectToHost and Desconecta clear it.
  std::string motivo;
  Texto MotivoCierre() const override { return T(motivo); }
  void SendData(const Texto& texto) override {
    const std::string s = U8(texto);
    if (enviadoEn < 0) enviadoEn = bomba.ahora;
    enviado += s;
    const std::string linea = s.substr(0, s.find('\r'));
    Entrega(bomba.ahora + 20, linea + "\r\n" + respuesta(linea), "");
    Entrega(bomba.ahora + 30, prompt, prompt);
  }
  void ConnectToHost(const Texto& host, int32_t puerto) override {
    llamadas.push_back("conecta " + U8(host) + ":" + std::to_string(puerto));
    estado = 6;
    motivo.clear();
    conectaEn_ = msConexion < 0 ? -1 : bomba.ahora + msConexion;
  }
  void Desconecta() override {
    llamadas.push_back("desconecta");
    estado = 0;
    motivo.clear();
  }
  void MuestraVentana() override { llamadas.push_back("muestra"); }
  Texto EditaArchivo(const Texto& nombre) override {
    llamadas.push_back("edita " + U8(nombre));
    return fallaEdita;
  }
  void AbreRegistro(const Texto& ruta) override {
    llamadas.push_back("registro " + U8(ruta));
    registro = "";
  }
  void EscribeRegistro(const Texto& texto) override {
    if (!registro) throw ErrorEjecucion(CodigoError::NumeroArchivo);
    *registro += U8(texto);
  }
  void CierraRegistro() override { registro.reset(); }
  void PausaRegistro(bool p) override { pausado = p; }
  void IniEjecMacro(bool barra) override { llamadas.push_back(barra ? "ini 1" : "ini 0"); }
  void FinEjecMacro() override { llamadas.push_back("fin"); }
  void MensajeEstado(const Texto& texto, Color, std::optional<Color>) override {
    estados.push_back(U8(texto));
  }
  Texto TextoMacroEditor() override { return editor; }
  void TerminaPrograma() override { llamadas.push_back("termina"); }

private:
  struct Trozo {
    int64_t ms;
    std::string texto, ultima;
  };
  void Procesa() {
    if (estado == 6 && conectaEn_ >= 0 && bomba.ahora >= conectaEn_) estado = 7;
    while (!pendientes_.empty() && pendientes_.front().ms <= bomba.ahora) {
      Trozo t = pendientes_.front();
      pendientes_.pop_front();
      const Texto ultima = T(t.ultima), texto = T(t.texto);
      if (control) control->DatosRecibidos(texto, &ultima, texto.find(U'\n') != Texto::npos);
    }
    if (alProcesar) alProcesar();
  }
  std::deque<Trozo> pendientes_;
  int64_t conectaEn_ = -1;
};

} // namespace zt::prueba
