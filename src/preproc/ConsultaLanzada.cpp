// $CONSULTAR through the launch program and its spool file.
#include "preproc/ConsultaLanzada.h"
#include "base/ArchivoTexto.h"
#include "editor/CtlEdit.h"
#include "preproc/LineaComandos.h"
#include "preproc/Quillon.h"
#include <algorithm>
#include <system_error>

namespace zt::preproc {

namespace fs = std::filesystem;

std::string GuionConsulta(const fs::path& spool, VistaTexto consulta) {
  std::string s = "SPOOL " + spool.string() +
                  "\r\nSET TRIMSPOOL ON\r\nSET FEEDBACK OFF\r\nSET NEWPAGE NONE\r\n"
                  "SET HEAD OFF\r\n";
  bool saltoFinal = false;
  const std::vector<Texto> lineas = PartirLineas(consulta, &saltoFinal);
  for (size_t i = 0; i < lineas.size(); ++i) s += (i ? "\r\n" : "") + U8(lineas[i]);
  if (saltoFinal) s += "\r\n";
  return s + "\r\nSPOOL OFF\r\nEXIT\r\n";
}

bool ConsultaLanzada::RecogeConsulta(Preprocesador& p, int32_t lineaDirectiva, Texto& consulta) {
  Fuente& f = p.Cursor();
  Texto id;
  while (!p.Error().HayError()) {
    char32_t c = f.Mira();
    if (c == kFin) {
      p.Error().Fija(1, T("Inesperado fin de archivo. No se encontro 'FINCONSULTAR' del 'CONSULTAR'"),
                     f.ArchivoActual(), lineaDirectiva);
      return false;
    }
    if (EsInicioIdentificador(c) && f.EnInicioPalabra()) {
      f.MiraIdentificadorAqui(id);
      Texto may = Mayusculas(id);
      if (may == U"FINCONSULTAR") {
        for (size_t i = 0; i < id.size(); ++i) f.Toma();
        return true;
      }
      if (int slot = p.Tabla().Busca(may)) {
        for (size_t i = 0; i < id.size(); ++i) f.Toma();
        consulta += p.ExpandeCadena(slot);
        continue;
      }
      consulta.push_back(f.Toma());
      for (c = f.Mira(); EsIdentificador(c) && c != U'$'; c = f.Mira()) consulta.push_back(f.Toma());
      continue;
    }
    consulta.push_back(f.Toma() == kSalto ? U'\n' : c);
  }
  return false;
}

// Neither a file nor another program raises events here, so the wait looks again in short, growing
// steps while the window's events run.
bool ConsultaLanzada::Sondea(const std::function<bool()>& listo, int msMax) {
  const int64_t fin = pump_.Reloj() + msMax;
  int paso = 2;
  while (!listo()) {
    if (pump_.Reloj() >= fin) return false;
    pump_.Duerme(paso);
    paso = std::min(paso * 2, 20);
  }
  return true;
}

bool ConsultaLanzada::EsperaSpool(long pid, const fs::path& spool) {
  std::error_code ec;
  auto existe = [&] { return fs::exists(spool, ec); };
  const int64_t t0 = pump_.Reloj();
  // A program that ended without writing the file never will: no point in waiting on.
  Sondea([&] { return existe() || !procesos_.Vive(pid); }, kEsperaAparicion);
  tiempos_.aparicion = pump_.Reloj() - t0;
  if (!existe()) return false;
  const int64_t t1 = pump_.Reloj();
  uintmax_t tamano = uintmax_t(-1);
  int64_t desde = t1;
  bool listo = Sondea(
      [&] {
        if (!procesos_.Vive(pid)) return true;
        uintmax_t t = fs::file_size(spool, ec);
        if (ec) t = uintmax_t(-1);
        int64_t ahora = pump_.Reloj();
        if (t != tamano) {
          tamano = t;
          desde = ahora;
          return false;
        }
        return ahora - desde >= kEstable;
      },
      kEsperaLiberacion);
  tiempos_.liberacion = pump_.Reloj() - t1;
  return listo && existe();
}

std::optional<Texto> ConsultaLanzada::Consulta(Preprocesador& p, bool modoValor) {
  Fuente& f = p.Cursor();
  p.Error().Limpia();
  f.SaltaBlancos();
  const int32_t linea = f.Linea();
  f.LeeIdentificador();
  Texto consulta;
  if (!RecogeConsulta(p, linea, consulta)) return std::nullopt;

  tiempos_ = {};
  std::error_code ec;
  fs::create_directories(carpeta_, ec);
  const fs::path spool = NombreNuevo(carpeta_, U"salida");
  const fs::path guion = NombreNuevo(carpeta_, U"temp");
  std::string fallo = EscribeBytes(guion, GuionConsulta(spool, consulta), false);
  if (!fallo.empty()) {
    p.Error().Fija(1, T("Error escribiendo en archivo: ") + T(guion.string()), f.ArchivoActual(), linea);
    return std::nullopt;
  }
  const int64_t t0 = pump_.Reloj();
  long pid = procesos_.IniciaDesligado(U8(lanzador_), {"/M=" + guion.string()});
  tiempos_.inicio = pump_.Reloj() - t0;
  if (pid == 0) dialogos_.Mensaje(T("Error ejecutando TELNET en ruta: ") + lanzador_, T(Quillon::kTitulo));
  bool completo = pid != 0 && EsperaSpool(pid, spool);
  ++consultas_;
  acumulados_.inicio += tiempos_.inicio;
  acumulados_.aparicion += tiempos_.aparicion;
  acumulados_.liberacion += tiempos_.liberacion;
  if (!completo) {
    p.Error().Fija(1, T("!!!Error en sentencia CONSULTAR. Tiempo de espera excedido. "), f.ArchivoActual(),
                   linea);
    return std::nullopt;
  }
  if (!modoValor) {
    p.ProcesaArchivo(T(spool.string()));
    return std::nullopt;
  }
  auto c = LeeArchivoTexto(spool);
  return c ? UneConSaltos(c->lineas) : Texto();
}

} // namespace zt::preproc
