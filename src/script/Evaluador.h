// Expression evaluator shared by the macro interpreter and the preprocessor.
//
// Written once: the operator reading (cogOperador), the level table (jerOp), the operator rows
// (AplicaOperador) and the precedence-climbing loop (EvalExpresion). A language derives from
// EvaluadorExpr and supplies its cursor, its operand reader (which also recognises its own
// function names), the assignment row and where errors go:
//
//   class ExprDoc : public zt::EvaluadorExpr {
//     bool CapBlancos() override;              // skip what the language calls blanks
//     char32_t VerUno() override;              // next character; '\r' on a line end, 0 at the end
//     void TomaUno() override;                 // take the character VerUno showed
//     MarcaExpr Marca() override;              // save the cursor (pack it into a, b, c)
//     void Vuelve(const MarcaExpr&) override;  // restore it
//     ValorExpr CogOperando() override;        // number, string, "(" EvalExpresion(0, false) ")",
//                                              // function call, variable; texto empty = none
//     ValorExpr Asigna(const ValorExpr& izq, const ValorExpr& der) override;  // the "=" row
//     bool HayError() const override;
//     void FijaError(Texto mensaje) override;  // record the message; evaluation unwinds
//   };
//   ExprDoc e(...);  ValorExpr v = e.EvalExpresion(0, false);  if (e.HayError()) ...
//
// Functions: the operand reader takes a name and, when it is one of its functions, computes it;
// FuncionesExpr.h computes the single-argument functions both languages share.
// Faults of the arithmetic (overflow, invalid argument) throw ErrorEjecucion; language errors go
// through FijaError and the evaluation returns an empty ValorExpr.
#pragma once
#include "base/Texto.h"
#include <cstddef>
#include <cstdint>

namespace zt {

// Value kinds and operand classes of ValorExpr.
enum : int16_t { TipoNada = 0, TipoNumero = 1, TipoTexto = 2 };
enum : int16_t {
  ClaseNada = 0,
  ClaseVariable = 2,
  ClaseFuncion = 3,
  ClaseNumero = 4,
  ClaseCadena = 5,
  ClaseOperacion = 6,
};

struct ValorExpr {
  Texto texto;            // source text as read; empty means nothing was read
  int16_t tipo = TipoNada;
  int16_t clase = ClaseNada;
  Texto oper;             // operator that produced the value (ClaseOperacion)
  Texto valor;
};

// A saved cursor, opaque to the evaluator; each language packs its own position into it.
struct MarcaExpr {
  int64_t a = 0, b = 0, c = 0;
};

// Nesting bound of EvalExpresion (parentheses, function arguments, tighter-binding operands).
constexpr int ProfundidadMaximaExpr = 500;

// Counts one level of nesting for its scope, so the count stays right when a run-time error
// unwinds the recursion.
class Profundidad {
public:
  explicit Profundidad(int& p) : p_(p) { ++p_; }
  ~Profundidad() { --p_; }
  Profundidad(const Profundidad&) = delete;
  Profundidad& operator=(const Profundidad&) = delete;

private:
  int& p_;
};

// Default bound of a text value (characters): doubling replacements and joins must end in the
// platform's "string space" error, not in exhausted memory.
constexpr size_t LargoMaximoTexto = size_t{1} << 24;

// Level of an operator, 1..8 (higher binds tighter); 0 for anything else.
int16_t jerOp(VistaTexto oper);

// True for the characters that may start an operator: ~ & | ! > < = ^ * / \ % + -
bool EsCaracterOperador(char32_t c);

class EvaluadorExpr {
public:
  virtual ~EvaluadorExpr() = default;

  // Reads and computes the expression at the cursor. Stops before the first operator whose level
  // is <= nivel. With modoComp a lone "=" reads as "==". An allocation failure leaves the
  // outermost call as the run-time error "Memoria insuficiente".
  ValorExpr EvalExpresion(int16_t nivel, bool modoComp);
  // Reads the next operator; empty (nothing taken) when none follows or a "//" comment starts.
  Texto cogOperador();
  // Applies one operator row; "=" goes to Asigna.
  ValorExpr AplicaOperador(const ValorExpr& izq, VistaTexto oper, const ValorExpr& der);
  ValorExpr AplicaOperador(ValorExpr&& izq, VistaTexto oper, const ValorExpr& der);

  // Throws the run-time error "Espacio insuficiente para cadenas" when a text value would pass
  // limiteTexto characters.
  void CompruebaLargo(size_t largo) const;
  size_t limiteTexto = LargoMaximoTexto;

  virtual bool CapBlancos() = 0;
  virtual char32_t VerUno() = 0;
  virtual void TomaUno() = 0;
  virtual MarcaExpr Marca() = 0;
  virtual void Vuelve(const MarcaExpr& m) = 0;
  virtual ValorExpr CogOperando() = 0;
  virtual ValorExpr Asigna(const ValorExpr& izq, const ValorExpr& der) = 0;
  virtual bool HayError() const = 0;
  virtual void FijaError(Texto mensaje) = 0;

private:
  Texto LeeOperador(bool modoComp);
  ValorExpr Aplica(ValorExpr& izq, VistaTexto oper, const ValorExpr& der);
  void AplicaNumerico(ValorExpr& r, VistaTexto izq, VistaTexto oper, VistaTexto der);
  ValorExpr Escala(int16_t nivel, bool modoComp);
  ValorExpr Sube(ValorExpr izq, Texto op, int16_t nivel, bool modoComp);
  ValorExpr Demasiado();
  int profundidad_ = 0;
};

} // namespace zt
