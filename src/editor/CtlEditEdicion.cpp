// Insertion and deletion at the cursor, and the stored-range primitives every edit goes through.
#include "editor/Columnas.h"
#include "editor/CtlEdit.h"
#include <algorithm>

namespace zt {

namespace {
const Texto kSalto = U"\r\n";

// Any CR, LF or CR LF becomes CR LF, so lines never hold a line-end character.
Texto NormalizaSaltos(const Texto &s) {
  if (s.find_first_of(U"\r\n") == Texto::npos) return s;
  return UneConSaltos(PartirEnSaltos(s));
}

bool LineaCabe(VistaTexto l, int tab) {
  return static_cast<int64_t>(l.size()) < CtlEdit::kLargoMaximo &&
         LargoExpandido(l, tab) < CtlEdit::kLargoMaximo;
}
} // namespace

// ---- Stored-range primitives (line, 1-based index) ----

Texto CtlEdit::TextoEntre(int32_t y1, int32_t r1, int32_t y2, int32_t r2) const {
  if (nLin() == 0) return {};
  y1 = std::clamp(y1, 1, nLin());
  y2 = std::clamp(y2, 1, nLin());
  const Texto &a = lineas_.Linea(y1);
  r1 = std::clamp<int32_t>(r1, 1, static_cast<int32_t>(a.size()) + 1);
  if (y1 == y2) {
    r2 = std::clamp<int32_t>(r2, r1, static_cast<int32_t>(a.size()) + 1);
    return a.substr(r1 - 1, r2 - r1);
  }
  Texto r = a.substr(r1 - 1);
  for (int32_t y = y1 + 1; y < y2; ++y) r += kSalto + lineas_.Linea(y);
  const Texto &b = lineas_.Linea(y2);
  r += kSalto + b.substr(0, std::clamp<size_t>(r2 - 1, 0, b.size()));
  return r;
}

// The one insertion: pieces p0..pn at (y, r); line y keeps its head before p0 and its tail
// goes after pn.
void CtlEdit::InsertaEn(int32_t y, int32_t r, const std::vector<Texto> &piezas) {
  const Texto &l = lineas_.Linea(y);
  r = std::clamp<int32_t>(r, 1, static_cast<int32_t>(l.size()) + 1);
  Texto cabeza = l.substr(0, r - 1), cola = l.substr(r - 1);
  if (piezas.size() == 1) {
    lineas_.Cambia(y, cabeza + piezas[0] + cola);
    return;
  }
  std::vector<Texto> nuevas(piezas.begin() + 1, piezas.end());
  nuevas.back() += cola;
  lineas_.Cambia(y, cabeza + piezas[0]);
  lineas_.Inserta(y + 1, std::move(nuevas));
}

// The one deletion: from (y1, r1) up to (y2, r2) exclusive.
void CtlEdit::BorraEntre(int32_t y1, int32_t r1, int32_t y2, int32_t r2) {
  if (nLin() == 0) return;
  y1 = std::clamp(y1, 1, nLin());
  y2 = std::clamp(y2, y1, nLin());
  const Texto &a = lineas_.Linea(y1);
  const Texto &b = lineas_.Linea(y2);
  r1 = std::clamp<int32_t>(r1, 1, static_cast<int32_t>(a.size()) + 1);
  r2 = std::clamp<int32_t>(r2, 1, static_cast<int32_t>(b.size()) + 1);
  if (y1 == y2 && r2 <= r1) return;
  Texto nueva = a.substr(0, r1 - 1) + b.substr(r2 - 1);
  lineas_.Cambia(y1, std::move(nueva));
  if (y2 > y1) lineas_.Elimina(y1 + 1, y2 - y1);
}

// Moves (y, r) n characters on, a line break counting as two; stops at the end of the text.
void CtlEdit::AvanzaCaracteres(int32_t &y, int32_t &r, int64_t n) {
  while (n > 0) {
    int64_t resto = static_cast<int64_t>(linea(y).size()) - r + 1;
    if (n <= resto) {
      r += static_cast<int32_t>(n);
      return;
    }
    if (y >= nLin()) {
      r = static_cast<int32_t>(linea(y).size()) + 1;
      return;
    }
    n -= resto;
    if (n == 1) {
      Aviso(U"Error de ajuste de salto de l\u00ednea", Icono::Error);
      n = 2;
    }
    n -= 2;
    ++y;
    r = 1;
  }
}

// Undo puts back what was there, even a line longer than an edit may make.
bool CtlEdit::CabeLinea(int64_t largo) {
  if (largo < kLargoMaximo || deshaciendo_) return true;
  Aviso(U"ERROR: L\u00ednea muy larga");
  return false;
}

// The expanded position of stored index r of line y: where undo finds the edit again, even when
// the cursor was left inside a tab.
PosTexto CtlEdit::PosEn(int32_t r, int32_t y) const {
  return {PosXTexp(r, y), y};
}

// ---- Typing ----

void CtlEdit::CurInsertar(const Texto &s0) {
  if (bloqText || !perfil_.editable) return;
  Texto s = NormalizaSaltos(s0);
  if (nLin() == 0) {
    lineas_.Inserta(1, {Texto()});
    ColocaCursor(1, 1, 0, false);
  }
  if (curXt < 1 || curYt < 1) return;
  AcotaCursor();
  if (haysel) {
    PosTexto ini = InicioSeleccion();
    int32_t d = selFin_.yt - selIni_.yt + 1;
    Registra(-1, ini, TextSel());
    BorraSeleccion();
    if (tipoSelec_ != 0 && s.find(U'\r') == Texto::npos && d > 1) {
      CurInsertar(UneConSaltos(std::vector<Texto>(static_cast<size_t>(d), s)));
      // The column just after what was typed: a tab typed over a block spans more than one column.
      int32_t r = PosXTreal(ini.xt, ini.yt) + static_cast<int32_t>(s.size());
      int32_t x = PosXTexp(r, ini.yt);
      selIni_ = selIniPrev_ = ancla_ = {x, ini.yt};
      selFin_ = selFinPrev_ = {x, ini.yt + d - 1};
      haysel = true;
      EtiquetaSeleccion();
      redibujoTotal = true;
      RedibujaTodo();
      return;
    }
  }
  std::vector<Texto> piezas = PartirEnSaltos(s);
  if (piezas.size() == 1)
    InsertaEnLinea(s);
  else if (tipoSelec_ == 0)
    InsertaLineas(piezas, s);
  else
    PegaBloque(piezas, s);
  ancla_ = Cursor();
  EncenCursor();
}

void CtlEdit::InsertaEnLinea(const Texto &s) {
  int32_t y = curYt;
  const Texto &l = lineas_.Linea(y);
  int32_t r = std::min<int32_t>(PosXTreal(curXt, y), static_cast<int32_t>(l.size()) + 1);
  Texto nueva = l.substr(0, r - 1) + s + l.substr(r - 1);
  if (!CabeLinea(LineaCabe(nueva, nEspTab) ? 0 : kLargoMaximo)) return;
  Registra(1, PosEn(r, y), s);
  lineas_.Cambia(y, std::move(nueva));
  ActualizaLinact();
  RedibujaLinea(y);
  ColocaCursor(PosXTexp(r + static_cast<int32_t>(s.size()), y), y, 0);
  FijaColDeseada();
}

void CtlEdit::InsertaLineas(const std::vector<Texto> &piezas, const Texto &s) {
  int32_t y = curYt;
  const Texto &l = lineas_.Linea(y);
  int32_t r = std::min<int32_t>(PosXTreal(curXt, y), static_cast<int32_t>(l.size()) + 1);
  bool cabe = LineaCabe(l.substr(0, r - 1) + piezas.front(), nEspTab) &&
              LineaCabe(piezas.back() + l.substr(r - 1), nEspTab);
  for (size_t i = 1; cabe && i + 1 < piezas.size(); ++i) cabe = LineaCabe(piezas[i], nEspTab);
  if (!CabeLinea(cabe ? 0 : kLargoMaximo)) return;
  Registra(1, PosEn(r, y), s);
  InsertaEn(y, r, piezas);
  int32_t yn = y + static_cast<int32_t>(piezas.size()) - 1;
  for (int32_t k = y; k <= yn; ++k) CrecerAncho(LargoExpandido(lineas_.Linea(k), nEspTab));
  redibujoTotal = true;
  ColocaCursor(PosXTexp(static_cast<int32_t>(piezas.back().size()) + 1, yn), yn, 0);
  FijaColDeseada();
  RedibujaTodo();
}

// Column mode: piece j goes in at the cursor column of line y + j; missing lines are appended.
bool CtlEdit::PegaBloque(const std::vector<Texto> &piezas, const Texto &s) {
  int32_t x = curXt, y = curYt, viejas = nLin();
  std::vector<Texto> nuevas;
  for (size_t j = 0; j < piezas.size(); ++j) {
    Texto l = y + static_cast<int32_t>(j) <= viejas ? LineaFin(lineas_.Linea(y + static_cast<int32_t>(j)))
                                                    : Texto();
    if (static_cast<int32_t>(l.size()) < x - 1) l.resize(static_cast<size_t>(x - 1), U' ');
    l.insert(static_cast<size_t>(x - 1), piezas[j]);
    if (!CabeLinea(LineaCabe(l, nEspTab) ? 0 : kLargoMaximo)) return false;
    nuevas.push_back(std::move(l));
  }
  auto finViejo = static_cast<int32_t>(
      std::max<size_t>(static_cast<size_t>(x - 1), LineaFin(lineas_.Linea(viejas)).size()));
  int32_t agregadas = y + static_cast<int32_t>(piezas.size()) - 1 - viejas;
  for (size_t j = 0; j < nuevas.size(); ++j) {
    int32_t yj = y + static_cast<int32_t>(j);
    if (yj <= viejas) {
      lineas_.Cambia(yj, nuevas[j]);
      CrecerAncho(static_cast<int32_t>(nuevas[j].size()));
    }
  }
  if (agregadas > 0) {
    std::vector<Texto> cola(nuevas.end() - agregadas, nuevas.end());
    for (const Texto &l : cola) CrecerAncho(static_cast<int32_t>(l.size()));
    lineas_.Inserta(viejas + 1, std::move(cola));
    Texto t;
    for (int32_t k = 0; k < agregadas; ++k) t += kSalto + Texto(static_cast<size_t>(x - 1), U' ');
    Registra(2, {finViejo + 1, viejas}, t);
  }
  Registra(1, {x, y}, s);
  redibujoTotal = true;
  ColocaCursor(x + static_cast<int32_t>(piezas.front().size()), y + static_cast<int32_t>(piezas.size()) - 1,
               0);
  FijaColDeseada();
  RedibujaTodo();
  return true;
}

// ---- Deleting ----

void CtlEdit::CurEliminar(bool forzarDibujo) {
  if (bloqText || !perfil_.editable) return;
  if (haysel) {
    Registra(-1, InicioSeleccion(), TextSel());
    BorraSeleccion();
    redibujoTotal = true;
    RedibujaTodo();
  } else if (nLin() >= 1 && curXt >= 1 && curYt >= 1) {
    AcotaCursor();
    int32_t y = curYt;
    const Texto &l = lineas_.Linea(y);
    int32_t r = PosXTreal(curXt, y);
    if (r > static_cast<int32_t>(l.size())) {
      if (y < nLin()) {
        if (!CabeLinea(LineaCabe(l + lineas_.Linea(y + 1), nEspTab) ? 0 : kLargoMaximo)) return;
        Registra(-1, Cursor(), kSalto, true);
        BorraEntre(y, r, y + 1, 1);
        ColocaCursor(curXt, y, 0, false);
        redibujoTotal = true;
        RedibujaTodo();
      }
    } else {
      Registra(-1, PosEn(r, y), Texto(1, l[static_cast<size_t>(r - 1)]));
      BorraEntre(y, r, y, r + 1);
      ColocaCursor(curXt, y, 0, false);
      if (forzarDibujo) redibujoTotal = true;
      RedibujaLinea(y);
    }
  }
  ancla_ = Cursor();
  EncenCursor();
}

void CtlEdit::CurEliminarB() {
  if (bloqText || !perfil_.editable) return;
  if (haysel) {
    CurEliminar(false);
    return;
  }
  if (nLin() == 0 || curXt < 1 || curYt < 1) return;
  AcotaCursor();
  if (curXt <= 1) {
    if (curYt <= 1) return;
    ColocaCursor(LargoExpandido(linea(curYt - 1), nEspTab) + 1, curYt - 1, 0);
  } else {
    ColocaCursor(curXt - 1, curYt, 1);
  }
  FijaColDeseada(); // a step left, like the Left key
  CurEliminar(redibujoTotal);
}

void CtlEdit::CurEliminarCad(const Texto &s) {
  if (bloqText || !perfil_.editable || s.empty() || nLin() == 0) return;
  ColocaCursor(curXt, curYt, 0, false);
  PosTexto ini = Cursor();
  int32_t y2 = ini.yt;
  if (tipoSelec_ != 0) {
    // Each line loses what its own piece put there: block pieces differ in length and may hold tabs.
    std::vector<Texto> piezas = PartirEnSaltos(s);
    y2 = std::min(nLin(), ini.yt + static_cast<int32_t>(piezas.size()) - 1);
    for (int32_t y = ini.yt; y <= y2; ++y) {
      int32_t r = PosXTreal(ini.xt, y);
      BorraEntre(y, r, y, r + static_cast<int32_t>(piezas[static_cast<size_t>(y - ini.yt)].size()));
    }
  } else {
    int32_t r1 = PosXTreal(ini.xt, ini.yt), r2 = r1;
    AvanzaCaracteres(y2, r2, static_cast<int64_t>(s.size()));
    BorraEntre(ini.yt, r1, y2, r2);
  }
  ColocaCursor(ini.xt, ini.yt, 0, false);
  ancla_ = Cursor();
  if (y2 == ini.yt) {
    RedibujaLinea(ini.yt);
  } else {
    redibujoTotal = true;
    RedibujaTodo();
  }
}

} // namespace zt
