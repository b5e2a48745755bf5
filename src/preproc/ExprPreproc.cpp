// The shared expression evaluator reading from the preprocessor's cursor.
#include "preproc/ExprPreproc.h"
#include "base/Numeros.h"
#include "preproc/Motor.h"
#include "script/FuncionesExpr.h"

namespace zt::preproc {

bool ExprPreproc::CapBlancos() { return p_.Cursor().SaltaBlancos(); }

char32_t ExprPreproc::VerUno() {
  char32_t c = p_.Cursor().Mira();
  if (c == kFin) return 0;
  return c == kSalto ? U'\r' : c;
}

void ExprPreproc::TomaUno() { p_.Cursor().Toma(); }

// An expression never leaves the content it starts in, so line and column are enough.
MarcaExpr ExprPreproc::Marca() {
  Posicion p = p_.Cursor().Guarda();
  return MarcaExpr{p.contenido, p.linea, p.columna};
}

void ExprPreproc::Vuelve(const MarcaExpr& m) {
  Posicion p = p_.Cursor().Guarda();
  p.contenido = static_cast<int32_t>(m.a);
  p.linea = static_cast<int32_t>(m.b);
  p.columna = static_cast<int32_t>(m.c);
  p_.Cursor().Restaura(p);
}

bool ExprPreproc::HayError() const { return p_.Error().HayError(); }

void ExprPreproc::FijaError(Texto mensaje) { p_.Cursor().ErrorAqui(std::move(mensaje)); }

ValorExpr ExprPreproc::CogOperando() {
  Fuente& f = p_.Cursor();
  f.SaltaBlancos();
  char32_t c = f.Mira();
  if (EsDigito(c) || c == U'-') return Numero();
  if (c == U'\'') return Cadena();
  if (c == U'(') return Parentesis();
  if (EsInicioIdentificador(c) && f.EnInicioPalabra()) {
    Texto nombre = Mayusculas(f.MiraIdentificador());
    if (EsFuncionComun(nombre) || nombre == U"LAR") return Funcion(nombre);
    return Variable();
  }
  return {};
}

ValorExpr ExprPreproc::Numero() {
  ValorExpr v;
  v.valor = TextoSimple(ASimple(p_.Cursor().LeeNumero())); // too large: overflow
  v.texto = v.valor;
  v.tipo = TipoNumero;
  v.clase = ClaseNumero;
  return v;
}

ValorExpr ExprPreproc::Cadena() {
  ValorExpr v;
  v.valor = p_.Cursor().LeeCadena();
  if (HayError()) return {};
  v.texto = U"\"" + v.valor + U"\"";
  v.tipo = TipoTexto;
  v.clase = ClaseCadena;
  return v;
}

ValorExpr ExprPreproc::Parentesis() {
  p_.Cursor().Toma();
  ValorExpr v = EvalExpresion(0, false);
  if (HayError()) return {};
  if (p_.Cursor().Mira() == U')') {
    p_.Cursor().Toma();
    v.texto = U"(" + v.texto + U")";
  }
  return v;
}

// The name, then one expression as the argument: the parentheses are an ordinary operand.
ValorExpr ExprPreproc::Funcion(const Texto& nombre) {
  p_.Cursor().LeeIdentificador();
  ValorExpr arg = EvalExpresion(0, false);
  if (HayError()) return {};
  ValorExpr r;
  if (nombre == U"LAR") {
    r.valor = T(std::to_string(arg.valor.size()));
    r.tipo = TipoNumero;
  } else {
    r = CalculaFuncionComun(nombre, arg.valor, p_.azar_);
  }
  r.clase = ClaseFuncion;
  r.texto = nombre + U"(" + arg.texto + U")";
  return r;
}

// A name stands for the text of its definition; an undefined name is empty.
ValorExpr ExprPreproc::Variable() {
  Texto nombre = p_.Cursor().LeeIdentificador();
  ValorExpr v;
  v.texto = Mayusculas(nombre);
  v.tipo = TipoNumero;
  v.clase = ClaseVariable;
  if (int slot = p_.Tabla().Busca(nombre)) v.valor = p_.ExpandeCadena(slot);
  return v;
}

ValorExpr ExprPreproc::Asigna(const ValorExpr& izq, const ValorExpr& der) {
  if (izq.clase != ClaseVariable) {
    FijaError(T("Sólo se puede asignar valor a una variable"));
    return {};
  }
  ValorExpr r;
  r.texto = izq.texto + U"=" + der.texto;
  r.tipo = der.tipo;
  r.clase = ClaseOperacion;
  r.oper.assign(1, U'='); // (a literal here trips a false GCC 12 warning)
  r.valor = der.valor;
  return r;
}

} // namespace zt::preproc
