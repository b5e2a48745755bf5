// ZTelnet's command line, read with the macro language's lexer (identifiers, quoted strings).
#include "workspace/LineaComandos.h"
#include "base/Comodin.h"
#include "base/Error.h"
#include "platform/DestinoSsh.h"
#include "script/Interprete.h"

namespace zt {

namespace {

bool Comillas(char32_t c) { return c == U'"' || c == U'\''; }

// A value or a plain argument: a quoted string (quotes removed) or the rest of the word.
Texto CogeValor(CInterprete& lx, Texto& error) {
  lx.CapBlancos();
  if (Comillas(lx.VerUno())) {
    Texto v = lx.CogCadena();
    if (!lx.MensajeError.empty()) error = lx.MensajeError;
    return v;
  }
  Texto v;
  while (!lx.FinLin()) v += lx.CogCar(1);
  return RecortaEspacios(v);
}

} // namespace

Texto TextoUso() {
  return T("Se requiere linea de comandos: \r\n"
           "ztelnet [direcciónIP[:puerto]] [archivo de macro.zql] [archivo de registro.log] \r\n"
           "[/NOERROR] [/ERROR] [/SALIR] [/IP=<direcciónIP[:puerto]>] \r\n"
           "[/IP=ssh://[usuario@]host[:puerto]] [/ACEPTAR_CLAVE] \r\n"
           "[M=<archivo de macros>] [L=<archivo de registro>]");
}

LecturaLinea LeeLineaComandos(const std::vector<Texto>& argumentos) {
  LecturaLinea r;
  LineaComandosZT& v = r.valores;
  CInterprete lx;
  for (const Texto& palabra : argumentos) {
    lx.MensajeError.clear();
    lx.CreaContenido(RecortaEspacios(palabra));
    lx.CapBlancos();
    // A word may hold more than one argument ("/SALIR/NOERROR"): read until it ends.
    while (!lx.FinLin()) {
      if (lx.VerUno() == U'/') {
        lx.TomaUno();
        const Texto sw = U"/" + Mayusculas(lx.CogIdentificador());
        Texto valor;
        if (lx.VerUno() == U':' || lx.VerUno() == U'=') {
          lx.TomaUno();
          valor = CogeValor(lx, r.errorEjecucion);
          if (!r.errorEjecucion.empty()) return r;
        }
        if (sw == U"/NOERROR")
          v.MostrarErrores = false;
        else if (sw == U"/ERROR")
          v.MostrarErrores = true;
        else if (sw == U"/SALIR")
          v.SalirAlTerminar = true;
        else if (sw == U"/IP")
          v.HostInicial = valor;
        else if (sw == U"/ACEPTAR_CLAVE")
          v.AceptarClave = true;
        else if (sw == U"/M")
          v.ArchivoMacro = valor;
        else if (sw == U"/L")
          v.ArchRegistroInicial = valor;
        else {
          r.mensajes = {T("Error. Parámetro desconocido: ") + sw, TextoUso()};
          return r;
        }
      } else {
        const Texto arg = CogeValor(lx, r.errorEjecucion);
        if (!r.errorEjecucion.empty()) return r;
        const Texto may = Mayusculas(arg);
        if (CoincideComodin(arg, U"*.*.*.*"))
          v.HostInicial = arg;
        else if (CoincideComodin(may, U"*.ZQL"))
          v.ArchivoMacro = arg;
        else if (CoincideComodin(may, U"*.LOG"))
          v.ArchRegistroInicial = arg;
        else {
          r.mensajes.push_back(T("Error en línea de comandos. No se reconoce: ") + arg);
          r.mensajes.push_back(TextoUso());
          return r;
        }
      }
      lx.CapBlancos();
    }
  }
  // A host whose port cannot be read is a line the program cannot act on, like an unknown word.
  if (const size_t dos = v.HostInicial.find(U':'); dos != Texto::npos) {
    try {
      SeparaHostPuerto(v.HostInicial);
    } catch (const ErrorEjecucion& e) {
      r.mensajes = {EsDireccionSsh(U8(v.HostInicial))
                        ? T("Error en línea de comandos. ") + e.descripcion()
                        : T("Error en línea de comandos. Puerto no válido: '") + v.HostInicial.substr(dos + 1) +
                              T("' (se espera un número de 1 a 65535)"),
                    TextoUso()};
    }
  }
  return r;
}

HostPuerto SeparaHostPuerto(VistaTexto hostInicial) {
  HostPuerto r;
  if (EsDireccionSsh(U8(hostInicial))) { // taken whole; its port is inside
    const DestinoSsh d = LeeDestinoSsh(U8(hostInicial));
    if (!d.error.empty()) throw ErrorEjecucion(CodigoError::TiposNoCoinciden, T("Dirección SSH no válida: " + d.error));
    r.host = Texto(hostInicial);
    r.puerto = d.puerto;
    return r;
  }
  const size_t dos = hostInicial.find(U':');
  if (dos == VistaTexto::npos) {
    r.host = Texto(hostInicial);
    return r;
  }
  r.host = Texto(hostInicial.substr(0, dos));
  const Texto puerto = RecortaEspacios(hostInicial.substr(dos + 1));
  if (puerto.empty()) throw ErrorEjecucion(CodigoError::TiposNoCoinciden);
  long n = 0;
  for (char32_t c : puerto) {
    if (c < U'0' || c > U'9') throw ErrorEjecucion(CodigoError::TiposNoCoinciden);
    n = n * 10 + (c - U'0');
    if (n > 65535) throw ErrorEjecucion(CodigoError::Desbordamiento);
  }
  if (n < 1) throw ErrorEjecucion(CodigoError::Desbordamiento);
  r.puerto = int(n);
  return r;
}

} // namespace zt
