// Terminal-side fake for the Telnet object: keeps the data text and records every other call.
#pragma once
#include "base/Error.h"
#include "terminal/PantallaTelnet.h"
#include <cstdio>
#include <string>
#include <vector>

namespace zt {

class FakePantalla : public PantallaTelnet {
public:
  Texto datos; // every data character, in order
  // "FijaTamTerminal 90x35", "Panel1 texto #rrggbb/menu", "EliminarLineasIni n", "EnganCursorEdit",
  // "Dibujar", "ReiniciaSecuencia".
  std::vector<std::string> llamadas;
  int32_t lineas = 0;
  bool engan = false;
  char32_t falla = char32_t(-1); // a character whose arrival throws, as a failing view would

  // An escape sequence is open from ESC to the next letter: just enough to route IAC.
  void Datos(VistaTexto texto) override {
    for (char32_t c : texto) {
      if (c == falla) throw ErrorEjecucion(CodigoError::Desbordamiento);
      datos += c;
      if (c == 27)
        secuencia_ = true;
      else if ((c | 32) >= 'a' && (c | 32) <= 'z')
        secuencia_ = false;
    }
  }
  bool EnSecuencia() const override { return secuencia_; }
  void ReiniciaSecuencia() override {
    secuencia_ = false;
    llamadas.push_back("ReiniciaSecuencia");
  }
  void FijaTamTerminal(int16_t ancho, int16_t alto) override {
    llamadas.push_back("FijaTamTerminal " + std::to_string(ancho) + "x" + std::to_string(alto));
  }
  void Panel1(VistaTexto texto, Color colTexto, Color colFondo) override {
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", Rojo(colTexto), Verde(colTexto), Azul(colTexto));
    llamadas.push_back("Panel1 " + U8(texto) + " " + hex + (colFondo == ColorMenuSistema ? "/menu" : "/?"));
  }
  int32_t NumLineas() const override { return lineas; }
  void EliminarLineasIni(int32_t nelim) override {
    lineas -= nelim;
    llamadas.push_back("EliminarLineasIni " + std::to_string(nelim));
  }
  bool CursorEditEngan() const override { return engan; }
  void EnganCursorEdit() override { llamadas.push_back("EnganCursorEdit"); }
  void Dibujar() override { llamadas.push_back("Dibujar"); }

private:
  bool secuencia_ = false;
};

// Bytes written as words: IAC, SB, SE, DO, DONT, WILL, WONT, NOP, GA, ESC, decimal numbers, and
// 'text' (UTF-8) for literal bytes. "IAC SB 24 0 'VT100' IAC SE".
inline std::string B(std::string_view s) {
  static const std::pair<const char*, int> nombres[] = {
      {"IAC", 255},  {"SB", 250},   {"SE", 240},  {"DO", 253}, {"DONT", 254},
      {"WILL", 251}, {"WONT", 252}, {"NOP", 241}, {"GA", 249}, {"ESC", 27}};
  std::string r;
  std::size_t i = 0;
  while (i < s.size()) {
    if (s[i] == ' ') {
      ++i;
      continue;
    }
    if (s[i] == '\'') {
      const std::size_t fin = s.find('\'', i + 1);
      r += s.substr(i + 1, fin - i - 1);
      i = fin + 1;
      continue;
    }
    const std::string palabra(s.substr(i, s.find(' ', i) - i));
    i += palabra.size();
    int valor = -1;
    for (auto& [n, v] : nombres)
      if (palabra == n) valor = v;
    r += char(valor >= 0 ? valor : std::stoi(palabra));
  }
  return r;
}

} // namespace zt
