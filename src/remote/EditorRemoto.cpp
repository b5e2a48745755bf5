#include "remote/EditorRemoto.h"
#include "base/ArchivoTexto.h"
#include "base/Error.h"
#include "editor/HerramientasTexto.h"

namespace zt {

namespace {

// Keeps the editor disabled while a transfer waits, however it ends.
struct Deshabilita {
  CtlEdit& ed;
  explicit Deshabilita(CtlEdit& e) : ed(e) { ed.enabled(false); }
  ~Deshabilita() { ed.enabled(true); }
};

} // namespace

EditorRemoto::EditorRemoto(CtlEdit& editor, Dialogs& dialogos, TransferenciaRemota& transferencia,
                           Processes* procesos, std::filesystem::path carpetaPrograma)
    : ed_(editor), dialogos_(dialogos), tr_(transferencia), procesos_(procesos),
      carpeta_(std::move(carpetaPrograma)) {}

Texto EditorRemoto::Titulo() const {
  return ed_.archivo.empty() ? Texto(U"Editor Remoto") : U"Editor Remoto - " + ed_.archivo;
}

void EditorRemoto::Retitula() {
  if (alCambiarTitulo) alCambiarTitulo();
}

void EditorRemoto::Aviso(const Texto& texto, Icono icono) {
  dialogos_.Mensaje(texto, U"", Botones::Aceptar, icono);
}

Texto EditorRemoto::EditaArchivo(const Texto& nombre) {
  bool cancelado = false;
  Texto e = Edita(nombre, cancelado);
  return cancelado ? U"No se abrió " + nombre + U": los cambios del texto actual no se guardaron." : e;
}

Texto EditorRemoto::Edita(const Texto& nombre, bool& cancelado) {
  if (nombre.empty()) return {};
  if (!tr_.canal().Conectado()) return msg_remoto::kSinConexion;
  if (!ConfirmaDescartar()) {
    cancelado = true;
    return {};
  }
  TransferenciaRemota::Lectura l;
  try {
    Deshabilita d(ed_);
    l = tr_.Lee(nombre);
  } catch (const std::exception& e) {
    return DescripcionDe(e);
  }
  if (!l.error.empty()) return l.error;
  CargaTexto(std::move(l.texto));
  ed_.archivo = nombre;
  Retitula();
  return {};
}

void EditorRemoto::CargaTexto(TextoRemoto texto) {
  ed_.Text(U"");
  for (const Texto& linea : texto.lineas) ed_.AgregaLinea(linea);
  ed_.ColocaCursor(1, 1, 0, false);
  ed_.LimpiaDeshacer();
  ed_.FijarTextNoModif();
  saltoFinal_ = texto.saltoFinal || texto.lineas.empty();
  ed_.Refrescar();
}

bool EditorRemoto::PuedeAbrir() {
  if (tr_.canal().Conectado()) return true;
  Aviso(msg_remoto::kSinConexion);
  return false;
}

void EditorRemoto::AbreElegido(const Texto& nombre) {
  bool cancelado = false;
  if (Texto e = Edita(nombre, cancelado); !e.empty()) Aviso(e);
}

bool EditorRemoto::Guardar() {
  if (ed_.archivo.empty()) return GuardarComo();
  TextoRemoto texto;
  texto.saltoFinal = saltoFinal_;
  texto.lineas.reserve(static_cast<std::size_t>(ed_.nLin()));
  for (int32_t y = 1; y <= ed_.nLin(); ++y) texto.lineas.push_back(ed_.linea(y));
  Texto error;
  try {
    Deshabilita d(ed_);
    error = tr_.Guarda(ed_.archivo, texto);
  } catch (const std::exception& e) {
    error = DescripcionDe(e);
  }
  if (!error.empty()) {
    Aviso(error);
    return false;
  }
  ed_.FijarTextNoModif();
  return true;
}

bool EditorRemoto::GuardarComo() {
  const auto nombre = dialogos_.Entrada(U"Ingrese nombre:", U"GUARDAR COMO:", U"");
  if (!nombre || nombre->empty()) return false;
  ed_.archivo = *nombre;
  Retitula();
  return Guardar();
}

bool EditorRemoto::GuardarCopia() {
  auto nombre = dialogos_.GuardarArchivo(U"Guardar Archivo de Comandos", T(carpeta_.string()),
                                         U"Archivo de comandos (*.sh)");
  if (!nombre || nombre->empty()) return false;
  if (nombre->find(U'.') == Texto::npos) *nombre += U".sh";
  ed_.archivo = *nombre;
  Retitula();
  return ed_.GuardarArch();
}

bool EditorRemoto::Nuevo() {
  if (!ConfirmaDescartar()) return false;
  ed_.archivo.clear();
  CargaTexto({});
  Retitula();
  return true;
}

bool EditorRemoto::ConfirmaDescartar() {
  if (!ed_.TextModificado()) return true;
  const Texto pregunta =
      ed_.archivo.empty() ? Texto(U"¿Guardar Cambios?") : U"¿Guardar Cambios en " + ed_.archivo + U"?";
  switch (dialogos_.Mensaje(pregunta, U"", Botones::SiNoCancelar, Icono::Exclamacion)) {
  case Respuesta::Si: return Guardar();
  case Respuesta::No: return true;
  default: return false;
  }
}

void EditorRemoto::QuitarEspaciosLaterales() { QuitaEspaciosLaterales(ed_); }
void EditorRemoto::JuntarPalabras() { JuntaPalabras(ed_); }

void EditorRemoto::FiltrarLineas() {
  const auto cadena = dialogos_.Entrada(U"Cadena para filtro: ", U"", U"");
  if (!cadena || cadena->empty()) return;
  const std::vector<Texto> lineas = LineasFiltradas(ed_, *cadena);
  const auto bolsa = carpeta_ / "bolsa";
  std::error_code ec;
  std::filesystem::create_directories(bolsa, ec);
  const auto ruta = bolsa / "filtradas.txt";
  if (std::string e = EscribeArchivoTexto(ruta, lineas, Codificacion::Utf8, true); !e.empty()) {
    Aviso(T(e), Icono::Error);
    return;
  }
  if (procesos_) procesos_->VerArchivoTexto(ruta.string());
}

} // namespace zt
