// Statement executor: runs the macro loaded in CInterprete against the program (EntornoMacro).
#pragma once
#include "base/Texto.h"
#include "script/EntornoMacro.h"
#include "script/Interprete.h"
#include <cstdio>
#include <map>

namespace zt {

// IF levels one run may nest; deeper is the run's error, not a stack overflow.
constexpr int ProfundidadMaximaIf = 256;

class InterpProces {
public:
  InterpProces(CInterprete& in, EntornoMacro& entorno);
  ~InterpProces();
  InterpProces(const InterpProces&) = delete;
  InterpProces& operator=(const InterpProces&) = delete;

  // Runs statements until the content ends, an error, a stop request ("" for those), or ELSE,
  // ENDIF or STOP (returned). END returns "STOP" with FinPrograma set.
  Texto EjecutaBloque();
  // WAIT: until the terminal's cursor line (UltimaLinea) equals 'texto'; a time-out, or the
  // host's end of the link, sets MensajeError.
  void EsperaCadena(const Texto& texto);
  // SENDLN: once connected, sends 'texto' + CR and forgets UltimaLinea, so that a WAIT after it
  // matches only what the host sent since; not connected in time, or a link the host ended, sets
  // MensajeError.
  void EnviaLineaMacro(const Texto& texto);
  // CONNECT: until connected, refused or not found; a failure or the time-out sets MensajeError.
  void EsperaConexion(const Texto& destino);
  // PAUSE: n steps of 10 ms while events run.
  void PausaMacro(int16_t n);

  // Fresh state for a run: no stop request, no capture, no END seen.
  void IniciaEjecucion();
  // End of every run, whatever ended it: capture off, the run's files closed.
  void TerminaEjecucion();

  // The data handler's side (see ControlMacro::DatosRecibidos).
  void DatosRecibidos(const Texto& texto, const Texto* ultimaLinea, bool saltoDeLinea = true,
                      std::size_t quitar = 0);

  int16_t CuentaEspera = 0;  // wait limit in 100 ms steps: "timeout" x 10
  Texto UltimaLinea;         // the terminal's cursor line, cleared by a matching WAIT and by SENDLN
  int16_t VarCaptura = 0;    // slot receiving host output; 0 = none
  bool DetenerMacro = false; // stop requested: the run ends before its next statement
  bool Abandonar = false;    // the program closes: waits end at once too
  bool FinPrograma = false;  // END was performed

  // Files the run has open, by number.
  int ArchivosAbiertos() const { return static_cast<int>(archivos_.size()); }

private:
  Texto Bloque();
  Texto Sentencia(const Texto& kw, const PosCont& inicio, bool& fin);
  Texto SentenciaIf(bool& fin);
  // Reads an expression that must be a variable reference and gives its upper-cased name; false
  // after setting 'mensaje' as the error.
  bool LeeReferencia(const char* mensaje, Texto& nombre);
  int16_t SlotExistente(const Texto& nombre);
  void AbreArchivo(Texto& nombre, int16_t& numero);
  std::FILE* Archivo(int16_t numero);
  void CierraArchivo(int16_t numero);

  CInterprete& in_;
  EntornoMacro& entorno_;
  int profundidad_ = 0;
  // WAIT in progress: the text awaited, matched by the data handler as each chunk lands.
  const Texto* esperado_ = nullptr;
  bool coincidio_ = false;
  // After a SENDLN, the cursor line counts again only once the host moved it: a chunk that leaves
  // the old prompt line as it was (a mode change, say) is not the answer.
  bool esperaCambio_ = false;
  Texto lineaVista_;  // the cursor line as last seen, kept when UltimaLinea is cleared
  Texto lineaEnvio_;  // ... and as it was when the line was sent
  Texto errorCaptura_; // the capture outgrew the longest text; the run ends with it
  struct Abierto {
    std::FILE* f = nullptr;
    std::string ruta;
  };
  std::map<int16_t, Abierto> archivos_;
};

} // namespace zt
