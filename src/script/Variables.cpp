// Variable table of CInterprete: 400 slots handed out in order, names compared upper-cased.
#include "base/Error.h"
#include "base/Numeros.h"
#include "script/Interprete.h"

namespace zt {

void CInterprete::IniEntorno() {
  numVars_ = 0;
  i_result = CrearVariableNum(U"result", 0);
  i_timeout = CrearVariableNum(U"timeout", 10);
  int16_t* ranuras[] = {&i_0, &i_1, &i_2, &i_3, &i_4, &i_5, &i_6, &i_7, &i_8, &i_9};
  for (int k = 0; k < 10; ++k) *ranuras[k] = CrearVariableCad(Texto{U'$', char32_t(U'0' + k)}, U"");
  Ejec = true;
}

int16_t CInterprete::NuevaVariable(VistaTexto nombre, int16_t tipo, Texto valor) {
  if (numVars_ >= MaxVariables) throw ErrorEjecucion(CodigoError::SubindiceFuera);
  ++numVars_;
  vars_[static_cast<size_t>(numVars_)] = EntradaVar{Mayusculas(nombre), tipo, std::move(valor)};
  return numVars_;
}

int16_t CInterprete::CrearVariableNum(VistaTexto nombre, float valor) {
  return NuevaVariable(nombre, TipoNumero, TextoSimple(valor));
}

int16_t CInterprete::CrearVariableCad(VistaTexto nombre, VistaTexto valor) {
  return NuevaVariable(nombre, TipoTexto, Texto(valor));
}

int16_t CInterprete::ExisteVariable(VistaTexto nombre) const {
  const Texto buscado = Mayusculas(nombre);
  for (int16_t n = 1; n <= numVars_; ++n)
    if (vars_[static_cast<size_t>(n)].nombre == buscado) return n;
  return 0;
}

// Slots outside the ones in use are the platform's subscript fault.
EntradaVar& CInterprete::Slot(int16_t n) {
  if (n < 1 || n > numVars_) throw ErrorEjecucion(CodigoError::SubindiceFuera);
  return vars_[static_cast<size_t>(n)];
}

const EntradaVar& CInterprete::Slot(int16_t n) const {
  if (n < 1 || n > numVars_) throw ErrorEjecucion(CodigoError::SubindiceFuera);
  return vars_[static_cast<size_t>(n)];
}

void CInterprete::FijaValorVar(int16_t n, VistaTexto valor) { Slot(n).valor = valor; }

void CInterprete::AgreValorVar(int16_t n, VistaTexto valor) { Slot(n).valor += valor; }

void CInterprete::RecortaValorVar(int16_t n, std::size_t largo) {
  Texto& v = Slot(n).valor;
  if (largo < v.size()) v.resize(largo);
}

const Texto& CInterprete::LeeValorVar(int16_t n) const { return Slot(n).valor; }

Texto CInterprete::ValorVariable(VistaTexto nombre) const {
  const int16_t n = ExisteVariable(nombre);
  return n > 0 ? Slot(n).valor : Texto();
}

} // namespace zt
