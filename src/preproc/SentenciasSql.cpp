// Statement splitting of query scripts.
#include "preproc/SentenciasSql.h"
#include <algorithm>

namespace zt::preproc {

namespace {

bool EsLetraSql(char32_t c) {
  return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9') || c == U'_' ||
         c == U'$' || c >= 0x80;
}

bool EsBlanco(char32_t c) { return c == U' ' || c == U'\t' || c == U'\r' || c == U'\f' || c == U'\v'; }

// "$$" or "$tag$" opening a dollar-quoted text at 'i', else 0: its length.
size_t LargoEtiqueta(VistaTexto l, size_t i) {
  size_t j = i + 1;
  if (j < l.size() && l[j] >= U'0' && l[j] <= U'9') return 0; // "$1" is a parameter
  while (j < l.size() && l[j] != U'$' && l[j] < 0x80 && EsLetraSql(l[j])) ++j;
  return j < l.size() && l[j] == U'$' ? j - i + 1 : 0;
}

} // namespace

void TroceadorSql::FinPalabra() {
  if (palabra_.empty()) return;
  ultima_ = Mayusculas(palabra_);
  if (primeras_.size() < 5) primeras_.push_back(ultima_);
  palabra_.clear();
}

bool TroceadorSql::TerminaAqui() const {
  if (primeras_.empty()) return true;
  const Texto& p = primeras_[0];
  if (p == U"DECLARE") return false;
  if (p == U"BEGIN") {
    // "BEGIN;" and "BEGIN TRANSACTION;" start a transaction; anything else opens a block.
    static const Texto kTransaccion[] = {U"TRANSACTION", U"TRAN",      U"WORK",     U"DEFERRED",
                                         U"IMMEDIATE",   U"EXCLUSIVE", U"ISOLATION"};
    return primeras_.size() == 1 || std::ranges::find(kTransaccion, primeras_[1]) != std::end(kTransaccion);
  }
  // A trigger's body holds statements of its own; the trigger ends at "END;".
  if (p == U"CREATE") {
    static const Texto kAntes[] = {U"OR", U"REPLACE", U"TEMP", U"TEMPORARY", U"EDITIONABLE", U"NONEDITIONABLE"};
    auto w = std::find_if(primeras_.begin() + 1, primeras_.end(),
                          [](const Texto& x) { return std::ranges::find(kAntes, x) == std::end(kAntes); });
    if (w != primeras_.end() && *w == U"TRIGGER") return ultima_ == U"END";
  }
  return true;
}

void TroceadorSql::Linea(VistaTexto l, std::vector<Texto>& hechas) {
  if (empezada_)
    sentencia_ += U'\n';
  else if (dentro_ == Zona::Nada)
    sentencia_.clear(); // blanks of the lines before a statement are not kept
  for (size_t i = 0; i < l.size(); ++i) {
    const char32_t c = l[i];
    const char32_t sig = i + 1 < l.size() ? l[i + 1] : 0;
    switch (dentro_) {
    case Zona::Comentario:
      if (c == U'*' && sig == U'/') {
        if (empezada_) sentencia_ += U"*/";
        ++i;
        dentro_ = Zona::Nada;
      } else if (empezada_) {
        sentencia_ += c;
      }
      continue;
    // A doubled quote closes and opens again: the same as going on.
    case Zona::Comilla:
    case Zona::Doble:
      sentencia_ += c;
      if (c == (dentro_ == Zona::Comilla ? U'\'' : U'"')) dentro_ = Zona::Nada;
      continue;
    case Zona::Dolar:
      if (l.substr(i).starts_with(etiqueta_)) {
        sentencia_ += etiqueta_;
        i += etiqueta_.size() - 1;
        dentro_ = Zona::Nada;
      } else {
        sentencia_ += c;
      }
      continue;
    case Zona::Nada: break;
    }
    if (c == U'-' && sig == U'-') {
      FinPalabra();
      if (empezada_) sentencia_ += l.substr(i);
      break;
    }
    if (c == U'/' && sig == U'*') {
      FinPalabra();
      if (empezada_)
        sentencia_ += U"/*";
      else
        sentencia_.clear();
      ++i;
      dentro_ = Zona::Comentario;
      continue;
    }
    if (c == U';') {
      FinPalabra();
      if (!empezada_) { // an empty statement
        sentencia_.clear();
      } else if (TerminaAqui()) {
        hechas.push_back(std::move(sentencia_));
        sentencia_.clear();
        empezada_ = false;
        primeras_.clear();
        ultima_.clear();
      } else {
        sentencia_ += c;
      }
      continue;
    }
    sentencia_ += c;
    if (EsBlanco(c)) {
      FinPalabra();
      continue;
    }
    empezada_ = true;
    if (c == U'$' && palabra_.empty()) {
      if (size_t n = LargoEtiqueta(l, i)) {
        etiqueta_ = Texto(l.substr(i, n));
        sentencia_ += l.substr(i + 1, n - 1);
        i += n - 1;
        dentro_ = Zona::Dolar;
        continue;
      }
    }
    if (EsLetraSql(c)) {
      palabra_ += c;
      continue;
    }
    FinPalabra();
    if (c == U'\'') dentro_ = Zona::Comilla;
    if (c == U'"') dentro_ = Zona::Doble;
  }
  FinPalabra();
}

void TroceadorSql::Cierra(std::vector<Texto>& hechas) {
  FinPalabra();
  if (empezada_) hechas.push_back(std::move(sentencia_));
  sentencia_.clear();
  empezada_ = false;
  dentro_ = Zona::Nada;
  primeras_.clear();
  ultima_.clear();
}

} // namespace zt::preproc
