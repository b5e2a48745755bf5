// The editor core: text, cursor, keyboard, files, selection, clipboard and undo of one editor.
#pragma once
#include "base/Codec.h"
#include "base/Texto.h"
#include "base/Tipos.h"
#include "editor/Busqueda.h"
#include "editor/ColorCache.h"
#include "editor/LineasTexto.h"
#include "editor/PerfilEditor.h"
#include "editor/Propiedades.h"
#include "editor/VistaEdit.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

namespace zt {

// Shift-state bits and the virtual-key codes the keyboard handler understands.
namespace tecla {
constexpr int Mayus = 1, Ctrl = 2, Alt = 4;
constexpr int Retroceso = 8, Tab = 9, Enter = 13, Shift = 16, Control = 17, Menu = 18;
constexpr int RePag = 33, AvPag = 34, Fin = 35, Inicio = 36;
constexpr int Izquierda = 37, Arriba = 38, Derecha = 39, Abajo = 40;
constexpr int Insertar = 45, Suprimir = 46, LetraC = 67, F5 = 116;
} // namespace tecla

// One undo entry: 1 insertion, -1 deletion, 2 lines appended by a block paste,
// 3 / -3 selection mode switched to column / stream.
struct RegDeshacer {
  int16_t tipo = 0;
  PosTexto pos;
  Texto texto;
  bool flujo = false; // undone in stream mode whatever the mode (a line join made in column mode)
};

struct EtiquetaEstado {
  Texto texto;
  Color color = 0;
};

class CtlEdit {
public:
  // No edit makes a line this long; a line read from a file or a host may be longer, and is
  // reached, selected and found like any other.
  static constexpr int32_t kLargoMaximo = 32767;
  static constexpr int32_t kFinLinea = INT32_MAX; // as a column: the end of the line
  static constexpr int32_t kMaxLineasArchivo = 100000;
  static constexpr int kMaxDeshacer = 61;
  static constexpr size_t kMaxTextoDeshacer = 1000000;

  explicit CtlEdit(PerfilEditor perfil = PerfilEditor::CtlEdit(), Dialogs *dialogos = nullptr,
                   Clipboard *portapapeles = nullptr);
  virtual ~CtlEdit() = default;
  CtlEdit(const CtlEdit &) = delete;
  CtlEdit &operator=(const CtlEdit &) = delete;

  const PerfilEditor &perfil() const { return perfil_; }
  void FijaDialogos(Dialogs *d) { dialogos_ = d; }
  void FijaPortapapeles(Clipboard *c) { portapapeles_ = c; }

  // ---- Fields hosts read and write directly ----
  int32_t curXt = 1; // cursor column (expanded), 1..len(linact)+1
  int32_t curYt = 1; // cursor line
  Texto linact;      // expanded text of the cursor line
  int nEspTab = 6;
  bool bloqText = false; // read-only
  bool ModEnvDir = false;
  Texto archivo;
  int16_t tipArch = 0; // 0 DOS, 1 UNIX
  bool haysel = false;
  bool MostfCtx = false;
  // Display switches and character cell.
  bool verEstado = false, verNumLin = false, verDesHor = false, verDesVer = false, verFonLin = false;
  int anccarP = 8, altcarP = 16;

  // ---- Colours (ColorCacheEditor.cpp) ----
  // ColFonEdi ... ColTxtFun; after changing them hosts call ReinicColEdi and Refrescar.
  ColoresEditor colores;
  // The runs of line y (lexed again when stale) and the colour at expanded column x of line y.
  const std::vector<TramoColor> &TramosLinea(int32_t y) { return colorCache_.Tramos(y); }
  Color ColorEn(int32_t x, int32_t y) { return colorCache_.ColorEn(x, y); }
  ColorCache &colorCache() { return colorCache_; }

