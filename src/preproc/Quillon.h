// Quillon's start-up and the operations both the window and the batch path use:
// ePreProcesar, VerificarError and eConsultar.
#pragma once
#include "platform/Dialogs.h"
#include "platform/Processes.h"
#include "preproc/LineaComandos.h"
#include "preproc/Motor.h"
#include <filesystem>
#include <functional>

namespace zt::preproc {

struct EntornoQuillon {
  Dialogs& dialogs;
  Processes& procesos;
  std::filesystem::path carpetaPrograma; // holds the work folder "bolsa"
  Texto rutaLanzador = U"ztelnet";       // the launch program
  Reloj reloj = AhoraLocal;
  Consultor* consultor = nullptr;
};

class Quillon {
public:
  static constexpr const char* kTitulo = "Quillon";

  enum class Accion { Terminar, AbrirVentana };
  struct Arranque {
    Accion accion = Accion::Terminar;
    int codigo = 0;        // exit status when terminating
    bool conError = false; // the window opens on an error that remains
    Texto archivo;         // a document to load into the window
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
  void AseguraCarpetaTrabajo();

  bool mostrarErrores = true;
  // The editor's selected text, for the source "-".
  std::function<Texto()> textoSeleccionado;

private:
  void MuestraError(const EstadoError& e);

  EntornoQuillon entorno_;
  EstadoError error_;
};

} // namespace zt::preproc
