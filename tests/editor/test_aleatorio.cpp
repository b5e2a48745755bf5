// Seeded random edits checked against a naive model of the text (one flat string); every session
// of edits is then undone back to its saved state, which must come back exactly.
#include "EditorPrueba.h"
#include <algorithm>
#include <random>

namespace zt {
namespace {

constexpr int kTab = 6;

// The text as one string with '\n' between lines; everything computed the slow, obvious way.
struct Modelo {
  Texto s;

  std::vector<Texto> Lineas() const {
    std::vector<Texto> r(1);
    for (char32_t c : s) {
      if (c == U'\n')
        r.emplace_back();
      else
        r.back().push_back(c);
    }
    return r;
  }
  void FijaLineas(const std::vector<Texto> &l) {
    s.clear();
    for (size_t i = 0; i < l.size(); ++i) s += (i ? U"\n" : U"") + l[i];
  }
  static Texto Exp(const Texto &l) {
    Texto r;
    for (char32_t c : l) {
      if (c != U'\t')
        r.push_back(c);
      else
        do r.push_back(U' ');
        while (r.size() % kTab != 0);
    }
    return r;
  }
  // Stored index (1-based) of the character drawn at column x.
  static int Real(const Texto &l, int x) {
    std::vector<int> celda;
    for (size_t i = 0; i < l.size(); ++i) {
      size_t w = l[i] == U'\t' ? kTab - celda.size() % kTab : 1;
      celda.insert(celda.end(), w, static_cast<int>(i) + 1);
    }
    return x <= static_cast<int>(celda.size()) ? celda[x - 1] : static_cast<int>(l.size()) + 1;
  }
  size_t Offset(int y, int x) const {
    auto l = Lineas();
    size_t off = 0;
    for (int k = 1; k < y; ++k) off += l[k - 1].size() + 1;
    return off + Real(l[y - 1], x) - 1;
  }
  static Texto ConLf(const Texto &t) {
    Texto r;
    for (size_t i = 0; i < t.size(); ++i)
      if (t[i] != U'\r') r.push_back(t[i]);
    return r;
  }
  Texto TextoFlujo(PosTexto a, PosTexto b) const {
    return s.substr(Offset(a.yt, a.xt), Offset(b.yt, b.xt) - Offset(a.yt, a.xt));
  }
  Texto TextoColumnas(PosTexto a, PosTexto b) const {
    int xa = std::min(a.xt, b.xt), w = std::max(a.xt, b.xt) - xa;
    auto l = Lineas();
    Texto r;
    for (int y = a.yt; y <= b.yt; ++y) {
      Texto e = Exp(l[y - 1]) + Texto(w + xa, U' ');
      r += (y > a.yt ? U"\n" : U"") + e.substr(xa - 1, w);
    }
    return r;
  }
  void BorraFlujo(PosTexto a, PosTexto b) {
    s.erase(Offset(a.yt, a.xt), Offset(b.yt, b.xt) - Offset(a.yt, a.xt));
  }
  void BorraColumnas(PosTexto a, PosTexto b) {
    int xa = std::min(a.xt, b.xt), w = std::max(a.xt, b.xt) - xa;
    auto l = Lineas();
    for (int y = a.yt; y <= b.yt; ++y) {
      Texto e = Exp(l[y - 1]);
      if (static_cast<int>(e.size()) >= xa) e.erase(xa - 1, w);
      l[y - 1] = e;
    }
    FijaLineas(l);
  }
  // Returns the position just after the inserted text.
  PosTexto Inserta(int x, int y, const Texto &t) {
    size_t fin = Offset(y, x) + ConLf(t).size();
    s.insert(Offset(y, x), ConLf(t));
    size_t inicio = s.rfind(U'\n', fin == 0 ? 0 : fin - 1);
    inicio = (inicio == Texto::npos || fin == 0) ? 0 : inicio + 1;
    int linea = 1 + static_cast<int>(std::count(s.begin(), s.begin() + fin, U'\n'));
    return {static_cast<int16_t>(Exp(s.substr(inicio, fin - inicio)).size() + 1), linea};
  }
  PosTexto PegaBloque(int x, int y, const Texto &t) {
    auto l = Lineas();
    std::vector<Texto> p = Modelo{ConLf(t)}.Lineas();
    for (size_t j = 0; j < p.size(); ++j) {
      size_t yj = y - 1 + j;
      if (yj >= l.size())
        l.push_back(Texto(x - 1, U' '));
      else
        l[yj] = Exp(l[yj]);
      if (static_cast<int>(l[yj].size()) < x - 1) l[yj].resize(x - 1, U' ');
      l[yj].insert(x - 1, p[j]);
    }
    FijaLineas(l);
    return {static_cast<int16_t>(x + p[0].size()), y + static_cast<int>(p.size()) - 1};
  }
};

class Aleatorio {
public:
  explicit Aleatorio(unsigned semilla) : rnd_(semilla) {}

