// The property string both ways.
#include "editor/Propiedades.h"
#include "base/Error.h"
#include <array>
#include <cstddef>
#include <limits>
#include <vector>

namespace zt {
namespace {

constexpr size_t kCampos = 19;
constexpr size_t kCamposMinimos = 17;

// The colour in each field; null for the switches and the empty fields.
using CampoColor = Color ColoresEditor::*;
constexpr std::array<CampoColor, kCampos> kColorCampo{
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    &ColoresEditor::ColFonEdi, &ColoresEditor::ColFonSel, &ColoresEditor::ColTxtNor,
    &ColoresEditor::ColTxtSel, &ColoresEditor::ColFonNli, nullptr,
    &ColoresEditor::ColTxtCom, &ColoresEditor::ColTxtCad, &ColoresEditor::ColPalRes,
    &ColoresEditor::ColPalRes2, &ColoresEditor::ColTxtFun, nullptr, nullptr,
};
constexpr std::array<bool PropiedadesEditor::*, 4> kSwitch{
    &PropiedadesEditor::verEstado, &PropiedadesEditor::verDesHor, &PropiedadesEditor::verDesVer,
    &PropiedadesEditor::verNumLin,
};
static_assert(kColorCampo[kCamposMinimos - 1] != nullptr, "the last colour field sets the minimum field count");

Texto Decimal(Color c) {
  Texto t;
  do {
    t.insert(t.begin(), static_cast<char32_t>(U'0' + c % 10));
    c /= 10;
  } while (c != 0);
  return t;
}

// Digits only (blanks around them allowed); anything else is a type mismatch, a value wider than a colour an overflow.
Color LeeColor(VistaTexto campo) {
  Texto s = RecortaEspacios(campo);
  if (s.empty()) throw ErrorEjecucion(CodigoError::TiposNoCoinciden);
  uint64_t v = 0;
  for (char32_t c : s) {
    if (c < U'0' || c > U'9') throw ErrorEjecucion(CodigoError::TiposNoCoinciden);
    v = v * 10 + (c - U'0');
    if (v > std::numeric_limits<Color>::max()) throw ErrorEjecucion(CodigoError::Desbordamiento);
  }
  return static_cast<Color>(v);
}

std::vector<VistaTexto> Campos(VistaTexto s) {
  std::vector<VistaTexto> campos;
  size_t desde = 0;
  for (;;) {
    size_t tab = s.find(U'\t', desde);
    campos.push_back(s.substr(desde, tab == VistaTexto::npos ? VistaTexto::npos : tab - desde));
    if (tab == VistaTexto::npos) return campos;
    desde = tab + 1;
  }
}

} // namespace

Texto CadPropiedades(const PropiedadesEditor& p) {
  Texto s;
  for (size_t i = 0; i < kCampos; ++i) {
    if (i > 0) s += U'\t';
    if (i < kSwitch.size()) s += TextoBool(p.*kSwitch[i]);
    else if (kColorCampo[i]) s += Decimal(p.colores.*kColorCampo[i]);
  }
  return s;
}

void LeePropiedades(PropiedadesEditor& p, VistaTexto s) {
  std::vector<VistaTexto> campos = Campos(s);
  for (size_t i = 0; i < kCamposMinimos; ++i) {
    if (i >= campos.size()) throw ErrorEjecucion(CodigoError::SubindiceFuera);
    if (i < kSwitch.size()) p.*kSwitch[i] = LeeBool(campos[i]);
    else if (kColorCampo[i]) p.colores.*kColorCampo[i] = LeeColor(campos[i]);
  }
}

} // namespace zt
