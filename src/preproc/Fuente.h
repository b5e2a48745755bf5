// The source contents of a run (document, includes, query results) and the one cursor over them.
#pragma once
#include "base/Texto.h"
#include "preproc/EstadoError.h"
#include <cstdint>
#include <memory>
#include <vector>

namespace zt::preproc {

// The scanner hands a line end over as this one character; lines never hold it.
constexpr char32_t kSalto = U'\n';
// What the cursor gives at the end of the input: not a character, so a NUL in a document is
// text like any other and never ends the run early.
constexpr char32_t kFin = 0xFFFFFFFF;

inline bool EsInicioIdentificador(char32_t c) {
  return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || c == U'_' || c == U'$' || c == U'ñ' ||
         c == U'Ñ';
}
inline bool EsDigito(char32_t c) { return c >= U'0' && c <= U'9'; }
inline bool EsIdentificador(char32_t c) { return EsInicioIdentificador(c) || EsDigito(c); }
inline bool EsCaracterPalabra(char32_t c) { return EsIdentificador(c) || c == U'.'; }
inline bool EsBlanco(char32_t c) { return c == U' ' || c == U'\t' || c == U'\n'; } // blank, TAB, line end

struct Contenido {
  std::vector<Texto> lineas;
};

// A saved cursor: restoring it puts all five fields back.
struct Posicion {
  int32_t contenido = 0;
  int32_t linea = 1;
  Texto archivo;
  int32_t columna = 1;
  int32_t nLineas = 0;
};

class Fuente {
public:
  explicit Fuente(EstadoError& error) : error_(error) {}

  // Empties the contents list; the cursor stands nowhere (at the end).
  void Vacia();
  // Appends the text as a new content and makes it current; the current file becomes empty.
  void CreaDeTexto(VistaTexto texto);
  // Appends the file's lines as a new content; false (and the error set) when it cannot be read.
  bool CreaDeArchivo(const Texto& nombre);

  Posicion Guarda() const;
  void Restaura(const Posicion& p);

  // Cursor primitives; none fails, and at the end they give kFin or an empty text.
  bool AlFinal() const;
  // Next character, kSalto on the line end.
  char32_t Mira() const {
    if (!lin_) return kFin;
    if (columna_ <= static_cast<int32_t>(lin_->size())) return (*lin_)[columna_ - 1];
    return linea_ == nLineas_ ? kFin : kSalto;
  }
  char32_t MiraSegundo() const; // the one after it, within the same line only
  Texto Mira(int n) const;      // up to n characters; CR LF on the line end
  char32_t Toma() {
    char32_t c = Mira();
    if (c == kSalto) {
      ++linea_;
      columna_ = 1;
      FijaLinea();
    } else if (c != kFin) {
      ++columna_;
    }
    return c;
  }
  char32_t Anterior() const;
  bool SaltaBlancos();
  bool Coincide(VistaTexto texto);
  bool EnInicioPalabra() const;
  bool EnComentario() const { return Mira() == U'-' && MiraSegundo() == U'-'; }
  Texto LeeHastaFinLinea();

  // Token readers; each first skips blanks.
  Texto LeeIdentificador();
  // Reads into 'destino' (reused buffer) without skipping blanks; the hot path of every loop.
  void MiraIdentificadorAqui(Texto& destino) const;
  Texto MiraIdentificador();
  Texto LeePalabra();
  Texto MiraPalabra();
  Texto LeeElementoLista();
  Texto MiraElementoLista();
  Texto LeeToken();
  Texto LeeCadena();
  double LeeNumero();

  const Texto& ArchivoActual() const { return archivo_; }
  int32_t Linea() const { return linea_; }
  int32_t Columna() const { return columna_; }
  size_t NumContenidos() const { return contenidos_.size(); }
  // Sets the error at the cursor: current file, line and column.
  void ErrorAqui(Texto mensaje);

private:
  // Runs a reader and puts the cursor back where it was: a look without taking.
  template <class Lector> Texto Mirando(Lector leer) {
    int32_t l = linea_, c = columna_;
    Texto r = leer();
    linea_ = l;
    columna_ = c;
    FijaLinea();
    return r;
  }
  void Entra(int32_t indice, Texto archivo);
  void FijaLinea();
  Texto LeeHastaDelimitador();

  EstadoError& error_;
  std::vector<std::unique_ptr<Contenido>> contenidos_;
  int32_t contenido_ = 0; // 1-based; 0 = none
  int32_t linea_ = 1;
  int32_t columna_ = 1;
  int32_t nLineas_ = 0;
  Texto archivo_;
  const Texto* lin_ = nullptr; // the current line, or null past the last one
};

} // namespace zt::preproc
