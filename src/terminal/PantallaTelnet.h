// What the Telnet object drives on the terminal side: the escape interpreter and the view.
#pragma once
#include "base/Texto.h"
#include "base/Tipos.h"
#include <cstdint>
#include <functional>

namespace zt {

// Colour value standing for the system's menu colour (system colour 4); the view resolves it.
constexpr Color ColorMenuSistema = 0x80000004u;

class PantallaTelnet {
public:
  virtual ~PantallaTelnet() = default;
  // Data characters of the received stream, decoded, in order; a chunk may arrive in several calls
  // and a call may end in the middle of an escape sequence.
  virtual void Datos(VistaTexto texto) = 0;
  // True while an escape sequence is open; asked just before an IAC byte, which then belongs to it.
  virtual bool EnSecuencia() const = 0;
  // A new connection starts: any half-read escape sequence is forgotten.
  virtual void ReiniciaSecuencia() = 0;
  // Terminal size in columns and rows; nothing is redrawn.
  virtual void FijaTamTerminal(int16_t ancho, int16_t alto) = 0;
  // Connection status panel: caption and colours.
  virtual void Panel1(VistaTexto texto, Color colTexto, Color colFondo) = 0;
  // Lines held by the view (scroll-back included).
  virtual int32_t NumLineas() const = 0;
  // Removes 'nelim' lines from the top of the scroll-back.
  virtual void EliminarLineasIni(int32_t nelim) = 0;
  // Lines to remove from the top so that the rest holds at most 'maxCaracteres' characters.
  virtual int32_t LineasSobreTamano(int64_t maxCaracteres) const {
    (void)maxCaracteres;
    return 0;
  }
  // True when the edit caret sits on the terminal cursor.
  virtual bool CursorEditEngan() const = 0;
  // Puts the edit caret on the terminal cursor and scrolls it into view.
  virtual void EnganCursorEdit() = 0;
  // Redraws what changed; called once per received chunk.
  virtual void Dibujar() = 0;
  // Lines y1..y2 joined by CR LF (y1 below 1 counts as 1); empty when y2 < y1.
  virtual Texto TextLineas(int32_t y1, int32_t y2) const {
    (void)y1, (void)y2;
    return {};
  }
  // The screen rows emptied and the cursor home; then also the whole text gone, y0 back to 1.
  virtual void LimpiarPantalla() {}
  virtual void LimpiaBuffer() {}
  // Who hears of a prompt line: (previous prompt line, new prompt line).
  virtual void AvisaPrompt(std::function<void(int32_t, int32_t)> aviso) { (void)aviso; }
};

} // namespace zt
