// Content of CInterprete: loading text and files, the cursor and its character primitives.
#include "base/ArchivoTexto.h"
#include "base/Error.h"
#include "script/Interprete.h"
#include <filesystem>

namespace zt {

CInterprete::CInterprete() : lineas_(1), vars_(MaxVariables + 1) { IniEntorno(); }

int32_t CInterprete::CreaContenido(VistaTexto texto) {
  tip = U"0";
  arc.clear();
  lineas_.assign(1, Texto());
  Texto linea;
  for (size_t i = 0; i < texto.size(); ++i) {
    const char32_t c = texto[i];
    if (c != U'\r' && c != U'\n') {
      linea += c;
      continue;
    }
    if (c == U'\r' && i + 1 < texto.size() && texto[i + 1] == U'\n') ++i;
    lineas_.push_back(std::move(linea));
    linea.clear();
  }
  lineas_.push_back(std::move(linea));  // the piece after the last line end, maybe empty
  nLin = static_cast<int32_t>(lineas_.size() - 1);
  IrALinea(1);
  col = 1;
  return nLin;
}

int32_t CInterprete::CreaContenidoArc(VistaTexto nombre) {
  const std::filesystem::path ruta(U8(nombre));
  std::error_code ec;
  if (!std::filesystem::is_regular_file(ruta, ec)) {
    MensajeError = T("No se encuentra archivo: ") + Texto(nombre);
    return 0;
  }
  auto leido = LeeArchivoTexto(ruta);
  if (!leido) {
    MensajeError = DescripcionError(CodigoError::AccesoDenegado) + T(": ") + Texto(nombre);
    return 0;
  }
  tip = U"0";
  arc = nombre;
  lineas_.assign(1, Texto());
  for (auto& l : leido->lineas) lineas_.push_back(std::move(l));
  nLin = static_cast<int32_t>(lineas_.size() - 1);
  IrALinea(1);
  col = 1;
  return nLin;
}

void CInterprete::IrALinea(int32_t n) {
  fil = n;
  if (n >= 1 && n <= nLin) linact = lineas_[static_cast<size_t>(n)];
  else linact.clear();
}

// Columns are 16-bit: a line too long for them is the platform's overflow, never a wrap.
void CInterprete::Avanza(size_t n) {
  const size_t nueva = static_cast<size_t>(col) + n;
  if (nueva > 32767) throw ErrorEjecucion(CodigoError::Desbordamiento);
  col = static_cast<int16_t>(nueva);
}

bool CInterprete::FinCont() const {
  if (nLin == 0) return true;
  if (fil < nLin) return false;
  if (fil > nLin) return true;
  return col >= static_cast<int32_t>(linact.size()) + 1;
}

Texto CInterprete::VerCar(int16_t numcar) const {
  if (FinCont()) return {};
  if (FinLin()) return U"\r\n";
  if (numcar <= 0) return {};
  return linact.substr(static_cast<size_t>(col - 1), static_cast<size_t>(numcar));
}

Texto CInterprete::CogCar(int16_t numcar) {
  if (FinCont()) return {};
  if (FinLin()) {
    IrALinea(fil + 1);
    col = 1;
    return U"\r\n";
  }
  if (numcar <= 0) return {};
  Texto r = linact.substr(static_cast<size_t>(col - 1), static_cast<size_t>(numcar));
  Avanza(r.size());
  return r;
}

Texto CInterprete::CogLinea() {
  Texto r = col - 1 < static_cast<int32_t>(linact.size()) ? linact.substr(static_cast<size_t>(col - 1))
                                                          : Texto();
  IrALinea(fil + 1);
  col = 1;
  return r;
}

void CInterprete::RestauraPos(const PosCont& p) {
  arc = p.arc;
  fil = p.fil;
  col = p.col;
  linact = p.linact;
}

// The evaluator's own look-ahead: one character, CR standing for the line end.
char32_t CInterprete::VerUno() {
  if (FinCont()) return 0;
  if (FinLin()) return U'\r';
  return linact[static_cast<size_t>(col - 1)];
}

void CInterprete::TomaUno() {
  if (FinCont()) return;
  if (FinLin()) {
    IrALinea(fil + 1);
    col = 1;
  } else {
    Avanza(1);
  }
}

// Marks keep line and column only: linact is always a copy of the line they name.
MarcaExpr CInterprete::Marca() { return {fil, col, 0}; }

void CInterprete::Vuelve(const MarcaExpr& m) {
  if (m.a != fil) IrALinea(static_cast<int32_t>(m.a));
  col = static_cast<int16_t>(m.b);
}

void CInterprete::eliminaCad(Texto& cad, int16_t ini, int16_t lon) {
  if (ini < 1 || lon < 0) return;
  if (static_cast<int32_t>(cad.size()) >= ini + lon - 1)
    cad.erase(static_cast<size_t>(ini - 1), static_cast<size_t>(lon));
}

void CInterprete::insertaCad(Texto& dest, VistaTexto cad, int16_t ini) {
  if (ini < 1) return;
  if (static_cast<int32_t>(dest.size()) + 1 >= ini) dest.insert(static_cast<size_t>(ini - 1), cad);
}

void CInterprete::quitaEspaciosMultiples(Texto& cad) {
  const size_t ini = cad.find_first_not_of(U" \t");
  cad.erase(0, ini == Texto::npos ? cad.size() : ini);
  for (size_t p = cad.find(U"  "); p != Texto::npos; p = cad.find(U"  ", p)) cad.erase(p, 1);
}

void CInterprete::quitaComentario(Texto& lin) {
  const size_t p = lin.find(U"//");
  if (p != Texto::npos) lin.resize(p);
}

} // namespace zt
