// An editor's colours and display switches, and the TAB-separated property string that persists them.
#pragma once
#include "base/Texto.h"
#include "base/Tipos.h"

namespace zt {

struct ColoresEditor {
  Color ColFonEdi = RGB(255, 255, 255);   // text background
  Color ColFonSel = RGB(130, 130, 255);   // background of selected text
  Color ColLinAct = RGB(255, 255, 128);   // cursor line background when verFonLin is set
  Color ColTxtNor = RGB(0, 0, 0);         // normal text, and the caret in stream mode
  Color ColTxtSel = RGB(255, 255, 255);   // selected text
  Color ColFonNli = RGB(210, 210, 210);   // line-number gutter
  Color ColTxtCom = RGB(128, 128, 128);   // comments
  Color ColTxtCad = RGB(90, 90, 255);     // quoted strings
  Color ColPalRes = RGB(0, 190, 0);       // reserved words, group 1
  Color ColPalRes2 = RGB(255, 0, 0);      // reserved words, group 2 (the prompt in the terminal view)
  Color ColTxtFun = RGB(0, 190, 0);       // stored and persisted only
  friend bool operator==(const ColoresEditor&, const ColoresEditor&) = default;
};

// What the property string carries: four display switches and ten of the colours.
struct PropiedadesEditor {
  bool verEstado = false;
  bool verDesHor = false;
  bool verDesVer = false;
  bool verNumLin = false;
  ColoresEditor colores;
  friend bool operator==(const PropiedadesEditor&, const PropiedadesEditor&) = default;
};

// The 19-field line: four V/F switches, two empty fields, five colours, an empty field, five colours
// and two empty fields; ColLinAct, verFonLin, the tab width and the font are not part of it.
Texto CadPropiedades(const PropiedadesEditor& p);

// Reads the fields in order into 'p'. Throws ErrorEjecucion (SubindiceFuera) when a needed field is
// missing (fewer than 17), or (TiposNoCoinciden / Desbordamiento) when a colour field is not a decimal
// number without sign that fits a colour value; fields read before the failing one stay set.
void LeePropiedades(PropiedadesEditor& p, VistaTexto s);

} // namespace zt
