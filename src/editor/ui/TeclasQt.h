// Qt keys, modifiers and mouse buttons as the editor core's key codes, shift bits and buttons.
#pragma once
#include <Qt>

namespace zt {

// The virtual-key code of a Qt key; 0 for a key without one.
int CodigoTecla(int teclaQt);
// tecla::Mayus, Ctrl and Alt bits.
int ShiftDe(Qt::KeyboardModifiers m);
// raton:: bits of one button or of the buttons held.
int BotonesDe(Qt::MouseButtons b);

} // namespace zt
