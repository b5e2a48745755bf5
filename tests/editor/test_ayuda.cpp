// The help popup: which list is offered for what was typed, the keys while it shows, accepting.
#include "EditorPrueba.h"
#include "editor/AyudaContextual.h"

namespace zt {
namespace {

struct VentanaFalsa : VentanaAyuda {
  std::vector<int> altos;
  int ocultas = 0;
  void Muestra(int alto) override { altos.push_back(alto); }
  void Oculta() override { ++ocultas; }
  void Actualiza() override {}
};

struct Prueba : EditorPrueba {
  VentanaFalsa ventana;
  AyudaContextual ayuda;
  explicit Prueba(bool macros = false)
      : EditorPrueba(macros ? PerfilEditor::CtlEdit2() : PerfilEditor::CtlEdit()),
        ayuda(macros ? ListasMacros() : ListasComandos()) {
    ayuda.Iniciar(ed, &ventana);
  }
  std::vector<std::string> Ofrecidas() const {
    std::vector<std::string> r;
    if (ayuda.visible())
      for (const Texto& e : ayuda.lista()) r.push_back(U8(e));
    return r;
  }
};

TEST(AyudaContextual, ListaSegunLoEscrito) {
  struct Caso {
    bool macros;
    const char* escrito;
    std::vector<std::string> esperadas;
  } casos[] = {
      {false, "chm", {"chmod ", "chmod 755", "chmod 777"}},
      {false, "SELECT up", {"upper("}},
      {false, "x = tr", {"trunc(", "trunc(sysdate)"}},
      {false, "x = aw", {}}, // after an operator only SQL functions
      {false, "echo (a", {"abs(", "ascii(", "asin(", "awk", "awk '{}'", "awk -F. '{print $1}'"}},
      {false, "\t ls  |   wc", {"wc ", "wc -l "}},
      {false, "$PA", {"$PARA ", "$PARA EN HACER FINPARA"}},
      {false, "zzz", {}},
      {true, "SEN", {"SENDLN ", "SENDLN \"\"", "sen()", "sen(<\xc3\xa1ngulo>)", "SEND ", "SEND \"\""}},
      {true, "if x>wa", {}},
  };
  for (const Caso& c : casos) {
    Prueba p(c.macros);
    p.Escribe(c.escrito);
    EXPECT_EQ(p.Ofrecidas(), c.esperadas) << c.escrito;
  }
}

TEST(AyudaContextual, EscribirDentroDeUnaPalabraNoAbre) {
  Prueba p;
  p.Escribe("chx");
  p.Cursor(3, 1);
  p.Escribe("m");
  EXPECT_FALSE(p.ayuda.visible());
  EXPECT_EQ(p.Lineas(), Lineas{"chmx"});
}

TEST(AyudaContextual, EnterAceptaSinNuevaLineaYUnDeshacerPorPaso) {
  // Enter after a whole word, the list untouched: the list closes and the line ends as usual.
  Prueba w;
  w.Escribe("date");
  ASSERT_TRUE(w.ayuda.visible());
  w.Tecla(tecla::Enter);
  w.Escribe("\r");
  w.Escribe("ls");
  EXPECT_EQ(w.Lineas(), (Lineas{"date", "ls"}));

  // Enter on an entry the user went to takes it, with no new line.
  Prueba p;
  p.Escribe("chm");
  ASSERT_TRUE(p.ayuda.visible());
  EXPECT_EQ(p.ayuda.AltoTwips(), kAltoAyudaCorta);
  p.Tecla(tecla::Abajo);
  p.Tecla(tecla::Arriba);
  p.Tecla(tecla::Enter);
  p.Escribe("\r"); // the character that follows the key
  EXPECT_EQ(p.Lineas(), Lineas{"chmod "});
  EXPECT_FALSE(p.ayuda.visible());
  p.ed.Deshacer(); // the insertion
  p.ed.Deshacer(); // the removal of the typed part
  EXPECT_EQ(p.Lineas(), Lineas{"chm"});

  // A template of several lines goes in whole; Tab accepts too.
  Prueba q;
  q.Escribe("for");
  q.Tecla(tecla::Abajo);
  q.Escribe("\t");
  EXPECT_EQ(q.Lineas(), (Lineas{"for <variable> in <$lista>", "do", "done"}));
}

TEST(AyudaContextual, TeclasDeLaLista) {
  Prueba p;
  p.Escribe("ls c"); // "case" .. "crontab -l | grep ": 14 entries
  ASSERT_EQ(p.ayuda.lista().size(), 14u);
  EXPECT_EQ(p.ventana.altos.back(), kAltoAyudaLarga);
  p.Tecla(tecla::Arriba);
  EXPECT_EQ(p.ayuda.seleccion(), 13); // from the first to the last
  p.Tecla(tecla::Abajo);
  EXPECT_EQ(p.ayuda.seleccion(), 13); // stays on the last
  p.Tecla(tecla::RePag);
  EXPECT_EQ(p.ayuda.seleccion(), 8);
  p.Tecla(tecla::RePag, 0, 2);
  EXPECT_EQ(p.ayuda.seleccion(), 0);
  p.Tecla(tecla::AvPag);
  EXPECT_EQ(p.ayuda.seleccion(), 5);
  EXPECT_EQ(p.Lineas(), Lineas{"ls c"}); // the editor never saw those keys

  p.Escribe("hm");
  EXPECT_EQ(p.ayuda.lista().size(), 3u);
  p.Tecla(tecla::Retroceso);
  p.Escribe("\b");
  EXPECT_EQ(p.ayuda.lista().size(), 4u); // "ch": chgrp and the chmods
  p.Tecla(tecla::Izquierda, 0, 3);       // before the word's start
  EXPECT_FALSE(p.ayuda.visible());

  for (const char* cierre : {" ", "\x1b"}) {
    Prueba q;
    q.Escribe("ch");
    ASSERT_TRUE(q.ayuda.visible());
    q.Escribe(cierre);
    EXPECT_FALSE(q.ayuda.visible()) << int(cierre[0]);
  }
}

TEST(AyudaContextual, EnvioDirectoDejaElEnterAlEditor) {
  Prueba p;
  p.ed.ModEnvDir = true;
  p.Escribe("ls");
  ASSERT_TRUE(p.ayuda.visible());
  p.Tecla(tecla::Abajo);
  EXPECT_FALSE(p.ayuda.KeyDown(tecla::Enter, 0));
  EXPECT_TRUE(p.ayuda.KeyDown(tecla::Enter, tecla::Ctrl));
  p.ed.ModEnvDir = false;
  EXPECT_TRUE(p.ayuda.KeyDown(tecla::Enter, 0));
  EXPECT_FALSE(p.ayuda.KeyDown(tecla::Enter, tecla::Mayus));
}

TEST(AyudaContextual, RatonEnOtraLineaOFocoPerdidoCierran) {
  Prueba p;
  p.ed.Text(U"uno\r\n");
  p.Cursor(1, 2);
  p.Escribe("ch");
  ASSERT_TRUE(p.ayuda.visible());
  p.ayuda.MouseDown(1, 2);
  EXPECT_TRUE(p.ayuda.visible());
  p.ayuda.PerdioFoco(true);
  EXPECT_TRUE(p.ayuda.visible());
  p.ayuda.MouseDown(1, 1);
  EXPECT_FALSE(p.ayuda.visible());
  p.Escribe("m");
  p.ayuda.PerdioFoco(false);
  EXPECT_FALSE(p.ayuda.visible());
}

TEST(AyudaContextual, Ubicacion) {
  // Screen 1000 x 800, popup 113 x 95, line 16.
  struct Caso {
    PuntoPantalla punto;
    std::optional<std::pair<int, int>> esperado;
  } casos[] = {{{100, 100}, std::pair{100, 100}},
               {{100, 750}, std::pair{100, 750 - 95 - 16}},
               {{950, 100}, std::pair{1000 - 113, 100}},
               {{990, 790}, std::pair{887, 790 - 95 - 16}}};
  for (const Caso& c : casos) {
    auto r = UbicaAyuda(c.punto, 113, 95, 16, 1000, 800);
    ASSERT_EQ(r.has_value(), c.esperado.has_value());
    EXPECT_EQ(std::pair(r->x, r->y), *c.esperado);
  }
  EXPECT_FALSE(UbicaAyuda({0, 0}, 113, 95, 16, 100, 800));
}

} // namespace
} // namespace zt
