// Lexer of CInterprete: blanks, expected text, numbers, strings, identifiers and elements.
#include "base/Numeros.h"
#include "script/Interprete.h"
#include <algorithm>

namespace zt {
namespace {

bool EsInicioIdentificador(char32_t c) {
  return c == U'$' || c == U'ñ' || c == U'Ñ' || c == U'_' || (c >= U'a' && c <= U'z') ||
         (c >= U'A' && c <= U'Z');
}

bool EsCaracterIdentificador(char32_t c) {
  return EsInicioIdentificador(c) || (c >= U'0' && c <= U'9');
}

bool EsDigitoOPunto(char32_t c) { return (c >= U'0' && c <= U'9') || c == U'.'; }

} // namespace

bool CInterprete::CapBlancos() {
  bool alguno = false;
  for (char32_t c = VerUno(); c == U' ' || c == U'\t'; c = VerUno()) {
    TomaUno();
    alguno = true;
  }
  return alguno;
}

bool CInterprete::Capturar(VistaTexto cap) {
  CapBlancos();
  const auto n = static_cast<int16_t>(std::min<size_t>(cap.size(), 32767));
  if (VerCar(n) != cap) return false;
  CogCar(n);
  return true;
}

float CInterprete::CogNumero() {
  CapBlancos();
  Texto num;
  if (VerUno() == U'-') {
    TomaUno();
    num = U"-";
  }
  if (!EsDigitoOPunto(VerUno())) return 0;
  while (EsDigitoOPunto(VerUno())) {
    num += VerUno();
    TomaUno();
  }
  return LeeSimple(num);
}

Texto CInterprete::CogCadena() {
  const Texto abre = CogCar(1);
  if (abre != U"'" && abre != U"\"") return {};
  Texto r;
  for (;;) {
    if (FinCont()) {
      MensajeError = T("No se encontro fin de cadena");
      return {};
    }
    if (VerCar(1) == abre) break;
    r += CogCar(1);
  }
  CogCar(1);
  for (size_t p = r.find(U"\\n"); p != Texto::npos; p = r.find(U"\\n", p + 2)) r.replace(p, 2, U"\r\n");
  return r;
}

Texto CInterprete::CogIdentificador() {
  CapBlancos();
  if (FinCont() || !EsInicioIdentificador(VerUno())) return {};
  Texto r(1, VerUno());
  TomaUno();
  while (EsCaracterIdentificador(VerUno())) {
    r += VerUno();
    TomaUno();
    if (r.back() == U'$') break;
  }
  return r;
}

Texto CInterprete::VerIdentificador() {
  const PosCont p = GuardaPos();
  Texto r = CogIdentificador();
  RestauraPos(p);
  return r;
}

Texto CInterprete::CogeElemento() {
  CapBlancos();
  const char32_t c = VerUno();
  if (c == U'"' || c == U'\'') return CogCadena();
  Texto r;
  while (!FinLin()) {
    r += CogCar(1);
    if (VerUno() == U' ' || VerUno() == U'\t') break;
  }
  return r;
}

} // namespace zt
