// Key table from Qt keys to virtual-key codes.
#include "editor/ui/TeclasQt.h"
#include "editor/CtlEdit.h"
#include <utility>

namespace zt {

namespace {
constexpr std::pair<int, int> kTeclas[] = {
    {Qt::Key_Backspace, 8},     {Qt::Key_Tab, 9},         {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},        {Qt::Key_Return, 13},     {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},        {Qt::Key_Control, 17},    {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},        {Qt::Key_CapsLock, 20},   {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},        {Qt::Key_PageUp, 33},     {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},          {Qt::Key_Home, 36},       {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},           {Qt::Key_Right, 39},      {Qt::Key_Down, 40},
    {Qt::Key_Print, 44},        {Qt::Key_Insert, 45},     {Qt::Key_Delete, 46},
    {Qt::Key_Meta, 91},         {Qt::Key_Menu, 93},       {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},  {Qt::Key_Semicolon, 186}, {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},        {Qt::Key_Comma, 188},     {Qt::Key_Minus, 189},
    {Qt::Key_Period, 190},      {Qt::Key_Slash, 191},     {Qt::Key_QuoteLeft, 192},
    {Qt::Key_BracketLeft, 219}, {Qt::Key_Backslash, 220}, {Qt::Key_BracketRight, 221},
    {Qt::Key_Apostrophe, 222},
};
} // namespace

int CodigoTecla(int t) {
  if ((t >= Qt::Key_0 && t <= Qt::Key_9) || (t >= Qt::Key_A && t <= Qt::Key_Z)) return t; // same codes
  if (t >= Qt::Key_F1 && t <= Qt::Key_F24) return 112 + (t - Qt::Key_F1);
  for (auto [qt, vk] : kTeclas)
    if (qt == t) return vk;
  return 0;
}

int ShiftDe(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? tecla::Mayus : 0) | (m & Qt::ControlModifier ? tecla::Ctrl : 0) |
         (m & Qt::AltModifier ? tecla::Alt : 0);
}

int BotonesDe(Qt::MouseButtons b) {
  return (b & Qt::LeftButton ? raton::Izquierdo : 0) | (b & Qt::RightButton ? raton::Derecho : 0) |
         (b & Qt::MiddleButton ? raton::Medio : 0);
}

} // namespace zt
