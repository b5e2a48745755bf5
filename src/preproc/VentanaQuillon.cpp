// Quillon's window commands.
#include "preproc/VentanaQuillon.h"
#include "base/ArchivoTexto.h"
#include "editor/HerramientasTexto.h"
#include <system_error>

namespace zt::preproc {

namespace fs = std::filesystem;

namespace {

const Texto kFiltro = T("Macro Quillon (*.vrk);;Todos (*.*)");

// The manual "&Ayuda" shows: written into the work folder, opened in the text viewer.
const char* kManual = R"(Quillon - preprocesador de macros y SQL

Documentos: archivos *.vrk con texto y directivas. "Herramientas > Procesar" genera la salida en la
carpeta de trabajo "bolsa" y la muestra; "Procesar y Consultar" la entrega al programa lanzador
(ztelnet por defecto) como macro; "Consultar" entrega el documento tal cual.

Directivas: $DEFINIR nombre = valor | $DEFINIR nombre COMO cuerpo FINDEFINIR, $REDEF, $INCLUIR archivo,
$PARA x EN a b c HACER ... FINPARA, $CONSULTAR sentencia; FINCONSULTAR, $PSQL_REINIC.
Funciones: $FECHA_ACTUAL(dias,'formato'), $FORMATO(valor,'formato'), $EXPR(expresion), $NOM_ACTUAL,
$DIR_ACTUAL. Comentarios: "--" hasta el fin de la línea.

$CONSULTAR escribe un guion SQL en "bolsa", lo ejecuta con el programa lanzador y usa la respuesta:
como texto del documento, o como valor tras "=" en $DEFINIR y $REDEF. Una sentencia que falla deja
una línea "ERROR: " con el mensaje de la base de datos.

Conexión (Herramientas > Configuración), forma usuario/clave@BaseDeDatos:
  usuario/clave@archivo.db                 archivo SQLite (relativo a la carpeta de Quillon)
  (vacía) o /@                             SQLite: quillon.db en la carpeta de Quillon
  usuario/clave@pg:base                    PostgreSQL local
  usuario/clave@pg:servidor:puerto/base    PostgreSQL en otra máquina o carpeta de socket
  usuario/clave@odbc:FuenteDeDatos         una fuente ODBC (Oracle y otras bases con su controlador)

En el editor, al escribir se ofrecen plantillas, funciones SQL, formatos de fecha (tras un apóstrofo)
y los nombres de las tablas de la base de datos conectada.
)";

Texto NombreDe(const Texto& ruta) { return T(fs::path(U8(ruta)).filename().string()); }

bool MismoArchivo(const Texto& a, const Texto& b) {
  std::error_code ec;
  return fs::weakly_canonical(fs::path(U8(a)), ec) == fs::weakly_canonical(fs::path(U8(b)), ec);
}

} // namespace

VentanaQuillon::VentanaQuillon(Quillon& quillon, CtlEdit& editor, Dialogs& dialogos, Processes& procesos,
                               VistaQuillon& vista, AyudaPreproc* ayuda)
    : q_(quillon), ed_(editor), dlg_(dialogos), proc_(procesos), vista_(vista), ayuda_(ayuda) {
  q_.textoSeleccionado = [this] { return ed_.TextSel(); };
  q_.alReportarError = [this](const EstadoError& e) { SaltaAlError(e); };
}

void VentanaQuillon::Prepara(bool interactivo) {
  const AjustesQuillon& a = q_.ajustes;
  ed_.verEstado = a.verEstado;
  ed_.verDesHor = a.verDesHor;
  ed_.verNumLin = a.verNumLin;
  ed_.colores = a.colores;
  ed_.ReinicColEdi();
  vista_.RefrescaEditor();
  if (interactivo && ayuda_) ayuda_->InicAyudaContext(a.conexion);
}

Texto VentanaQuillon::Titulo() const {
  Texto t = T(Quillon::kTitulo);
  return ed_.archivo.empty() ? t : NombreDe(ed_.archivo) + U" - " + t;
}