  void Corre(int operaciones) {
    e_.ed.Text(U"inicio\r\n\tcon tab\r\n\r\nfin del texto");
    m_.s = U"inicio\n\tcon tab\n\nfin del texto";
    while (hechas_ < operaciones) Sesion();
    EXPECT_EQ(U8(e_.dialogos.UltimoMensaje()), ""); // no box on the way
  }

private:
  int Al(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rnd_); }
  int32_t nLin() { return e_.ed.nLin(); }
  int Largo(int y) { return static_cast<int>(Modelo::Exp(e_.ed.linea(y)).size()); }

  void Sesion() {
    columnas_ = Al(10) < 3;
    if (columnas_ && !e_.ed.haysel) {
      e_.ed.TabToSpaces(); // block operations expand tabs, which undo cannot take back
      m_.FijaLineas([&] {
        auto l = m_.Lineas();
        for (auto &x : l) x = Modelo::Exp(x);
        return l;
      }());
    }
    e_.ed.TipoSelec(columnas_ ? 1 : 0);
    e_.ed.FijarTextNoModif();
    std::vector<std::pair<int, Texto>> pila{{e_.ed.nUndo(), m_.s}};
    int pasos = 5 + Al(25);
    for (int i = 0; i < pasos && e_.ed.nUndo() < 50; ++i, ++hechas_) {
      if (Al(8) == 0 && pila.size() > 1) {
        pila.pop_back();
        while (e_.ed.nUndo() > pila.back().first) e_.ed.Deshacer();
        m_.s = pila.back().second;
      } else {
        cursor_ = {};
        Operacion();
        if (!cursor_.Ausente()) {
          EXPECT_EQ(e_.ed.Cursor(), cursor_) << "after " << ultima_;
        }
        pila.emplace_back(e_.ed.nUndo(), m_.s);
      }
      Comprueba();
      if (::testing::Test::HasFailure()) return;
    }
    while (e_.ed.TextModificado() && e_.ed.nUndo() > 0) e_.ed.Deshacer();
    ASSERT_FALSE(e_.ed.TextModificado());
    ASSERT_EQ(U8(Modelo::ConLf(e_.ed.Text())), U8(pila.front().second));
    m_.s = pila.front().second;
  }

  void Comprueba() {
    ASSERT_EQ(U8(Modelo::ConLf(e_.ed.Text())), U8(m_.s)) << "after " << ultima_ << " (op " << hechas_ << ")";
    ASSERT_GE(e_.ed.curYt, 1);
    ASSERT_LE(e_.ed.curYt, std::max(1, nLin()));
    ASSERT_GE(e_.ed.curXt, 1);
    ASSERT_LE(e_.ed.curXt, Largo(e_.ed.curYt) + 1);
    ASSERT_EQ(e_.ed.linact, Modelo::Exp(e_.ed.linea(e_.ed.curYt)));
  }

  Texto Aleat(bool saltos) {
    static const char32_t alfa[] = U"abz .-";
    Texto t;
    int n = 1 + Al(6);
    for (int i = 0; i < n; ++i) {
      int k = Al(9);
      if (k == 8 && saltos)
        t += U"\r\n";
      else if (k == 7 && !columnas_)
        t += U'\t';
      else
        t += alfa[Al(6)];
    }
    return t;
  }

  // The text change an insertion of t at the cursor (or over the selection) must make.
  PosTexto ModeloInserta(const Texto &t) {
    int x = e_.ed.curXt, y = e_.ed.curYt;
    if (e_.ed.haysel) {
      PosTexto a = e_.ed.selIni(), b = e_.ed.selFin();
      if (columnas_) {
        m_.BorraColumnas(a, b);
        x = std::min(a.xt, b.xt);
        y = a.yt;
        if (t.find(U'\r') == Texto::npos && b.yt > a.yt) {
          Texto rep = t;
          for (int k = a.yt; k < b.yt; ++k) rep += U"\r\n" + t;
          PosTexto c = m_.PegaBloque(x, y, rep);
          return c;
        }
      } else {
        m_.BorraFlujo(a, b);
        x = a.xt;
        y = a.yt;
      }
    }
    if (columnas_ && t.find(U'\r') != Texto::npos) return m_.PegaBloque(x, y, t);
    return m_.Inserta(x, y, t);
  }

