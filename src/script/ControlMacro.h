// Run control of macros: starts a run from the macro editor or a file, reports how it ended,
// writes "error.log", keeps one run at a time, and holds the state the host's data feeds.
#pragma once
#include "base/Texto.h"
#include "script/EntornoMacro.h"
#include "script/Interprete.h"
#include <filesystem>
#include <memory>
#include <optional>

namespace zt {

class InterpProces;

// How a run command ended. A batch run exits 0 for Correcta, Detenida and Fin.
enum class FinMacro {
  Correcta,     // content ended or STOP, no error
  Detenida,     // the user's stop request ended it, no error
  Error,        // MensajeError set: error.log written, shown when asked
  NoEncontrada, // the macro file does not exist; nothing ran
  Ocupado,      // another run is active; refused with a status message
  Fin,          // END: TerminaPrograma was called
};

// Which commands of the Macros menu are enabled.
struct EstadoMenuMacro {
  bool ejecutar = false, grabar = false, pausar = false, detener = false;
  bool guardar = false, guardarComo = false, barraHoriz = false, barraVert = false;
};
// While a run is active the run commands are off and pause/stop on; a hidden macro panel turns
// off its file and view commands and every run command.
EstadoMenuMacro EstadoMenuMacros(bool enEjecucion, bool panelVisible);

class ControlMacro {
public:
  ControlMacro(CInterprete& interp, EntornoMacro& entorno);
  ~ControlMacro();
  ControlMacro(const ControlMacro&) = delete;
  ControlMacro& operator=(const ControlMacro&) = delete;

  // Macro file of EjecutaMacroArchivo.
  Texto ArchivoMacro;

  // Runs the macro editor's text.
  FinMacro EjecutaMacroEditor(bool mostrarError);
  // Runs the file ArchivoMacro.
  FinMacro EjecutaMacroArchivo(bool mostrarError, bool MostrarBarra);
  // "Ejecutar Archivo...": the open box in the macro folder; cancelled runs nothing (nullopt).
  std::optional<FinMacro> EjecutaArchivoElegido(const std::filesystem::path& CarpetaMacros);
  // An item of the macro-file list: the file of that name in the macro folder.
  FinMacro EjecutaMacroListada(const std::filesystem::path& CarpetaMacros, const Texto& nombre);

  bool MacroEnEjecucion() const { return enEjecucion_; }
  // The stop command: the run ends before its next statement (a wait in progress runs out first).
  void Detener();
  // Closing the program during a run: like Detener, and a wait in progress ends at once.
  void Abandonar();
  // A stop from outside the program (a signal): like Abandonar, and the run ends with 'motivo' as
  // its error, so error.log says where it stopped.
  void Interrumpe(const Texto& motivo);

  // The data handler, after each processed chunk: 'texto' is the chunk's text as the terminal shows
  // it, without escape sequences or controls other than TAB, each line ended by CR LF (appended to
  // the capture variable when capturing); 'ultimaLinea' the view's line that holds the terminal
  // cursor, without the blanks after the cursor, null when the view holds no line; 'saltoDeLinea'
  // whether the chunk held a line feed; 'quitar' how many characters at the end of the capture
  // 'texto' replaces (the unfinished line it writes again).
  void DatosRecibidos(const Texto& texto, const Texto* ultimaLinea, bool saltoDeLinea = true,
                      std::size_t quitar = 0);
  // True while a run captures host output (the handler may skip decoding otherwise).
  bool Capturando() const;
  const Texto& UltimaLinea() const;

  // The window's 500 ms tick: while a run is active, "Ejecutando Macro" blinking white/blue.
  void Tic();

  // Name of the error log written in the current folder.
  static constexpr const char* ArchivoErrores = "error.log";

private:
  FinMacro Ejecuta(bool mostrarError, bool MostrarBarra, bool desdeArchivo);
  void EscribeErrorLog();
  // The run's error in a box; with the line and column where the run stopped when it ran.
  void MuestraError(bool conPosicion);

  CInterprete& in_;
  EntornoMacro& entorno_;
  std::unique_ptr<InterpProces> proc_;
  bool enEjecucion_ = false;
  bool parpadeo_ = false;
  Texto interrupcion_; // the run's error once it has unwound (Interrumpe)
};

} // namespace zt
