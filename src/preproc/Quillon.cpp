// Quillon's start-up and the operations both the window and the batch path use.
#include "preproc/Quillon.h"
#include <system_error>

namespace zt::preproc {

namespace fs = std::filesystem;

Quillon::Quillon(EntornoQuillon entorno) : entorno_(std::move(entorno)) {}

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
  LineaComandos lc = LeeLineaComandos(argumentos);
  Arranque r;
  if (lc.interactivo) {
    r.accion = Accion::AbrirVentana;
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

void Quillon::VerificarError() { MuestraError(error_); }

void Quillon::eConsultar(const Texto& archivo) {
  error_.Limpia();
  long pid = entorno_.procesos.IniciaDesligado(U8(entorno_.rutaLanzador), {"/M=" + U8(archivo)});
  if (pid == 0)
    entorno_.dialogs.Mensaje(T("Error ejecutando TELNET en ruta: ") + entorno_.rutaLanzador, T(kTitulo));
}

} // namespace zt::preproc
