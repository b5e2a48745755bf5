// What a macro run needs from the program around it: the connection, the terminal log, the
// remote editor, the user and the window's running state.
//
// The program's core object implements it; the statement executor (InterpProces) and the run
// control (ControlMacro) only talk to it. Everything is called on the window thread.
//
// The other direction, data arriving from the host, goes through ControlMacro: after each chunk
// the program's data handler calls ControlMacro::DatosRecibidos(decoded text, last line) (see
// ControlMacro.h). A WAIT sleeps in Pump::EsperaHasta and looks again whenever an event ran, so a
// chunk processed by that handler wakes it.
#pragma once
#include "base/Texto.h"
#include "base/Tipos.h"
#include "platform/Dialogs.h"
#include "platform/Pump.h"
#include <cstdint>
#include <optional>

namespace zt {

class EntornoMacro {
public:
  virtual ~EntornoMacro() = default;

  // --- Platform ---------------------------------------------------------------------------
  // The pump the waits run in: EsperaHasta must run socket events while it waits.
  virtual Pump& Bomba() = 0;
  // Message boxes of the run (MESSAGEBOX, the run's error). With no display they go to stderr.
  virtual Dialogs& Dialogos() = 0;

  // --- Connection -------------------------------------------------------------------------
  // The Telnet object's State: 0 closed, 6 connecting, 7 connected.
  virtual int16_t EstadoConexion() const = 0;
  // Why the host's side ended the last link or connection attempt ("Conexión cerrada por el
  // host", "No se pudo conectar: Conexión rechazada", ...); empty while connecting or connected,
  // before any connection and after the program's own disconnect. Nothing can arrive while it is set.
  virtual Texto MotivoCierre() const = 0;
  // Sends the text as it is (the caller adds the CR).
  virtual void SendData(const Texto& texto) = 0;
  // "Connecting to " + host in the terminal, then connect (30 s time-out); does not wait.
  // 'puerto' is 1..65535.
  virtual void ConnectToHost(const Texto& host, int32_t puerto) = 0;
  // The "&Desconectar" command: disconnect when not closed, "Session closed!", title refresh.
  virtual void Desconecta() = 0;
  // Shows the main window (after CONNECT).
  virtual void MuestraVentana() = 0;

  // --- Remote editor ----------------------------------------------------------------------
  // Opens 'nombre' in the remote editor window and shows it (not modal). Returns an empty text
  // when the window took the file, else a message that becomes the run's error.
  virtual Texto EditaArchivo(const Texto& nombre) = 0;

  // --- Terminal log (the program's one log, also written by the data handler) ----------------
  // Failures throw ErrorEjecucion (they become the run's error).
  // Closes any open log and opens 'ruta' emptied.
  virtual void AbreRegistro(const Texto& ruta) = 0;
  // Writes the text as it is, paused or not. No log open: ErrorEjecucion(NumeroArchivo).
  virtual void EscribeRegistro(const Texto& texto) = 0;
  // Closes the log when one is open; nothing otherwise.
  virtual void CierraRegistro() = 0;
  // LOGPAUSE (true) and LOGSTART (false).
  virtual void PausaRegistro(bool pausado) = 0;

  // --- The window around a run ---------------------------------------------------------------
  // Running state on: run buttons and menu items off, stop on, title refresh, terminal cursor
  // coupled; the macro bar shown and focused when MostrarBarra.
  virtual void IniEjecMacro(bool MostrarBarra) = 0;
  // Running state off: buttons, menus and title back, macro bar closed. The status message is
  // shown by ControlMacro through MensajeEstado.
  virtual void FinEjecMacro() = 0;
  // The first status panel of the terminal view; no 'colFondo' = the panel's own background.
  virtual void MensajeEstado(const Texto& texto, Color colTexto, std::optional<Color> colFondo = {}) = 0;
  // The whole text of the macro editor.
  virtual Texto TextoMacroEditor() = 0;

  // --- END ----------------------------------------------------------------------------------
  // Called after a run that ended with END has been cleaned up (the log was closed and the
  // connection dropped by the statement): ends the program with exit status 0. The run control
  // does nothing more with the run when it returns.
  virtual void TerminaPrograma() = 0;
};

} // namespace zt
