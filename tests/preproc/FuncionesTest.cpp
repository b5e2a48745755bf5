// Built-in functions: weeks, dates, formats and expressions.
#include "Ayuda.h"
#include "preproc/Fechas.h"
#include <gtest/gtest.h>

using namespace zt;
using namespace zt::preproc;
using namespace zt::preproc::prueba;

namespace {

std::string Dia(Fecha f) { return U8(FormateaFecha(f, U"dd/mm/yyyy")); }

TEST(PreSemanas, NumeracionYLunes) {
  EXPECT_EQ(Dia(LunesDeSemana(5, 2024)), "29/01/2024"); // 1 January 2024 is a Monday
  EXPECT_EQ(Dia(LunesDeSemana(1, 2026)), "29/12/2025"); // 1 January 2026 is a Thursday
  EXPECT_EQ(NumeroSemana(FechaDe(2026, 1, 1)), 1);
  EXPECT_EQ(NumeroSemana(FechaDe(2026, 1, 5)), 2);
  EXPECT_EQ(Dia(LunesDeSemana(3, 1899)), "30/12/1899"); // outside 1900..5000: the zero date
  // 31 December 2024 is a Tuesday: its week, from Monday the 30th, is week 1 of 2025.
  EXPECT_EQ(NumeroSemana(FechaDe(2024, 12, 30)), 1);
  EXPECT_EQ(AnioSemana(FechaDe(2024, 12, 30)), 2025);
  EXPECT_EQ(NumeroSemana(FechaDe(2024, 12, 29, 23, 59, 59)), 52);
  EXPECT_EQ(AnioSemana(FechaDe(2024, 12, 29)), 2024);
  // 31 December 2023 is a Sunday: the week from Monday the 25th is already week 1.
  EXPECT_EQ(NumeroSemana(FechaDe(2023, 12, 25)), 1);
  EXPECT_EQ(AnioSemana(FechaDe(2023, 12, 31)), 2024);
  // Before 1900 the time of day still counts forward: noon of Monday 30 December 1850 is in
  // the week of that Monday.
  EXPECT_EQ(NumeroSemana(FechaDe(1850, 12, 30, 12, 0, 0)), 1);
  EXPECT_EQ(AnioSemana(FechaDe(1850, 12, 30, 12, 0, 0)), 1851);
  EXPECT_EQ(Dia(LunesAnterior(FechaDe(1850, 12, 30, 12, 0, 0))), "30/12/1850");
}

TEST(PreFechas, FormatosYLectura) {
  Fecha f = FechaDe(2024, 2, 9, 7, 5, 3);
  EXPECT_EQ(FormateaFecha(f, U"d/m/yy h:n:s"), U"9/2/24 7:5:3");
  EXPECT_EQ(FormateaFecha(f, U"yyyy-mm-dd hh:mm:ss"), U"2024-02-09 07:05:03"); // m after h is minutes
  EXPECT_EQ(FormateaFecha(f, U"dddd d \"de\" mmmm, ddd mmm"), T("viernes 9 de febrero, vie feb"));
  EXPECT_EQ(FormateaNumero(5, U"0000"), U"0005");
  EXPECT_EQ(FormateaNumero(1234.567, U"#,##0.00"), U"1,234.57");
  EXPECT_EQ(FormateaNumero(-3.5, U"0.#"), U"-3.5");
  EXPECT_EQ(FormateaNumero(0.25, U"0%"), U"25%");
  EXPECT_EQ(FormateaNumero(5, U"0.0000000000000000000"), U"5.0000000000000000000"); // past 15 decimals
  EXPECT_EQ(FormateaNumero(-1e20, U"0"), U"-100000000000000000000");
  EXPECT_EQ(FormateaFecha(f, U"yyy-mm"), U"2024-02"); // the character after "yyy" stays
  EXPECT_EQ(FormateaFecha(FechaDe(1850, 12, 30, 12, 0, 0), U"y"), U"364");
  EXPECT_EQ(LeeFecha(U"29/01/24").value(), FechaDe(2024, 1, 29));
  EXPECT_EQ(LeeFecha(U"2024-01-29 10:30").value(), FechaDe(2024, 1, 29, 10, 30));
  EXPECT_EQ(LeeFecha(U"15/06/75").value(), FechaDe(1975, 6, 15));
  EXPECT_FALSE(LeeFecha(U"31/02/2024"));
  EXPECT_FALSE(LeeFecha(U"abc"));
  EXPECT_EQ(FormateaValor(U"abc", U"0000"), U"abc");
}

struct Caso {
  const char* nombre;
  const char* entrada;
  const char* salida;
  const char* error = "";
};

void Comprueba(const Caso& c, Fecha hoy = kHoy) {
  Corrida r;
  r.hoy = hoy;
  std::string out = r.Expande(c.entrada);
  EXPECT_EQ(r.Error(), c.error) << c.nombre;
  EXPECT_EQ(out, c.salida) << c.nombre;
}

TEST(PreFunciones, FechasYSemanas) {
  const Caso casos[] = {
      {"ayer", "$FECHA_ACTUAL(-1, 'yyyy/mm/dd')", "2024/02/29"},
      {"con hora", "$fecha_actual ( 0.5 , 'dd/mm/yyyy hh:nn')", "01/03/2024 22:30"},
      {"expresion", "$FECHA_ACTUAL(2*3, 'dd')", "07"},
      {"intervalo", "$INTERVALO_SEMANA('w05/2024')",
       "to_date('29/01/2024 00:00:00') and to_date('04/02/2024 23:59:59')"},
      {"intervalo 2026", "$INTERVALO_SEMANA( ' w01/2026 ' )",
       "to_date('29/12/2025 00:00:00') and to_date('04/01/2026 23:59:59')"},
      {"W mayuscula", "$INTERVALO_SEMANA('W05/2024')", "", "Se esperaba expresión de tipo w##/#### "},
      {"intervalo vacio", "$INTERVALO_SEMANA('')", "", "Se esperaba cadena"},
      {"intervalo sin parentesis", "$INTERVALO_SEMANA 'w05/2024'", "",
       "Se esperaba '(' despues de la funcion INTERVALO_SEMANA"},
      {"fecha sin coma", "$FECHA_ACTUAL(1 'dd')", "", "Se esperaba ','"},
      {"fecha sin cierre", "$FECHA_ACTUAL(1, 'dd'", "", "Se esperaba ')'"},
      {"fecha sin abrir", "$FECHA_ACTUAL", "", "Se esperaba '(' despues de la funcion FECHA_ACTUAL"},
      {"antes del anio 100", "$FECHA_ACTUAL(-800000, 'dd/mm/yyyy')", "", "Desbordamiento"},
      {"semana enorme", "$DEFINIR X = 1e300\r\n$FECHA_ACTUAL(X, 'SEMANA')", "", "Desbordamiento"},
  };
  for (const auto& c : casos) Comprueba(c);
}

TEST(PreFunciones, SemanaConDesfase) {
  Fecha semana52 = FechaDe(2024, 12, 23, 12, 0, 0);
  Comprueba({"semana 52 mas 1", "$FECHA_ACTUAL(1, 'SEMANA')", "01"}, semana52);
  Comprueba({"semana 52", "$FECHA_ACTUAL(0, 'semana')", "52"}, semana52);
  Comprueba({"semana 9 menos 10", "$FECHA_ACTUAL(-10, 'SEMANA')", "51"});
  Comprueba({"semana 9 menos 0.5", "$FECHA_ACTUAL(-0.5, 'SEMANA')", "08"}); // 8.5 rounds to even
  Comprueba({"semana 9 menos 70", "$FECHA_ACTUAL(-70, 'SEMANA')", "-09"});  // format "00"
}

TEST(PreFunciones, Formato) {
  const Caso casos[] = {
      {"ceros", "$FORMATO('5', '0000')", "0005"},
      {"semana y anio", "$FORMATO('30/12/2024', 'ww-yyyy')", "01-2025"},
      {"semana y yy", "$FORMATO('30/12/2024 10:00', 'semana ww del yy dd')", "semana 01 del 25 dd"},
      {"codigo de semana", "$FORMATO('w05/2024', 'dd/mm/yyyy')", "29/01/2024"},
      {"definicion", "$DEFINIR F = 29/01/2024 \r\n$FORMATO(F, 'dd-mm-yyyy')", "29-01-2024"},
      {"texto", "$FORMATO('abc', 'dd')", "abc"},
      {"numero que no es fecha", "$FORMATO('1e300', 'dd/mm/yyyy')", "", "Desbordamiento"},
      {"no es fecha", "$FORMATO('abc', 'ww')", "",
       "El formato solicitado en $formato() requiere que el primer argumento sea fecha."},
      {"no definido", "$FORMATO(G, '0')", "", "No está definido: G"},
      {"nada", "$FORMATO(, '0')", "", "Se esperaba cadena o definicion"},
      {"sin abrir", "$FORMATO", "", "Se esperaba '(' despues de la funcion FORMATO"},
  };
  for (const auto& c : casos) Comprueba(c);
}

TEST(PreFunciones, Expresiones) {
  const Caso casos[] = {
      {"suma", "$EXPR(1+1)", "2"},
      {"precedencia", "[$EXPR(2 + 3 * 4)]", "[14]"},
      {"parentesis", "$EXPR((2 + 3) * 4)", "20"},
      {"definicion", "$DEFINIR N =5\r\n$EXPR(N * 2)", "10"},
      {"no definida", "$EXPR(Z | 'x')", "x"},
      {"largo", "$EXPR(LAR('abcd'))", "4"},
      {"funcion comun", "$EXPR(MYS('abc'))", "ABC"},
      {"asignacion", "$EXPR(x = 3)", "3"},
      {"texto", "$EXPR('a' | 'b')", "ab"},
      {"numero enorme", "$EXPR(1000000000000000000000000000000000000000)", "", "Desbordamiento"},
      {"division por cero", "a$EXPR(7 / 0)b", "a", "No se puede dividir por cero."},
      {"cero a la cero", "$EXPR(0 ^ 0)", "", "No se puede Evaluar 0^0"},
      {"asignar a numero", "$EXPR(1 = 3)", "", "Sólo se puede asignar valor a una variable"},
      {"operador sin fila", "$EXPR(1 & 3)", "", "No se reconoce operador: '&' "},
      {"sin cerrar", "$EXPR(1+1", "", "Se esperaba ')' despues de la funcion $EXPR()"},
      {"sin abrir", "$EXPR 1", "", "Se esperaba '(' despues de la funcion $EXPR"},
  };
  for (const auto& c : casos) Comprueba(c);
}

TEST(PreFunciones, NombreYCarpetaActuales) {
  Carpeta dir("actual");
  std::string ruta = dir.Escribe("informe.dia.vrk", "$NOM_ACTUAL|$DIR_ACTUAL");
  Corrida r;
  EXPECT_EQ(r.p.ExpandeArchivo(T(ruta)), "informe.dia|" + dir.Ruta().string());
  EXPECT_EQ(r.Expande("[$NOM_ACTUAL]"), "[]"); // text from the editor has no file
}

} // namespace