  void ModeloBorra(bool retroceso) {
    if (e_.ed.haysel) {
      columnas_ ? m_.BorraColumnas(e_.ed.selIni(), e_.ed.selFin())
                : m_.BorraFlujo(e_.ed.selIni(), e_.ed.selFin());
      return;
    }
    int x = e_.ed.curXt, y = e_.ed.curYt;
    if (retroceso) {
      if (x == 1 && y == 1) return;
      size_t off = m_.Offset(y, x);
      if (x == 1) {
        m_.s.erase(off - 1, 1);
        return;
      }
      m_.s.erase(m_.Offset(y, x - 1), 1);
      return;
    }
    size_t off = m_.Offset(y, x);
    if (off < m_.s.size()) m_.s.erase(off, 1);
  }

  // Column sessions avoid what undo cannot restore exactly: blocks past a line end.
  bool BloqueCompleto(int x1, int x2, int y1, int y2) {
    for (int y = y1; y <= y2; ++y)
      if (Largo(y) < std::max(x1, x2) - 1) return false;
    return true;
  }

  void Operacion() {
    int k = Al(12);
    int x = e_.ed.curXt, y = e_.ed.curYt;
    switch (k) {
    case 0:
    case 1: { // typing
      Texto t = Aleat(false).substr(0, 1);
      if (columnas_ && e_.ed.haysel &&
          !BloqueCompleto(e_.ed.selIni().xt, e_.ed.selFin().xt, e_.ed.selIni().yt, e_.ed.selFin().yt))
        return;
      ultima_ = "type";
      cursor_ = ModeloInserta(t);
      e_.ed.TeclaCaracter(t[0]);
      return;
    }
    case 2: // Enter
      if (columnas_) return;
      ultima_ = "enter";
      cursor_ = ModeloInserta(U"\r\n");
      e_.Tecla(tecla::Enter);
      return;
    case 3:
    case 4: { // Delete and Backspace
      bool retro = k == 4;
      if (columnas_ && e_.ed.haysel &&
          !BloqueCompleto(e_.ed.selIni().xt, e_.ed.selFin().xt, e_.ed.selIni().yt, e_.ed.selFin().yt))
        return;
      ultima_ = retro ? "backspace" : "delete";
      ModeloBorra(retro);
      e_.Tecla(retro ? tecla::Retroceso : tecla::Suprimir);
      return;
    }
    case 5: { // click
      ultima_ = "click";
      e_.Cursor(1 + Al(Largo(1 + Al(nLin())) + 3), 1 + Al(nLin()));
      return;
    }
    case 6: { // keys, some extending
      static const int teclas[] = {tecla::Izquierda, tecla::Derecha, tecla::Arriba,
                                   tecla::Abajo,     tecla::Inicio,  tecla::Fin};
      ultima_ = "keys";
      for (int i = Al(4); i >= 0; --i)
        e_.Tecla(teclas[Al(6)], (Al(2) ? tecla::Mayus : 0) | (Al(4) == 0 ? tecla::Ctrl : 0));
      CompruebaSeleccion();
      return;
    }
    case 7:
    case 8: { // selection
      ultima_ = "select";
      int y1 = 1 + Al(nLin()), y2 = std::min(nLin(), y1 + Al(3));
      int x1 = 1 + Al(Largo(y1) + 1), x2 = 1 + Al(Largo(y2) + 1);
      if (columnas_) {
        int lim = Largo(y1) + 1;
        for (int yy = y1; yy <= y2; ++yy) lim = std::min(lim, Largo(yy) + 1);
        x1 = 1 + Al(lim);
        x2 = 1 + Al(lim);
      }
      e_.Cursor(x1, y1);
      e_.ed.SelectHasta(x2, y2);
      CompruebaSeleccion();
      return;
    }
    case 9:
    case 10: { // paste
      Texto t = Aleat(true);
      if (columnas_) {
        int n = 1 + Al(3), w = 1 + Al(3);
        t.clear();
        for (int j = 0; j < n; ++j) t += (j ? U"\r\n" : U"") + Texto(w, U"pqr"[j % 3]);
        if (e_.ed.haysel
                ? !BloqueCompleto(e_.ed.selIni().xt, e_.ed.selFin().xt, e_.ed.selIni().yt, e_.ed.selFin().yt)
                : !BloqueCompleto(x, x, y, std::min(nLin(), y + n - 1)))
          return;
        if (e_.ed.haysel && n > 1) return; // block paste over a block: not an exact inverse
      }
      ultima_ = "paste " + U8(t);
      cursor_ = ModeloInserta(t);
      e_.portapapeles.texto = t;
      e_.ed.PegaSeleccion();
      return;
    }
    default: // copy and word selection
      ultima_ = "copy";
      e_.Tecla(tecla::Insertar, tecla::Ctrl);
      EXPECT_EQ(e_.portapapeles.texto, e_.ed.TextSel());
      return;
    }
  }

