// Statement executor: the statement loop, IF by recursion, the waits and the run's files.
#include "script/InterpProces.h"
#include "base/Codec.h"
#include "base/Error.h"
#include "base/Numeros.h"
#include "platform/DestinoSsh.h"
#include "terminal/AjustesTerminal.h"
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <new>

namespace zt {
namespace {

constexpr int16_t MaxArchivos = 255;

// "timeout" and IF conditions are converted like the platform's CInt of a text: a text that is
// not a number is a type mismatch (an empty one too).
double NumeroEstricto(VistaTexto s) {
  bool entero = false;
  const double v = LeeNumero(s, &entero);
  if (!entero) throw ErrorEjecucion(CodigoError::TiposNoCoinciden);
  return v;
}

Texto RecortaBlancos(VistaTexto s) {
  const size_t a = s.find_first_not_of(U" \t");
  if (a == VistaTexto::npos) return {};
  const size_t b = s.find_last_not_of(U" \t");
  return Texto(s.substr(a, b - a + 1));
}

} // namespace

InterpProces::InterpProces(CInterprete& in, EntornoMacro& entorno) : in_(in), entorno_(entorno) {}

InterpProces::~InterpProces() { TerminaEjecucion(); }

void InterpProces::IniciaEjecucion() {
  TerminaEjecucion();
  DetenerMacro = Abandonar = FinPrograma = false;
  profundidad_ = 0;
}

void InterpProces::TerminaEjecucion() {
  VarCaptura = 0;
  errorCaptura_.clear();
  esperado_ = nullptr;
  esperaCambio_ = false;
  for (auto& [n, a] : archivos_) std::fclose(a.f);
  archivos_.clear();
}

void InterpProces::DatosRecibidos(const Texto& texto, const Texto* ultimaLinea, bool saltoDeLinea,
                                  std::size_t quitar) {
  if (VarCaptura != 0 && VarCaptura <= in_.NumVariables()) {
    const Texto& actual = in_.LeeValorVar(VarCaptura);
    quitar = std::min(quitar, actual.size());
    // A host that floods a capture ends the run instead of exhausting memory.
    if (actual.size() - quitar + texto.size() > in_.limiteTexto) {
      VarCaptura = 0;
      errorCaptura_ = DescripcionError(CodigoError::CadenaMuyLarga);
    } else {
      in_.RecortaValorVar(VarCaptura, actual.size() - quitar);
      in_.AgreValorVar(VarCaptura, texto);
    }
  }
  if (!ultimaLinea) return;
  lineaVista_ = *ultimaLinea;
  if (esperaCambio_ && (saltoDeLinea || *ultimaLinea != lineaEnvio_)) esperaCambio_ = false;
  UltimaLinea = esperaCambio_ ? Texto() : *ultimaLinea;
  // Compared as each chunk lands, so a prompt followed at once by more output is not missed.
  if (esperado_ && !coincidio_ && !esperaCambio_ && UltimaLinea == *esperado_) {
    coincidio_ = true;
    UltimaLinea.clear();
  }
}

Texto InterpProces::EjecutaBloque() {
  try {
    return Bloque();
  } catch (const ErrorEjecucion& e) {
    in_.MensajeError = e.descripcion();
  } catch (const std::bad_alloc&) {
    in_.MensajeError = DescripcionError(CodigoError::SinMemoria);
  } catch (const std::exception& e) {
    in_.MensajeError = T(e.what());
  }
  return {};
}

Texto InterpProces::Bloque() {
  Profundidad nivel(profundidad_);
  if (profundidad_ > ProfundidadMaximaIf) {
    in_.MensajeError = T("Demasiados niveles de sentencias 'IF' anidadas (máximo ") +
                       TextoNumero(ProfundidadMaximaIf, 7) + U")";
    return {};
  }
  for (;;) {
    if (!errorCaptura_.empty()) {
      in_.MensajeError = std::move(errorCaptura_);
      errorCaptura_.clear();
      return {};
    }
    if (in_.FinCont() || DetenerMacro) return {};
    in_.CapBlancos();
    if (in_.VerCar(2) == U"//") {
      in_.CogLinea();
      continue;
    }
    if (in_.VerCar(1) == U";") {
      in_.CogCar(1);
      continue;
    }
    if (in_.FinLin()) {
      in_.CogLinea();
      continue;
    }
    CuentaEspera = AEntero16(NumeroEstricto(in_.LeeValorVar(in_.i_timeout)) * 10);
    const PosCont inicio = in_.GuardaPos();
    const Texto kw = Mayusculas(RecortaEspacios(in_.CogIdentificador()));
    bool fin = false;
    Texto r = Sentencia(kw, inicio, fin);
    if (fin) return r;
  }
}

bool InterpProces::LeeReferencia(const char* mensaje, Texto& nombre) {
  const ValorExpr v = in_.EvalExpresion(0, false);
  if (v.clase != ClaseVariable) {
    in_.MensajeError = T(mensaje);
    return false;
  }
  nombre = Mayusculas(v.texto);
  return true;
}

int16_t InterpProces::SlotExistente(const Texto& nombre) {
  const int16_t n = in_.ExisteVariable(nombre);
  if (n == 0) in_.MensajeError = T("No existe variable: ") + nombre;
  return n;
}

// Performs one statement. 'fin' set: the block returns the result (an error, a stop, a block
// keyword); otherwise the loop goes on.
Texto InterpProces::Sentencia(const Texto& kw, const PosCont& inicio, bool& fin) {
  const bool ej = in_.Ejec;
  auto corta = [&]() -> bool { return !in_.MensajeError.empty() && (fin = true); };
  fin = false;

  if (kw == U"CAPTURE") {
    Texto nombre;
    if (!LeeReferencia("Se esperaba variable en sentencia CAPTURE", nombre)) return fin = true, Texto();
    if (ej) {
      int16_t n = in_.ExisteVariable(nombre);
      if (n == 0) n = in_.CrearVariableCad(nombre, U"");
      in_.FijaValorVar(n, U"");
      VarCaptura = n;
    }
  } else if (kw == U"ENDCAPTURE") {
    if (ej) VarCaptura = 0;
  } else if (kw == U"WAIT") {
    const ValorExpr v = in_.EvalExpresion(0, false);
    if (ej) {
      EsperaCadena(v.valor);
      corta();
    }
  } else if (kw == U"SENDLN") {
    const ValorExpr v = in_.EvalExpresion(0, false);
    if (ej) {
      EnviaLineaMacro(v.valor);
      corta();
    }
  } else if (kw == U"PAUSE") {
    const ValorExpr v = in_.EvalExpresion(0, false);
    if (ej) {
      const int16_t n = AEntero16(LeeNumero(v.valor));
      PausaMacro(AEntero16(double(n) * 100));
      corta();
    }
  } else if (kw == U"CONNECT") {
    const Texto elem = in_.CogeElemento();
    if (ej) {
      Texto host = elem;
      int32_t puerto = 23;
      // "host:port" as the command line's /IP= takes it; a plain host keeps port 23; an address
      // "ssh://[user@]host[:port]" is taken whole.
      if (EsDireccionSsh(U8(elem))) {
        const DestinoSsh d = LeeDestinoSsh(U8(elem));
        if (!d.error.empty()) {
          in_.MensajeError = T("Dirección SSH no válida en sentencia CONNECT: " + d.error);
          return fin = true, Texto();
        }
        puerto = d.puerto;
      } else if (const size_t p = elem.find(U':'); p != Texto::npos) {
        host = elem.substr(0, p);
        puerto = PuertoDeTexto(VistaTexto(elem).substr(p + 1));
        if (puerto == 0) {
          in_.MensajeError = T("Puerto no válido en sentencia CONNECT: '") + elem.substr(p + 1) + U"'";
          return fin = true, Texto();
        }
      }
      entorno_.ConnectToHost(host, puerto);
      entorno_.MuestraVentana();
      if (in_.MensajeError.empty()) EsperaConexion(elem);
      corta();
    }
  } else if (kw == U"DISCONNECT") {
    if (ej) {
      entorno_.Desconecta();
      corta();
    }
  } else if (kw == U"FILEOPEN") {
    Texto nombre;
    if (!LeeReferencia("Se esperaba variable en sentencia FILEOPEN", nombre)) return fin = true, Texto();
    const ValorExpr archivo = in_.EvalExpresion(0, false);
    if (ej) {
      int16_t numero = 0;
      Texto ruta = archivo.valor;
      AbreArchivo(ruta, numero);
      int16_t n = in_.ExisteVariable(nombre);
      if (n == 0)
        n = in_.CrearVariableNum(nombre, numero);
      else
        in_.FijaValorVar(n, TextoSimple(numero));
    }
  } else if (kw == U"FILEWRITE") {
    Texto nombre;
    if (!LeeReferencia("Se esperaba variable en sentencia FILEWRITE", nombre)) return fin = true, Texto();
    const ValorExpr texto = in_.EvalExpresion(0, false);
    if (ej) {
      const int16_t n = SlotExistente(nombre);
      if (n == 0) return fin = true, Texto();
      std::FILE* f = Archivo(AEntero16(NumeroEstricto(in_.LeeValorVar(n))));
      const std::string bytes = CodificaUtf8(texto.valor + U"\r\n");
      if (std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
        throw ErrorEjecucion(CodigoError::ErrorRuta);
    }
  } else if (kw == U"FILECLOSE") {
    Texto nombre;
    if (!LeeReferencia("Se esperaba variable en sentencia FILECLOSE", nombre)) return fin = true, Texto();
    if (ej) {
      const int16_t n = SlotExistente(nombre);
      if (n == 0) return fin = true, Texto();
      CierraArchivo(AEntero16(NumeroEstricto(in_.LeeValorVar(n))));
    }
  } else if (kw == U"LOGOPEN") {
    const Texto elem = in_.CogeElemento();
    if (ej) entorno_.AbreRegistro(elem);
  } else if (kw == U"LOGWRITE") {
    const Texto elem = in_.CogeElemento();
    if (ej) entorno_.EscribeRegistro(elem + U"\r\n");
  } else if (kw == U"LOGCLOSE") {
    if (ej) entorno_.CierraRegistro();
  } else if (kw == U"LOGPAUSE") {
    if (ej) entorno_.PausaRegistro(true);
  } else if (kw == U"LOGSTART") {
    if (ej) entorno_.PausaRegistro(false);
  } else if (kw == U"END") {
    if (ej) {
      entorno_.CierraRegistro();
      entorno_.Desconecta();
      FinPrograma = true;
      fin = true;
      return U"STOP";
    }
  } else if (kw == U"STOP") {
    if (ej) {
      fin = true;
      return U"STOP";
    }
  } else if (kw == U"MESSAGEBOX") {
    const ValorExpr v = in_.EvalExpresion(0, false);
    if (corta()) return {};
    const Texto titulo = RecortaBlancos(in_.CogLinea());
    if (ej) entorno_.Dialogos().Mensaje(v.valor, titulo, Botones::Aceptar, Icono::Ninguno);
  } else if (kw == U"IF") {
    return SentenciaIf(fin);
  } else if (kw == U"ELSE" || kw == U"ENDIF") {
    fin = true;
    return kw;
  } else if (kw == U"EDIT") {
    const ValorExpr v = in_.EvalExpresion(0, false);
    if (corta()) return {};
    if (ej) {
      Texto fallo = entorno_.EditaArchivo(v.valor);
      if (!fallo.empty()) {
        in_.MensajeError = std::move(fallo);
        return fin = true, Texto();
      }
    }
  } else if (kw.empty()) {
    in_.MensajeError = U"Comando desconocido: '" + kw + U"'";
    return fin = true, Texto();
  } else {
    in_.RestauraPos(inicio);
    const ValorExpr v = in_.EvalExpresion(0, false);
    in_.FijaValorVar(in_.i_result, v.valor);
    corta();
  }
  return {};
}

// IF ... THEN ... [ELSE ...] ENDIF. 'fin' set when the statement ends the enclosing block too:
// STOP, an error or a stop request, at any depth.
Texto InterpProces::SentenciaIf(bool& fin) {
  fin = true;
  const ValorExpr cond = in_.EvalExpresion(0, true);
  in_.FijaValorVar(in_.i_result, cond.valor);
  if (!in_.MensajeError.empty()) return {};
  if (Mayusculas(in_.VerIdentificador()) != U"THEN") {
    in_.MensajeError = T("Se esperaba 'THEN' en sentencia 'IF'");
    return {};
  }
  in_.CogIdentificador();

  const bool ejecutando = in_.Ejec;
  int16_t c = 0;
  if (ejecutando) {
    c = AEntero16(NumeroEstricto(in_.LeeValorVar(in_.i_result)));
    in_.Ejec = c != 0;
  }
  // Ejec goes back to true however the blocks end: a skipped branch must not leak into the rest.
  struct Restaura {
    CInterprete& in;
    bool ejecutando;
    ~Restaura() {
      if (ejecutando) in.Ejec = true;
    }
  } restaura{in_, ejecutando};

  // "" with an error or a stop request passes up as it is; "" otherwise is the content's end.
  auto finInesperado = [&](const char* mensaje) {
    if (in_.MensajeError.empty() && !DetenerMacro) in_.MensajeError = T(mensaje);
  };

  Texto r = EjecutaBloque();
  if (r == U"STOP") return r;
  if (r.empty()) {
    finInesperado("Inesperado fin de archivo. Se esperaba fin de sentencia 'IF'");
    return {};
  }
  if (r == U"ELSE") {
    if (ejecutando) in_.Ejec = c == 0;
    r = EjecutaBloque();
    if (r == U"STOP") return r;
    if (r.empty() || r == U"ELSE") {
      if (r == U"ELSE") in_.MensajeError.clear();
      finInesperado("Inesperado fin de archivo. Se esperaba ENDIF de sentencia 'IF'");
      return {};
    }
  }
  fin = false;
  return {};
}

// A link the host has closed can bring nothing more: the wait ends there, with the reason.
void InterpProces::EsperaCadena(const Texto& texto) {
  auto cerrada = [this] { return !entorno_.MotivoCierre().empty(); };
  if (CuentaEspera > 0 && !Abandonar) {
    coincidio_ = UltimaLinea == texto;
    if (coincidio_) UltimaLinea.clear();
    esperado_ = &texto;
    entorno_.Bomba().EsperaHasta(
        [&] { return coincidio_ || Abandonar || !errorCaptura_.empty() || cerrada(); }, int(CuentaEspera) * 100);
    esperado_ = nullptr;
    if (coincidio_ || Abandonar || !errorCaptura_.empty()) return;
  }
  if (Abandonar) return;
  in_.MensajeError = cerrada() ? entorno_.MotivoCierre() : T("Tiempo de espera excedido, para cadena '") + texto + U"'";
}

// Waits only for a connection that may still come: one the host closed or refused never will.
void InterpProces::EnviaLineaMacro(const Texto& texto) {
  auto conectado = [this] { return entorno_.EstadoConexion() == 7; };
  auto cerrada = [this] { return !entorno_.MotivoCierre().empty(); };
  if (!conectado() && !cerrada() && CuentaEspera > 0 && !Abandonar)
    entorno_.Bomba().EsperaHasta([&] { return conectado() || cerrada() || Abandonar; }, int(CuentaEspera) * 100);
  if (conectado()) {
    entorno_.SendData(texto + U"\r");
    // The prompt already on screen is not the answer to this line.
    lineaEnvio_ = lineaVista_;
    UltimaLinea.clear();
    esperaCambio_ = true;
    return;
  }
  if (Abandonar) return;
  in_.MensajeError = cerrada() ? entorno_.MotivoCierre() : T("Tiempo de espera de conexión, excedido");
}

// CONNECT waits for the attempt's outcome, so a refused or unknown host stops the run here, with
// the reason, instead of at a later SENDLN after a whole time-out.
void InterpProces::EsperaConexion(const Texto& destino) {
  auto resuelto = [this] { return entorno_.EstadoConexion() == 7 || !entorno_.MotivoCierre().empty(); };
  if (CuentaEspera <= 0 || Abandonar) return;
  entorno_.Bomba().EsperaHasta([&] { return resuelto() || Abandonar; }, int(CuentaEspera) * 100);
  if (Abandonar || entorno_.EstadoConexion() == 7) return;
  const Texto motivo = entorno_.MotivoCierre();
  in_.MensajeError = motivo.empty() ? T("Tiempo de espera de conexión, excedido") : motivo + U" (" + destino + U")";
}

void InterpProces::PausaMacro(int16_t n) {
  if (n <= 0 || Abandonar) return;
  entorno_.Bomba().EsperaHasta([this] { return Abandonar; }, int(n) * 10);
}

void InterpProces::AbreArchivo(Texto& nombre, int16_t& numero) {
  int16_t libre = 1;
  while (archivos_.count(libre)) ++libre;
  if (libre > MaxArchivos) throw ErrorEjecucion(CodigoError::NumeroArchivo, T("Demasiados archivos"));
  const std::string ruta = U8(nombre);
  if (ruta.empty()) throw ErrorEjecucion(CodigoError::ErrorRuta);
  std::error_code ec;
  const auto absoluta = std::filesystem::weakly_canonical(std::filesystem::absolute(ruta, ec), ec).string();
  for (auto& [n, a] : archivos_)
    if (!absoluta.empty() && a.ruta == absoluta) throw ErrorEjecucion(CodigoError::ArchivoYaAbierto);
  errno = 0;
  std::FILE* f = std::fopen(ruta.c_str(), "wb");
  if (!f) throw ErrorEjecucion(ErrorDeApertura(errno));
  archivos_[libre] = {f, absoluta};
  numero = libre;
}

std::FILE* InterpProces::Archivo(int16_t numero) {
  auto it = archivos_.find(numero);
  if (it == archivos_.end()) throw ErrorEjecucion(CodigoError::NumeroArchivo);
  return it->second.f;
}

void InterpProces::CierraArchivo(int16_t numero) {
  std::FILE* f = Archivo(numero);
  archivos_.erase(numero);
  if (std::fclose(f) != 0) throw ErrorEjecucion(CodigoError::ErrorRuta);
}

} // namespace zt
