// Evaluations per second of a 1,000-operator macro expression.
#include "script/Interprete.h"
#include <chrono>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  using namespace zt;
  const int veces = argc > 1 ? std::stoi(argv[1]) : 2000;
  // Mixed levels so the climbing loop recurses: a + b * c - d / e ... over small integers.
  static const char* kOps[] = {" + ", " * ", " - ", " / ", " + ", " \\ ", " - ", " % "};
  std::string expr = "1";
  for (int k = 0; k < 1000; ++k) expr += std::string(kOps[k % 8]) + std::to_string(k % 9 + 1);
  CInterprete in;
  in.CreaContenido(T(expr));
  const PosCont inicio = in.GuardaPos();
  Texto valor;
  const auto t0 = std::chrono::steady_clock::now();
  for (int k = 0; k < veces; ++k) {
    in.RestauraPos(inicio);
    valor = in.EvalExpresion(0, false).valor;
  }
  const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  std::printf("expression: %zu characters, 1000 operators, value %s\n", expr.size(), U8(valor).c_str());
  std::printf("%d evaluations in %.3f s: %.0f evaluations/s, %.0f operators/s\n", veces, s, veces / s,
              veces * 1000.0 / s);
  return in.MensajeError.empty() ? 0 : 1;
}