bool VentanaQuillon::ConfirmaDescarte() {
  if (!ed_.TextModificado()) return true;
  Texto pregunta =
      ed_.archivo.empty() ? T("¿Guardar Cambios?") : T("¿Guardar Cambios en ") + NombreDe(ed_.archivo) + U"?";
  switch (dlg_.Mensaje(pregunta, T(Quillon::kTitulo), Botones::SiNoCancelar, Icono::Exclamacion)) {
  case Respuesta::Si: return Guardar(); // a cancelled or failed save stops the command
  case Respuesta::No: return true;
  default: return false;
  }
}

void VentanaQuillon::Nuevo() {
  if (!ConfirmaDescarte()) return;
  ed_.archivo.clear();
  ed_.Text(Texto());
  ed_.LimpiaDeshacer();
  ed_.FijarTextNoModif();
  vista_.FijaTitulo(Titulo());
}

void VentanaQuillon::Abrir() {
  if (!ConfirmaDescarte()) return;
  auto nombre = dlg_.AbrirArchivo(T("Abrir Macro Quillon"), Texto(), kFiltro);
  if (!nombre || nombre->empty()) return;
  std::error_code ec;
  if (!fs::exists(fs::path(U8(*nombre)), ec)) {
    dlg_.Mensaje(T("No se encuentra: ") + *nombre, T(Quillon::kTitulo));
    return;
  }
  CargaArchivo(*nombre);
}

bool VentanaQuillon::CargaArchivo(const Texto& ruta) {
  bool ok = ed_.CargarArch(ruta);
  vista_.FijaTitulo(Titulo());
  return ok;
}

bool VentanaQuillon::Guardar() {
  if (ed_.archivo.empty()) return GuardarComo();
  return ed_.GuardarArch();
}

bool VentanaQuillon::GuardarComo() {
  auto nombre = dlg_.GuardarArchivo(T("Guardar Macro Quillon"), ed_.archivo, kFiltro);
  if (!nombre || nombre->empty()) return false;
  bool ok = ed_.GuardarArchComo(*nombre);
  vista_.FijaTitulo(Titulo());
  return ok;
}

bool VentanaQuillon::GuardaParaProcesar() {
  if (!ed_.archivo.empty()) return ed_.GuardarArch();
  std::error_code ec;
  fs::create_directories(q_.CarpetaTrabajo(), ec);
  bool ok = ed_.GuardarArchComo(T(NombreNuevo(q_.CarpetaTrabajo(), U"sin_nombre", ".vrk").string()));
  vista_.FijaTitulo(Titulo());
  return ok;
}

bool VentanaQuillon::Preprocesa() {
  q_.mostrarErrores = true;
  if (!GuardaParaProcesar()) return false;
  bool seleccion = false;
  if (ed_.haysel) {
    auto eleccion = vista_.EligeFuente();
    if (!eleccion) return false;
    seleccion = *eleccion;
  }
  salida_ = T(NombreNuevo(q_.CarpetaTrabajo(), ed_.archivo).string());
  q_.ePreProcesar(seleccion ? Texto(U"-") : ed_.archivo, salida_);
  return !q_.Error().HayError();
}

void VentanaQuillon::Procesar() {
  if (Preprocesa()) MuestraArchivo(salida_);
}

void VentanaQuillon::MuestraArchivo(const Texto& ruta) {
  if (!proc_.VerArchivoTexto(U8(ruta)))
    dlg_.Mensaje(T("No se puede abrir el visor de texto para: ") + ruta, T(Quillon::kTitulo),
                 Botones::Aceptar, Icono::Exclamacion);
}

void VentanaQuillon::Ayuda() {
  fs::path ruta = q_.CarpetaTrabajo() / "ayuda.txt";
  std::error_code ec;
  fs::create_directories(ruta.parent_path(), ec);
  if (!EscribeBytes(ruta, kManual).empty()) {
    dlg_.Mensaje(T("Error creando archivo: ") + T(ruta.string()), T(Quillon::kTitulo), Botones::Aceptar,
                 Icono::Exclamacion);
    return;
  }
  MuestraArchivo(T(ruta.string()));
}

