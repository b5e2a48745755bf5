// The program's core object behind the main window: it holds the connection, the terminal view, the two
// editors, the interpreter and its run control, the settings and the terminal log, and does everything the
// window does apart from drawing it.
#pragma once
#include "base/Texto.h"
#include "editor/CtlEdit.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Pump.h"
#include "platform/Socket.h"
#include "platform/Timer.h"
#include "script/ControlMacro.h"
#include "script/EntornoMacro.h"
#include "script/Interprete.h"
#include "terminal/AjustesTerminal.h"
#include "terminal/CtlEdTelnet.h"
#include "terminal/CtlTelnet.h"
#include "terminal/FiltroCaptura.h"
#include "workspace/Configuracion.h"
#include "workspace/LineaComandos.h"
#include "workspace/RegistroTerminal.h"
#include "workspace/ReglasVentana.h"
#include <filesystem>
#include <functional>

namespace zt {

// What the core asks of the window that shows it.
class VentanaPrincipal {
public:
  virtual ~VentanaPrincipal() = default;
  virtual void FijaTitulo(const Texto& titulo) = 0;
  // Shows and raises the window.
  virtual void Muestra() = 0;
  // The running state of a macro run: run commands off and stop on (or back), the macro bar.
  virtual void EstadoEjecucion(bool enEjecucion, bool MostrarBarra) = 0;
  // Opens 'nombre' in the remote editor window; empty when it took the file, else a message.
  virtual Texto EditaArchivo(const Texto& nombre) = 0;
  // The "[APP]" state: panel check marks and widths.
  virtual AjustesVentana LeeAjustesVentana() const = 0;
  virtual void AplicaAjustesVentana(const AjustesVentana& a) = 0;
  // The frequent-file lists of the macro and command menus.
  virtual void FijaMenusFrecuentes(const MenusFrecuentes& m) = 0;
  // Ctrl+Tab in the terminal: focus the command editor, else the macro editor, when one is visible; false
  // when neither is.
  virtual bool EnfocaPanelEditor() = 0;
  // Unloads every window and ends the program with 'estado' as its exit status (once the event loop is back:
  // a macro run may still be unwinding).
  virtual void Termina(int estado) = 0;
  // Asks the window to close once the event loop is back (a close that waited for a run to stop).
  virtual void PideCierre() = 0;
  // Closes the remote editor window after its own save question (which may store through the
  // connection, so it comes before the connection question); false when the user kept it open.
  virtual bool CierraEditorRemoto() { return true; }
};

// Where the program keeps its files.
struct CarpetasPrograma {
  std::filesystem::path programa;
  std::filesystem::path ArchConfig() const { return programa / "ztelnet.ini"; }
  std::filesystem::path CarpetaTemp() const { return programa / "temp"; }
  std::filesystem::path CarpetaMacros() const { return programa / "macros"; }
  std::filesystem::path CarpetaScripts() const { return programa / "scripts"; }
};

struct PlataformaPrincipal {
  Socket& socket;
  Timer& tmrConnect; // the connection's time-out
  Timer& Timer1;     // the 500 ms tick of the macro status
  Dialogs& dialogos;
  Pump& pump;
  Clipboard& portapapeles;
  // No display: start-up questions are not asked (what is missing is created, and said on stderr).
  bool sinPantalla = false;
};

class Principal : public EntornoMacro {
public:
  Principal(PlataformaPrincipal plataforma, VentanaPrincipal& ventana, CtlEdTelnet& txtTerm, CtlEdit& edCom,
            CtlEdit& edMac, CarpetasPrograma carpetas);
  ~Principal() override;
  Principal(const Principal&) = delete;
  Principal& operator=(const Principal&) = delete;

  // ---- Start-up ----
  // The load steps up to the command line. False when the program must end (a start-up question was refused);
  // 'EstadoSalida' then holds the exit status.
  bool Carga();
  // Reads and acts on the command line (connect, log, macro, exit). False when the program ends.
  bool ActuaLineaComandos(const std::vector<Texto>& argumentos);
  int EstadoSalida = 0;
  // No display at all (not even a chosen offscreen one): nobody will ever see the window, so a
  // macro from the command line ends the program when it ends, /SALIR or not.
  bool nadieMira = false;

  // ---- Operations other parts call ----
  // Appends the text as a new line of the terminal, leaving the terminal cursor at the start of the
  // line after it, and writes it to the log when one is open and not paused.
  void ShowTextInTerm(const Texto& texto, bool DoClearFirst = false);
  void RefrescaEncabezado(const Texto& titulo = {});
  Texto Titulo() const { return titulo_; }

