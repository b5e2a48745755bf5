// CInterprete: the macro text and its lexer, the variable table and the expression evaluator.
#pragma once
#include "script/Evaluador.h"
#include "script/FuncionesExpr.h"
#include <cstdint>
#include <vector>

namespace zt {

// A saved cursor of the content.
struct PosCont {
  Texto arc;
  int32_t fil = 1;
  int16_t col = 1;
  Texto linact;
};

struct EntradaVar {
  Texto nombre;  // upper case
  int16_t tipo = TipoNumero;
  Texto valor;
};

constexpr int16_t MaxVariables = 400;

class CInterprete : public EvaluadorExpr {
public:
  CInterprete();

  // --- Content ---------------------------------------------------------------------------
  Texto tip;
  Texto arc;
  int32_t fil = 1;
  int16_t col = 1;   // advancing past 32767 is an overflow (ErrorEjecucion), never a wrap
  Texto linact;
  int32_t nLin = 0;

  // Program-wide error text of the interpreter; empty = no error.
  Texto MensajeError;

  // Loads a text; lines end at CR LF, CR or LF. An empty text is one empty line.
  int32_t CreaContenido(VistaTexto texto);
  // Loads a file; 0 and "No se encuentra archivo: " + name when it is missing.
  int32_t CreaContenidoArc(VistaTexto nombre);

  bool IniCont() const { return fil == 1 && col == 1; }
  bool FinCont() const;
  bool FinLin() const { return col == static_cast<int32_t>(linact.size()) + 1; }
  static bool EsBlanco(VistaTexto c) { return c == U" " || c == U"\t"; }

  // A line end reads as the one unit CR LF.
  Texto VerCar(int16_t numcar) const;
  Texto CogCar(int16_t numcar);
  Texto CogLinea();
  bool CapBlancos() override;
  bool Capturar(VistaTexto cap);
  float CogNumero();
  Texto CogCadena();
  Texto CogIdentificador();
  Texto VerIdentificador();
  Texto CogeElemento();

  PosCont GuardaPos() const { return {arc, fil, col, linact}; }
  void RestauraPos(const PosCont& p);

  static void eliminaCad(Texto& cad, int16_t ini, int16_t lon);
  static void insertaCad(Texto& dest, VistaTexto cad, int16_t ini);
  static void quitaEspaciosMultiples(Texto& cad);
  static void quitaComentario(Texto& lin);

  // --- Variables -------------------------------------------------------------------------
  bool Ejec = true;
  int16_t i_result = 0, i_timeout = 0;
  int16_t i_0 = 0, i_1 = 0, i_2 = 0, i_3 = 0, i_4 = 0, i_5 = 0, i_6 = 0, i_7 = 0, i_8 = 0, i_9 = 0;

  void IniEntorno();
  // The creating operations do not look for an existing name. Past 400 slots they throw the
  // subscript-out-of-range ErrorEjecucion.
  int16_t CrearVariableNum(VistaTexto nombre, float valor);
  int16_t CrearVariableCad(VistaTexto nombre, VistaTexto valor);
  int16_t ExisteVariable(VistaTexto nombre) const;
  void FijaValorVar(int16_t n, VistaTexto valor);
  void AgreValorVar(int16_t n, VistaTexto valor);
  // Drops the end of the value past 'largo' characters.
  void RecortaValorVar(int16_t n, std::size_t largo);
  const Texto& LeeValorVar(int16_t n) const;
  Texto ValorVariable(VistaTexto nombre) const;
  int16_t NumVariables() const { return numVars_; }
  const EntradaVar& Variable(int16_t n) const { return Slot(n); }

  // --- Evaluator (EvalExpresion, cogOperador, AplicaOperador come from EvaluadorExpr) ----
  ValorExpr CogOperando() override;
  bool EsFuncion(Texto& iden);
  ValorExpr EvalFuncion(VistaTexto nombre);

  // Hooks of the shared evaluator.
  char32_t VerUno() override;
  void TomaUno() override;
  MarcaExpr Marca() override;
  void Vuelve(const MarcaExpr& m) override;
  ValorExpr Asigna(const ValorExpr& izq, const ValorExpr& der) override;
  bool HayError() const override { return !MensajeError.empty(); }
  void FijaError(Texto mensaje) override { MensajeError = std::move(mensaje); }

private:
  void IrALinea(int32_t n);
  void Avanza(size_t n);
  EntradaVar& Slot(int16_t n);
  const EntradaVar& Slot(int16_t n) const;
  int16_t NuevaVariable(VistaTexto nombre, int16_t tipo, Texto valor);
  ValorExpr CalculaFuncion(VistaTexto nombre, const ValorExpr& a1);
  ValorExpr Lonl(VistaTexto s);
  ValorExpr Rpla(const ValorExpr& a1);
  ValorExpr Subs(const ValorExpr& a1);
  ValorExpr Filt(const ValorExpr& a1);
  ValorExpr Divs(const ValorExpr& a1);

  std::vector<Texto> lineas_;  // slot 0 unused
  std::vector<EntradaVar> vars_;
  int16_t numVars_ = 0;
  Aleatorio azar_;
};

} // namespace zt
