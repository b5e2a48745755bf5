// The directives: $DEFINIR, $REDEF, $INCLUIR, $PARA, $CONSULTAR and $PSQL_REINIC.
#include "preproc/Cadenas.h"
#include "preproc/Motor.h"
#include <algorithm>
#include <filesystem>

namespace zt::preproc {

void Preprocesador::Define(bool redef) {
  error_.Limpia();
  const int32_t lineaDirectiva = fuente_.Linea();
  fuente_.LeeIdentificador();
  Texto nombre = RecortaEspacios(fuente_.LeeIdentificador());
  if (nombre.empty()) {
    fuente_.ErrorAqui(
        T(redef ? "Se esperaba variable despues de $REDEF" : "Se esperaba variable despues de $DEFINIR"));
    return;
  }
  int existente = defs_.Busca(nombre);
  if (existente && !redef) {
    fuente_.ErrorAqui(T("Ya esta definida la variable ") + nombre);
    return;
  }
  const int slot = redef ? existente : 0;
  fuente_.SaltaBlancos();
  if (fuente_.Mira() == U'=') {
    fuente_.Toma();
    Texto valor;
    if (Mayusculas(fuente_.MiraIdentificador()) == U"$CONSULTAR") {
      Consulta(true, &valor);
      if (error_.HayError()) return;
    } else {
      valor = CortaComentario(fuente_.LeeHastaFinLinea());
    }
    if (!defs_.AgregaValor(nombre, std::move(valor), slot))
      ErrorLinea(T("Demasiadas definiciones."), lineaDirectiva); // the cursor is already on the next line
    return;
  }
  if (Mayusculas(fuente_.MiraIdentificador()) == U"COMO") {
    fuente_.LeeIdentificador();
    if (!defs_.AgregaBloque(nombre, fuente_.Guarda(), slot)) {
      ErrorLinea(T("Demasiadas definiciones."), lineaDirectiva);
      return;
    }
    BuscaFinDefinir(lineaDirectiva);
    return;
  }
  fuente_.ErrorAqui(T("Se esperaba 'COMO' o '=' despues de ") + nombre);
}

// Skips a block body without writing it.
void Preprocesador::BuscaFinDefinir(int32_t lineaDirectiva) {
  Texto id;
  for (;;) {
    char32_t c = fuente_.Mira();
    if (c == kFin) {
      ErrorLinea(T("Inesperado fin de archivo. No se encontro 'FINDEFINIR' del '$DEFINIR'"), lineaDirectiva);
      return;
    }
    if (EsInicioIdentificador(c) && fuente_.EnInicioPalabra()) {
      fuente_.MiraIdentificadorAqui(id);
      Texto may = Mayusculas(id);
      if (may == U"FINDEFINIR") {
        TomaPalabra(id.size());
        fuente_.SaltaBlancos();
        return;
      }
      if (may == U"$DEFINIR") {
        ErrorLinea(T("Se esperaba 'FINDEFINIR' del '$DEFINIR'"), lineaDirectiva);
        return;
      }
    }
    fuente_.Toma();
  }
}

void Preprocesador::Incluye() {
  error_.Limpia();
  fuente_.LeeIdentificador();
  Texto nombre = fuente_.LeeToken();
  if (error_.HayError()) return;
  nombre = RecortaEspacios(CortaComentario(RecortaEspacios(nombre)));
  if (nombre.empty()) {
    fuente_.ErrorAqui(T("Se esperaba nombre de archivo en INCLUIR"));
    return;
  }
  const Texto& actual = fuente_.ArchivoActual();
  auto barra = actual.rfind(U'/');
  if (nombre.find(U'/') == Texto::npos && barra != Texto::npos) nombre = actual.substr(0, barra + 1) + nombre;
  Texto clave = Mayusculas(nombre);
  if (std::find(incluidos_.begin(), incluidos_.end(), clave) != incluidos_.end()) return;
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::path(U8(nombre)), ec)) {
    fuente_.ErrorAqui(T("No Existe Archivo a INCLUIR: ") + nombre);
    return;
  }
  if (++nIncluidos_ >= kMaxIncluidos) {
    fuente_.ErrorAqui(T("Demasiados Archivos Incluidos."));
    return;
  }
  incluidos_.push_back(std::move(clave));
  ProcesaArchivo(nombre);
}

