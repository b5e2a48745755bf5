// A chain of 80,000 "|" operators against the same chain of "+": joining texts should cost no
// more per operator than adding numbers (a join that copied its left side would be quadratic).
#include "script/Evaluador.h"
#include <chrono>
#include <cstdio>
#include <string>

namespace {

// The shared evaluator over one long line: one-digit operands, no variables or functions.
class Cadena : public zt::EvaluadorExpr {
public:
  explicit Cadena(zt::Texto s) : s_(std::move(s)) {}
  bool CapBlancos() override { return false; }
  char32_t VerUno() override { return i_ < s_.size() ? s_[i_] : 0; }
  void TomaUno() override { ++i_; }
  zt::MarcaExpr Marca() override { return {static_cast<int64_t>(i_), 0, 0}; }
  void Vuelve(const zt::MarcaExpr& m) override { i_ = static_cast<size_t>(m.a); }
  zt::ValorExpr CogOperando() override {
    zt::ValorExpr r;
    if (i_ >= s_.size() || s_[i_] < U'0' || s_[i_] > U'9') return r;
    r.valor = r.texto = zt::Texto(1, s_[i_++]);
    r.tipo = zt::TipoNumero;
    r.clase = zt::ClaseNumero;
    return r;
  }
  zt::ValorExpr Asigna(const zt::ValorExpr&, const zt::ValorExpr&) override { return {}; }
  bool HayError() const override { return !error_.empty(); }
  void FijaError(zt::Texto m) override { error_ = std::move(m); }

private:
  zt::Texto s_;
  size_t i_ = 0;
  zt::Texto error_;
};

double Mide(char32_t op, int operadores, size_t& largo) {
  zt::Texto s = U"1";
  for (int k = 0; k < operadores; ++k) s += zt::Texto{op, U'1'};
  const auto t0 = std::chrono::steady_clock::now();
  Cadena c(std::move(s));
  largo = c.EvalExpresion(0, false).valor.size();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

} // namespace

int main(int argc, char** argv) {
  const int operadores = argc > 1 ? std::stoi(argv[1]) : 80000;
  size_t largoSuma = 0, largoUnion = 0;
  const double suma = Mide(U'+', operadores, largoSuma);
  const double une = Mide(U'|', operadores, largoUnion);
  std::printf("%d operators: '+' %.4f s (value %zu characters), '|' %.4f s (value %zu characters)\n",
              operadores, suma, largoSuma, une, largoUnion);
  std::printf("'|' / '+' = %.2f\n", une / suma);
  return largoUnion == static_cast<size_t>(operadores) + 1 ? 0 : 1;
}
