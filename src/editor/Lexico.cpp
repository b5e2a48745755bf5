// One pass over the line: comments and strings first, reserved words only at a word start.
#include "editor/Lexico.h"
#include <algorithm>

namespace zt {

bool EsCarPalabra(char32_t c) {
  if ((c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9')) return true;
  switch (c) {
  case U'_': case U'$': case U'Á': case U'É': case U'Í': case U'Ó': case U'Ú': case U'Ñ':
    return true;
  default:
    return false;
  }
}

const PerfilLexico& PerfilShell() {
  static const PerfilLexico p{U"#", &PalabrasShell(), false};
  return p;
}

const PerfilLexico& PerfilMacro() {
  static const PerfilLexico p{U"//", &PalabrasMacro(), false};
  return p;
}

const PerfilLexico& PerfilTerminal() {
  static const PerfilLexico p{U"#", &PalabrasTerminal(), true};
  return p;
}

const PerfilLexico& PerfilLexicoDe(FormaEditor forma) {
  switch (forma) {
  case FormaEditor::Macros:
  case FormaEditor::Preprocesador: return PerfilMacro();
  case FormaEditor::Terminal: return PerfilTerminal();
  case FormaEditor::Comandos: break;
  }
  return PerfilShell();
}

namespace {

// Length of the first reserved word of the table at 'i', or 0; 'linea' is already in comparison case.
size_t PalabraEn(VistaTexto linea, size_t i, const TablaPalabras& tabla, int8_t& grupo) {
  char32_t c = linea[i];
  if (c >= 128) return 0;
  for (uint16_t k = tabla.inicio[c]; k < tabla.inicio[c + 1]; ++k) {
    const PalabraReservada& p = tabla.palabras[k];
    if (linea.substr(i, p.texto.size()) != p.texto) continue;
    size_t fin = i + p.texto.size();
    if (fin < linea.size()) {
      char32_t sig = p.sigueSinMayus ? linea[fin] : Mayuscula(linea[fin]);
      if (EsCarPalabra(sig)) continue;
    }
    grupo = p.grupo;
    return p.texto.size();
  }
  return 0;
}

class Lexer {
public:
  Lexer(const PerfilLexico& perfil, const ColoresEditor& colores) : perfil_(perfil), col_(colores) {}

  std::vector<TramoColor> Lee(VistaTexto linea, size_t prompt) {
    size_t n = linea.size();
    prompt = std::min(prompt, n);
    if (prompt > 0) Agrega(prompt, col_.ColPalRes2, ClaseLex::PalRes2);
    bool inicioPalabra = prompt == 0 || !EsCarPalabra(Mayuscula(linea[prompt - 1]));
    char32_t comilla = 0;  // the quote that closes the open string, 0 outside strings
    for (size_t i = prompt; i < n;) {
      char32_t c = linea[i];
      if (comilla == 0) {
        if (linea.substr(i, perfil_.comentario.size()) == perfil_.comentario) {
          CierraNormal(i);
          Agrega(n - i, col_.ColTxtCom, ClaseLex::Comentario);
          return std::move(tramos_);
        }
        if (c == U'"' || c == U'\'') {
          CierraNormal(i);
          comilla = c;
        } else if (int8_t grupo = 0; inicioPalabra) {
          if (size_t largo = PalabraEn(linea, i, *perfil_.palabras, grupo)) {
            CierraNormal(i);
            if (grupo == 1) Agrega(largo, col_.ColPalRes, ClaseLex::PalRes);
            else Agrega(largo, col_.ColPalRes2, ClaseLex::PalRes2);
            i += largo;
            inicioPalabra = !EsCarPalabra(Mayuscula(linea[i - 1]));
            continue;
          }
        }
      } else if (c == comilla) {
        Agrega(i + 1 - consumido_, col_.ColTxtCad, ClaseLex::Cadena);
        comilla = 0;
      }
      inicioPalabra = !EsCarPalabra(Mayuscula(c));
      ++i;
    }
    // An unclosed string takes the string colour but keeps the normal class.
    if (comilla != 0) Agrega(n - consumido_, col_.ColTxtCad, ClaseLex::Normal);
    else CierraNormal(n);
    return std::move(tramos_);
  }

private:
  void Agrega(size_t largo, Color color, ClaseLex clase) {
    tramos_.push_back({color, static_cast<int32_t>(largo), clase});
    consumido_ += largo;
  }
  void CierraNormal(size_t hasta) {
    if (hasta > consumido_) Agrega(hasta - consumido_, col_.ColTxtNor, ClaseLex::Normal);
  }

  const PerfilLexico& perfil_;
  const ColoresEditor& col_;
  std::vector<TramoColor> tramos_;
  size_t consumido_ = 0;
};

} // namespace

std::vector<TramoColor> Colorea(VistaTexto linea, const PerfilLexico& perfil, const ColoresEditor& colores,
                                int32_t prompt) {
  if (linea.empty()) return {};
  size_t desde = prompt > 0 ? static_cast<size_t>(prompt) : 0;
  if (perfil.distingueMayus) return Lexer(perfil, colores).Lee(linea, desde);
  Texto mayus = Mayusculas(linea);
  return Lexer(perfil, colores).Lee(mayus, desde);
}

Color ColorEnColumna(const std::vector<TramoColor>& tramos, int32_t columna) {
  int64_t fin = 0;
  for (const TramoColor& t : tramos) {
    fin += t.largo;
    if (fin >= columna) return t.color;
  }
  return 0;
}

} // namespace zt
