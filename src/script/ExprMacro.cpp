// The macro language's side of the evaluator: operands, assignment and function calls.
#include "base/Numeros.h"
#include "script/Interprete.h"
#include <array>

namespace zt {
namespace {

constexpr std::array<std::u32string_view, 6> kPropias{U"LON", U"LONL", U"RPLA", U"DIVS", U"SUBS",
                                                      U"FILT"};

bool EsInicioOperando(char32_t c) {
  return c == U'$' || c == U'Ñ' || c == U'_' || (c >= U'A' && c <= U'Z');
}

} // namespace

ValorExpr CInterprete::CogOperando() {
  CapBlancos();
  const char32_t c = Mayuscula(VerUno());
  ValorExpr r;
  if ((c >= U'0' && c <= U'9') || c == U'-') {
    r.valor = TextoSimple(CogNumero());
    r.texto = r.valor;
    r.tipo = TipoNumero;
    r.clase = ClaseNumero;
  } else if (c == U'\'' || c == U'"') {
    r.valor = CogCadena();
    r.texto = U"\"" + r.valor + U"\"";
    r.tipo = TipoTexto;
    r.clase = ClaseCadena;
  } else if (c == U'(') {
    TomaUno();
    r = EvalExpresion(0, false);
    if (VerUno() == U')') {
      TomaUno();
      r.texto = U"(" + r.texto + U")";
    }
  } else if (EsInicioOperando(c)) {
    Texto iden;
    if (EsFuncion(iden)) return EvalFuncion(iden);
    r.valor = ValorVariable(iden);
    r.texto = std::move(iden);
    r.tipo = TipoNumero;
    r.clase = ClaseVariable;
  }
  return r;
}

bool CInterprete::EsFuncion(Texto& iden) {
  iden = Mayusculas(CogIdentificador());
  if (EsFuncionComun(iden)) return true;
  for (auto n : kPropias)
    if (n == iden) return true;
  return false;
}

ValorExpr CInterprete::Asigna(const ValorExpr& izq, const ValorExpr& der) {
  if (!Ejec) return {};
  if (izq.clase != ClaseVariable) {
    MensajeError = T("Sólo se puede asignar valor a una variable");
    return {};
  }
  ValorExpr r;
  r.valor = der.valor;
  r.tipo = der.tipo;
  const int16_t n = ExisteVariable(izq.texto);
  if (n > 0) {
    EntradaVar& v = Slot(n);
    v.tipo = der.tipo;
    v.valor = der.valor;
  } else if (der.tipo == TipoNumero) {
    CrearVariableNum(izq.texto, LeeSimple(der.valor));
  } else if (der.tipo == TipoTexto) {
    CrearVariableCad(izq.texto, der.valor);
  }
  return r;
}

ValorExpr CInterprete::EvalFuncion(VistaTexto nombre) {
  if (CogCar(1) != U"(") {
    MensajeError = T("Se esperaba '(' en definición de función: ") + Texto(nombre);
    return {};
  }
  const ValorExpr a1 = EvalExpresion(0, false);
  if (HayError()) return {};
  ValorExpr r = CalculaFuncion(nombre, a1);
  if (HayError()) return {};
  r.clase = ClaseFuncion;
  r.texto = Texto(nombre) + U"(" + a1.texto + U")";
  if (!Capturar(U")")) MensajeError = T("Se esperaba ')'");
  return r;
}

ValorExpr CInterprete::CalculaFuncion(VistaTexto nombre, const ValorExpr& a1) {
  if (EsFuncionComun(nombre)) return CalculaFuncionComun(nombre, a1.valor, azar_);
  if (nombre == U"LON") return {{}, TipoNumero, 0, {}, T(std::to_string(a1.valor.size()))};
  if (nombre == U"LONL") return Lonl(a1.valor);
  if (nombre == U"RPLA") return Rpla(a1);
  if (nombre == U"SUBS") return Subs(a1);
  if (nombre == U"FILT") return Filt(a1);
  return Divs(a1);
}

} // namespace zt