  // ---- Search (BusquedaEditor.cpp) and property string (PropiedadesEditor.cpp) ----
  // alcance 0: the whole text; 1: the selection; any other value keeps the previous range.
  void InicBuscar(const Texto &texto, int16_t alcance = 0, bool ignMayus = true, bool palCompleta = false);
  Texto BuscarSig();
  const EstadoBusqueda &busqueda() const { return busqueda_; }
  Texto CadPropiedades() const;
  // Throws ErrorEjecucion on a malformed string; the fields read before the bad one stay set.
  void LeePropiedades(VistaTexto s);
  // The display switches and colours the property string holds, as a value.
  PropiedadesEditor Propiedades() const;
  void FijaPropiedades(const PropiedadesEditor& p);

  // ---- View state (the host sets the visible counts from its geometry) ----
  int32_t primLinVis = 1;
  int32_t primColVis = 1;
  int32_t lineasVis = 0; // 0: no view yet, nothing scrolls
  int32_t columnasVis = 0;
  bool redibujoTotal = false; // the next redraw repaints everything
  int32_t ultLinVis() const { return primLinVis + lineasVis - 1; }
  int32_t ultColVis() const { return primColVis + columnasVis - 1; }
  int32_t anchoMax() const { return anchoMax_; } // widest expanded line seen since the last clear

  // ---- Status-bar labels ----
  EtiquetaEstado lblEstado1, lblEstado2, lblEstado3, lblEstado4;

  // ---- Events raised to the host ----
  std::function<void(const Texto &)> ArchivoSoltado;
  std::function<void(int, int, int, int)> MouseMove; // button, shift, x, y
  std::function<void()> CambiaModo;
  std::function<void(int, int)> KeyDown;              // key code, shift
  std::function<void(const Texto &, int)> TeclaEnter; // linact, shift

  // Files dropped on the text surface: ArchivoSoltado with the first one.
  void ArchivosSoltados(const std::vector<Texto> &rutas);

  // ---- Hooks for the drawing and popup layers ----
  std::function<void(int32_t)> alRedibujarLinea;
  std::function<void()> alRedibujarTodo;
  std::function<void()> alReiniciarCaret;
  std::function<bool(int, int)> alOfrecerTecla; // popup: true when it took the key
  std::function<void(int, int)> alTeclaProcesada;
  std::function<void(char32_t)> alCaracter;

  // ---- Lines ----
  LineasTexto &lineas() { return lineas_; }
  const LineasTexto &lineas() const { return lineas_; }
  int32_t nLin() const { return lineas_.Cuenta(); }
  const Texto &linea(int32_t y) const; // empty for a line that does not exist
  int32_t nLinActual() const { return curYt; }
  void LimpiarLineas();
  void AgregaLinea(const Texto &texto);
  void EliminarLineas(int32_t primera, int32_t cuenta);
  void ReinicColEdi();
  void TabToSpaces();
  void Text(const Texto &texto);
  Texto Text() const;

  // ---- Columns ----
  Texto LineaFin(VistaTexto s) const;
  int32_t posFinTab(int32_t c) const;
  int32_t PosXTreal(int32_t x, int32_t y) const;
  int32_t PosXTexp(int32_t i, int32_t y) const;

  // ---- Cursor ----
  // Places the cursor (clamped); snap 1 moves a column inside a tab onto it, 2 past it.
  // 'desdeUsuario': keys, clicks and searches also scroll in 12-column steps at the edges.
  void ColocaCursor(int32_t x, int32_t y, int snap, bool desdeUsuario = true);
  void FijaColDeseada() { colDeseada_ = curXt; }
  int32_t colDeseada() const { return colDeseada_; }
  PosTexto Cursor() const;
  void CursorText(int32_t x, int32_t y);

  // ---- Editing ----
  void CurInsertar(const Texto &s);
  void CurEliminar(bool forzarDibujo = false);
  void CurEliminarB();
  void CurEliminarCad(const Texto &s);

  // ---- Keyboard ----
  void TeclaAbajo(int codigo, int shift);
  void TeclaCaracter(char32_t c);

  // ---- Files ----
  bool CargarArch(const Texto &ruta);
  bool GuardarArch();
  bool GuardarArchComo(const Texto &ruta);
  Codificacion codificacion() const { return codificacion_; }

