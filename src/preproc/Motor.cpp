// The run and its main loop: plain text is copied, comments dropped, words at a word start
// looked up as directives, definitions and functions.
#include "preproc/Motor.h"
#include "base/Codec.h"
#include <algorithm>
#include <fstream>

namespace zt::preproc {

namespace {

const Texto kHoras = T("00 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23");

std::string LineaEvento(Fecha ahora, const Texto& fuente, const Texto& salida) {
  Texto linea = FormateaFecha(ahora, U"dd/mm/yyyy") + U"  " + FormateaFecha(ahora, U"hh:nn:ss") +
                T("   OPERACION: ") + fuente + T("   ----->   ") + salida + U"\r\n";
  return U8(linea);
}

} // namespace

Preprocesador::Preprocesador(OpcionesRun opciones) : opciones_(std::move(opciones)) {
  if (!opciones_.reloj) opciones_.reloj = AhoraLocal;
}

void Preprocesador::Prepara() {
  error_.Limpia();
  salida_.Vacia();
  defs_.Vacia();
  incluidos_.clear();
  nIncluidos_ = 0;
  fuente_.Vacia();
  profundidad_ = 0;
  enCurso_.clear();
  defs_.AgregaValor(U"$horas", kHoras);
}

bool Preprocesador::Ejecuta(const Texto& nombreFuente, const Texto& texto, const Texto& nombreSalida) {
  if (!opciones_.carpetaTrabajo.empty()) {
    std::ofstream log(opciones_.carpetaTrabajo / "eventos.txt", std::ios::binary | std::ios::app);
    log << LineaEvento(Ahora(), nombreFuente, nombreSalida);
  }
  std::string bytes = texto.empty() ? ExpandeArchivo(nombreFuente) : Expande(texto);
  std::string fallo = salida_.Guarda(std::filesystem::path(U8(nombreSalida)));
  if (!fallo.empty() && !error_.HayError()) error_.Fija(1, T(fallo), Texto(), -1);
  return !error_.HayError();
}

std::string Preprocesador::Expande(const Texto& texto) {
  Prepara();
  fuente_.CreaDeTexto(texto);
  Bucle(Modo::Principal, {});
  return salida_.Bytes();
}

std::string Preprocesador::ExpandeArchivo(const Texto& nombreFuente) {
  Prepara();
  ProcesaArchivo(RecortaEspacios(nombreFuente), false);
  return salida_.Bytes();
}

// The process-file step of the main text, includes and query answers.
void Preprocesador::ProcesaArchivo(const Texto& nombre, bool mostrarErrorYa) {
  error_.Limpia();
  if (!EntraNivel("Demasiados niveles de anidamiento.")) return;
  Posicion antes = fuente_.Guarda();
  if (!fuente_.CreaDeArchivo(nombre)) {
    if (mostrarErrorYa && opciones_.muestraError) opciones_.muestraError(error_);
  } else {
    Bucle(Modo::Principal, {});
  }
  fuente_.Restaura(antes);
  --profundidad_;
}

bool Preprocesador::EntraNivel(const char* mensaje) {
  if (profundidad_ >= kProfundidadMaxima) {
    fuente_.ErrorAqui(T(mensaje));
    return false;
  }
  ++profundidad_;
  return true;
}

bool Preprocesador::Excedido(size_t tamano) {
  if (tamano <= opciones_.limiteTexto) return false;
  fuente_.ErrorAqui(T("Texto generado demasiado grande."));
  return true;
}

void Preprocesador::ErrorLinea(Texto mensaje, int32_t linea) {
  error_.Fija(1, std::move(mensaje), fuente_.ArchivoActual(), linea);
}

// Runs until the end of the content, an error, or (in bodies) the closing word; true when the
// closing word was found.
bool Preprocesador::Bucle(Modo modo, VistaTexto propio) {
  while (!error_.HayError() && !Excedido(salida_.Bytes().size())) {
    char32_t c = fuente_.Mira();
    if (c == kFin) return false;
    if (EsInicioIdentificador(c) && fuente_.EnInicioPalabra()) {
      bool fin = false;
      if (Palabra(modo, propio, fin)) {
        if (fin) return true;
        continue;
      }
      EscribeLiteral();
    } else if (c == U'-' && fuente_.MiraSegundo() == U'-') {
      SaltaComentario();
    } else {
      salida_.EscribeCaracter(fuente_.Toma());
    }
  }
  return false;
}

// Handles the word at the cursor when it means something in this kind of text; false leaves it
// to be copied.
bool Preprocesador::Palabra(Modo modo, VistaTexto propio, bool& fin) {
  fuente_.MiraIdentificadorAqui(id_);
  idMay_.resize(id_.size());
  for (size_t i = 0; i < id_.size(); ++i) idMay_[i] = Mayuscula(id_[i]);
  const Texto& w = idMay_;
  if (modo == Modo::Principal) {
    if (w == U"$DEFINIR") return Define(false), true;
    if (w == U"$REDEF") return Define(true), true;
  }
  if (modo == Modo::Bloque) {
    if (w == propio) {
      fuente_.ErrorAqui(T("Llamada recursiva en bloque '$DEFINIR'"));
      return true;
    }
    if (w == U"FINDEFINIR") return fin = true;
  }
  if (w == U"$INCLUIR") return Incluye(), true;
  if (w == U"$CONSULTAR") return Consulta(false, nullptr), true;
  if (int slot = defs_.BuscaMayusculas(w)) return ExpandeSalida(slot), true;
  if (w == U"$PARA") return Para(), true;
  if (EsFuncion(w)) {
    Funcion(Texto(w));
    return true;
  }
  if (modo == Modo::Para && w == U"FINPARA") return fin = true;
  return false;
}

// A word that means nothing here: its characters up to the next possible word start.
void Preprocesador::EscribeLiteral() {
  salida_.EscribeCaracter(fuente_.Toma());
  for (char32_t c = fuente_.Mira(); EsIdentificador(c) && c != U'$'; c = fuente_.Mira())
    salida_.EscribeCaracter(fuente_.Toma());
}

void Preprocesador::SaltaComentario() {
  fuente_.LeeHastaFinLinea();
  salida_.EscribeCaracter(kSalto);
}

void Preprocesador::TomaPalabra(size_t n) {
  for (size_t i = 0; i < n; ++i) fuente_.Toma();
}

void Preprocesador::ExpandeSalida(int slot) {
  const Definicion& d = defs_[slot];
  TomaPalabra(id_.size());
  if (d.tipo == TipoDefinicion::Valor) {
    salida_.EscribeTexto(d.valor);
    return;
  }
  Texto nombre = d.nombre;
  if (std::find(enCurso_.begin(), enCurso_.end(), nombre) != enCurso_.end()) {
    fuente_.ErrorAqui(T("Llamada recursiva en bloque '$DEFINIR'"));
    return;
  }
  if (!EntraNivel("Llamada recursiva en bloque '$DEFINIR'")) return;
  enCurso_.push_back(nombre);
  Posicion antes = fuente_.Guarda();
  fuente_.Restaura(d.cuerpo);
  if (fuente_.Mira() == U' ') fuente_.Toma();
  bool cerrado = Bucle(Modo::Bloque, nombre);
  if (!cerrado && !error_.HayError())
    fuente_.ErrorAqui(T("Sorpresa!!!. No se encontro 'FINDEFINIR' del '$DEFINIR'"));
  salida_.RetrocedeBlanco();
  fuente_.Restaura(antes);
  enCurso_.pop_back();
  --profundidad_;
}

Texto Preprocesador::ExpandeCadena(int slot) {
  Texto r;
  if (slot <= 0 || slot > defs_.Cuenta()) {
    fuente_.ErrorAqui(T("Sorpresa!!!. El identificador No esta definido."));
    return r;
  }
  ExpandeCadena(slot, r);
  return r;
}

// The body as text: other definitions expanded the same way, nothing else interpreted.
void Preprocesador::ExpandeCadena(int slot, Texto& destino) {
  const Definicion& d = defs_[slot];
  if (d.tipo == TipoDefinicion::Valor) {
    destino += d.valor;
    return;
  }
  Texto nombre = d.nombre;
  if (std::find(enCurso_.begin(), enCurso_.end(), nombre) != enCurso_.end() ||
      !EntraNivel("Llamada recursiva en bloque '$DEFINIR'")) {
    if (!error_.HayError()) fuente_.ErrorAqui(T("Llamada recursiva en bloque '$DEFINIR'"));
    return;
  }
  enCurso_.push_back(nombre);
  Posicion antes = fuente_.Guarda();
  fuente_.Restaura(d.cuerpo);
  if (fuente_.Mira() == U' ') fuente_.Toma();
  Texto id;
  while (!error_.HayError() && !Excedido(destino.size())) {
    char32_t c = fuente_.Mira();
    if (c == kFin) {
      fuente_.ErrorAqui(T("Sorpresa!!!. No se encontro 'FINDEFINIR' del '$DEFINIR'"));
      break;
    }
    if (EsInicioIdentificador(c) && fuente_.EnInicioPalabra()) {
      fuente_.MiraIdentificadorAqui(id);
      Texto may = Mayusculas(id);
      if (may == U"FINDEFINIR") break;
      if (int s = defs_.Busca(may)) {
        TomaPalabra(id.size());
        ExpandeCadena(s, destino);
        continue;
      }
      destino.push_back(fuente_.Toma());
      for (c = fuente_.Mira(); EsIdentificador(c) && c != U'$'; c = fuente_.Mira())
        destino.push_back(fuente_.Toma());
    } else if (c == U'-' && fuente_.MiraSegundo() == U'-') {
      fuente_.LeeHastaFinLinea();
      destino += U"\r\n";
    } else if (fuente_.Toma() == kSalto) {
      destino += U"\r\n";
    } else {
      destino.push_back(c);
    }
  }
  fuente_.Restaura(antes);
  enCurso_.pop_back();
  --profundidad_;
}

} // namespace zt::preproc
