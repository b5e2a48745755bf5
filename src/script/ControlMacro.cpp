// Run control: one run at a time, the running state around it, error.log and the outcome.
#include "script/ControlMacro.h"
#include "base/ArchivoTexto.h"
#include "base/Numeros.h"
#include "script/InterpProces.h"
#include <filesystem>

namespace zt {
namespace {

constexpr Color kVerde = RGB(0, 128, 0);
constexpr Color kRojo = RGB(192, 0, 0);
constexpr Color kBlanco = RGB(255, 255, 255);
constexpr Color kAzul = RGB(0, 0, 255);

} // namespace

EstadoMenuMacro EstadoMenuMacros(bool enEjecucion, bool panelVisible) {
  EstadoMenuMacro e;
  e.guardar = e.guardarComo = e.barraHoriz = e.barraVert = panelVisible;
  if (panelVisible) {
    e.ejecutar = e.grabar = !enEjecucion;
    e.pausar = e.detener = enEjecucion;
  }
  return e;
}

ControlMacro::ControlMacro(CInterprete& interp, EntornoMacro& entorno)
    : in_(interp), entorno_(entorno), proc_(std::make_unique<InterpProces>(interp, entorno)) {}

ControlMacro::~ControlMacro() = default;

FinMacro ControlMacro::EjecutaMacroEditor(bool mostrarError) { return Ejecuta(mostrarError, false, false); }

FinMacro ControlMacro::EjecutaMacroArchivo(bool mostrarError, bool MostrarBarra) {
  return Ejecuta(mostrarError, MostrarBarra, true);
}

std::optional<FinMacro> ControlMacro::EjecutaArchivoElegido(const std::filesystem::path& CarpetaMacros) {
  if (enEjecucion_) return Ejecuta(true, true, true); // refused with the status message
  const auto ruta = entorno_.Dialogos().AbrirArchivo(T("Abrir Macro"), T(CarpetaMacros.string()),
                                                     T("Macro de Zorvel's Telnet (*.zkv)"));
  if (!ruta) return std::nullopt;
  ArchivoMacro = *ruta;
  return EjecutaMacroArchivo(true, true);
}

FinMacro ControlMacro::EjecutaMacroListada(const std::filesystem::path& CarpetaMacros, const Texto& nombre) {
  if (enEjecucion_) return Ejecuta(true, true, true);
  ArchivoMacro = T((CarpetaMacros / std::filesystem::path(U8(nombre))).string());
  return EjecutaMacroArchivo(true, true);
}

void ControlMacro::Detener() {
  if (enEjecucion_) proc_->DetenerMacro = true;
}

void ControlMacro::Abandonar() {
  if (!enEjecucion_) return;
  Detener();
  proc_->Abandonar = true;
}

void ControlMacro::Interrumpe(const Texto& motivo) {
  if (!enEjecucion_) return;
  interrupcion_ = motivo;
  Abandonar();
}

void ControlMacro::DatosRecibidos(const Texto& texto, const Texto* ultimaLinea, bool saltoDeLinea,
                                  std::size_t quitar) {
  proc_->DatosRecibidos(texto, ultimaLinea, saltoDeLinea, quitar);
}

bool ControlMacro::Capturando() const { return proc_->VarCaptura != 0; }

const Texto& ControlMacro::UltimaLinea() const { return proc_->UltimaLinea; }

void ControlMacro::Tic() {
  if (!enEjecucion_) return;
  parpadeo_ = !parpadeo_;
  entorno_.MensajeEstado(T("Ejecutando Macro"), parpadeo_ ? kBlanco : kAzul, parpadeo_ ? kAzul : kBlanco);
}

FinMacro ControlMacro::Ejecuta(bool mostrarError, bool MostrarBarra, bool desdeArchivo) {
  // One interpreter: a run command that slips through during a run (a key, a menu item) is refused.
  if (enEjecucion_) {
    entorno_.MensajeEstado(T("Ya hay una macro en ejecución"), kRojo);
    return FinMacro::Ocupado;
  }
  in_.MensajeError.clear();
  if (desdeArchivo) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::path(U8(ArchivoMacro)), ec)) {
      in_.MensajeError = T("No se Encuentra archivo de comando: ") + ArchivoMacro;
      if (mostrarError) MuestraError(false);
      return FinMacro::NoEncontrada;
    }
  }
  enEjecucion_ = true;
  parpadeo_ = false;
  proc_->IniciaEjecucion();
  entorno_.IniEjecMacro(desdeArchivo && MostrarBarra);

  in_.IniEntorno();
  if (desdeArchivo)
    in_.CreaContenidoArc(ArchivoMacro);
  else
    in_.CreaContenido(entorno_.TextoMacroEditor());
  in_.FijaValorVar(in_.i_timeout, TextoSimple(10));
  if (in_.MensajeError.empty()) proc_->EjecutaBloque();
  if (!interrupcion_.empty() && in_.MensajeError.empty()) in_.MensajeError = interrupcion_;
  interrupcion_.clear();
  const bool fin = proc_->FinPrograma;
  proc_->TerminaEjecucion();
  enEjecucion_ = false;

  entorno_.FinEjecMacro();
  entorno_.MensajeEstado(proc_->DetenerMacro ? T("Macro detenida") : T("Ejecución Finalizada"), kVerde);
  if (fin) {
    entorno_.TerminaPrograma();
    return FinMacro::Fin;
  }
  if (!in_.MensajeError.empty()) {
    EscribeErrorLog();
    if (mostrarError) MuestraError(true);
    return FinMacro::Error;
  }
  return proc_->DetenerMacro ? FinMacro::Detenida : FinMacro::Correcta;
}

void ControlMacro::EscribeErrorLog() {
  const Texto contenido =
      TextoNumero(in_.fil, 15) + U"\r\n" + TextoNumero(in_.col, 15) + U"\r\n" + in_.MensajeError + U"\r\n";
  const std::filesystem::path ruta = std::filesystem::absolute(ArchivoErrores);
  if (!EscribeBytes(ruta, CodificaUtf8(contenido)).empty())
    entorno_.Dialogos().Mensaje(T("Error creando archivo: ") + T(ruta.string()), U"", Botones::Aceptar);
}

// The box says where the run stopped, as error.log does, so the user need not open the log.
void ControlMacro::MuestraError(bool conPosicion) {
  Texto texto = in_.MensajeError;
  if (conPosicion)
    texto += U" (línea " + TextoNumero(in_.fil, 15) + U", columna " + TextoNumero(in_.col, 15) + U")";
  entorno_.Dialogos().Mensaje(texto, U"", Botones::Aceptar, Icono::Exclamacion);
}

} // namespace zt
