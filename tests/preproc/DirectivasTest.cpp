// The run: plain text, definitions, loops, includes, limits and the errors with their lines.
#include "Ayuda.h"
#include <gtest/gtest.h>

using namespace zt;
using namespace zt::preproc;
using namespace zt::preproc::prueba;

namespace {

struct Caso {
  const char* nombre;
  const char* entrada;
  const char* salida;
  const char* error = "";
  int linea = -1;
};

void Comprueba(const Caso& c) {
  Corrida r;
  std::string out = r.Expande(c.entrada);
  EXPECT_EQ(r.Error(), c.error) << c.nombre;
  if (*c.error && c.linea != -1) {
    EXPECT_EQ(r.Linea(), c.linea) << c.nombre;
  }
  if (c.salida) {
    EXPECT_EQ(out, c.salida) << c.nombre;
  }
}

TEST(PreDirectivas, TextoYDefiniciones) {
  const Caso casos[] = {
      {"texto plano", "a -- comentario\r\nb 'x--y'\r\nc", "a \r\nb 'x\r\nc"},
      {"bloque", "$DEFINIR T COMO emp FINDEFINIR\r\nselect * from T;", "select * from emp;"},
      {"valor con blancos", "$DEFINIR V = abc -- nota\r\n[V]", "[ abc ]"},
      {"solo palabras enteras", "$DEFINIR T =X\r\nT T.a (T) T1 aT 9T $T", "X X.a (X) T1 aT 9T $T"},
      {"mayusculas", "$definir t =X\r\nt", "X"},
      {"dos veces", "$DEFINIR A =1\r\n$DEFINIR A =2\r\nA", "", "Ya esta definida la variable A", 2},
      {"redefinicion", "$DEFINIR A =1\r\n$REDEF a =2\r\nA", "2"},
      {"redef de bloque", "$DEFINIR A =1\r\n$REDEF A COMO b FINDEFINIR A", "b "},
      {"bloque anidado", "$DEFINIR A COMO x FINDEFINIR $DEFINIR B COMO [A] FINDEFINIR B", "[x] "},
      {"sin nombre", "abc\r\n$DEFINIR\r\n", "abc\r\n", "Se esperaba variable despues de $DEFINIR", 3},
      {"redef sin nombre", "$REDEF =", "", "Se esperaba variable despues de $REDEF", 1},
      {"sin COMO", "$DEFINIR A B", "", "Se esperaba 'COMO' o '=' despues de A", 1},
      {"sin FINDEFINIR", "$DEFINIR A COMO x\r\ny\r\n", "",
       "Inesperado fin de archivo. No se encontro 'FINDEFINIR' del '$DEFINIR'", 1},
      {"DEFINIR dentro", "\r\n$DEFINIR A COMO x\r\n$DEFINIR B =1", "\r\n",
       "Se esperaba 'FINDEFINIR' del '$DEFINIR'", 2},
      {"recursion directa", "$DEFINIR A COMO x A FINDEFINIR\r\nA", nullptr,
       "Llamada recursiva en bloque '$DEFINIR'"},
      {"recursion indirecta", "$DEFINIR A COMO B FINDEFINIR\r\n$DEFINIR B COMO A FINDEFINIR\r\nA", nullptr,
       "Llamada recursiva en bloque '$DEFINIR'"},
      {"recursion en lista",
       "$DEFINIR A COMO B FINDEFINIR\r\n$DEFINIR B COMO A FINDEFINIR\r\n$PARA x EN A HACER x FINPARA",
       nullptr, "Llamada recursiva en bloque '$DEFINIR'"},
      {"reinicio", "$DEFINIR A =1\r\n$PSQL_REINIC A", " A"},
      {"consulta pendiente", "x $CONSULTAR select 1 FINCONSULTAR", "x ",
       "La sentencia $CONSULTAR no está disponible en esta versión."},
  };
  for (const auto& c : casos) Comprueba(c);
}

TEST(PreDirectivas, Bucles) {
  const Caso casos[] = {
      {"tres pasadas", "$PARA x EN a b c HACER [x]FINPARA\r\n.", " [a] [b] [c]."},
      {"variable retirada", "$PARA x EN a HACER x FINPARA x", " a x"},
      {"elementos entre comillas", "$PARA x EN 'a b' c HACER <x>FINPARA", " <a b> <c>"},
      {"con CON", "$PARA x EN a b CON y EN 1 2 HACER x=y;FINPARA", " a=1; b=2;"},
      {"anidados", "$PARA x EN a b HACER [$PARA y EN 1 2 HACER (x.y)FINPARA]FINPARA",
       " [ (a.1) (a.2)] [ (b.1) (b.2)]"},
      {"DEFINIR no se interpreta", "$PARA x EN a HACER $DEFINIR x FINPARA", " $DEFINIR a "},
      {"lista de definicion", "$DEFINIR L =uno \"dos tres\"\r\n$PARA x EN L HACER (x)FINPARA",
       " (uno) (dos tres)"},
      {"sin variable", "$PARA", "", "Se esperaba variable despues del PARA", 1},
      {"sin EN", "$PARA x de", "", "Se esperaba palabra 'EN' despues de x", 1},
      {"sin lista", "$PARA x EN HACER", "", "Se esperaba lista de palabras despues del 'EN'", 1},
      {"lista sin HACER", "$PARA x EN a b\r\n", "",
       "Inesperado fin de archivo. Se esperaba fin de sentencia PARA..EN..HACER."},
      {"definicion vacia", "$DEFINIR D =\r\n$PARA x EN D HACER x FINPARA", "",
       "La definición 'x' no contiene elementos."},
      {"CON sin variable", "$PARA x EN a CON 1", "", "Se esperaba variable despues del CON"},
      {"CON sin EN", "$PARA x EN a CON y de", "", "Se esperaba palabra 'EN' despues de y"},
      {"CON sin lista", "$PARA x EN a CON y EN HACER", "",
       "Se esperaba lista de palabras despues de 'CON ... EN'"},
      {"CON corta", "$PARA x EN a b CON y EN 1 HACER x FINPARA", "",
       "Se esperaban 2 variables en sentencia ..CON..EN..HACER."},
      {"CON sin fin", "$PARA x EN a b CON y EN 1", "",
       "Inesperado fin de archivo. Se esperaba fin de sentencia PARA..EN..CON..EN..HACER."},
      {"sin HACER", "$PARA x EN a CON y EN 1 2", "", "Se esperaba palabra reservada 'HACER'"},
      {"sin FINPARA", "$PARA x EN a HACER\r\nx\r\n", "\r\na\r\n",
       "Inesperado fin de archivo. No se encontró 'FINPARA' del 'PARA'", 1},
  };
  for (const auto& c : casos) Comprueba(c);
}

TEST(PreDirectivas, HorasDeCadaCorrida) {
  Corrida r;
  std::string esperado;
  for (int h = 0; h < 24; ++h) esperado += (h < 10 ? " 0" : " ") + std::to_string(h) + ",";
  EXPECT_EQ(r.Expande("$PARA h EN $horas HACER h,FINPARA"), esperado);
  // Nothing survives from one run to the next except $horas.
  r.Expande("$DEFINIR A =1");
  EXPECT_EQ(r.Expande("A"), "A");
}

TEST(PreDirectivas, NulEsTextoComoOtro) {
  Corrida r;
  using namespace std::string_literals;
  EXPECT_EQ(r.Expande("a\0b\r\n$DEFINIR A COMO x\0y FINDEFINIR\r\nA."s), "a\0b\r\nx\0y."s);
  EXPECT_EQ(r.Error(), "");
}

TEST(PreDirectivas, ListaLargaDeUnaDefinicion) {
  std::string palabras, esperado;
  for (int i = 0; i < 100000; ++i) {
    palabras += " p" + std::to_string(i);
    esperado += " [p" + std::to_string(i) + "]";
  }
  Corrida r;
  std::string out = r.Expande("$DEFINIR L =" + palabras + "\r\n$PARA x EN L HACER [x]FINPARA");
  EXPECT_EQ(r.Error(), "");
  EXPECT_TRUE(out == esperado) << out.substr(0, 80);
}

TEST(PreDirectivas, TextoGeneradoAcotado) {
  Preprocesador p(OpcionesRun{{}, [] { return kHoy; }, {}, nullptr, 1000});
  // Each definition doubles the one before: the string of D30 would hold 2^30 characters.
  std::string doblando = "$DEFINIR D0 COMO x FINDEFINIR\r\n";
  for (int i = 1; i <= 30; ++i)
    doblando += "$DEFINIR D" + std::to_string(i) + " COMO D" + std::to_string(i - 1) + " D" +
                std::to_string(i - 1) + " FINDEFINIR\r\n";
  const std::string docs[] = {
      "$PARA h EN $horas HACER $PARA m EN $horas HACER h:m-ok, FINPARA FINPARA", // 576 passes
      doblando + "$EXPR(LAR(D30))",
      doblando + "D30",
  };
  for (const auto& doc : docs) {
    std::string out = p.Expande(T(doc));
    EXPECT_EQ(U8(p.Error().Mensaje()), "Texto generado demasiado grande.") << doc.substr(doc.size() - 16);
    EXPECT_LE(out.size(), 1100u);
  }
}

TEST(PreDirectivas, LimiteDeDefiniciones) {
  std::string texto;
  for (int i = 1; i <= 598; ++i) texto += "$DEFINIR D" + std::to_string(i) + " =1\r\n";
  Corrida r;
  r.Expande(texto); // 598 plus $horas: 599
  EXPECT_EQ(r.Error(), "");
  r.Expande(texto + "$DEFINIR Ultima =1\r\n");
  EXPECT_EQ(r.Error(), "Demasiadas definiciones.");
  EXPECT_EQ(r.Linea(), 599);
}

TEST(PreDirectivas, AnidamientoProfundoTerminaConError) {
  std::string bucles;
  for (int i = 0; i < 400; ++i) bucles += "$PARA x EN a HACER ";
  for (int i = 0; i < 400; ++i) bucles += "FINPARA ";
  Corrida r;
  r.Expande(bucles);
  EXPECT_EQ(r.Error(), "Demasiados niveles de anidamiento.");

  // A chain of 300 block definitions, each using the previous one.
  std::string cadena = "$DEFINIR D0 COMO x FINDEFINIR\r\n";
  for (int i = 1; i < 300; ++i)
    cadena += "$DEFINIR D" + std::to_string(i) + " COMO D" + std::to_string(i - 1) + " FINDEFINIR\r\n";
  r.Expande(cadena + "D299");
  EXPECT_EQ(r.Error(), "Llamada recursiva en bloque '$DEFINIR'");
  r.Expande(cadena + "D150");
  EXPECT_EQ(r.Error(), "");
}

TEST(PreDirectivas, Inclusiones) {
  Carpeta dir("incluir");
  dir.Escribe("sub/b.vrk", "B$DEFINIR DB =db\r\n");
  dir.Escribe("sub/con blanco.vrk", "W");
  std::string a =
      dir.Escribe("sub/a.vrk", "$INCLUIR b.vrk\r\n$INCLUIR b.vrk\r\n$INCLUIR 'con blanco.vrk' -- x\r\nDB");
  Corrida r;
  EXPECT_EQ(r.p.ExpandeArchivo(T(a)), "B\r\n\r\nW \r\ndb");
  EXPECT_EQ(r.Error(), "");

  std::string falta = dir.Escribe("falta.vrk", "x\r\n  $INCLUIR nada.vrk");
  r.p.ExpandeArchivo(T(falta));
  EXPECT_EQ(r.Error(), "No Existe Archivo a INCLUIR: " + (dir.Ruta() / "nada.vrk").string());
  EXPECT_EQ(r.Linea(), 2);
  EXPECT_EQ(U8(r.p.Error().Archivo()), falta);

  r.Expande("$INCLUIR\r\n");
  EXPECT_EQ(r.Error(), "Se esperaba nombre de archivo en INCLUIR");
}

TEST(PreDirectivas, LimiteDeInclusiones) {
  Carpeta dir("limite");
  std::string principal;
  for (int i = 1; i <= 50; ++i) {
    dir.Escribe("f" + std::to_string(i) + ".vrk", "");
    principal += "$INCLUIR f" + std::to_string(i) + ".vrk\r\n";
  }
  std::string ruta = dir.Escribe("principal.vrk", principal);
  Corrida r;
  r.p.ExpandeArchivo(T(ruta));
  EXPECT_EQ(r.Error(), "Demasiados Archivos Incluidos.");
  EXPECT_EQ(r.Linea(), 50);
}

TEST(PreDirectivas, CorridaConArchivos) {
  Carpeta dir("corrida");
  std::string fuente = dir.Escribe("doc.vrk", "$DEFINIR A =uno\r\nA\r\n");
  std::string salida = dir.Escribe("doc.tmp", "un texto anterior mucho mas largo que la salida");
  Fecha hoy = FechaDe(2024, 3, 1, 9, 5, 7);
  Preprocesador p(OpcionesRun{dir.Ruta(), [&] { return hoy; }, {}, nullptr});
  EXPECT_TRUE(p.Ejecuta(T(fuente), Texto(), T(salida)));
  EXPECT_EQ(Carpeta::Lee(salida),
            "uno"); // the old, longer content is gone; a file's last line end is not read
  EXPECT_EQ(Carpeta::Lee(dir.Ruta() / "eventos.txt"),
            "01/03/2024  09:05:07   OPERACION: " + fuente + "   ----->   " + salida + "\r\n");

  EXPECT_FALSE(p.Ejecuta(U"x.vrk", T("a\r\n$DEFINIR"), T(salida)));
  EXPECT_EQ(Carpeta::Lee(salida), "a\r\n"); // what came before the error stays
}

} // namespace
