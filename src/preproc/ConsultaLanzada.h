// $CONSULTAR: the query is written as a script into the work folder, the launch program runs it,
// and the spool file it writes is read back.
#pragma once
#include "platform/Dialogs.h"
#include "platform/Processes.h"
#include "platform/Pump.h"
#include "preproc/Motor.h"
#include <filesystem>
#include <functional>

namespace zt::preproc {

class ConsultaLanzada : public Consultor {
public:
  // Ten seconds for the spool file to appear, ten more for it to be complete.
  static constexpr int kEsperaAparicion = 10000;
  static constexpr int kEsperaLiberacion = 10000;
  // A spool file whose size has not changed for this long counts as complete.
  static constexpr int kEstable = 1000;

  ConsultaLanzada(Processes& procesos, Pump& pump, Dialogs& dialogos, std::filesystem::path carpetaTrabajo,
                  Texto rutaLanzador)
      : procesos_(procesos), pump_(pump), dialogos_(dialogos), carpeta_(std::move(carpetaTrabajo)),
        lanzador_(std::move(rutaLanzador)) {}

  std::optional<Texto> Consulta(Preprocesador& p, bool modoValor) override;

  void FijaLanzador(Texto ruta) { lanzador_ = std::move(ruta); }
  // Where the time of the last query went (ms): starting the program, then waiting for the spool.
  struct Tiempos {
    int64_t inicio = 0, aparicion = 0, liberacion = 0;
  };
  const Tiempos& UltimosTiempos() const { return tiempos_; }
  // The same summed over every query so far, and how many there were.
  const Tiempos& TiemposAcumulados() const { return acumulados_; }
  int Consultas() const { return consultas_; }

private:
  // The text up to FINCONSULTAR, defined names expanded; false after setting the error.
  bool RecogeConsulta(Preprocesador& p, int32_t lineaDirectiva, Texto& consulta);
  // Looks until 'listo' or 'msMax' ms have passed; events keep running.
  bool Sondea(const std::function<bool()>& listo, int msMax);
  // Waits for the spool file to be complete; false on time-out.
  bool EsperaSpool(long pid, const std::filesystem::path& spool);

  Processes& procesos_;
  Pump& pump_;
  Dialogs& dialogos_;
  std::filesystem::path carpeta_;
  Texto lanzador_;
  Tiempos tiempos_, acumulados_;
  int consultas_ = 0;
};

// The script of a query: spool, the four settings, the query, SPOOL OFF and EXIT, each line ended
// by CR LF. The query's line ends (LF) become CR LF.
std::string GuionConsulta(const std::filesystem::path& spool, VistaTexto consulta);

} // namespace zt::preproc
