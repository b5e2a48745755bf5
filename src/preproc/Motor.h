// One preprocessing run: reads a source through the cursor and writes the expanded text.
#pragma once
#include "base/Texto.h"
#include "preproc/Definiciones.h"
#include "preproc/EstadoError.h"
#include "preproc/Fechas.h"
#include "preproc/Fuente.h"
#include "preproc/Salida.h"
#include "script/FuncionesExpr.h"
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace zt::preproc {

class Preprocesador;

// Runs the SQL of a $CONSULTAR. Insert mode feeds the answer back as source; value mode returns it.
class Consultor {
public:
  virtual ~Consultor() = default;
  // Called at the word $CONSULTAR (not yet taken). Errors go to the run's error state.
  virtual std::optional<Texto> Consulta(Preprocesador& p, bool modoValor) = 0;
};

struct OpcionesRun {
  // Folder of the event log "eventos.txt"; empty writes no log.
  std::filesystem::path carpetaTrabajo;
  Reloj reloj = AhoraLocal;
  // Shows an error at once (a file that could not be read for processing).
  std::function<void(const EstadoError&)> muestraError;
  Consultor* consultor = nullptr;
  // Bound of the output (bytes) and of a definition expanded to a string (characters): nested
  // loops and doubling definitions must end in an error, not in exhausted memory.
  size_t limiteTexto = size_t{64} << 20;
};

class Preprocesador {
public:
  // Nesting bound shared by definitions, loops, includes and query results.
  static constexpr int kProfundidadMaxima = 200;
  static constexpr int kMaxIncluidos = 50; // the count reaching this fails

  explicit Preprocesador(OpcionesRun opciones = {});

  // Processes 'texto' when it is not empty (the name then only goes to the log), else the file
  // named 'nombreFuente'; the output replaces the file 'nombreSalida'. False when an error remains.
  bool Ejecuta(const Texto& nombreFuente, const Texto& texto, const Texto& nombreSalida);
  // The same run without files or log: the output bytes (for tests and embedding).
  std::string Expande(const Texto& texto);
  std::string ExpandeArchivo(const Texto& nombreFuente);

  const EstadoError& Error() const { return error_; }
  EstadoError& Error() { return error_; }
  Fuente& Cursor() { return fuente_; }
  Salida& Out() { return salida_; }
  Definiciones& Tabla() { return defs_; }

  // Used by the functions and by queries.
  Texto ExpandeCadena(int slot);
  void ProcesaArchivo(const Texto& nombre, bool mostrarErrorYa = true);
  Fecha Ahora() const { return opciones_.reloj(); }

private:
  enum class Modo { Principal, Bloque, Para };

  void Prepara();
  bool Bucle(Modo modo, VistaTexto propio);
  bool Palabra(Modo modo, VistaTexto propio, bool& fin);
  void EscribeLiteral();
  void SaltaComentario();
  void TomaPalabra(size_t n);

  // Directives.
  void Define(bool redef);
  void BuscaFinDefinir(int32_t lineaDirectiva);
  void ExpandeSalida(int slot);
  void ExpandeCadena(int slot, Texto& destino);
  void Incluye();
  void Para();
  bool LeeListaPara(const Texto& variable, std::vector<Texto>& lista);
  bool LeeListaCon(const Texto& variable, size_t cuantos, std::vector<Texto>& lista);
  void Consulta(bool modoValor, Texto* valor);
  void Reinicia();

  // Built-in functions.
  bool EsFuncion(VistaTexto nombre) const;
  void Funcion(VistaTexto nombre);
  void FuncionSinProteger(VistaTexto nombre);
  void FechaActual();
  void IntervaloSemana();
  void Formato();
  void Expr();
  void NomActual();
  void DirActual();
  std::optional<Texto> EvaluaExpresion();

  bool EntraNivel(const char* mensaje); // the text is built only on failure
  bool Excedido(size_t tamano);
  void ErrorLinea(Texto mensaje, int32_t linea);

  OpcionesRun opciones_;
  EstadoError error_;
  Fuente fuente_{error_};
  Salida salida_;
  Definiciones defs_;
  std::vector<Texto> incluidos_;
  int nIncluidos_ = 0;
  int profundidad_ = 0;
  std::vector<Texto> enCurso_; // block definitions being expanded, innermost last
  Aleatorio azar_;
  Texto id_, idMay_; // reused word buffers of the hot loop

  friend class ExprPreproc;
};

} // namespace zt::preproc