  // ---- Menu commands ----
  // The connection dialog's "C&onectar": a live session is dropped only when the user agrees.
  // False when the user kept it (nothing was done).
  bool NuevaConexion(const Texto& host, int32_t puerto);
  void Desconectar();     // "&Desconectar"
  void Salir();           // "&Salir": the closing questions, then the end
  void LimpiarBuffer();   // "Limpiar Buffer"
  void LimpiarPantalla(); // "Limpiar Pantalla"

  // ---- Closing ----
  // A signal asked the program to stop (SIGTERM, SIGINT, SIGHUP): a macro run ends at once with
  // that as its error (its files closed, error.log written), then the log and the connection are
  // closed and the program ends with 128 + 'senal', asking nothing.
  void PeticionParada(int senal);
  // The window's close request: true when the window may close now. During a macro run the run is stopped
  // first and the close happens when it has unwound.
  bool SolicitudCierre();
  // The window unloads: disconnects. Called once, however the program ends.
  void Descarga();

  // ---- Terminal view events ----
  // True when the key was consumed (sent to the host or acted on); the view ignores it then.
  bool TeclaAbajoTerminal(int codigo, int shift);
  void TeclaCaracterTerminal(char32_t c);
  void TeclaArribaTerminal(int codigo, int shift);
  // Losing the focus dims the terminal's background; the configured colour comes back with it.
  void TerminalTomaEnfoque();
  void TerminalPierdeEnfoque();
  // The terminal dialog's values, and the view's colours with the configured background whatever the focus
  // (the colour dialog and the settings use these).
  ValoresTerminal ValoresTerm() const;
  void FijaValoresTerm(const ValoresTerminal& v);
  ColoresEditor ColoresTerminal() const;
  void FijaColoresTerminal(const ColoresEditor& c);
  // The editor that last had the focus: the target of the Edit menu.
  CtlEdit* EditorActual() const { return editorActual_; }
  void FijaEditorActual(CtlEdit* ed) { editorActual_ = ed; }

  // ---- EntornoMacro ----
  Pump& Bomba() override { return p_.pump; }
  Dialogs& Dialogos() override { return p_.dialogos; }
  int16_t EstadoConexion() const override { return Telnet.State(); }
  Texto MotivoCierre() const override { return Telnet.MotivoCierre(); }
  void SendData(const Texto& texto) override { Telnet.SendData(texto); }
  void ConnectToHost(const Texto& host, int32_t puerto) override;
  void Desconecta() override { Desconectar(); }
  void MuestraVentana() override { ventana_.Muestra(); }
  Texto EditaArchivo(const Texto& nombre) override { return ventana_.EditaArchivo(nombre); }
  void AbreRegistro(const Texto& ruta) override;
  void EscribeRegistro(const Texto& texto) override;
  void CierraRegistro() override;
  void PausaRegistro(bool pausado) override;
  void IniEjecMacro(bool MostrarBarra) override;
  void FinEjecMacro() override;
  void MensajeEstado(const Texto& texto, Color colTexto, std::optional<Color> colFondo = {}) override;
  Texto TextoMacroEditor() override { return edMac.Text(); }
  void TerminaPrograma() override;

  // ---- What the program holds ----
  CtlTelnet Telnet;
  CtlEdTelnet& txtTerm;
  CtlEdit& edCom;
  CtlEdit& edMac;
  CInterprete interp;
  ControlMacro control{interp, *this};
  RegistroTerminal registro;
  const CarpetasPrograma carpetas;
  Texto MensajeError;
  Configuracion config{carpetas.ArchConfig(), MensajeError};
  LineaComandosZT linea;
  int16_t TeclasInterceptadas = 1;
  std::vector<Texto> HistorialHosts;
  MenusFrecuentes menus;

  // The settings as they stand now (windows included), and applying read ones.
  AjustesZTelnet AjustesActuales() const;
  void AplicaAjustes(const AjustesZTelnet& a);
  // Writes the settings file; shows the error text when the write left one. False on failure.
  bool GuardaAjustes();

  // The data handler: the chunk's text as the view received it.
  void AlRecibir(const Texto& datos);

private:
  bool PreguntasCierre();
  // True when there is no live session, or the user agreed to drop it.
  bool ConfirmaDesconexion();
  bool Pregunta(CtlEdit& ed, const char* mensaje);
  bool AseguraCarpetas();
  void Aviso(const Texto& texto, Icono icono = Icono::Ninguno);
  void EnlazaEventos();

  PlataformaPrincipal p_;
  VentanaPrincipal& ventana_;
  CtlEdit* editorActual_ = nullptr;
  Texto titulo_;
  std::optional<Color> fondoSinFoco_; // the configured background while dimmed
  bool cerrarTrasMacro_ = false;      // a close request came during a run
  bool parada_ = false;               // a signal asked the program to stop
  bool terminado_ = false;
  FiltroCaptura filtroCaptura_; // host output as shown, for a macro's capture
};

} // namespace zt
