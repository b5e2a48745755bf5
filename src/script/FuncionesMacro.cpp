// Built-in functions only the macro language has: LONL, RPLA, SUBS, FILT and DIVS.
#include "base/Error.h"
#include "base/Numeros.h"
#include "script/Interprete.h"
#include <vector>

namespace zt {
namespace {

const Texto kFinLinea = U"\r\n";

// Pieces of s between occurrences of sep; an empty s has none, an empty sep leaves s whole.
std::vector<Texto> Divide(VistaTexto s, VistaTexto sep) {
  std::vector<Texto> piezas;
  if (s.empty()) return piezas;
  if (sep.empty()) return {Texto(s)};
  size_t ini = 0;
  for (size_t p = s.find(sep); p != VistaTexto::npos; p = s.find(sep, ini)) {
    piezas.emplace_back(s.substr(ini, p - ini));
    ini = p + sep.size();
  }
  piezas.emplace_back(s.substr(ini));
  return piezas;
}

// Words of s: tabs count as spaces, runs of spaces as one, blanks at either end ignored.
std::vector<Texto> Palabras(VistaTexto s) {
  std::vector<Texto> piezas;
  Texto actual;
  for (char32_t c : s) {
    if (c != U' ' && c != U'\t') {
      actual += c;
    } else if (!actual.empty()) {
      piezas.push_back(std::move(actual));
      actual.clear();
    }
  }
  if (!actual.empty()) piezas.push_back(std::move(actual));
  return piezas;
}

ValorExpr Resultado(int16_t tipo, Texto valor) { return {{}, tipo, ClaseNada, {}, std::move(valor)}; }

Texto Entero(size_t n) { return T(std::to_string(n)); }

} // namespace

ValorExpr CInterprete::Lonl(VistaTexto s) {
  return Resultado(TipoNumero, Entero(Divide(s, kFinLinea).size()));
}

ValorExpr CInterprete::Rpla(const ValorExpr& a1) {
  if (!Capturar(U",")) {
    MensajeError = T("Se esperaba ',' en rpla()");
    return {};
  }
  const ValorExpr buscado = EvalExpresion(0, false);
  const ValorExpr nuevo = Capturar(U",") ? EvalExpresion(0, false) : ValorExpr{};
  if (HayError()) return {};
  const Texto& s = a1.valor;
  const Texto& b = buscado.valor;
  if (b.empty()) return Resultado(TipoTexto, s);  // an empty search text would never advance
  // Built in one pass: replacing in place would move the tail once per occurrence.
  Texto r;
  size_t ini = 0;
  for (size_t p = s.find(b); p != Texto::npos; p = s.find(b, ini)) {
    CompruebaLargo(r.size() + (p - ini) + nuevo.valor.size());
    r.append(s, ini, p - ini);
    r += nuevo.valor;
    ini = p + b.size();
  }
  CompruebaLargo(r.size() + (s.size() - ini));
  r.append(s, ini);
  return Resultado(TipoTexto, std::move(r));
}

ValorExpr CInterprete::Subs(const ValorExpr& a1) {
  if (!Capturar(U",")) {
    MensajeError = T("Se esperaba ',' en subs()");
    return {};
  }
  const ValorExpr desde = EvalExpresion(0, false);
  const bool conLargo = Capturar(U",");
  const ValorExpr largo = conLargo ? EvalExpresion(0, false) : ValorExpr{};
  if (HayError()) return {};
  const int32_t ini = AEntero32(LeeSimple(desde.valor));
  const int32_t lon = conLargo ? AEntero32(LeeSimple(largo.valor)) : 0;
  if (ini < 1 || lon < 0) throw ErrorEjecucion(CodigoError::ArgumentoNoValido);
  const VistaTexto s = a1.valor;
  if (static_cast<size_t>(ini) > s.size()) return Resultado(TipoTexto, {});
  const size_t n = conLargo ? static_cast<size_t>(lon) : VistaTexto::npos;
  return Resultado(TipoTexto, Texto(s.substr(static_cast<size_t>(ini - 1), n)));
}

ValorExpr CInterprete::Filt(const ValorExpr& a1) {
  if (!Capturar(U",")) {
    MensajeError = T("Se esperaba ',' en flt()");
    return {};
  }
  const ValorExpr buscado = EvalExpresion(0, false);
  if (HayError()) return {};
  Texto r;
  bool primera = true;
  for (const Texto& linea : Divide(a1.valor, kFinLinea)) {
    if (linea.find(buscado.valor) == Texto::npos) continue;
    if (!primera) r += kFinLinea;
    r += linea;
    primera = false;
  }
  return Resultado(TipoTexto, std::move(r));
}

ValorExpr CInterprete::Divs(const ValorExpr& a1) {
  std::vector<Texto> piezas;
  if (Capturar(U",")) {
    const ValorExpr sep = EvalExpresion(0, false);
    if (HayError()) return {};
    piezas = Divide(a1.valor, sep.valor);
  } else {
    piezas = Palabras(a1.valor);
  }
  if (Ejec) {
    const int16_t ranuras[] = {i_1, i_2, i_3, i_4, i_5, i_6, i_7, i_8, i_9};
    for (size_t k = 0; k < piezas.size() && k < 9; ++k) FijaValorVar(ranuras[k], piezas[k]);
  }
  return Resultado(TipoTexto, Entero(piezas.size()));
}

} // namespace zt