void VentanaQuillon::ProcesarYConsultar() {
  if (Preprocesa()) q_.eConsultar(salida_);
}

void VentanaQuillon::Consultar() {
  q_.mostrarErrores = true;
  if (GuardaParaProcesar()) q_.eConsultar(ed_.archivo);
}

void VentanaQuillon::QuitarEspaciosLaterales() {
  QuitaEspaciosLaterales(ed_);
  vista_.RefrescaEditor();
}

void VentanaQuillon::JuntarPalabras() {
  JuntaPalabras(ed_);
  vista_.RefrescaEditor();
}

void VentanaQuillon::FiltrarLineas() {
  auto cadena = dlg_.Entrada(T("Cadena para filtro: "), Texto(), Texto());
  if (!cadena || cadena->empty()) return;
  fs::path ruta = q_.CarpetaTrabajo() / "filtradas.txt";
  std::string fallo = EscribeArchivoTexto(ruta, LineasFiltradas(ed_, *cadena), Codificacion::Utf8, true);
  if (!fallo.empty()) {
    dlg_.Mensaje(T("Error creando archivo: ") + T(ruta.string()), T(Quillon::kTitulo), Botones::Aceptar,
                 Icono::Exclamacion);
    return;
  }
  MuestraArchivo(T(ruta.string()));
}

FalloConfig VentanaQuillon::Configura(const Texto& conexion, const Texto& lanzador, const ColoresEditor& c) {
  FalloConfig f = CompruebaConfig(conexion, lanzador);
  if (f.campo != FalloConfig::Campo::Ninguno) {
    dlg_.Mensaje(f.mensaje, T(Quillon::kTitulo), Botones::Aceptar, Icono::Exclamacion);
    return f;
  }
  AjustesQuillon& a = q_.ajustes;
  bool otraConexion = conexion != a.conexion;
  a.conexion = conexion;
  a.lanzador = lanzador;
  ColoresEditor& k = a.colores;
  k.ColFonEdi = c.ColFonEdi;
  k.ColTxtNor = c.ColTxtNor;
  k.ColFonSel = c.ColFonSel;
  k.ColTxtSel = c.ColTxtSel;
  k.ColTxtCom = c.ColTxtCom;
  k.ColTxtCad = c.ColTxtCad;
  k.ColPalRes = c.ColPalRes;
  k.ColPalRes2 = c.ColPalRes2;
  k.ColTxtFun = c.ColTxtFun;
  q_.AplicaAjustes();
  if (otraConexion && ayuda_) ayuda_->InicAyudaContext(a.conexion);
  ed_.colores = k;
  ed_.ReinicColEdi();
  vista_.RefrescaEditor();
  return f;
}

bool VentanaQuillon::Cierra() {
  if (!ConfirmaDescarte()) return false;
  AjustesQuillon& a = q_.ajustes;
  a.verEstado = ed_.verEstado;
  a.verDesHor = ed_.verDesHor;
  a.verNumLin = ed_.verNumLin;
  Texto fallo = q_.GuardaConfiguracion();
  if (!fallo.empty()) dlg_.Mensaje(fallo, T(Quillon::kTitulo), Botones::Aceptar, Icono::Exclamacion);
  return true;
}

void VentanaQuillon::SaltaAlError(const EstadoError& e) {
  if (!e.HayError() || e.Archivo().empty()) return;
  if (!ed_.archivo.empty()) {
    if (!MismoArchivo(e.Archivo(), ed_.archivo)) {
      MuestraArchivo(e.Archivo());
    } else if (e.Linea() != -1) {
      ed_.ColocaCursor(std::max(e.Columna(), 1), e.Linea(), 1);
      vista_.RefrescaEditor();
    }
    return;
  }
  if (!CargaArchivo(e.Archivo())) return;
  if (e.Linea() != -1) {
    ed_.ColocaCursor(1, e.Linea(), 1);
    vista_.RefrescaEditor();
  }
}

} // namespace zt::preproc
