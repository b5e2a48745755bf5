// Sending is direct: no wait for the host's prompt between lines.
#include "workspace/PanelComandos.h"
#include "workspace/Archivos.h"

namespace zt {

PanelComandos::PanelComandos(CtlEdit& edCom, Dialogs& dialogos, std::filesystem::path carpetaPrograma,
                             std::filesystem::path CarpetaScripts)
    : PanelArchivo(kPanelComandos, edCom, dialogos, std::move(carpetaPrograma), std::move(CarpetaScripts)) {
  ed_.TeclaEnter = [this](const Texto& linea, int shift) { TeclaEnter(linea, shift); };
}

void PanelComandos::EnviaLinea(EditorActivo activo) {
  if (activo == EditorActivo::Macros) {
    dialogos_.Mensaje(U"No implementado", U"");
    return;
  }
  if (activo != EditorActivo::Comandos) return;
  Envia(ed_.linact + U"\r");
  if (EnfocaEditor) EnfocaEditor();
  if (ed_.curYt < ed_.nLin()) {
    ed_.ColocaCursor(ed_.colDeseada(), ed_.curYt + 1, 1);
    ed_.LimpiaSeleccion();
    ed_.FijaAncla();
    ed_.EncenCursor();
  }
}

void PanelComandos::EnviaTexto(EditorActivo activo) {
  if (activo == EditorActivo::Macros) {
    if (EjecutaMacro) EjecutaMacro();
    return;
  }
  if (!ed_.haysel) {
    EnviaTodo();
  } else {
    Fuente f = PreguntaFuente ? PreguntaFuente() : Fuente::Seleccion;
    if (f == Fuente::Cancelada) return;
    if (f == Fuente::Todo) {
      EnviaTodo();
    } else {
      for (const Texto& l : PartirEnSaltos(ed_.TextSel()))
        if (!RecortaEspacios(l).empty()) Envia(l + U"\r");
    }
  }
  if (EnfocaEditor) EnfocaEditor();
}

void PanelComandos::EnviaTodo() {
  Texto t;
  for (int32_t y = 1; y <= ed_.nLin(); ++y) {
    t += ed_.linea(y);
    t += U'\r';
  }
  if (t.empty()) t.push_back(U'\r');
  Envia(t);
}

void PanelComandos::CancelaComando() { Envia(U"\x03"); }

void PanelComandos::CambiaModoEnvDir() {
  modEnvDir_ = !modEnvDir_;
  ed_.ModEnvDir = ed_.verFonLin = modEnvDir_;
  ed_.Refrescar();
  if (alCambiarModoEnvDir) alCambiarModoEnvDir(modEnvDir_);
  if (EnfocaEditor) EnfocaEditor();
}

void PanelComandos::TeclaEnter(const Texto& linea, int shift) {
  if (modEnvDir_ && !(shift & tecla::Ctrl)) Envia(linea + U"\r");
}

void PanelComandos::EnviaArchivo(size_t item) {
  Texto ruta;
  if (item == 0) {
    ruta = DialogoAbrir(dialogos_, def_.descripcion, def_.patron, def_.tituloAbrir, T(carpeta_.string()));
    if (ruta.empty()) return;
  } else if (item <= archivos.size()) {
    ruta = T((carpeta_ / U8(archivos[item - 1])).string());
  } else {
    return;
  }
  Texto error; // a missing file sends nothing and says nothing
  Texto texto = LeeArchivo(ruta, error);
  if (error.empty() && !texto.empty()) Envia(texto);
}

} // namespace zt