  // ---- Selection ----
  int16_t TipoSelec() const { return tipoSelec_; }
  void TipoSelec(int16_t v);
  Texto TextSel();
  void SelectHasta(int32_t x, int32_t y);
  void SelecIdentificador(int32_t indice, int32_t y, int32_t largo);
  void SeleccionaTodo();
  void SelecLinea(int32_t y);
  void SeleccionaPalabra(int32_t x, int32_t y); // double-click
  PosTexto selIni() const { return selIni_; }
  PosTexto selFin() const { return selFin_; }
  PosTexto ancla() const { return ancla_; }
  void FijaAncla() { ancla_ = Cursor(); }
  void ExtiendeSeleccion();
  void LimpiaSeleccion();

  // ---- Clipboard ----
  void CopiaSeleccion();
  void CortaSeleccion();
  void PegaSeleccion();

  // ---- Undo ----
  void Deshacer();
  bool TextModificado() const { return nUndo_ != marcaGuardado_; }
  void FijarTextNoModif();
  int nUndo() const { return nUndo_; }
  const std::deque<RegDeshacer> &historia() const { return historia_; }
  void LimpiaDeshacer();

  // Redraw requests: one line, or everything when a full redraw is pending.
  void RedibujaLinea(int32_t y);
  void RedibujaTodo();
  void EncenCursor();

  // ---- View: layout, drawing, caret and mouse (CtlEditVista/Dibujo/Caret/Raton.cpp) ----
  // The surface everything is drawn on (its metrics give anccarP and altcarP) and the caret's timer.
  void FijaSuperficie(Surface *s);
  void FijaTimer(Timer *t);
  // The control's size in pixels, and the sizes of a scroll bar's thickness and the status bar.
  void Redimensiona(int ancho, int alto);
  void FijaTamanosBarras(int grosorBarra, int altoEstado);
  // Layout, scroll ranges and a full redraw.
  void Refrescar();
  // Moves the vertical bar by 'delta' within its range; the view follows.
  void VerticalScroll(int16_t delta);
  // The bars' change handlers (ignored while the editor itself sets the bars).
  void CambioVScroll(int valor);
  void CambioHScroll(int valor);
  const BarraScroll &VScroll1() const { return vista_.barraV; }
  const BarraScroll &HScroll1() const { return vista_.barraH; }
  float escalaV() const { return 1.0f / static_cast<float>(vista_.divisorV); }
  const GeometriaEditor &geometria() const { return vista_.geo; }
  int32_t ultLinDibujada() const { return std::min(ultLinVis(), nLin()); }
  // Lower right corner of the cursor cell in twips from the surface; PuntoCursor in pixels from
  // the control.
  static constexpr int kTwipsPorPixel = 15;
  std::pair<int32_t, int32_t> XYCursor() const;
  std::pair<int, int> PuntoCursor() const;
  void ApagCursor();
  bool caretMostrado() const { return vista_.caretMostrado; }
  bool enabled() const { return vista_.habilitado; }
  void enabled(bool v);
  // Mouse on the control, in pixels from its top left corner; 'boton' is one of raton::.
  void RatonPulsa(int boton, int shift, int x, int y);
  void RatonMueve(int boton, int shift, int x, int y);
  void RatonSuelta(int boton, int shift, int x, int y);
  void RatonDobleClic(int x, int y);
  // Timer1's tick: caret blinking, then the popup's watch.
  void TicCaret();
  std::function<void()> alCambiarVista;   // geometry, bars or labels may have changed
  std::function<void()> alPulsarRaton;    // popup: a button went down on the surface
  std::function<void()> alTic;            // popup: every caret tick
  std::function<void(int, int)> menuContext; // right button released at (x, y) on the surface

protected:
  void Aviso(const Texto &texto, Icono icono = Icono::Ninguno);
  void ActualizaLinact();
  void AcotaCursor();
  void CrecerAncho(int32_t largoExpandido);
  void Desplaza(bool pasos12);
  void EtiquetaPosicion();
  void EtiquetaModificado();
  void EtiquetaSeleccion();
  void Registra(int16_t tipo, PosTexto pos, const Texto &texto, bool flujo = false);

