// The terminal view: character writes, cursor moves and erasures on the line store, trimming,
// prompt recognition and the once-per-chunk redraw.
#include "terminal/CtlEdTelnet.h"
#include "editor/Columnas.h"
#include <algorithm>

namespace zt {

CtlEdTelnet::CtlEdTelnet(Dialogs* dialogos, Clipboard* portapapeles)
    : CtlEdit(PerfilEditor::Terminal(), dialogos, portapapeles) {
  nEspTab = 8; // a terminal's tab stops, where hosts expect them (ls, column output)
  colorCache_.FijaPrompt([this](int32_t, VistaTexto l) { return std::max(0, ColumnasPrompt(l)); });
}

// ---- Keys ----

void CtlEdTelnet::TeclaAbajoTerm(int codigo, int shift) {
  if (KeyDownTerm) KeyDownTerm(codigo, shift);
  if (codigo != 0) TeclaAbajo(codigo, shift);
}

void CtlEdTelnet::TeclaCaracterTerm(char32_t c) {
  if (KeyPress) KeyPress(c);
  TeclaCaracter(c); // the view's text never changes by typing
}

void CtlEdTelnet::TeclaArribaTerm(int codigo, int shift) {
  if (KeyUp) KeyUp(codigo, shift);
}

// ---- Lines ----

void CtlEdTelnet::AgregaLinea(const Texto& texto) {
  CtlEdit::AgregaLinea(texto);
  Cambio(nLin());
  desplazada_ = true; // the scroll range grew
}

Texto CtlEdTelnet::TextLineas(int32_t y1, int32_t y2) const {
  y1 = std::max(y1, 1);
  y2 = std::min(y2, nLin());
  Texto r;
  for (int32_t y = y1; y <= y2; ++y) {
    if (y > y1) r += U"\r\n";
    r += linea(y);
  }
  return r;
}

Texto CtlEdTelnet::LineaCursorTel() const {
  const int32_t y = LineaCursor();
  if (y < 1 || y > nLin()) return {};
  const Texto& l = linea(y);
  const size_t fin = l.find_last_not_of(U' ');
  return l.substr(0, std::max(static_cast<size_t>(curX), fin == Texto::npos ? 0 : fin + 1));
}

void CtlEdTelnet::LimpiarPantalla() {
  eraseSCREEN();
  Refrescar();
}

void CtlEdTelnet::LimpiaBuffer() {
  LimpiarLineas();
  y0 = 1;
  cambioIni_ = cambioFin_ = 0;
  cursorPintado_ = 0;
  ColocaCursor(1, 1, 0, false);
  eraseSCREEN();
  Refrescar();
}

void CtlEdTelnet::Cambio(int32_t y) {
  cambioIni_ = cambioIni_ > 0 ? std::min(cambioIni_, y) : y;
  cambioFin_ = std::max(cambioFin_, y);
}

// Missing lines are made of as many blanks as the cursor column, so a column stays a column.
void CtlEdTelnet::AsegurarLinea(int32_t y) {
  if (nLin() >= y) return;
  const int32_t primera = nLin() + 1;
  lineas_.Inserta(
      primera, std::vector<Texto>(static_cast<size_t>(y - nLin()), Texto(static_cast<size_t>(curX), U' ')));
  CrecerAncho(curX);
  Cambio(primera);
  Cambio(y);
  desplazada_ = true;
}

// LF: one row down in the same column, but never past the right edge, where a terminal's cursor
// cannot be: output with bare LFs must not build a staircase of ever longer lines. From the bottom
// row the screen scrolls and the top row stays in the store.
void CtlEdTelnet::Avanza() {
  curX = std::min(curX, curXmax);
  ++curY;
  AsegurarLinea(LineaCursor());
  if (curY > curYmax) {
    y0 = LineaCursor() - curYmax;
    curY = curYmax;
    desplazada_ = true;
  }
}

// ---- Character writes ----

void CtlEdTelnet::TelnetCar(char32_t c) {
  switch (c) {
  case 7:
    if (alPitar) alPitar();
    return;
  case 8:
    if (curX > 0) --curX;
    return;
  case 9: TelnetTexto(VistaTexto(&c, 1)); return; // kept in the line, expanded where it is shown
  case 10: Avanza(); return;
  case 13:
    // A host that wrapped at the margin already went one column past it.
    if (curX == curXmax + 2) {
      curX = 0;
      Avanza();
    } else {
      curX = 0;
    }
    return;
  default:
    // Other controls (SI and SO around attributes, and the rest) have no effect here and show nothing.
    if (c >= 32) TelnetTexto(VistaTexto(&c, 1));
    return;
  }
}

// The run replaces what is under it and extends the line past its end; a line shorter than the
// cursor column is padded first, so every character lands in its column.
void CtlEdTelnet::TelnetTexto(VistaTexto run) {
  const int32_t y = LineaCursor();
  AsegurarLinea(y);
  const auto x = static_cast<size_t>(curX);
  const size_t cabe = std::min(run.size(), static_cast<size_t>(kLargoLineaMax - curX));
  size_t largo = 0;
  lineas_.Modifica(y, [&](Texto& t) {
    if (t.size() < x) t.resize(x, U' ');
    t.replace(x, std::min(t.size() - x, cabe), run.substr(0, cabe));
    largo = t.size();
  });
  curX = std::min<int32_t>(curX + static_cast<int32_t>(cabe), kLargoLineaMax);
  Cambio(y);
  if (static_cast<int32_t>(largo) > anchoMax_) CrecerAncho(static_cast<int32_t>(largo)); // tabs: in Dibujar
}

void CtlEdTelnet::FijaCursorTel(int32_t x, int32_t y) {
  curY = std::clamp(y, 0, curYmax + kMargenFilas);
  AsegurarLinea(LineaCursor());
  curX = std::clamp(x, 0, kLargoLineaMax - 1);
  const int32_t l = LineaCursor();
  if (static_cast<int32_t>(linea(l).size()) < curX) {
    lineas_.Modifica(l, [&](Texto& t) { t.resize(static_cast<size_t>(curX), U' '); });
    CrecerAncho(curX);
    Cambio(l);
  }
}

// ---- Erasures: lines are emptied, never removed ----

void CtlEdTelnet::Vacia(int32_t y) {
  if (!lineas_.Existe(y) || linea(y).empty()) return;
  lineas_.Cambia(y, {});
  Cambio(y);
}

void CtlEdTelnet::eraseEOL() {
  const int32_t y = LineaCursor();
  if (!lineas_.Existe(y) || static_cast<int32_t>(linea(y).size()) <= curX) return;
  lineas_.Modifica(y, [&](Texto& t) { t.resize(static_cast<size_t>(curX)); });
  Cambio(y);
}

void CtlEdTelnet::eraseBOL() {
  const int32_t y = LineaCursor();
  if (!lineas_.Existe(y) || linea(y).empty()) return;
  lineas_.Modifica(
      y, [&](Texto& t) { std::fill_n(t.begin(), std::min(t.size(), static_cast<size_t>(curX) + 1), U' '); });
  Cambio(y);
}

void CtlEdTelnet::eraseLINE() {
  const int32_t y = LineaCursor();
  if (!lineas_.Existe(y)) return;
  lineas_.Cambia(y, Texto(static_cast<size_t>(curX), U' '));
  Cambio(y);
}

void CtlEdTelnet::eraseEOS() {
  eraseEOL();
  for (int32_t y = LineaCursor() + 1; y <= std::min(y0 + curYmax, nLin()); ++y) Vacia(y);
}

void CtlEdTelnet::eraseBOS() {
  eraseBOL();
  for (int32_t y = y0; y < LineaCursor(); ++y) Vacia(y);
}

void CtlEdTelnet::eraseSCREEN() {
  for (int32_t y = y0; y <= std::min(y0 + curYmax, nLin()); ++y) Vacia(y);
  curX = curY = 0;
}

// ---- What the Telnet object drives ----

void CtlEdTelnet::FijaTamTerminal(int16_t ancho, int16_t alto) {
  curXmax = std::max<int32_t>(ancho, 1) - 1;
  curYmax = std::max<int32_t>(alto, 1) - 1;
}

void CtlEdTelnet::Panel1(VistaTexto texto, Color colTexto, Color colFondo) {
  lblEstado1 = {Texto(texto), colTexto};
  colFondoPanel1 = colFondo;
  if (alCambiarVista) alCambiarVista();
}

// The top screen row and everything below it stay, so y0, the first visible line and the caret
// line never fall below 1.
void CtlEdTelnet::EliminarLineasIni(int32_t nelim) {
  if (nLin() == 0 || nLin() < nelim) return;
  nelim = std::min(nelim, y0 - 1);
  if (nelim <= 0) return;
  lineas_.Elimina(1, nelim);
  const auto sube = [nelim](int32_t& y) { y = std::max(1, y - nelim); };
  y0 -= nelim;
  nLlegoPrompt -= nelim;
  sube(curYt);
  sube(primLinVis);
  for (PosTexto* p : {&ancla_, &selIni_, &selFin_, &selIniPrev_, &selFinPrev_}) sube(p->yt);
  cursorPintado_ = std::max(0, cursorPintado_ - nelim);
  if (cambioFin_ > 0) {
    cambioIni_ = std::max(1, cambioIni_ - nelim);
    cambioFin_ = std::max(1, cambioFin_ - nelim);
  }
  ActualizaLinact();
  desplazada_ = true;
}

int32_t CtlEdTelnet::LineasSobreTamano(int64_t maxCaracteres) const {
  int64_t total = 0;
  for (int32_t y = nLin(); y >= 1; --y) {
    total += static_cast<int64_t>(linea(y).size());
    if (total > maxCaracteres) return y;
  }
  return 0;
}

int32_t CtlEdTelnet::ColumnaExpandida(int32_t y, int32_t indice) const {
  const Texto& l = linea(y);
  const auto largo = static_cast<int32_t>(l.size());
  if (indice <= largo + 1) return PosXTexp(indice, y);
  return LargoExpandido(l, nEspTab) + 1 + (indice - largo - 1);
}

// Where the caret goes to sit on the terminal cursor, clamped as the editor clamps its caret.
std::pair<int32_t, int32_t> CtlEdTelnet::ObjetivoCaret() const {
  if (nLin() == 0) return {1, 1};
  const int32_t y = std::clamp(LineaCursor(), 1, nLin());
  const int32_t tope = std::min(LargoExpandido(linea(y), nEspTab) + 1, kLargoMaximo);
  return {std::clamp(ColumnaExpandida(y, curX + 1), 1, tope), y};
}

bool CtlEdTelnet::CursorEditEngan() const {
  const auto [x, y] = ObjetivoCaret();
  return curXt == x && curYt == y;
}

void CtlEdTelnet::EnganCursorEdit() {
  const auto [x, y] = ObjetivoCaret();
  ColocaCursor(x, y, 0, false);
  FijaColDeseada();
  if (!haysel) ancla_ = Cursor();
}

// ---- Prompts ----

int32_t CtlEdTelnet::ColumnasPrompt(VistaTexto l) const {
  if (!DetPromptActiva || l.substr(0, PatIniPrompt.size()) != PatIniPrompt) return -1;
  const size_t p = l.find(PatFinPrompt);
  return p == VistaTexto::npos ? -1 : static_cast<int32_t>(p);
}

void CtlEdTelnet::DetectaPrompt(int32_t y) {
  if (y == nLlegoPrompt || ColumnasPrompt(linea(y)) < 0) return;
  const int32_t previa = nLlegoPrompt;
  nLlegoPrompt = y;
  if (avisoPrompt_) avisoPrompt_(previa, y);
  if (LlegoPrompt) LlegoPrompt(previa, y);
}

// ---- Once per chunk ----

void CtlEdTelnet::Dibujar() {
  const int32_t ini = cambioIni_, fin = std::min(cambioFin_, nLin());
  cambioIni_ = cambioFin_ = 0;
  // Prompts are seen on every changed line, top to bottom, painted or not.
  if (DetPromptActiva && ini > 0)
    for (int32_t y = ini; y <= fin; ++y) DetectaPrompt(y);
  // The widest line, tabs expanded, for the horizontal bar.
  for (int32_t y = std::max(ini, 1); ini > 0 && y <= fin && anchoMax_ < kLargoMaximo; ++y)
    if (linea(y).size() * static_cast<size_t>(std::max(nEspTab, 1)) > static_cast<size_t>(anchoMax_))
      CrecerAncho(LargoExpandido(linea(y), nEspTab));
  const bool todo = std::exchange(desplazada_, false);
  if (!vista_.superficie) return;
  if (todo || redibujoTotal) {
    redibujoTotal = true;
    RedibujaTodo();
  } else {
    for (int32_t y = std::max(ini, primLinVis); ini > 0 && y <= std::min(fin, ultLinDibujada()); ++y)
      RedibujaLinea(y);
    if (cursorPintado_ != LineaCursor()) RedibujaLinea(cursorPintado_);
    RedibujaLinea(LineaCursor());
  }
  if (vista_.parpadeo) EncenCursor();
}

// The block at the terminal cursor: a solid cell in the text colour, its character in the
// background colour.
void CtlEdTelnet::PintaExtra(int32_t y) {
  if (y != LineaCursor() || !vista_.parpadeo || !vista_.superficie) return;
  cursorPintado_ = y;
  const int32_t x = ColumnaExpandida(y, curX + 1);
  if (!CeldaVisible(x, y)) return;
  Surface* s = vista_.superficie;
  s->LlenaRect(XColumna(x), YLinea(y), anccarP, altcarP, colores.ColTxtNor);
  const Texto l = LineaFin(linea(y));
  if (x <= static_cast<int32_t>(l.size()) && l[static_cast<size_t>(x - 1)] != U' ')
    s->DibujaTexto(XColumna(x), YLinea(y), VistaTexto(&l[static_cast<size_t>(x - 1)], 1), colores.ColFonEdi);
}

} // namespace zt