  void CompruebaSeleccion() {
    if (!e_.ed.haysel) return;
    PosTexto a = e_.ed.selIni(), b = e_.ed.selFin();
    ASSERT_LE(a, b);
    Texto esperado = columnas_ ? m_.TextoColumnas(a, b) : m_.TextoFlujo(a, b);
    ASSERT_EQ(U8(Modelo::ConLf(e_.ed.TextSel())), U8(esperado));
  }

  std::mt19937 rnd_;
  EditorPrueba e_;
  Modelo m_;
  bool columnas_ = false;
  PosTexto cursor_;
  int hechas_ = 0;
  std::string ultima_;
};

TEST(Aleatorio, EdicionesContraModeloYDeshacerHastaGuardado) {
  for (unsigned semilla : {1u, 2u, 3u, 20261207u}) {
    SCOPED_TRACE("semilla " + std::to_string(semilla));
    Aleatorio(semilla).Corre(1500);
    if (HasFailure()) return;
  }
}

// No model here: hostile sequences (cursor fields written out of range by a host, lines removed
// under the cursor, a 40,000-character line, mode switches) must neither hang nor throw.
TEST(Aleatorio, OperacionesHostilesNoCuelganNiFallan) {
  std::mt19937 r(5);
  auto al = [&](int n) { return static_cast<int32_t>(r() % static_cast<unsigned>(n)); };
  EditorPrueba e;
  e.ed.Text(U"x\tyy\r\n\r\n" + Texto(40000, U'q') + U"\r\nab\tc\td");
  for (int i = 0; i < 6000 && !HasFailure(); ++i) {
    int32_t n = e.ed.nLin();
    if (al(8) == 0) {
      e.ed.curXt = al(70000) - 100;
      e.ed.curYt = al(n + 10) - 3;
    }
    switch (al(16)) {
    case 0: e.Tecla(tecla::RePag + al(8), al(4)); break;
    case 1: e.Tecla(al(2) ? tecla::Retroceso : tecla::Suprimir, al(2)); break;
    case 2: e.Escribe(al(2) ? "a" : "\t"); break;
    case 3: e.ed.TipoSelec(static_cast<int16_t>(al(2))); break;
    case 4: e.ed.Deshacer(); break;
    case 5:
      e.portapapeles.texto = U"p1\r\np22\r\n\tp3";
      e.ed.PegaSeleccion();
      break;
    case 6: e.ed.SelectHasta(al(50000), al(n + 3)); break;
    case 7: e.ed.EliminarLineas(al(n + 2), al(3)); break;
    case 8: e.ed.SelecIdentificador(al(50), al(n + 3), al(40)); break;
    case 9:
      e.ed.InicBuscar(U"a", static_cast<int16_t>(al(2)));
      e.ed.BuscarSig();
      break;
    case 10: e.Tecla(tecla::Enter, al(2)); break;
    case 11: e.ed.SeleccionaPalabra(al(100), al(n + 3)); break;
    case 12: e.ed.CortaSeleccion(); break;
    case 13:
      e.ed.CopiaSeleccion();
      e.ed.TramosLinea(al(n + 2));
      break;
    case 14: e.ed.CurEliminarCad(U"ab\r\nc"); break;
    default:
      if (al(40) == 0) e.ed.Text(U"");
      break;
    }
  }
}

} // namespace
} // namespace zt
