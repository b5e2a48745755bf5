// What both programs set on their application before the first window: the style, and Qt's own
// texts (file dialogs, standard buttons, context menus) in Spanish like the rest of the interface.
#pragma once

class QApplication;

namespace zt {

void PreparaAplicacion(QApplication& app);

// The environment names an X or Wayland display (DISPLAY or WAYLAND_DISPLAY set and not empty).
bool HayDisplay();

} // namespace zt
