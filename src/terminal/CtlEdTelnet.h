// The terminal view: the editor core whose line store is also the scroll-back, plus a terminal
// cursor on a screen window of fixed size, the character operations the escape interpreter drives,
// and prompt recognition.
#pragma once
#include "editor/CtlEdit.h"
#include "terminal/InterpreteEscape.h"
#include "terminal/OperacionesPantalla.h"
#include "terminal/PantallaTelnet.h"
#include <functional>
#include <utility>

namespace zt {

class CtlEdTelnet : public CtlEdit, public PantallaTelnet, public OperacionesPantalla {
public:
  // Rows below the screen a host may address, and the characters a received line may hold (the
  // cursor stops at the last one and the rest of a longer line is dropped, so memory stays bounded).
  static constexpr int32_t kMargenFilas = 20;
  static constexpr int32_t kLargoLineaMax = 1 << 16;

  explicit CtlEdTelnet(Dialogs* dialogos = nullptr, Clipboard* portapapeles = nullptr);

  // ---- Terminal state ----
  int32_t y0 = 1;   // line of the top screen row
  int32_t curX = 0; // terminal cursor column, 0-based (an index into the line's characters)
  int32_t curY = 0; // terminal cursor row, 0-based from y0
  int32_t curXmax = 79, curYmax = 24;
  int32_t nLlegoPrompt = 0; // line of the last prompt reported

  // ---- Prompt recognition (literal, case-sensitive; an empty pattern always matches) ----
  bool DetPromptActiva = false;
  Texto PatIniPrompt, PatFinPrompt;

  // ---- Events ----
  std::function<void(int32_t, int32_t)> LlegoPrompt; // previous prompt line, new prompt line
  // Key events of the view. KeyDownTerm's handler consumes a key by setting its code to 0;
  // otherwise the editor handles it (scroll-back navigation, selection, copy).
  std::function<void(int&, int)> KeyDownTerm;
  std::function<void(char32_t)> KeyPress;
  std::function<void(int, int)> KeyUp;
  std::function<void()> alPitar; // BEL

  // The widget's key handlers.
  void TeclaAbajoTerm(int codigo, int shift);
  void TeclaCaracterTerm(char32_t c);
  void TeclaArribaTerm(int codigo, int shift);

  // ---- Lines ----
  // Appends a line below everything, stored unchanged; the terminal cursor does not move.
  void AgregaLinea(const Texto& texto);
  Texto TextLineas(int32_t y1, int32_t y2) const override;
  // The last line's text; empty when the view has no lines.
  Texto UltimaLinea() const { return nLin() > 0 ? linea(nLin()) : Texto(); }
  // The line that holds the terminal cursor, without the blanks after the cursor: where a host's
  // prompt stands, even after the screen was cleared and emptied rows lie below it.
  Texto LineaCursorTel() const;
  // Empty text, y0 = 1, cursor home.
  void LimpiaBuffer() override;
  void LimpiarPantalla() override;

  // ---- OperacionesPantalla ----
  void TelnetCar(char32_t c) override;
  void TelnetTexto(VistaTexto run) override;
  void FijaCursorTel(int32_t x, int32_t y) override;
  CursorTel LeeCursorTel() const override { return {curX, curY}; }
  void eraseEOL() override;
  void eraseBOL() override;
  void eraseLINE() override;
  void eraseEOS() override;
  void eraseBOS() override;
  void eraseSCREEN() override;

  // ---- PantallaTelnet ----
  void Datos(VistaTexto texto) override { interprete_.Datos(texto); }
  bool EnSecuencia() const override { return interprete_.EnSecuencia(); }
  void ReiniciaSecuencia() override { interprete_.ReiniciaSecuencia(); }
  void FijaTamTerminal(int16_t ancho, int16_t alto) override;
  void Panel1(VistaTexto texto, Color colTexto, Color colFondo) override;
  int32_t NumLineas() const override { return nLin(); }
  // Trims from the top, never the top screen row or below it.
  void EliminarLineasIni(int32_t nelim) override;
  int32_t LineasSobreTamano(int64_t maxCaracteres) const override;
  bool CursorEditEngan() const override;
  void EnganCursorEdit() override;
  // After a chunk: recognises prompts on the lines that changed, then paints what changed.
  void Dibujar() override;
  void AvisaPrompt(std::function<void(int32_t, int32_t)> aviso) override { avisoPrompt_ = std::move(aviso); }

  // Background of the first status label (the connection panel); ColorMenuSistema for the system's.
  Color colFondoPanel1 = ColorMenuSistema;

protected:
  void PintaExtra(int32_t y) override;

private:
  int32_t LineaCursor() const { return y0 + curY; }
  void AsegurarLinea(int32_t y);
  void Avanza();
  void Vacia(int32_t y);
  void Cambio(int32_t y);
  // Columns at the start of a line that take the prompt colour; 0 when it is no prompt line.
  int32_t ColumnasPrompt(VistaTexto linea) const;
  void DetectaPrompt(int32_t y);
  std::pair<int32_t, int32_t> ObjetivoCaret() const;
  int32_t ColumnaExpandida(int32_t y, int32_t indice) const;

  InterpreteEscape interprete_{*this};
  std::function<void(int32_t, int32_t)> avisoPrompt_;
  // Lines changed since the last Dibujar, and whether the view scrolled or was trimmed.
  int32_t cambioIni_ = 0, cambioFin_ = 0;
  bool desplazada_ = false;
  int32_t cursorPintado_ = 0; // line where the terminal cursor block was last painted
};

} // namespace zt
