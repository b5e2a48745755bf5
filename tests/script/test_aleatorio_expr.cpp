// Seeded random expressions checked against an independent recursive-descent evaluation.
#include "Ayuda.h"
#include "base/Numeros.h"
#include <gtest/gtest.h>
#include <cmath>
#include <random>
#include <variant>

using namespace zt;

namespace {

// The reference: recursive descent over the two levels involved (6: * / \ %, 5: + -), both left
// associative. Every intermediate value goes through its number text, as values are text.
struct Fallo {
  std::string texto;  // MensajeError or the run-time error's description
};
using Valor = std::variant<double, Fallo>;

class Referencia {
public:
  explicit Referencia(std::string s) : s_(std::move(s)) {}
  Valor Expresion() {
    Valor v = Termino();
    while (std::holds_alternative<double>(v) && (Ve() == '+' || Ve() == '-')) {
      const char op = s_[i_++];
      Valor d = Termino();
      if (!std::holds_alternative<double>(d)) return d;
      const double l = std::get<double>(v), r = std::get<double>(d);
      v = Texto2(op == '+' ? l + r : l - r);
    }
    return v;
  }

private:
  Valor Termino() {
    Valor v = Factor();
    while (std::holds_alternative<double>(v) && std::string("*/\\%").find(Ve()) != std::string::npos &&
           Ve() != 0) {
      const char op = s_[i_++];
      Valor d = Factor();
      if (!std::holds_alternative<double>(d)) return d;
      v = Aplica(std::get<double>(v), op, std::get<double>(d));
    }
    return v;
  }

  Valor Factor() {
    if (Ve() == '(') {
      ++i_;
      Valor v = Expresion();
      Ve();
      ++i_;  // ")"
      return v;
    }
    double n = 0;
    while (Ve() >= '0' && Ve() <= '9') n = n * 10 + (s_[i_++] - '0');
    return n;
  }

  static Valor Aplica(double l, char op, double r) {
    if (op == '*') return Texto2(l * r);
    if (r == 0) return Fallo{"No se puede dividir por cero."};
    if (op == '/') return Texto2(l / r);
    const double a = RedondeaPar(l), b = RedondeaPar(r);
    if (std::fabs(a) > 2147483647.0 || std::fabs(b) > 2147483647.0) return Fallo{"Desbordamiento"};
    if (b == 0) return Fallo{"División por cero"};
    const double q = op == '\\' ? std::trunc(a / b) : std::fmod(a, b);
    return q == 0 ? 0.0 : q;
  }

  static double Texto2(double v) { return LeeNumero(TextoDoble(v)); }

  char Ve() {
    while (i_ < s_.size() && s_[i_] == ' ') ++i_;
    return i_ < s_.size() ? s_[i_] : 0;
  }

  std::string s_;
  size_t i_ = 0;
};

std::string Genera(std::mt19937& gen, int profundidad) {
  std::uniform_int_distribution<int> num(0, 12), ops(0, 5), cuantos(1, 4), azar(0, 9);
  static const char* kOps[] = {"+", "-", "*", "/", "\\", "%"};
  std::string s;
  const int n = cuantos(gen);
  for (int k = 0; k <= n; ++k) {
    if (k > 0) s += std::string(azar(gen) < 5 ? " " : "") + kOps[ops(gen)] + (azar(gen) < 5 ? " " : "");
    if (profundidad > 0 && azar(gen) < 3) s += "(" + Genera(gen, profundidad - 1) + ")";
    else s += std::to_string(num(gen));
  }
  return s;
}

} // namespace

TEST(ExpresionesAleatorias, AgreeWithReference) {
  std::mt19937 gen(20240611);
  CInterprete in;
  int comparadas = 0, fallidas = 0;
  for (int k = 0; k < 5000; ++k) {
    const std::string expr = Genera(gen, 3);
    const Valor esperado = Referencia(expr).Expresion();
    const auto r = prueba::Evalua(in, expr);
    if (const auto* f = std::get_if<Fallo>(&esperado)) {
      ++fallidas;
      EXPECT_EQ(r.error.empty() ? r.fallo : r.error, f->texto) << expr;
      continue;
    }
    ++comparadas;
    ASSERT_EQ(r.error, "") << expr;
    ASSERT_EQ(r.fallo, "") << expr;
    EXPECT_EQ(r.valor, U8(TextoDoble(std::get<double>(esperado)))) << expr;
  }
  EXPECT_GT(comparadas, 3000);
  EXPECT_GT(fallidas, 10);
}
