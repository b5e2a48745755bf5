// Dates as day counts from 30 December 1899, week numbering and the value formatting codes.
#include "preproc/Fechas.h"
#include "base/Error.h"
#include "base/Numeros.h"
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace zt::preproc {

namespace {

constexpr long long DiasCiviles(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  long long era = (y >= 0 ? y : y - 399) / 400;
  unsigned yoe = static_cast<unsigned>(y - era * 400);
  unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilDeDias(long long z, int& y, int& m, int& d) {
  z += 719468;
  long long era = (z >= 0 ? z : z - 146096) / 146097;
  unsigned doe = static_cast<unsigned>(z - era * 146097);
  unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

constexpr long long kBase = DiasCiviles(1899, 12, 30); // constant: other statics use it

const char* const kMeses[] = {"enero", "febrero", "marzo",      "abril",   "mayo",      "junio",
                              "julio", "agosto",  "septiembre", "octubre", "noviembre", "diciembre"};
const char* const kDias[] = {"lunes", "martes", "miércoles", "jueves", "viernes", "sábado", "domingo"};

Texto DosCifras(int v) {
  Texto r;
  r.push_back(U'0' + (v / 10) % 10);
  r.push_back(U'0' + v % 10);
  return r;
}

Texto Entero(long long v) { return T(std::to_string(v)); }

// Before the base day the whole part counts back but the time still counts forward (-1.5 is
// 29 December 1899 at noon), so dates are compared and stepped on this straight scale.
double Lineal(Fecha f) {
  double d = std::trunc(f);
  return d + std::fabs(f - d);
}

long long DiaDe(Fecha f) { return static_cast<long long>(std::floor(Lineal(f))); }

} // namespace

Fecha AhoraLocal() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return FechaDe(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

Fecha FechaDe(int anio, int mes, int dia, int hora, int minuto, int segundo) {
  double dias =
      static_cast<double>(DiasCiviles(anio, static_cast<unsigned>(mes), static_cast<unsigned>(dia)) - kBase);
  double tiempo = (hora * 3600.0 + minuto * 60.0 + segundo) / 86400.0;
  return dias >= 0 ? dias + tiempo : dias - tiempo; // before the base day the time still counts forward
}

PartesFecha Partes(Fecha f) {
  double dias = std::trunc(f);
  long long seg = std::llround(std::fabs(f - dias) * 86400.0);
  auto d = static_cast<long long>(dias);
  if (seg >= 86400) {
    seg -= 86400;
    d += f >= 0 ? 1 : -1;
  }
  PartesFecha p;
  CivilDeDias(d + kBase, p.anio, p.mes, p.dia);
  p.hora = static_cast<int>(seg / 3600);
  p.minuto = static_cast<int>(seg / 60 % 60);
  p.segundo = static_cast<int>(seg % 60);
  p.diaSemana = static_cast<int>(((d + 5) % 7 + 7) % 7); // day 0 was a Saturday
  return p;
}

Fecha LunesAnterior(Fecha f) {
  long long d = DiaDe(f);
  long long ds = ((d + 5) % 7 + 7) % 7;
  return static_cast<Fecha>(d - ds);
}

Fecha LunesDeSemana(int semana, int anio) {
  if (anio < 1900 || anio > 5000) return 0;
  return LunesAnterior(FechaDe(anio, 1, 1)) + (semana - 1) * 7.0;
}

int NumeroSemana(Fecha f) {
  int anio = Partes(f).anio;
  Fecha a = LunesAnterior(FechaDe(anio, 1, 1));
  Fecha b = LunesAnterior(FechaDe(anio, 12, 31));
  if (Lineal(f) >= Lineal(b)) return 1;
  return static_cast<int>((Lineal(f) - Lineal(a)) / 7) + 1;
}

int AnioSemana(Fecha f) {
  int anio = Partes(f).anio;
  return Lineal(f) < Lineal(LunesAnterior(FechaDe(anio, 12, 31))) ? anio : anio + 1;
}

namespace {

// Splits "a<sep>b<sep>c" into up to three numbers; false on anything else.
bool Numeros(VistaTexto s, const Texto& seps, int (&v)[3], int& n, int& cifrasPrimero) {
  n = 0;
  cifrasPrimero = 0;
  size_t i = 0;
  while (i <= s.size() && n < 3) {
    size_t ini = i;
    long long x = 0;
    while (i < s.size() && s[i] >= U'0' && s[i] <= U'9') {
      x = x * 10 + (s[i] - U'0');
      if (x > 100000) return false;
      ++i;
    }
    if (i == ini) return false;
    if (n == 0) cifrasPrimero = static_cast<int>(i - ini);
    v[n++] = static_cast<int>(x);
    if (i == s.size()) return true;
    if (seps.find(s[i]) == Texto::npos) return false;
    ++i;
  }
  return false;
}

bool FechaValida(int y, int m, int d) {
  if (m < 1 || m > 12 || d < 1 || y < 100 || y > 9999) return false;
  int ym, mm, dm;
  CivilDeDias(DiasCiviles(y, m, d), ym, mm, dm);
  return mm == m && dm == d;
}

} // namespace

std::optional<Fecha> LeeFecha(VistaTexto entrada) {
  Texto s = RecortaEspacios(entrada);
  if (s.empty()) return std::nullopt;
  Texto parteFecha, parteHora;
  auto blanco = s.find(U' ');
  if (blanco != Texto::npos) {
    parteFecha = s.substr(0, blanco);
    parteHora = RecortaEspacios(VistaTexto(s).substr(blanco + 1));
  } else if (s.find(U':') != Texto::npos) {
    parteHora = s;
  } else {
    parteFecha = s;
  }
  Fecha r = 0;
  int v[3], n, cifras;
  if (!parteFecha.empty()) {
    if (!Numeros(parteFecha, U"/-.", v, n, cifras) || n != 3) return std::nullopt;
    int d = v[0], m = v[1], y = v[2];
    if (cifras >= 3)
      std::swap(d, y);
    else if (y < 100)
      y += y < 30 ? 2000 : 1900;
    if (!FechaValida(y, m, d)) return std::nullopt;
    r = FechaDe(y, m, d);
  }
  if (!parteHora.empty()) {
    if (!Numeros(parteHora, U":", v, n, cifras) || n < 2) return std::nullopt;
    int seg = n == 3 ? v[2] : 0;
    if (v[0] > 23 || v[1] > 59 || seg > 59) return std::nullopt;
    double t = (v[0] * 3600.0 + v[1] * 60.0 + seg) / 86400.0;
    r = r >= 0 ? r + t : r - t;
  }
  return r;
}

Texto FormateaFecha(Fecha f, VistaTexto fmt) {
  // Only 1 January 100 to 31 December 9999 are dates; anything else overflows.
  if (!(f > -657435 && f < 2958466)) throw ErrorEjecucion(CodigoError::Desbordamiento);
  PartesFecha p = Partes(f);
  Texto r;
  bool trasHora = false; // "m" right after an hour code means minutes
  size_t i = 0;
  auto corre = [&](char32_t c) {
    size_t n = 0;
    while (i + n < fmt.size() && Minuscula(fmt[i + n]) == c) ++n;
    return n;
  };
  while (i < fmt.size()) {
    char32_t c = Minuscula(fmt[i]);
    size_t n = 1;
    switch (c) {
    case U'd':
      n = std::min<size_t>(corre(U'd'), 4);
      if (n <= 2)
        r += n == 1 ? Entero(p.dia) : DosCifras(p.dia);
      else
        r += n == 3 ? T(kDias[p.diaSemana]).substr(0, 3) : T(kDias[p.diaSemana]);
      break;
    case U'm':
      n = std::min<size_t>(corre(U'm'), 4);
      if (trasHora && n <= 2)
        r += n == 1 ? Entero(p.minuto) : DosCifras(p.minuto);
      else if (n <= 2)
        r += n == 1 ? Entero(p.mes) : DosCifras(p.mes);
      else
        r += n == 3 ? T(kMeses[p.mes - 1]).substr(0, 3) : T(kMeses[p.mes - 1]);
      break;
    case U'y':
      n = corre(U'y');
      if (n >= 3) {
        n = std::min<size_t>(n, 4); // "yyy" must not swallow the character after it
        r += Entero(p.anio);
      } else if (n == 2)
        r += DosCifras(p.anio % 100);
      else
        r += Entero(DiaDe(f) - static_cast<long long>(FechaDe(p.anio, 1, 1)) + 1);
      break;
    case U'h':
      n = std::min<size_t>(corre(U'h'), 2);
      r += n == 1 ? Entero(p.hora) : DosCifras(p.hora);
      break;
    case U'n':
      n = std::min<size_t>(corre(U'n'), 2);
      r += n == 1 ? Entero(p.minuto) : DosCifras(p.minuto);
      break;
    case U's':
      n = std::min<size_t>(corre(U's'), 2);
      r += n == 1 ? Entero(p.segundo) : DosCifras(p.segundo);
      break;
    case U'\\':
      if (i + 1 < fmt.size()) {
        r.push_back(fmt[i + 1]);
        n = 2;
      }
      break;
    case U'"': {
      auto fin = fmt.find(U'"', i + 1);
      if (fin == VistaTexto::npos) fin = fmt.size();
      r += fmt.substr(i + 1, fin - i - 1);
      n = fin - i + 1;
      break;
    }
    default: r.push_back(fmt[i]);
    }
    if (c == U'h')
      trasHora = true;
    else if (c != U':' && c != U' ')
      trasHora = false;
    i += n;
  }
  return r;
}

Texto FormateaNumero(double v, VistaTexto formatoEntero) {
  VistaTexto fmt = formatoEntero.substr(0, formatoEntero.find(U';'));
  size_t primero = fmt.find_first_of(U"0#.");
  if (primero == VistaTexto::npos) return TextoDoble(v);
  size_t ultimo = fmt.find_last_of(U"0#.,");
  VistaTexto cuerpo = fmt.substr(primero, ultimo - primero + 1);
  size_t punto = cuerpo.find(U'.');
  VistaTexto ent = cuerpo.substr(0, punto);
  VistaTexto dec = punto == VistaTexto::npos ? VistaTexto() : cuerpo.substr(punto + 1);
  int ceros = 0, decCeros = 0, decTotal = 0;
  for (char32_t c : ent) ceros += c == U'0';
  for (char32_t c : dec) {
    decCeros += c == U'0';
    decTotal += c == U'0' || c == U'#';
  }
  bool miles = ent.find(U',') != VistaTexto::npos;
  bool porcentaje = fmt.find(U'%') != VistaTexto::npos;
  if (porcentaje) v *= 100;
  if (!std::isfinite(v)) throw ErrorEjecucion(CodigoError::Desbordamiento);
  std::string cifras, decimales;
  double escala = std::pow(10.0, decTotal);
  double redondo = std::round(std::fabs(v) * escala); // halves away from zero, as the routine does
  if (decTotal <= 15 && redondo < 9e15) {
    auto exacto = static_cast<long long>(redondo);
    auto escalaEntera = static_cast<long long>(escala);
    if (exacto / escalaEntera != 0) cifras = std::to_string(exacto / escalaEntera);
    decimales = std::to_string(exacto % escalaEntera);
  } else {
    // Beyond the exact integers of a double (or past 15 decimals) the digits come from the
    // fixed form, which unlike printf ignores the user's locale.
    std::string todo(static_cast<size_t>(decTotal) + 400, '\0');
    auto fin = std::to_chars(todo.data(), todo.data() + todo.size(), std::fabs(v), std::chars_format::fixed,
                             decTotal).ptr;
    todo.resize(static_cast<size_t>(fin - todo.data()));
    auto p = todo.find('.');
    cifras = todo.substr(0, p);
    if (cifras == "0") cifras.clear();
    decimales = p == std::string::npos ? "0" : todo.substr(p + 1);
    redondo = todo.find_first_not_of("0.") == std::string::npos ? 0 : 1;
  }
  while (static_cast<int>(cifras.size()) < ceros) cifras.insert(cifras.begin(), '0');
  if (miles)
    for (int k = static_cast<int>(cifras.size()) - 3; k > 0; k -= 3) cifras.insert(cifras.begin() + k, ',');
  if (decTotal > 0) {
    while (static_cast<int>(decimales.size()) < decTotal) decimales.insert(decimales.begin(), '0');
    while (static_cast<int>(decimales.size()) > decCeros && decimales.back() == '0') decimales.pop_back();
  } else {
    decimales.clear();
  }
  Texto r(fmt.substr(0, primero));
  if (v < 0 && redondo != 0) r.push_back(U'-');
  r += T(cifras);
  if (punto != VistaTexto::npos) r += U"." + T(decimales);
  r += fmt.substr(ultimo + 1);
  return r;
}

Texto FormateaValor(VistaTexto valor, VistaTexto formato) {
  Texto s = RecortaEspacios(valor);
  bool completo = false;
  double num = zt::LeeNumero(s, &completo);
  bool esNumero = !s.empty() && completo;
  bool formatoNumerico = formato.find_first_of(U"0#") != VistaTexto::npos;
  if (esNumero) return formatoNumerico ? FormateaNumero(num, formato) : FormateaFecha(num, formato);
  if (auto f = LeeFecha(s)) return formatoNumerico ? FormateaNumero(*f, formato) : FormateaFecha(*f, formato);
  return Texto(valor);
}

} // namespace zt::preproc
