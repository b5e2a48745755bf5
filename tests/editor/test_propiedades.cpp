// The property string: the layout of a new editor, round trips, and how a malformed string fails.
#include "EditorPrueba.h"
#include "base/Error.h"
#include "editor/Propiedades.h"
#include <gtest/gtest.h>
#include <vector>

namespace zt {
namespace {

std::vector<Texto> Campos(const Texto& s) {
  std::vector<Texto> r(1);
  for (char32_t c : s) {
    if (c == U'\t') r.emplace_back();
    else r.back() += c;
  }
  return r;
}

TEST(CadenaPropiedades, NewEditorLayout) {
  Texto s = CadPropiedades(PropiedadesEditor{});
  std::vector<Texto> esperado{U"F", U"F", U"F", U"F", U"", U"", U"16777215", U"16745090", U"0", U"16777215",
                              U"13816530", U"", U"8421504", U"16734810", U"48640", U"255", U"48640", U"", U""};
  EXPECT_EQ(Campos(s), esperado);
  EXPECT_EQ(s.substr(s.size() - 2), U"\t\t");
}

TEST(CadenaPropiedades, RoundTrips) {
  PropiedadesEditor nuevo;
  PropiedadesEditor leido;
  LeePropiedades(leido, CadPropiedades(nuevo));
  EXPECT_EQ(leido, nuevo);

  PropiedadesEditor p;
  p.verEstado = true;
  p.verNumLin = true;
  p.colores.ColFonEdi = 0;
  p.colores.ColFonSel = 1;
  p.colores.ColTxtNor = RGB(200, 200, 200);
  p.colores.ColTxtSel = 4294967295u;
  p.colores.ColFonNli = 10;
  p.colores.ColTxtCom = 100;
  p.colores.ColTxtCad = RGB(100, 255, 255);
  p.colores.ColPalRes = RGB(100, 255, 100);
  p.colores.ColPalRes2 = 7;
  p.colores.ColTxtFun = 8;
  p.colores.ColLinAct = 9;  // not carried: the reader's own value stays
  PropiedadesEditor q;
  LeePropiedades(q, CadPropiedades(p));
  PropiedadesEditor sinLinAct = p;
  sinLinAct.colores.ColLinAct = PropiedadesEditor{}.colores.ColLinAct;
  EXPECT_EQ(q, sinLinAct);
  EXPECT_EQ(CadPropiedades(q), CadPropiedades(p));
}

TEST(CadenaPropiedades, ReadingIsLenientWhereTheFormatAllows) {
  PropiedadesEditor p;
  // Only exactly "V" is true; ignored fields may hold anything; 17 fields are enough.
  LeePropiedades(p, U"V\tv\tX\tV\tjunk\tjunk\t1\t2\t3\t4\t5\tjunk\t6\t7\t8\t9\t 10 ");
  EXPECT_TRUE(p.verEstado);
  EXPECT_FALSE(p.verDesHor);
  EXPECT_FALSE(p.verDesVer);
  EXPECT_TRUE(p.verNumLin);
  EXPECT_EQ(p.colores.ColFonEdi, 1u);
  EXPECT_EQ(p.colores.ColFonNli, 5u);
  EXPECT_EQ(p.colores.ColTxtCom, 6u);
  EXPECT_EQ(p.colores.ColTxtFun, 10u);
}

TEST(CadenaPropiedades, MalformedStringsFailAfterStoringTheEarlierFields) {
  struct {
    const char* cadena;
    CodigoError codigo;
    Color colFonEdi;   // expected after the failure
    Color colTxtNor;
    bool verEstado;
  } casos[] = {
      {"", CodigoError::SubindiceFuera, 16777215, 0, false},
      {"V\tF\tF\tF\t\t\t5\t6", CodigoError::SubindiceFuera, 5, 0, true},
      {"V\tF\tF\tF\t\t\t5\t6\t7\t8\t9\t\t1\t2\t3\t4", CodigoError::SubindiceFuera, 5, 7, true},
      {"V\tF\tF\tF\t\t\t5\t6\tabc\t8\t9\t\t1\t2\t3\t4\t5\t\t", CodigoError::TiposNoCoinciden, 5, 0, true},
      {"V\tF\tF\tF\t\t\t5\t\t7\t8\t9\t\t1\t2\t3\t4\t5\t\t", CodigoError::TiposNoCoinciden, 5, 0, true},
      {"V\tF\tF\tF\t\t\t-5\t6\t7\t8\t9\t\t1\t2\t3\t4\t5\t\t", CodigoError::TiposNoCoinciden, 16777215, 0, true},
      {"V\tF\tF\tF\t\t\t&HFF\t6\t7\t8\t9\t\t1\t2\t3\t4\t5\t\t", CodigoError::TiposNoCoinciden, 16777215, 0, true},
      {"V\tF\tF\tF\t\t\t1.5\t6\t7\t8\t9\t\t1\t2\t3\t4\t5\t\t", CodigoError::TiposNoCoinciden, 16777215, 0, true},
      {"V\tF\tF\tF\t\t\t4294967296\t6\t7\t8\t9\t\t1\t2\t3\t4\t5\t\t", CodigoError::Desbordamiento, 16777215, 0,
       true},
  };
  for (const auto& c : casos) {
    PropiedadesEditor p;
    try {
      LeePropiedades(p, T(c.cadena));
      ADD_FAILURE() << "no error for: " << c.cadena;
    } catch (const ErrorEjecucion& e) {
      EXPECT_EQ(e.codigo(), c.codigo) << c.cadena;
    }
    EXPECT_EQ(p.colores.ColFonEdi, c.colFonEdi) << c.cadena;
    EXPECT_EQ(p.colores.ColTxtNor, c.colTxtNor) << c.cadena;
    EXPECT_EQ(p.verEstado, c.verEstado) << c.cadena;
  }
}

TEST(CadenaPropiedades, EditorRoundTrip) {
  EditorPrueba nuevo;
  Texto s = nuevo.ed.CadPropiedades();
  EXPECT_EQ(s, CadPropiedades(PropiedadesEditor{}));
  EditorPrueba otro;
  otro.ed.verNumLin = true;
  otro.ed.colores.ColTxtCom = 77;
  otro.ed.colores.ColLinAct = 5;
  otro.ed.LeePropiedades(s);
  EXPECT_FALSE(otro.ed.verNumLin);
  EXPECT_EQ(otro.ed.colores.ColTxtCom, 8421504u);
  EXPECT_EQ(otro.ed.colores.ColLinAct, 5u);  // not part of the string
  EXPECT_EQ(otro.ed.CadPropiedades(), s);

  otro.ed.verDesVer = true;
  otro.ed.colores.ColFonEdi = 0;
  otro.ed.colores.ColPalRes2 = RGB(255, 255, 0);
  nuevo.ed.LeePropiedades(otro.ed.CadPropiedades());
  EXPECT_TRUE(nuevo.ed.verDesVer);
  EXPECT_EQ(nuevo.ed.colores.ColFonEdi, 0u);
  EXPECT_EQ(nuevo.ed.colores.ColPalRes2, 65535u);
}

TEST(CadenaPropiedades, EditorKeepsFieldsReadBeforeAFailure) {
  EditorPrueba e;
  EXPECT_THROW(e.ed.LeePropiedades(U"V\tV\tF\tF\t\t\t123\tx"), ErrorEjecucion);
  EXPECT_TRUE(e.ed.verEstado);
  EXPECT_TRUE(e.ed.verDesHor);
  EXPECT_EQ(e.ed.colores.ColFonEdi, 123u);
  EXPECT_EQ(e.ed.colores.ColFonSel, 16745090u);
}

} // namespace
} // namespace zt
