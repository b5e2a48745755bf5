// Dates as day counts from 30 December 1899 (the fraction is the time of day), weeks, formats.
#pragma once
#include "base/Texto.h"
#include <functional>
#include <optional>

namespace zt::preproc {

using Fecha = double;

// Supplies "now" as a Fecha; tests inject a fixed clock.
using Reloj = std::function<Fecha()>;
Fecha AhoraLocal();

struct PartesFecha {
  int anio = 1899, mes = 12, dia = 30, hora = 0, minuto = 0, segundo = 0;
  int diaSemana = 0; // 0 = Monday
};

Fecha FechaDe(int anio, int mes, int dia, int hora = 0, int minuto = 0, int segundo = 0);
PartesFecha Partes(Fecha f);
// The Monday on or before the day.
Fecha LunesAnterior(Fecha f);

// Weeks begin on Monday; week 1 holds 1 January, and the week holding 31 December is week 1
// of the next year.
Fecha LunesDeSemana(int semana, int anio); // zero date for a year outside 1900..5000
int NumeroSemana(Fecha f);
int AnioSemana(Fecha f);

// Reads "d/m/y[ h:n[:s]]", "y/m/d" (four-digit year first) or "h:n[:s]"; '-' and '.' also separate.
std::optional<Fecha> LeeFecha(VistaTexto s);

// The value formatting routine: date codes d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss,
// number placeholders 0 and #; a text that is neither a number nor a date is left as it is.
Texto FormateaFecha(Fecha f, VistaTexto formato);
Texto FormateaNumero(double v, VistaTexto formato);
Texto FormateaValor(VistaTexto valor, VistaTexto formato);

} // namespace zt::preproc
