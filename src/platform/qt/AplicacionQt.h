// What both programs set on their application before the first window: the style, and Qt's own
// texts (file dialogs, standard buttons, context menus) in Spanish like the rest of the interface.
#pragma once

class QApplication;

namespace zt {

void PreparaAplicacion(QApplication& app);

} // namespace zt
