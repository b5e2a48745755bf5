// New, open, save and save as of a panel's editor, with the question before losing changes.
#include "workspace/PanelArchivo.h"
#include "workspace/Archivos.h"
#include <ctime>

namespace zt {

namespace {

Texto CarpetaTexto(const std::filesystem::path& p) { return T(p.string()); }

std::vector<Texto> MuestraComandos(VistaTexto fecha) {
  return {U"# Script de ejemplo para Zorvel's Telnet. ", U"# Creado: " + Texto(fecha), U"echo \"Hola mundo\"",
          U"pwd   #muestra la ruta actual"};
}

std::vector<Texto> MuestraMacros(VistaTexto fecha) {
  return {T("// Macro de ejemplo para Zorvel's Telnet. "),
          T("// Creada: ") + Texto(fecha),
          T("disconnect    //Desconecta por si había alguna conexión"),
          T("connect 127.0.0.1    //Conecta a nueva dirección"),
          T("wait \"login: \""),
          T("sendln \"usuario\""),
          T("wait \"password: \""),
          T("sendln \"clave\""),
          T("pause 3    //genera una pausa"),
          T("sendln \"cd /carpeta_de_trabajo\"")};
}

} // namespace

const DefPanelArchivo kPanelComandos = {U"COMANDOS - ",
                                        U"\u00bfGuardar Cambios en Archivo de comados?",
                                        U"Abrir Archivo de comandos",
                                        U"Guardar Archivo de comandos",
                                        U"Archivo de comandos",
                                        U"*.sh",
                                        U".sh",
                                        U"script1.sh",
                                        &MuestraComandos};

const DefPanelArchivo kPanelMacros = {U"MACROS - ",
                                      U"\u00bfGuardar Cambios en Macro?",
                                      U"Abrir Macro",
                                      U"Guardar Macro",
                                      U"Macro de Zorvel's Telnet",
                                      U"*.zkv",
                                      U".zkv",
                                      U"macro1.zkv",
                                      &MuestraMacros};

Texto FechaHoraActual() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  char b[32];
  std::strftime(b, sizeof b, "%d/%m/%Y %H:%M:%S", &tm);
  return T(b);
}

PanelArchivo::PanelArchivo(const DefPanelArchivo& def, CtlEdit& ed, Dialogs& dialogos,
                           std::filesystem::path carpetaPrograma, std::filesystem::path carpeta)
    : def_(def), ed_(ed), dialogos_(dialogos), carpetaPrograma_(std::move(carpetaPrograma)),
      carpeta_(std::move(carpeta)) {}

Texto PanelArchivo::titulo() const { return Texto(def_.prefijoTitulo) + ed_.archivo; }

bool PanelArchivo::PreguntaGuardar(bool guardarPanel) {
  if (!ed_.TextModificado()) return true;
  Respuesta r = dialogos_.Mensaje(Texto(def_.pregunta), U"", Botones::SiNoCancelar, Icono::Pregunta);
  if (r == Respuesta::Cancelar) return false;
  if (r != Respuesta::Si) return true;
  // Only a save that worked lets the text go.
  return guardarPanel ? Guardar() : ed_.GuardarArch();
}

void PanelArchivo::Cargado() {
  if (RefrescaPanel) RefrescaPanel();
}

bool PanelArchivo::Nuevo() {
  CambiaCarpeta(CarpetaTexto(carpetaPrograma_));
  if (MuestraPanel) MuestraPanel();
  // The panel's Save: a text typed into the sample file itself must not be overwritten below.
  if (!PreguntaGuardar(true)) return false;
  Texto texto;
  for (const Texto& l : def_.lineasMuestra(FechaHora())) texto += l + U"\r\n";
  Texto ruta = CarpetaTexto(carpeta_ / U8(def_.nombreMuestra));
  if (EscribeArchivo(ruta, texto, dialogos_, carpetaPrograma_).empty()) return false;
  if (!ed_.CargarArch(ruta)) return false;
  Cargado();
  return true;
}

bool PanelArchivo::Abrir() {
  Texto ruta =
      DialogoAbrir(dialogos_, def_.descripcion, def_.patron, def_.tituloAbrir, CarpetaTexto(carpeta_));
  if (ruta.empty()) return false;
  return Carga(ruta);
}

bool PanelArchivo::Carga(const Texto& ruta) {
  if (MuestraPanel) MuestraPanel();
  if (!PreguntaGuardar(false)) return false;
  if (!ed_.CargarArch(ruta)) return false;
  Cargado();
  return true;
}

bool PanelArchivo::Guardar() {
  if (NombreArchivo(ed_.archivo) == def_.nombreMuestra) return GuardarComo();
  return ed_.GuardarArch();
}

bool PanelArchivo::GuardarComo() {
  Texto ruta =
      DialogoGuardar(dialogos_, def_.descripcion, def_.patron, def_.tituloGuardar, CarpetaTexto(carpeta_));
  if (ruta.empty()) return false;
  if (ruta.find(U'.') == Texto::npos) ruta += def_.extension;
  // A copy that could not be written leaves the editor bound to its old file.
  const Texto antes = ed_.archivo;
  const bool ok = ed_.GuardarArchComo(ruta);
  if (!ok) ed_.archivo = antes;
  Cargado();
  return ok;
}

bool PanelArchivo::Explorar(Processes& procesos) {
  if (procesos.AbrirCarpeta(carpeta_.string())) return true;
  // With no file manager on the desktop the folder is at least named.
  dialogos_.Mensaje(T("No se puede abrir la carpeta: ") + T(carpeta_.string()), U"", Botones::Aceptar,
                    Icono::Exclamacion);
  return false;
}

} // namespace zt
