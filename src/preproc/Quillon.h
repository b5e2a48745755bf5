// Quillon's start-up and the operations both the window and the batch path use:
// ePreProcesar, VerificarError and eConsultar.
#pragma once
#include "platform/Dialogs.h"
#include "platform/Processes.h"
#include "platform/Pump.h"
#include "preproc/ConfigQuillon.h"
#include "preproc/ConsultaLanzada.h"
#include "preproc/LineaComandos.h"
#include "preproc/Motor.h"
#include <filesystem>
#include <functional>
#include <memory>

namespace zt::preproc {

struct EntornoQuillon {
  Dialogs& dialogs;
  Processes& procesos;
  std::filesystem::path carpetaPrograma; // holds the work folder "bolsa"
  Texto rutaLanzador = U"ztelnet";       // the launch program
  Reloj reloj = AhoraLocal;
  Consultor* consultor = nullptr; // none: $CONSULTAR goes through the launch program (needs 'pump')
  Pump* pump = nullptr;
};

class Quillon {
public:
  static constexpr const char* kTitulo = "Quillon";

  enum class Accion { Terminar, AbrirVentana };
  struct Arranque {
    Accion accion = Accion::Terminar;
    int codigo = 0;           // exit status when terminating
    bool conError = false;    // the window opens on an error that remains
    Texto archivo;            // a document to load into the window
    bool interactivo = false; // started with nothing on the command line
  };

  explicit Quillon(EntornoQuillon entorno);

  // Start-up with the program's arguments: what the program must do next.
  Arranque Arranca(const std::vector<Texto>& argumentos);

  // Preprocesses 'fuente' ("-" for the editor's selected text) into 'salida'; an empty
  // 'salida' becomes a fresh name in the work folder.
  void ePreProcesar(const Texto& fuente, Texto& salida);
  // Reports the error left by the last operation.
  void VerificarError();
  // Starts the launch program on 'archivo' without waiting.
  void eConsultar(const Texto& archivo);

  const EstadoError& Error() const { return error_; }
  std::filesystem::path CarpetaTrabajo() const { return entorno_.carpetaPrograma / "bolsa"; }
  const std::filesystem::path& CarpetaPrograma() const { return entorno_.carpetaPrograma; }
  void AseguraCarpetaTrabajo();

  // The settings: read at start-up, changed by the configuration dialog, written on closing.
  AjustesQuillon ajustes;
  std::filesystem::path ArchivoConfig() const { return entorno_.carpetaPrograma / "Quillon.ini"; }
  // Reads "Quillon.ini", offering to create it when missing; false when the user declined.
  bool CargaConfiguracion();
  // Writes the settings; empty, or the message of the error box.
  Texto GuardaConfiguracion();
  // Puts the settings to use: the launch program, and the connection the started programs get
  // in their environment (never in the script, which has no place for it).
  void AplicaAjustes();
  ConsultaLanzada* Consultas() { return consultas_.get(); }

  bool mostrarErrores = true;
  // The editor's selected text, for the source "-".
  std::function<Texto()> textoSeleccionado;
  // After VerificarError's box: the window jumps to the error's file and line.
  std::function<void(const EstadoError&)> alReportarError;

private:
  void MuestraError(const EstadoError& e);

  EntornoQuillon entorno_;
  EstadoError error_;
  std::unique_ptr<ConsultaLanzada> consultas_;
};

} // namespace zt::preproc
