// Surface fake: records every drawing call as one line of text, colours as #rrggbb.
#pragma once
#include "platform/Surface.h"
#include <cstdio>
#include <string>
#include <vector>

namespace zt {

class FakeSurface : public Surface {
public:
  MetricaCelda metrica;
  // "LlenaRect x,y,ancho,alto #rrggbb", "DibujaTexto x,y "texto" #rrggbb[ negrita]",
  // "Linea x1,y1-x2,y2 #rrggbb".
  std::vector<std::string> llamadas;

  MetricaCelda Metrica() const override { return metrica; }
  void LlenaRect(int x, int y, int ancho, int alto, Color color) override {
    llamadas.push_back("LlenaRect " + Num(x) + "," + Num(y) + "," + Num(ancho) + "," + Num(alto) + " " +
                       Hex(color));
  }
  void DibujaTexto(int x, int y, VistaTexto texto, Color color, bool negrita = false) override {
    llamadas.push_back("DibujaTexto " + Num(x) + "," + Num(y) + " \"" + U8(texto) + "\" " + Hex(color) +
                       (negrita ? " negrita" : ""));
  }
  void Linea(int x1, int y1, int x2, int y2, Color color) override {
    llamadas.push_back("Linea " + Num(x1) + "," + Num(y1) + "-" + Num(x2) + "," + Num(y2) + " " + Hex(color));
  }

  // Every call, one per line.
  std::string Todo() const {
    std::string s;
    for (const auto &l : llamadas) s += l + "\n";
    return s;
  }
  // Only the calls starting with 'prefijo' (e.g. "DibujaTexto").
  std::vector<std::string> Solo(const std::string &prefijo) const {
    std::vector<std::string> r;
    for (const auto &l : llamadas)
      if (l.compare(0, prefijo.size(), prefijo) == 0) r.push_back(l);
    return r;
  }
  void Limpia() { llamadas.clear(); }

  static std::string Hex(Color c) {
    char b[8];
    std::snprintf(b, sizeof b, "#%02x%02x%02x", Rojo(c), Verde(c), Azul(c));
    return b;
  }

private:
  static std::string Num(int v) { return std::to_string(v); }
};

} // namespace zt
