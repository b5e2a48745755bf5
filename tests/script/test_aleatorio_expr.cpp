// Seeded random expressions checked against an independent recursive-descent evaluation.
#include "Ayuda.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <variant>

using namespace zt;

namespace {

// The reference: recursive descent over the two levels involved (6: * / \\ %, 5: + -), both left
// associative, written without the code under test: values are text, so every operand goes
// through 7 significant digits and every result through 15 (printf's %G is what the number text
// follows); "\\" and "%" round halves to even (the default rounding mode) into 32 bits.
struct Fallo {
  std::string texto;  // MensajeError or the run-time error's description
};
using Valor = std::variant<double, Fallo>;

double PorTexto(double v, int digitos) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*G", digitos, v);
  return std::strtod(buf, nullptr);
}

std::string Texto15(double v) {
  if (v == 0) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", v);
  return buf;
}

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
      v = Resultado(op == '+' ? l + r : l - r);
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
    const size_t ini = i_;
    while (Ve() == '.' || (Ve() >= '0' && Ve() <= '9')) ++i_;
    return PorTexto(static_cast<float>(std::strtod(s_.substr(ini, i_ - ini).c_str(), nullptr)), 7);
  }

  static Valor Resultado(double v) {
    if (std::isinf(v)) return Fallo{"Desbordamiento"};
    return PorTexto(v, 15);
  }

  static Valor Aplica(double l, char op, double r) {
    if (op == '*') return Resultado(l * r);
    if (r == 0) return Fallo{"No se puede dividir por cero."};
    if (op == '/') return Resultado(l / r);
    const double a = std::nearbyint(l), b = std::nearbyint(r);
    if (a < -2147483648.0 || a > 2147483647.0 || b < -2147483648.0 || b > 2147483647.0)
      return Fallo{"Desbordamiento"};
    const auto x = static_cast<int64_t>(a), y = static_cast<int64_t>(b);
    if (y == 0) return Fallo{"División por cero"};
    if (op == '%') return static_cast<double>(x % y);
    if (x / y > 2147483647) return Fallo{"Desbordamiento"};
    return static_cast<double>(x / y);
  }

  char Ve() {
    while (i_ < s_.size() && s_[i_] == ' ') ++i_;
    return i_ < s_.size() ? s_[i_] : 0;
  }

  std::string s_;
  size_t i_ = 0;
};

// Mostly small integers; now and then halves, and values beyond 32 bits or near the float limit.
std::string Operando(std::mt19937& gen) {
  static const char* kGrandes[] = {"2.5", "3.5", "0.5", "2147483647", "3000000000", "123456789",
                                   "99999999999999999999", "300000000000000000000000000000000000000"};
  std::uniform_int_distribution<int> num(0, 12), grande(0, 7), azar(0, 9);
  return azar(gen) == 0 ? kGrandes[grande(gen)] : std::to_string(num(gen));
}

std::string Genera(std::mt19937& gen, int profundidad) {
  std::uniform_int_distribution<int> ops(0, 5), cuantos(1, 4), azar(0, 9);
  static const char* kOps[] = {"+", "-", "*", "/", "\\", "%"};
  std::string s;
  const int n = cuantos(gen);
  for (int k = 0; k <= n; ++k) {
    if (k > 0) s += std::string(azar(gen) < 5 ? " " : "") + kOps[ops(gen)] + (azar(gen) < 5 ? " " : "");
    if (profundidad > 0 && azar(gen) < 3) s += "(" + Genera(gen, profundidad - 1) + ")";
    else s += Operando(gen);
  }
  return s;
}

} // namespace

TEST(ExpresionesAleatorias, AgreeWithReference) {
  std::mt19937 gen(20240611);
  CInterprete in;
  int comparadas = 0, fallidas = 0, desbordadas = 0;
  for (int k = 0; k < 5000; ++k) {
    const std::string expr = Genera(gen, 3);
    const Valor esperado = Referencia(expr).Expresion();
    const auto r = prueba::Evalua(in, expr);
    if (const auto* f = std::get_if<Fallo>(&esperado)) {
      ++fallidas;
      desbordadas += f->texto == "Desbordamiento";
      EXPECT_EQ(r.error.empty() ? r.fallo : r.error, f->texto) << expr;
      continue;
    }
    ++comparadas;
    ASSERT_EQ(r.error, "") << expr;
    ASSERT_EQ(r.fallo, "") << expr;
    EXPECT_EQ(r.valor, Texto15(std::get<double>(esperado))) << expr;
  }
  EXPECT_GT(comparadas, 2000);
  EXPECT_GT(fallidas, 10);
  EXPECT_GT(desbordadas, 10);
}
