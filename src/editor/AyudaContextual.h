// Word completion under the cursor: the word lists, the choice of list by context, the filtering
// and the popup's state, driven by the editor's key, character and mouse hooks.
#pragma once
#include "base/Texto.h"
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace zt {

class CtlEdit;

// The lists of one kind of editor: its main list and the SQL functions.
struct ListasAyuda {
  std::span<const VistaTexto> principal;
  std::span<const VistaTexto> sql;
};
ListasAyuda ListasComandos(); // shell commands and templates, preprocessor directives
ListasAyuda ListasMacros();   // macro statements, functions and templates, preprocessor directives

// The text before the word: tabs as blanks, trimmed, upper-cased, double blanks made single.
Texto NormalizaContexto(VistaTexto antes);
// The SQL functions after an operator, SELECT or IF; SQL functions then the main list after "(";
// else the main list.
std::vector<Texto> EligeLista(const ListasAyuda& listas, VistaTexto contexto);
// The entries, in order, that start with 'prefijo' ignoring case ("[" in the prefix is dropped).
std::vector<Texto> FiltraLista(const std::vector<Texto>& lista, VistaTexto prefijo);

// Sizes of the popup in twips.
constexpr int kAnchoAyuda = 1700;
constexpr int kAltoAyudaCorta = 750; // three entries or fewer
constexpr int kAltoAyudaLarga = 1430;

struct PuntoPantalla {
  int x = 0, y = 0;
};
// Top left of the popup, in pixels, for the cursor cell's lower right corner 'punto': below the
// line, or above it when it would cross the bottom; pushed left to fit. Nothing when the screen is
// smaller than the popup.
std::optional<PuntoPantalla> UbicaAyuda(PuntoPantalla punto, int ancho, int alto, int altoLinea,
                                        int anchoPantalla, int altoPantalla);

// The popup window as the help sees it.
class VentanaAyuda {
public:
  virtual ~VentanaAyuda() = default;
  // Shows the list under the cursor, 'altoTwips' high; the editor keeps the focus.
  virtual void Muestra(int altoTwips) = 0;
  virtual void Oculta() = 0;
  // The entries or the selected one changed (the height may follow AltoTwips).
  virtual void Actualiza() = 0;
};

class AyudaContextual {
public:
  // The list offered for a normalised context.
  using Eleccion = std::function<std::vector<Texto>(VistaTexto contexto)>;
  explicit AyudaContextual(ListasAyuda listas);
  explicit AyudaContextual(Eleccion eleccion) : eleccion_(std::move(eleccion)) {}
  AyudaContextual(const AyudaContextual&) = delete;
  AyudaContextual& operator=(const AyudaContextual&) = delete;
  ~AyudaContextual();

  // Binds the editor (its popup hooks now call this object) and the window.
  void Iniciar(CtlEdit& ed, VentanaAyuda* ventana);

  // Before the editor acts on a key; true when the key was taken here. Enter is taken (to accept)
  // only once the user moved in the list; otherwise it closes the list and goes to the editor.
  bool KeyDown(int codigo, int shift);
  // After the editor processed a key.
  void KeyDown2(int codigo, int shift);
  // After the editor processed a character.
  void KeyPress(char32_t c);
  // After a mouse press moved the cursor to (column, line).
  void MouseDown(int32_t x, int32_t y);
  // Fills the list with the entries of 'lista' matching 'prefijo' and selects the first.
  void ListaIdenAyudCont(const std::vector<Texto>& lista, VistaTexto prefijo);
  void FinAyudContextual();
  // Replaces the typed part of the word with the selected entry and hides.
  void Acepta();
  // The editor lost the focus; 'haciaPopup' when the popup took it.
  void PerdioFoco(bool haciaPopup);

  bool visible() const { return visible_; }
  const std::vector<Texto>& lista() const { return lista_; }
  int seleccion() const { return sel_; }
  void Selecciona(int i);
  // Height for the entries shown: short for three or fewer.
  int AltoTwips() const { return lista_.size() > 3 ? kAltoAyudaLarga : kAltoAyudaCorta; }
  int32_t inicioIden() const { return inicio_; }
  int32_t lineaIden() const { return linea_; }

  static constexpr int kPaso = 5; // Page Up / Page Down

private:
  int32_t IndiceCursor() const;
  Texto Prefijo() const;
  void Muestra(int32_t inicio, int32_t linea);
  // A list key moved the selection: the user chose, so Enter accepts.
  bool Elige(int i);

  Eleccion eleccion_;
  CtlEdit* ed_ = nullptr;
  VentanaAyuda* ventana_ = nullptr;
  std::vector<Texto> cargada_; // the list chosen when the popup opened
  std::vector<Texto> lista_;   // its entries shown
  int sel_ = -1;
  int32_t inicio_ = 0, linea_ = 0;
  bool visible_ = false;
  bool elegida_ = false; // the user moved in the list since it was last filled
};

} // namespace zt
