// The core of the main window: start-up, the connection's events, the data handler, closing.
#include "workspace/Principal.h"
#include "base/Error.h"
#include "workspace/Archivos.h"
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace zt {

namespace fs = std::filesystem;

namespace {

constexpr Color kFondoSinFoco = 2631720; // red 40, green 40, blue 40

void AStderr(const Texto& texto) { std::fprintf(stderr, "ztelnet: %s\n", U8(texto).c_str()); }

void CopiaPropiedades(CtlEdit& ed, const PropiedadesEditor& p) {
  const Color lineaActual = ed.colores.ColLinAct;
  ed.FijaPropiedades(p);
  ed.colores.ColLinAct = lineaActual; // not part of the string
  ed.ReinicColEdi();
}

} // namespace

Principal::Principal(PlataformaPrincipal plataforma, VentanaPrincipal& ventana, CtlEdTelnet& txtTerm_,
                     CtlEdit& edCom_, CtlEdit& edMac_, CarpetasPrograma carpetas_)
    : Telnet(plataforma.socket, plataforma.tmrConnect), txtTerm(txtTerm_), edCom(edCom_), edMac(edMac_),
      carpetas(std::move(carpetas_)), p_(plataforma), ventana_(ventana) {
  Telnet.FijaEspera(&p_.pump, &p_.dialogos);
  EnlazaEventos();
}

Principal::~Principal() {
  p_.Timer1.Detener();
  p_.Timer1.FijaTic(nullptr);
  Telnet.Closed = nullptr;
  Telnet.Connected = nullptr;
  Telnet.Error = nullptr;
  Telnet.ConnectTimeout = nullptr;
  Telnet.ConnectError = nullptr;
  Telnet.Recibido = nullptr;
}

void Principal::EnlazaEventos() {
  Telnet.Closed = [this] {
    ShowTextInTerm(U"Remote disconnected!");
    RefrescaEncabezado();
  };
  Telnet.Connected = [this] {
    filtroCaptura_.Reinicia();
    RefrescaEncabezado();
  };
  Telnet.Error = [this](const Texto& texto) {
    ShowTextInTerm(texto);
    RefrescaEncabezado();
  };
  Telnet.ConnectTimeout = [this] {
    ShowTextInTerm(U"Connection time out!");
    if (Telnet.State() != 0) Telnet.Disconnect();
    RefrescaEncabezado();
  };
  Telnet.ConnectError = [this](const Texto& motivo) {
    ShowTextInTerm(motivo);
    RefrescaEncabezado();
  };
  Telnet.Recibido = [this](const Texto& datos) { AlRecibir(datos); };
  p_.Timer1.FijaTic([this] { control.Tic(); });
}

void Principal::Aviso(const Texto& texto, Icono icono) {
  p_.dialogos.Mensaje(texto, NombrePrograma(), Botones::Aceptar, icono);
}

// ---- Start-up ----

bool Principal::Carga() {
  editorActual_ = &txtTerm;
  Telnet.Iniciar(txtTerm);
  RefrescaEncabezado();
  // The terminal's look before any settings are read.
  txtTerm.bloqText = true;
  txtTerm.colores.ColFonEdi = 0;
  txtTerm.colores.ColTxtNor = RGB(200, 200, 200);
  txtTerm.colores.ColTxtCad = RGB(100, 255, 255);
  txtTerm.colores.ColPalRes = RGB(100, 255, 100);
  txtTerm.verDesVer = true;
  txtTerm.ReinicColEdi();
  Telnet.MaxLineasTerm = 500;
  TeclasInterceptadas = 1;
  edCom.verDesHor = true;
  edCom.archivo = T((carpetas.CarpetaScripts() / "comandos1.sh").string());
  edMac.verDesHor = true;
  edMac.archivo = T((carpetas.CarpetaMacros() / "macro1.zkv").string());

  std::error_code ec;
  if (!fs::exists(carpetas.ArchConfig(), ec)) {
    if (p_.sinPantalla) {
      AStderr(T("no se encuentra archivo de configuración; se crea ") + T(carpetas.ArchConfig().string()));
    } else if (p_.dialogos.Mensaje(T("No se encuentra archivo de configuración. \r\n¿Deseas crear uno?"),
                                   NombrePrograma(), Botones::SiNo, Icono::Exclamacion,
                                   Respuesta::No) != Respuesta::Si) {
      EstadoSalida = 1;
      return false;
    }
    GuardaAjustes();
  }
  MensajeError.clear();
  AjustesZTelnet leidos = AjustesActuales();
  const bool leido = config.Lee(leidos, carpetas.CarpetaMacros(), carpetas.CarpetaScripts(), menus);
  AplicaAjustes(leidos); // what was read before a bad line stays in force
  if (!leido && !MensajeError.empty()) Aviso(MensajeError, Icono::Exclamacion);
  if (leido) ventana_.FijaMenusFrecuentes(menus);
  if (!AseguraCarpetas()) {
    EstadoSalida = 1;
    return false;
  }
  edMac.colores.ColFonEdi = RGB(240, 255, 240);
  edMac.ReinicColEdi();
  txtTerm.Refrescar();
  p_.Timer1.Iniciar(500);
  return true;
}

bool Principal::AseguraCarpetas() {
  for (const fs::path& c : {carpetas.CarpetaTemp(), carpetas.CarpetaMacros(), carpetas.CarpetaScripts()}) {
    std::error_code ec;
    if (fs::is_directory(c, ec)) continue;
    if (!p_.sinPantalla) {
      MensajeError.clear();
      if (!AseguraCarpeta(c, p_.dialogos, MensajeError)) return false;
      continue;
    }
    fs::create_directories(c, ec);
    if (ec)
      AStderr(T("Error creando carpeta: ") + T(c.string()) + U"(" + T(ec.message()) + U")");
    else
      AStderr(T("se crea la carpeta ") + T(c.string()));
  }
  return true;
}

bool Principal::ActuaLineaComandos(const std::vector<Texto>& argumentos) {
  if (parada_) return false;
  LecturaLinea lectura = LeeLineaComandos(argumentos);
  if (lectura.Termina()) {
    for (const Texto& m : lectura.mensajes) Aviso(m);
    EstadoSalida = 2;
    return false;
  }
  // A failed step is shown and the program runs on; a batch run with no display would then wait
  // for ever, so there it ends with a failure status instead.
  const auto fallo = [this](const Texto& descripcion, bool salir) {
    Aviso(descripcion, Icono::Exclamacion);
    EstadoSalida = 1;
    if (!(salir && p_.sinPantalla)) return true;
    Descarga();
    ventana_.Termina(EstadoSalida);
    return false;
  };
  if (!lectura.errorEjecucion.empty())
    return fallo(lectura.errorEjecucion, TerminaTrasLinea(lectura.valores, nadieMira));
  linea = lectura.valores;
  try {
    if (!linea.ArchRegistroInicial.empty()) AbreRegistro(linea.ArchRegistroInicial);
    if (!linea.HostInicial.empty()) {
      const HostPuerto hp = SeparaHostPuerto(linea.HostInicial);
      ConnectToHost(hp.host, hp.puerto);
      ventana_.Muestra();
    }
    if (!linea.ArchivoMacro.empty()) {
      control.ArchivoMacro = linea.ArchivoMacro;
      const FinMacro fin = control.EjecutaMacroArchivo(linea.MostrarErrores, false);
      if (fin == FinMacro::Fin || parada_) return false;
      if (fin == FinMacro::Error || fin == FinMacro::NoEncontrada) EstadoSalida = 1;
    }
    if (!linea.ArchRegistroInicial.empty()) {
      CierraRegistro();
      linea.ArchRegistroInicial.clear();
    }
  } catch (const ErrorEjecucion& e) {
    return fallo(e.descripcion(), TerminaTrasLinea(linea, nadieMira));
  }
  if (TerminaTrasLinea(linea, nadieMira)) {
    Descarga();
    ventana_.Termina(EstadoSalida);
    return false;
  }
  if (nadieMira)
    AStderr(T("sin pantalla y sin /SALIR ni /M: el programa sigue en marcha hasta recibir SIGTERM o SIGINT"));
  return true;
}

// ---- Operations ----

bool Principal::NuevaConexion(const Texto& host, int32_t puerto) {
  if (!ConfirmaDesconexion()) return false;
  ConnectToHost(host, puerto);
  return true;
}

void Principal::ConnectToHost(const Texto& host, int32_t puerto) {
  ShowTextInTerm(U"Connecting to " + host);
  Telnet.Connect(host, puerto, 30);
  RefrescaEncabezado();
}

void Principal::ShowTextInTerm(const Texto& texto, bool) {
  const bool engan = txtTerm.CursorEditEngan(); // a caret that follows the host keeps following it
  txtTerm.AgregaLinea(texto);
  // The host's next bytes start a line of their own below it (its prompt must be a whole line).
  txtTerm.curY = std::max(0, txtTerm.nLin() - txtTerm.y0);
  txtTerm.curX = 0;
  txtTerm.TelnetCar(U'\n');
  if (engan) txtTerm.EnganCursorEdit();
  txtTerm.Refrescar();
  if (registro.Activo()) {
    try {
      registro.Escribe(texto + U"\r\n");
    } catch (const ErrorEjecucion&) {
      // A log that cannot be written must not stop the message from showing.
    }
  }
}

void Principal::RefrescaEncabezado(const Texto& titulo) {
  EstadoTitulo e;
  e.archivoVista = txtTerm.archivo;
  e.macroEnEjecucion = control.MacroEnEjecucion();
  e.ArchivoMacro = control.ArchivoMacro;
  e.estado = Telnet.State();
  if (e.estado == 7) e.RemoteHost = Telnet.RemoteHost();
  titulo_ = TituloVentana(titulo, e);
  ventana_.FijaTitulo(titulo_);
}

void Principal::AlRecibir(const Texto& datos) {
  try {
    if (registro.Activo()) registro.Escribe(TextoParaRegistro(datos));
    // The capture holds the text as the terminal shows it; the filter sees every chunk, so a
    // sequence split between chunks never leaks into a capture that starts in between.
    Texto captura;
    const std::size_t quitar = filtroCaptura_.Filtra(datos, control.Capturando() ? &captura : nullptr);
    // WAIT looks where the host's cursor is: after a clear the prompt stands on the top row, with
    // emptied rows below it.
    Texto ultima;
    const bool hayLinea = txtTerm.nLin() > 0;
    if (hayLinea) ultima = txtTerm.LineaCursorTel();
    control.DatosRecibidos(captura, hayLinea ? &ultima : nullptr, datos.find(U'\n') != Texto::npos, quitar);
  } catch (const ErrorEjecucion& e) {
    ShowTextInTerm(U"Error occurred!" + e.descripcion());
  }
}

// ---- Menu commands ----

void Principal::Desconectar() {
  if (Telnet.State() != 0) Telnet.Disconnect();
  ShowTextInTerm(U"\r\nSession closed!");
  RefrescaEncabezado();
}

// An interactive end is a normal one, whatever the command line's macro did.
void Principal::Salir() {
  if (!SolicitudCierre()) return;
  Descarga();
  ventana_.Termina(0);
}

void Principal::LimpiarBuffer() { Telnet.LimpiaBuffer(); }
void Principal::LimpiarPantalla() { Telnet.LimpiarPantalla(); }

// ---- Closing ----

bool Principal::Pregunta(CtlEdit& ed, const char* mensaje) {
  if (!ed.TextModificado()) return true;
  switch (p_.dialogos.Mensaje(T(mensaje), NombrePrograma(), Botones::SiNoCancelar, Icono::Pregunta)) {
  case Respuesta::Si: return ed.GuardarArch(); // a failed save keeps the program open
  case Respuesta::No: return true;
  default: return false;
  }
}

bool Principal::PreguntasCierre() {
  if (!ventana_.CierraEditorRemoto()) return false;
  if (!Pregunta(edMac, "Archivo de Macro modificado. ¿Guardar?")) return false;
  if (!Pregunta(edCom, "Archivo de Comandos modificado. ¿Guardar?")) return false;
  if (!ConfirmaDesconexion()) return false;
  if (Telnet.State() == 7) Telnet.Disconnect();
  return true;
}

bool Principal::ConfirmaDesconexion() {
  return Telnet.State() != 7 ||
         p_.dialogos.Mensaje(T("Hay una conexión activa. ¿Desea desconectar?"), NombrePrograma(),
                             Botones::AceptarCancelar, Icono::Pregunta) == Respuesta::Aceptar;
}

bool Principal::SolicitudCierre() {
  if (terminado_) return true;
  if (control.MacroEnEjecucion()) {
    // The run is still on the stack below us: stop it and close once it has unwound.
    cerrarTrasMacro_ = true;
    control.Abandonar();
    return false;
  }
  if (!PreguntasCierre()) return false;
  MensajeError.clear();
  GuardaAjustes();
  return true;
}

void Principal::PeticionParada(int senal) {
  if (parada_ || terminado_) return;
  parada_ = true;
  EstadoSalida = 128 + senal;
  if (control.MacroEnEjecucion()) {
    // The run is still on the stack below: it unwinds, then FinEjecMacro ends the program.
    const char* nombre = sigabbrev_np(senal);
    control.Interrumpe(T("Ejecución detenida por la señal SIG") + T(nombre ? nombre : "?"));
    return;
  }
  Descarga();
  ventana_.Termina(EstadoSalida);
}

void Principal::Descarga() {
  if (terminado_) return;
  terminado_ = true;
  p_.Timer1.Detener();
  CierraRegistro();
  if (Telnet.State() != 0) Telnet.Disconnect();
  editorActual_ = nullptr;
}

bool Principal::GuardaAjustes() {
  MensajeError.clear();
  if (config.Escribe(AjustesActuales())) return true;
  if (!MensajeError.empty()) Aviso(MensajeError);
  return false;
}

AjustesZTelnet Principal::AjustesActuales() const {
  AjustesZTelnet a;
  a.ventana = ventana_.LeeAjustesVentana();
  a.MaxLineasTerm = Telnet.MaxLineasTerm;
  a.DetPromptActiva = txtTerm.DetPromptActiva;
  a.PatIniPrompt = txtTerm.PatIniPrompt;
  a.PatFinPrompt = txtTerm.PatFinPrompt;
  a.TeclasInterceptadas = TeclasInterceptadas;
  a.HistorialHosts = HistorialHosts;
  a.propTerminal = txtTerm.Propiedades();
  a.propTerminal.colores = ColoresTerminal();
  a.propComandos = edCom.Propiedades();
  return a;
}

void Principal::AplicaAjustes(const AjustesZTelnet& a) {
  ventana_.AplicaAjustesVentana(a.ventana);
  Telnet.MaxLineasTerm = a.MaxLineasTerm;
  txtTerm.DetPromptActiva = a.DetPromptActiva;
  txtTerm.PatIniPrompt = a.PatIniPrompt;
  txtTerm.PatFinPrompt = a.PatFinPrompt;
  TeclasInterceptadas = a.TeclasInterceptadas;
  HistorialHosts = a.HistorialHosts;
  CopiaPropiedades(txtTerm, a.propTerminal);
  if (fondoSinFoco_) {
    fondoSinFoco_ = txtTerm.colores.ColFonEdi;
    txtTerm.colores.ColFonEdi = kFondoSinFoco;
  }
  CopiaPropiedades(edCom, a.propComandos);
}

// ---- Terminal view events ----

bool Principal::TeclaAbajoTerminal(int codigo, int shift) {
  if (codigo == 115 && shift == tecla::Alt) {
    Salir();
    return true;
  }
  if (codigo == tecla::Tab && shift == tecla::Ctrl && ventana_.EnfocaPanelEditor()) return true;
  if (!CtlTelnet::TeclaAlHost(codigo, txtTerm.CursorEditEngan(), TeclasInterceptadas)) return false;
  Telnet.KeyDown(codigo, shift);
  return true;
}

void Principal::TeclaCaracterTerminal(char32_t c) { Telnet.KeyPress(c); }
void Principal::TeclaArribaTerminal(int codigo, int shift) { Telnet.KeyUp(codigo, shift); }

void Principal::TerminalTomaEnfoque() {
  editorActual_ = &txtTerm;
  if (fondoSinFoco_) {
    txtTerm.colores.ColFonEdi = *fondoSinFoco_;
    fondoSinFoco_.reset();
  }
  txtTerm.Refrescar();
  txtTerm.EncenCursor();
  Telnet.control_on = false;
}

void Principal::TerminalPierdeEnfoque() {
  if (!fondoSinFoco_) fondoSinFoco_ = txtTerm.colores.ColFonEdi;
  txtTerm.colores.ColFonEdi = kFondoSinFoco;
  txtTerm.Refrescar();
  txtTerm.ApagCursor();
}

ValoresTerminal Principal::ValoresTerm() const {
  return {Telnet.MaxLineasTerm, TeclasInterceptadas, txtTerm.DetPromptActiva, txtTerm.PatIniPrompt,
          txtTerm.PatFinPrompt};
}

void Principal::FijaValoresTerm(const ValoresTerminal& v) {
  Telnet.MaxLineasTerm = v.MaxLineasTerm;
  TeclasInterceptadas = v.TeclasInterceptadas;
  txtTerm.DetPromptActiva = v.DetPromptActiva;
  txtTerm.PatIniPrompt = v.PatIniPrompt;
  txtTerm.PatFinPrompt = v.PatFinPrompt;
}

ColoresEditor Principal::ColoresTerminal() const {
  ColoresEditor c = txtTerm.colores;
  if (fondoSinFoco_) c.ColFonEdi = *fondoSinFoco_;
  return c;
}

void Principal::FijaColoresTerminal(const ColoresEditor& c) {
  txtTerm.colores = c;
  if (fondoSinFoco_) {
    fondoSinFoco_ = c.ColFonEdi;
    txtTerm.colores.ColFonEdi = kFondoSinFoco;
  }
  txtTerm.ReinicColEdi();
  txtTerm.Refrescar();
}

// ---- EntornoMacro ----

void Principal::AbreRegistro(const Texto& ruta) {
  registro.codificacion = Telnet.CodificacionFlujo();
  registro.Abre(fs::path(U8(ruta)));
}

void Principal::EscribeRegistro(const Texto& texto) {
  if (!registro.Abierto()) throw ErrorEjecucion(CodigoError::NumeroArchivo);
  registro.Escribe(texto);
}

void Principal::CierraRegistro() { registro.Cierra(); }

void Principal::PausaRegistro(bool pausado) { registro.RegistroPausado = pausado; }

void Principal::IniEjecMacro(bool MostrarBarra) {
  RefrescaEncabezado();
  txtTerm.EnganCursorEdit();
  ventana_.EstadoEjecucion(true, MostrarBarra);
}

void Principal::FinEjecMacro() {
  ventana_.EstadoEjecucion(false, false);
  RefrescaEncabezado();
  if (parada_) {
    Descarga();
    ventana_.Termina(EstadoSalida);
    return;
  }
  if (cerrarTrasMacro_) {
    cerrarTrasMacro_ = false;
    ventana_.PideCierre();
  }
}

void Principal::MensajeEstado(const Texto& texto, Color colTexto, std::optional<Color> colFondo) {
  txtTerm.Panel1(texto, colTexto, colFondo.value_or(ColorMenuSistema));
}

void Principal::TerminaPrograma() {
  Descarga();
  ventana_.Termina(0);
}

} // namespace zt
