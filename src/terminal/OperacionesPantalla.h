// The character-level operations of the terminal view that the escape interpreter drives.
#pragma once
#include "base/Texto.h"
#include <cstdint>

namespace zt {

// Terminal cursor: 0-based column and 0-based row relative to the top screen row.
struct CursorTel {
  int32_t x = 0;
  int32_t y = 0;
};

class OperacionesPantalla {
public:
  virtual ~OperacionesPantalla() = default;
  // One received character written at the cursor; BEL, BS, LF and CR take their effect, TAB is
  // written like a character, and the other controls are dropped.
  virtual void TelnetCar(char32_t c) = 0;
  // A run of printable characters (none below 32), as if written one by one with TelnetCar.
  virtual void TelnetTexto(VistaTexto run) {
    for (char32_t c : run) TelnetCar(c);
  }
  // Moves the cursor without scrolling; a coordinate below 0 counts as 0, missing lines are created.
  virtual void FijaCursorTel(int32_t x, int32_t y) = 0;
  virtual CursorTel LeeCursorTel() const = 0;
  // Erasures on the cursor line (EOL: from the cursor, BOL: through the cursor, LINE: all of it);
  // EOS and BOS also empty the screen rows below / above; SCREEN empties every row and homes.
  virtual void eraseEOL() = 0;
  virtual void eraseBOL() = 0;
  virtual void eraseLINE() = 0;
  virtual void eraseEOS() = 0;
  virtual void eraseBOS() = 0;
  virtual void eraseSCREEN() = 0;
};

} // namespace zt
