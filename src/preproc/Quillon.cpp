// Quillon's start-up and the operations both the window and the batch path use.
#include "preproc/Quillon.h"
#include "preproc/GuionSql.h"
#include <cstdlib>
#include <system_error>

namespace zt::preproc {

namespace fs = std::filesystem;

Quillon::Quillon(EntornoQuillon entorno) : entorno_(std::move(entorno)) {
  ajustes.lanzador = entorno_.rutaLanzador;
  if (!entorno_.consultor && entorno_.pump) {
    consultas_ = std::make_unique<ConsultaLanzada>(entorno_.procesos, *entorno_.pump, entorno_.dialogs,
                                                   CarpetaTrabajo(), entorno_.rutaLanzador);
    entorno_.consultor = consultas_.get();
  }
}

bool Quillon::CargaConfiguracion() {
  std::error_code ec;
  if (!fs::exists(ArchivoConfig(), ec)) {
    Respuesta r =
        entorno_.dialogs.Mensaje(T("No se encuentra archivo de configuración. \r\n¿Deseas crear uno?"),
                                 T(kTitulo), Botones::SiNo, Icono::Exclamacion);
    if (r != Respuesta::Si) return false;
    Texto fallo = GuardaConfiguracion();
    if (!fallo.empty()) entorno_.dialogs.Mensaje(fallo, T(kTitulo), Botones::Aceptar, Icono::Exclamacion);
  }
  LeeConfig(ArchivoConfig(), ajustes);
  AplicaAjustes();
  return true;
}

Texto Quillon::GuardaConfiguracion() { return EscribeConfig(ArchivoConfig(), ajustes, T(kTitulo)); }

void Quillon::AplicaAjustes() {
  entorno_.rutaLanzador = ajustes.lanzador;
  if (consultas_) consultas_->FijaLanzador(ajustes.lanzador);
  setenv(kVariableConexion, U8(ConexionAbsoluta(ajustes.conexion, entorno_.carpetaPrograma)).c_str(), 1);
}

void Quillon::AseguraCarpetaTrabajo() {
  std::error_code ec;
  if (fs::is_directory(CarpetaTrabajo(), ec)) return;
  entorno_.dialogs.Mensaje(T("No se encuentra carpeta '/bolsa'. Se creará."), T(kTitulo), Botones::Aceptar,
                           Icono::Exclamacion);
  fs::create_directories(CarpetaTrabajo(), ec);
}

Quillon::Arranque Quillon::Arranca(const std::vector<Texto>& argumentos) {
  AseguraCarpetaTrabajo();
  mostrarErrores = true;
  Arranque r;
  if (!CargaConfiguracion()) return r; // declined: the program ends without a word
  LineaComandos lc = LeeLineaComandos(argumentos);
  if (lc.interactivo) {
    r.accion = Accion::AbrirVentana;
    r.interactivo = true;
    return r;
  }
  if (!lc.desconocido.empty()) {
    entorno_.dialogs.Mensaje(MensajeParametroDesconocido(lc.desconocido), T(kTitulo));
    r.codigo = 2;
    return r;
  }
  mostrarErrores = lc.mostrarErrores;
  if (!lc.preprocesar) {
    r.accion = Accion::AbrirVentana;
    r.archivo = lc.entrada;
    return r;
  }
  Texto salida;
  ePreProcesar(lc.entrada, salida);
  if (error_.HayError()) {
    // The error has been reported; a batch step that failed must not look like a success.
    r.accion = Accion::AbrirVentana;
    r.conError = true;
    r.codigo = 1;
    return r;
  }
  if (lc.lanzar) eConsultar(salida);
  return r;
}

void Quillon::ePreProcesar(const Texto& fuente, Texto& salida) {
  error_.Limpia();
  std::error_code ec;
  if (!salida.empty() && fs::exists(fs::path(U8(salida)), ec)) {
    if (ArchivoOcupado(fs::path(U8(salida)))) {
      error_.Fija(1, T("No se puede lanzar consulta. Ya hay una consulta en Proceso"), Texto(), -1);
      VerificarError();
      return;
    }
    fs::remove(fs::path(U8(salida)), ec);
  }
  if (salida.empty()) salida = T(NombreNuevo(CarpetaTrabajo(), fuente).string());
  Texto nombre = fuente, texto;
  if (fuente == U"-") {
    nombre.clear();
    if (textoSeleccionado) texto = textoSeleccionado();
  }
  OpcionesRun op{CarpetaTrabajo(), entorno_.reloj, [this](const EstadoError& e) { MuestraError(e); },
                 entorno_.consultor};
  Preprocesador p(std::move(op));
  p.Ejecuta(nombre, texto, salida);
  error_ = p.Error();
  VerificarError();
}

void Quillon::MuestraError(const EstadoError& e) {
  if (!e.HayError() || !mostrarErrores) return;
  Texto texto = e.Mensaje();
  if (!e.Archivo().empty()) {
    texto = U"[" + e.Archivo() + U"]: " + e.Mensaje();
    if (e.Linea() != -1) texto += T(" Línea: ") + T(std::to_string(e.Linea()));
  }
  entorno_.dialogs.Mensaje(texto, T(kTitulo), Botones::Aceptar, Icono::Exclamacion);
}

void Quillon::VerificarError() {
  MuestraError(error_);
  if (error_.HayError() && alReportarError) alReportarError(error_);
}

void Quillon::eConsultar(const Texto& archivo) {
  error_.Limpia();
  long pid = entorno_.procesos.IniciaDesligado(U8(entorno_.rutaLanzador), {"/M=" + U8(archivo)});
  if (pid == 0)
    entorno_.dialogs.Mensaje(T("Error ejecutando TELNET en ruta: ") + entorno_.rutaLanzador, T(kTitulo));
}

} // namespace zt::preproc
