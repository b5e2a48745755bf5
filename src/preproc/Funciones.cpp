// The built-in functions: dates and weeks, formatting, expressions, the current file's name.
#include "base/Comodin.h"
#include "base/Error.h"
#include "base/Numeros.h"
#include "preproc/Cadenas.h"
#include "preproc/ExprPreproc.h"
#include "preproc/Motor.h"
#include <array>
#include <cmath>

namespace zt::preproc {

namespace {

constexpr std::array<std::u32string_view, 7> kFunciones{
    U"$FECHA_ACTUAL", U"$INTERVALO_SEMANA", U"$FORMATO",    U"$EXPR",
    U"$NOM_ACTUAL",   U"$DIR_ACTUAL",       U"$PSQL_REINIC"};

Texto DosCifras(long long v) {
  Texto r = T(std::to_string(v));
  if (r.size() < 2) r.insert(r.begin(), U'0');
  return r;
}

bool EsCodigoSemana(VistaTexto s) { return CoincideComodin(s, U"w##/####"); }

void ReemplazaPrimero(Texto& s, VistaTexto que, VistaTexto por) {
  auto p = s.find(que);
  if (p != Texto::npos) s.replace(p, que.size(), por);
}

} // namespace

bool Preprocesador::EsFuncion(VistaTexto nombre) const {
  for (auto f : kFunciones)
    if (f == nombre) return true;
  return false;
}

// Faults of the arithmetic and of dates (a date past year 9999) become the run's error.
void Preprocesador::Funcion(VistaTexto nombre) {
  try {
    FuncionSinProteger(nombre);
  } catch (const ErrorEjecucion& e) {
    fuente_.ErrorAqui(e.descripcion());
  }
}

void Preprocesador::FuncionSinProteger(VistaTexto nombre) {
  if (nombre == U"$PSQL_REINIC") return Reinicia();
  fuente_.LeeIdentificador();
  if (nombre == U"$FECHA_ACTUAL") return FechaActual();
  if (nombre == U"$INTERVALO_SEMANA") return IntervaloSemana();
  if (nombre == U"$FORMATO") return Formato();
  if (nombre == U"$EXPR") return Expr();
  if (nombre == U"$NOM_ACTUAL") return NomActual();
  if (nombre == U"$DIR_ACTUAL") return DirActual();
}

// Evaluates at the cursor; the arithmetic faults of the platform become the run's error.
std::optional<Texto> Preprocesador::EvaluaExpresion() {
  ExprPreproc eval(*this);
  try {
    ValorExpr v = eval.EvalExpresion(0, false);
    if (error_.HayError()) return std::nullopt;
    return v.valor;
  } catch (const ErrorEjecucion& e) {
    fuente_.ErrorAqui(e.descripcion());
    return std::nullopt;
  }
}

void Preprocesador::FechaActual() {
  if (!fuente_.Coincide(U"("))
    return fuente_.ErrorAqui(T("Se esperaba '(' despues de la funcion FECHA_ACTUAL"));
  auto desfase = EvaluaExpresion();
  if (!desfase) return;
  double dias = LeeNumero(*desfase);
  if (!fuente_.Coincide(U",")) return fuente_.ErrorAqui(T("Se esperaba ','"));
  Texto formato = fuente_.LeeCadena();
  if (error_.HayError()) return;
  if (!fuente_.Coincide(U")")) return fuente_.ErrorAqui(T("Se esperaba ')'"));
  Fecha ahora = Ahora();
  if (Mayusculas(formato) == U"SEMANA") {
    double redondeada = RedondeaPar(NumeroSemana(ahora) + dias);
    if (!(std::fabs(redondeada) < 2147483648.0)) throw ErrorEjecucion(CodigoError::Desbordamiento);
    auto semana = static_cast<long long>(redondeada);
    if (semana > 52) semana %= 52;
    if (semana < 1) semana += 52;
    salida_.EscribeTexto(FormateaNumero(static_cast<double>(semana), U"00"));
    return;
  }
  salida_.EscribeTexto(FormateaFecha(ahora + dias, formato));
}

void Preprocesador::IntervaloSemana() {
  if (!fuente_.Coincide(U"("))
    return fuente_.ErrorAqui(T("Se esperaba '(' despues de la funcion INTERVALO_SEMANA"));
  Texto codigo = fuente_.LeeCadena();
  if (error_.HayError()) return;
  if (codigo.empty()) return fuente_.ErrorAqui(T("Se esperaba cadena"));
  codigo = RecortaEspacios(codigo);
  if (!EsCodigoSemana(codigo)) return fuente_.ErrorAqui(T("Se esperaba expresión de tipo w##/#### "));
  int semana = static_cast<int>(LeeNumero(VistaTexto(codigo).substr(1, 2)));
  int anio = static_cast<int>(LeeNumero(VistaTexto(codigo).substr(4, 4)));
  Fecha lunes = LunesDeSemana(semana, anio);
  salida_.EscribeTexto(T("to_date('") + FormateaFecha(lunes, U"dd/mm/yyyy") + T(" 00:00:00')") + T(" and ") +
                       T("to_date('") + FormateaFecha(lunes + 6, U"dd/mm/yyyy") + T(" 23:59:59')"));
  if (!fuente_.Coincide(U")")) fuente_.ErrorAqui(T("Se esperaba ')'"));
}

void Preprocesador::Formato() {
  if (!fuente_.Coincide(U"(")) return fuente_.ErrorAqui(T("Se esperaba '(' despues de la funcion FORMATO"));
  Texto valor = fuente_.LeeCadena();
  if (error_.HayError()) return;
  if (valor.empty()) {
    Texto nombre = fuente_.LeeIdentificador();
    if (nombre.empty()) return fuente_.ErrorAqui(T("Se esperaba cadena o definicion"));
    int slot = defs_.Busca(nombre);
    if (!slot) return fuente_.ErrorAqui(T("No está definido: ") + nombre);
    valor = ExpandeCadena(slot);
    if (error_.HayError()) return;
  }
  if (!fuente_.Coincide(U",")) return fuente_.ErrorAqui(T("Se esperaba ','"));
  Texto formato = fuente_.LeeCadena();
  if (error_.HayError()) return;
  if (!fuente_.Coincide(U")")) return fuente_.ErrorAqui(T("Se esperaba ')'"));
  valor = RecortaEspacios(valor);
  if (EsCodigoSemana(valor)) {
    int semana = static_cast<int>(LeeNumero(VistaTexto(valor).substr(1, 2)));
    int anio = static_cast<int>(LeeNumero(VistaTexto(valor).substr(4, 4)));
    valor = FormateaFecha(LunesDeSemana(semana, anio), U"dd/mm/yy");
  }
  if (formato.find(U"ww") == Texto::npos) return salida_.EscribeTexto(FormateaValor(valor, formato));
  std::optional<Fecha> fecha;
  if (PareceFecha(valor)) fecha = LeeFecha(valor);
  if (!fecha)
    return fuente_.ErrorAqui(T("El formato solicitado en $formato() requiere que ") +
                             T("el primer argumento sea fecha."));
  int anioSemana = AnioSemana(*fecha);
  ReemplazaPrimero(formato, U"ww", DosCifras(NumeroSemana(*fecha)));
  ReemplazaPrimero(formato, U"yyyy", T(std::to_string(anioSemana)));
  ReemplazaPrimero(formato, U"yy", DosCifras(anioSemana % 100));
  salida_.EscribeTexto(formato);
}

void Preprocesador::Expr() {
  if (!fuente_.Coincide(U"(")) return fuente_.ErrorAqui(T("Se esperaba '(' despues de la funcion $EXPR"));
  auto valor = EvaluaExpresion();
  if (!valor) return;
  if (!fuente_.Coincide(U")")) return fuente_.ErrorAqui(T("Se esperaba ')' despues de la funcion $EXPR()"));
  salida_.EscribeTexto(*valor);
}

// The file name without folders and without the part from the last point on.
void Preprocesador::NomActual() {
  Texto s = fuente_.ArchivoActual();
  auto barra = s.rfind(U'/');
  if (barra != Texto::npos) s.erase(0, barra + 1);
  auto punto = s.rfind(U'.');
  if (punto != Texto::npos) s.erase(punto);
  salida_.EscribeTexto(s);
}

void Preprocesador::DirActual() {
  Texto s = fuente_.ArchivoActual();
  auto barra = s.rfind(U'/');
  s.erase(barra == Texto::npos ? 0 : barra);
  if (!s.empty() && s.back() == U'/') s.pop_back();
  salida_.EscribeTexto(s);
}

} // namespace zt::preproc
