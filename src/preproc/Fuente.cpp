// The source contents of a run and the one cursor over them; the scanner's token readers.
#include "preproc/Fuente.h"
#include "base/ArchivoTexto.h"
#include "base/Numeros.h"
#include <filesystem>

namespace zt::preproc {

void Fuente::Vacia() {
  contenidos_.clear();
  contenido_ = 0;
  linea_ = 1;
  columna_ = 1;
  nLineas_ = 0;
  archivo_.clear();
  lin_ = nullptr;
}

// Lines split at CR LF (LF or CR alone too); a text ending in a line end has a final empty line.
void Fuente::CreaDeTexto(VistaTexto texto) {
  auto c = std::make_unique<Contenido>();
  Texto actual;
  for (size_t i = 0; i < texto.size(); ++i) {
    char32_t ch = texto[i];
    if (ch == U'\r' || ch == U'\n') {
      if (ch == U'\r' && i + 1 < texto.size() && texto[i + 1] == U'\n') ++i;
      c->lineas.push_back(std::move(actual));
      actual.clear();
    } else {
      actual.push_back(ch);
    }
  }
  c->lineas.push_back(std::move(actual));
  contenidos_.push_back(std::move(c));
  Entra(static_cast<int32_t>(contenidos_.size()), Texto());
}

bool Fuente::CreaDeArchivo(const Texto& nombre) {
  std::filesystem::path ruta(U8(nombre));
  std::error_code ec;
  std::optional<ContenidoArchivo> leido;
  if (std::filesystem::is_regular_file(ruta, ec)) leido = LeeArchivoTexto(ruta);
  if (!leido) {
    error_.Fija(1, T("No se encuentra archivo: ") + nombre, Texto(), -1);
    return false;
  }
  auto c = std::make_unique<Contenido>();
  c->lineas = std::move(leido->lineas);
  contenidos_.push_back(std::move(c));
  Entra(static_cast<int32_t>(contenidos_.size()), nombre);
  return true;
}

void Fuente::Entra(int32_t indice, Texto archivo) {
  contenido_ = indice;
  linea_ = 1;
  columna_ = 1;
  nLineas_ = static_cast<int32_t>(contenidos_[indice - 1]->lineas.size());
  archivo_ = std::move(archivo);
  FijaLinea();
}

void Fuente::FijaLinea() {
  if (contenido_ < 1 || contenido_ > static_cast<int32_t>(contenidos_.size()) || linea_ < 1 ||
      linea_ > nLineas_) {
    lin_ = nullptr;
    return;
  }
  lin_ = &contenidos_[contenido_ - 1]->lineas[linea_ - 1];
}

Posicion Fuente::Guarda() const { return Posicion{contenido_, linea_, archivo_, columna_, nLineas_}; }

void Fuente::Restaura(const Posicion& p) {
  contenido_ = p.contenido;
  linea_ = p.linea;
  archivo_ = p.archivo;
  columna_ = p.columna;
  nLineas_ = p.nLineas;
  FijaLinea();
}

bool Fuente::AlFinal() const {
  if (!lin_) return true;
  return linea_ == nLineas_ && columna_ > static_cast<int32_t>(lin_->size());
}

char32_t Fuente::MiraSegundo() const {
  if (!lin_ || columna_ >= static_cast<int32_t>(lin_->size())) return kFin;
  return (*lin_)[columna_];
}

Texto Fuente::Mira(int n) const {
  char32_t c = Mira();
  if (c == kFin) return Texto();
  if (c == kSalto) return U"\r\n";
  return lin_->substr(columna_ - 1, n);
}

char32_t Fuente::Anterior() const {
  if (AlFinal() || (linea_ == 1 && columna_ == 1)) return kFin;
  if (columna_ == 1) return kSalto;
  return (*lin_)[columna_ - 2];
}

bool Fuente::SaltaBlancos() {
  bool algo = false;
  while (EsBlanco(Mira())) {
    Toma();
    algo = true;
  }
  return algo;
}

bool Fuente::Coincide(VistaTexto texto) {
  SaltaBlancos();
  for (char32_t c : texto) {
    if (Mira() != c || c == kFin) return false;
    Toma();
  }
  return true;
}

bool Fuente::EnInicioPalabra() const {
  char32_t c = Mira();
  if (!EsInicioIdentificador(c)) return false;
  if (c == U'$') return true;
  char32_t p = Anterior();
  return !EsDigito(p) && !EsInicioIdentificador(p);
}

Texto Fuente::LeeHastaFinLinea() {
  Texto r;
  for (char32_t c = Mira(); c != kFin && c != kSalto; c = Mira()) r.push_back(Toma());
  Toma();
  return r;
}

void Fuente::MiraIdentificadorAqui(Texto& destino) const {
  destino.clear();
  if (!lin_) return;
  auto n = static_cast<int32_t>(lin_->size());
  int32_t col = columna_;
  if (col > n || !EsInicioIdentificador((*lin_)[col - 1])) return;
  destino.push_back((*lin_)[col - 1]);
  for (++col; col <= n; ++col) {
    char32_t c = (*lin_)[col - 1];
    if (!EsIdentificador(c)) break;
    destino.push_back(c);
    if (c == U'$') break;
  }
}

Texto Fuente::LeeIdentificador() {
  SaltaBlancos();
  Texto r;
  MiraIdentificadorAqui(r);
  columna_ += static_cast<int32_t>(r.size());
  return r;
}

Texto Fuente::MiraIdentificador() { return Mirando([this] { return LeeIdentificador(); }); }

Texto Fuente::LeePalabra() {
  SaltaBlancos();
  Texto r;
  while (EsCaracterPalabra(Mira())) r.push_back(Toma());
  return r;
}

Texto Fuente::MiraPalabra() { return Mirando([this] { return LeePalabra(); }); }

Texto Fuente::LeeHastaDelimitador() {
  Texto r;
  for (char32_t c = Mira(); c != kFin && !EsBlanco(c); c = Mira()) r.push_back(Toma());
  return r;
}

Texto Fuente::LeeElementoLista() {
  SaltaBlancos();
  if (Mira() == U'\'') return LeeCadena();
  return LeeHastaDelimitador();
}

Texto Fuente::MiraElementoLista() {
  EstadoError antes = error_;
  Texto r = Mirando([this] { return LeeElementoLista(); });
  error_ = antes;
  return r;
}

Texto Fuente::LeeToken() {
  error_.Limpia();
  SaltaBlancos();
  if (Mira() == U'\'') {
    Texto r = LeeCadena();
    return error_.HayError() ? Texto() : r;
  }
  return LeeHastaDelimitador();
}

Texto Fuente::LeeCadena() {
  error_.Limpia();
  SaltaBlancos();
  if (Mira() != U'\'') return Texto();
  Toma();
  Texto r;
  for (char32_t c = Toma(); c != U'\''; c = Toma()) {
    if (c == kFin) {
      error_.Fija(1, T("No se encontro fin de cadena"), archivo_, linea_);
      return Texto();
    }
    if (c == kSalto)
      r += U"\r\n";
    else
      r.push_back(c);
  }
  return r;
}

double Fuente::LeeNumero() {
  bool negativo = Coincide(U"-");
  Texto cifras;
  for (char32_t c = Mira(); EsDigito(c) || c == U'.'; c = Mira()) cifras.push_back(Toma());
  if (cifras.empty()) return 0;
  double v = zt::LeeNumero(cifras);
  return negativo ? -v : v;
}

void Fuente::ErrorAqui(Texto mensaje) { error_.Fija(1, std::move(mensaje), archivo_, linea_, columna_); }

} // namespace zt::preproc