  // Moves of the keyboard table.
  bool Mover(int codigo, bool ctrl);
  void MueveDerecha();
  void MueveIzquierda();
  void PalabraSiguiente();
  void PalabraAnterior();
  void BordeBloque(int dir);
  void Pagina(int dir);
  void TeclaEnterPulsada(int shift);

  // Text ranges in stored coordinates (line, 1-based index).
  Texto TextoEntre(int32_t y1, int32_t r1, int32_t y2, int32_t r2) const;
  void InsertaEn(int32_t y, int32_t r, const std::vector<Texto> &piezas);
  void BorraEntre(int32_t y1, int32_t r1, int32_t y2, int32_t r2);
  void AvanzaCaracteres(int32_t &y, int32_t &r, int64_t n);
  bool CabeLinea(int64_t largo);
  PosTexto PosEn(int32_t r, int32_t y) const;
  bool PegaBloque(const std::vector<Texto> &piezas, const Texto &s);
  void InsertaEnLinea(const Texto &s);
  void InsertaLineas(const std::vector<Texto> &piezas, const Texto &s);
  PosTexto InicioSeleccion() const;
  void BorraSeleccion();
  Texto TextoColumnas(int32_t y1, int32_t y2, int32_t x1, int32_t x2) const;
  void BorraColumnas(int32_t y1, int32_t y2, int32_t x1, int32_t x2);
  bool EscribeArchivo(const Texto &ruta);
  int32_t LineaSinCp1252() const;
  // Drawn over line y after it was painted (or one of its cells): the terminal's cursor block.
  virtual void PintaExtra(int32_t y) { (void)y; }

  PerfilEditor perfil_;
  Dialogs *dialogos_;
  Clipboard *portapapeles_;
  LineasTexto lineas_;
  int32_t anchoMax_ = 1;
  int32_t colDeseada_ = 1;
  Codificacion codificacion_ = Codificacion::Utf8;
  int16_t tipoSelec_ = 0;
  PosTexto ancla_{1, 1}, selIni_{1, 1}, selFin_{1, 1}, selIniPrev_{1, 1}, selFinPrev_{1, 1};
  std::deque<RegDeshacer> historia_;
  int nUndo_ = 0;
  int marcaGuardado_ = 0; // below 0: the saved state can no longer be reached
  size_t largoHistoria_ = 0;
  bool deshaciendo_ = false;
  ColorCache colorCache_{PerfilLexicoDe(perfil_.forma), colores};
  EstadoBusqueda busqueda_;
  EstadoVista vista_;
  void Disposicion();
  void RangosScroll();
  void DibujaTodo();
  void DibujaLinea(int32_t y);
  void PintaLinea(int32_t y, bool rellenar);
  void PintaGutter();
  void PintaCelda(int32_t x, int32_t y);
  void EscribeTramo(int32_t y, VistaTexto texto, int32_t desde, int32_t hasta, Color color);
  bool SeleccionEnLinea(int32_t y, int32_t &desde, int32_t &hasta) const;
  Color FondoLinea(int32_t y) const;
  bool CeldaVisible(int32_t x, int32_t y) const;
  int XColumna(int32_t x) const { return vista_.geo.superficie.x + (x - primColVis) * anccarP; }
  int YLinea(int32_t y) const { return (y - primLinVis) * altcarP; }
  void ReiniciaCaret();
  void DibujaCaret();
  void BorraCaret();
  CeldaTexto CeldaRaton(int x, int y) const;
  void EnlazaColores();
  PosBusqueda FinTexto() const;
};

// Splits at CR LF, CR and LF; a text ending in a line break gives an empty last piece.
std::vector<Texto> PartirEnSaltos(VistaTexto s);
// Joins with CR LF.
Texto UneConSaltos(const std::vector<Texto> &piezas);

} // namespace zt