// $PARA v EN list [CON w EN list] HACER body FINPARA
void Preprocesador::Para() {
  error_.Limpia();
  if (!EntraNivel("Demasiados niveles de anidamiento.")) return;
  struct Nivel {
    int& p;
    ~Nivel() { --p; }
  } nivel{profundidad_};
  fuente_.LeeIdentificador();
  Texto var1 = fuente_.LeeIdentificador();
  if (var1.empty()) return fuente_.ErrorAqui(T("Se esperaba variable despues del PARA"));
  if (Mayusculas(fuente_.LeeIdentificador()) != U"EN")
    return fuente_.ErrorAqui(T("Se esperaba palabra 'EN' despues de ") + var1);
  std::vector<Texto> lista1, lista2;
  if (!LeeListaPara(var1, lista1)) return;
  Texto var2;
  if (Mayusculas(fuente_.MiraIdentificador()) == U"CON") {
    fuente_.LeeIdentificador();
    var2 = fuente_.LeeIdentificador();
    if (var2.empty()) return fuente_.ErrorAqui(T("Se esperaba variable despues del CON"));
    if (Mayusculas(fuente_.LeeIdentificador()) != U"EN")
      return fuente_.ErrorAqui(T("Se esperaba palabra 'EN' despues de ") + var2);
    if (!LeeListaCon(var2, lista1.size(), lista2)) return;
  }
  if (Mayusculas(fuente_.LeeIdentificador()) != U"HACER")
    return fuente_.ErrorAqui(T("Se esperaba palabra reservada 'HACER'"));
  const Posicion cuerpo = fuente_.Guarda();
  const int32_t lineaCuerpo = fuente_.Linea();
  const Texto may1 = Mayusculas(var1), may2 = Mayusculas(var2);
  int slot1 = 0, slot2 = 0;
  auto fija = [&](int& slot, const Texto& nombre, const Texto& may, const Texto& valor) {
    // $PSQL_REINIC in a body empties the table: the variable then takes a new slot
    if (slot > defs_.Cuenta() || (slot && defs_[slot].nombre != may)) slot = 0;
    slot = defs_.AgregaValor(nombre, valor, slot);
    if (!slot) fuente_.ErrorAqui(T("Demasiadas definiciones."));
    return slot != 0;
  };
  for (size_t i = 0; i < lista1.size() && !error_.HayError(); ++i) {
    fuente_.Restaura(cuerpo);
    if (!fija(slot1, var1, may1, lista1[i])) break;
    if (!var2.empty() && !fija(slot2, var2, may2, lista2[i])) break;
    if (!Bucle(Modo::Para, {}) && !error_.HayError())
      ErrorLinea(T("Inesperado fin de archivo. No se encontró 'FINPARA' del 'PARA'"), lineaCuerpo);
  }
  for (auto [slot, may] : {std::pair{slot2, &may2}, std::pair{slot1, &may1}})
    if (slot && slot <= defs_.Cuenta() && defs_[slot].nombre == *may) defs_.Quita(slot);
  if (error_.HayError()) return;
  fuente_.LeeIdentificador();
  fuente_.SaltaBlancos();
}

// The first list: elements up to HACER or CON; one defined name stands for its words.
bool Preprocesador::LeeListaPara(const Texto& variable, std::vector<Texto>& lista) {
  Texto siguiente = Mayusculas(fuente_.MiraPalabra());
  if (siguiente == U"HACER" || fuente_.MiraElementoLista().empty()) {
    fuente_.ErrorAqui(T("Se esperaba lista de palabras despues del 'EN'"));
    return false;
  }
  for (;;) {
    Texto e = fuente_.MiraElementoLista();
    Texto may = Mayusculas(e);
    if (may == U"HACER" || may == U"CON") break;
    fuente_.SaltaBlancos();
    if (fuente_.AlFinal()) {
      fuente_.ErrorAqui(T("Inesperado fin de archivo. Se esperaba fin de sentencia PARA..EN..HACER."));
      return false;
    }
    e = fuente_.LeeElementoLista();
    if (error_.HayError()) return false;
    lista.push_back(std::move(e));
  }
  if (lista.size() == 1) {
    if (int slot = defs_.Busca(lista[0])) {
      Texto texto = ExpandeCadena(slot);
      if (error_.HayError()) return false;
      lista = ListaPalabras(texto);
      if (lista.empty()) {
        fuente_.ErrorAqui(T("La definición '") + variable + T("' no contiene elementos."));
        return false;
      }
    }
  }
  return true;
}

// The second list: plain words, as many as the first list has.
bool Preprocesador::LeeListaCon(const Texto&, size_t cuantos, std::vector<Texto>& lista) {
  Texto siguiente = fuente_.MiraPalabra();
  if (Mayusculas(siguiente) == U"HACER" || siguiente.empty()) {
    fuente_.ErrorAqui(T("Se esperaba lista de palabras despues de 'CON ... EN'"));
    return false;
  }
  while (lista.size() < cuantos) {
    fuente_.SaltaBlancos();
    if (fuente_.AlFinal()) {
      fuente_.ErrorAqui(
          T("Inesperado fin de archivo. Se esperaba fin de sentencia PARA..EN..CON..EN..HACER."));
      return false;
    }
    Texto p = fuente_.MiraPalabra();
    if (p.empty() || Mayusculas(p) == U"HACER") break; // an empty word would never advance
    lista.push_back(fuente_.LeePalabra());
  }
  if (lista.size() < cuantos) {
    fuente_.ErrorAqui(T("Se esperaban ") + T(std::to_string(cuantos)) +
                      T(" variables en sentencia ..CON..EN..HACER."));
    return false;
  }
  return true;
}

void Preprocesador::Consulta(bool modoValor, Texto* valor) {
  error_.Limpia();
  if (!opciones_.consultor) {
    fuente_.ErrorAqui(T("La sentencia $CONSULTAR no está disponible en esta versión."));
    return;
  }
  if (!EntraNivel("Demasiados niveles de anidamiento.")) return;
  auto r = opciones_.consultor->Consulta(*this, modoValor);
  --profundidad_;
  if (modoValor && valor && r) *valor = std::move(*r);
}

void Preprocesador::Reinicia() {
  fuente_.LeeIdentificador();
  defs_.Vacia();
  incluidos_.clear();
  nIncluidos_ = 0;
}

} // namespace zt::preproc
