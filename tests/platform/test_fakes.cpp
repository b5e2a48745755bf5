// The fakes play the host for every core test, so their few rules of their own are checked here.
#include "fakes/FakeClipboard.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeProcesses.h"
#include "fakes/FakePump.h"
#include "fakes/FakeSocket.h"
#include "fakes/FakeSurface.h"
#include "fakes/FakeTimer.h"
#include <gtest/gtest.h>

using namespace zt;

namespace {
struct Oyente : SocketListener {
  std::string eventos;
  void Conectado() override { eventos += "conectado;"; }
  void Cerrado(const std::string &m) override { eventos += "cerrado(" + m + ");"; }
  void DatosLlegan(std::size_t n) override { eventos += "datos " + std::to_string(n) + ";"; }
};
} // namespace

TEST(Fakes, SocketJuegaElHost) {
  FakeSocket s;
  Oyente o;
  s.FijaListener(&o);
  EXPECT_FALSE(s.Enviar("x"));
  s.Conectar("h", 23);
  EXPECT_EQ(s.EstadoCodigo(), 6);
  s.AceptaConexion();
  EXPECT_TRUE(s.Enviar("ls\r"));
  s.Recibe("abc");
  s.Recibe("de");
  EXPECT_EQ(s.Leer(), "abcde");
  EXPECT_EQ(s.Leer(), "");
  s.CierraRemoto("roto");
  EXPECT_EQ(s.EstadoCodigo(), 0);
  EXPECT_EQ(o.eventos, "conectado;datos 3;datos 2;cerrado(roto);");
  EXPECT_EQ(s.enviado, "ls\r");
}

TEST(Fakes, PumpEsperaConRelojManual) {
  FakePump p;
  int tics = 0;
  p.alProcesar = [&] { ++tics; };
  EXPECT_TRUE(p.EsperaHasta([&] { return tics >= 3; }, 1000));
  EXPECT_EQ(p.Reloj(), 20);
  EXPECT_FALSE(p.EsperaHasta([] { return false; }, 100));
  EXPECT_EQ(p.Reloj(), 120);
  p.Duerme(50);
  EXPECT_EQ(p.Reloj(), 170);
}

TEST(Fakes, TimerParaCuandoElTicLoDetiene) {
  FakeTimer t;
  int n = 0;
  t.FijaTic([&] {
    if (++n == 2) t.Detener();
  });
  EXPECT_FALSE(t.Tic());
  t.Iniciar(250);
  EXPECT_EQ(t.Tics(5), 2);
  EXPECT_FALSE(t.Activo());
}

TEST(Fakes, DialogsRespondeDeLaColaYLuegoPorDefecto) {
  FakeDialogs d;
  d.respuestas = {Respuesta::No};
  EXPECT_EQ(d.Mensaje(U"¿Guardar?", U"T", Botones::SiNoCancelar, Icono::Pregunta), Respuesta::No);
  EXPECT_EQ(d.Mensaje(U"¿Guardar?", U"T", Botones::SiNo), Respuesta::Si);
  EXPECT_EQ(d.Mensaje(U"x", U"T", Botones::SiNo, Icono::Ninguno, Respuesta::No), Respuesta::No);
  EXPECT_EQ(d.Mensaje(U"x", U"T", Botones::ReintentarCancelar), Respuesta::Cancelar);
  EXPECT_EQ(d.Mensaje(U"x", U"T"), Respuesta::Aceptar);
  ASSERT_EQ(d.mensajes.size(), 5u);
  EXPECT_EQ(d.mensajes[0].icono, Icono::Pregunta);
  EXPECT_EQ(d.Entrada(U"n", U"t", U"i"), std::nullopt);
}

TEST(Fakes, SurfaceEscribeLasLlamadas) {
  FakeSurface s;
  s.LlenaRect(0, 0, 8, 16, RGB(255, 0, 0));
  s.DibujaTexto(8, 0, U"añ", RGB(0, 0, 255), true);
  s.Linea(0, 15, 7, 15, RGB(1, 2, 3));
  EXPECT_EQ(s.Todo(),
            "LlenaRect 0,0,8,16 #ff0000\nDibujaTexto 8,0 \"añ\" #0000ff negrita\nLinea 0,15-7,15 #010203\n");
}

TEST(Fakes, ClipboardYProcesosPuedenFallar) {
  FakeClipboard c;
  c.fallaEscritura = true;
  EXPECT_FALSE(c.PonTexto(U"x"));
  c.fallaLectura = true;
  EXPECT_EQ(c.LeeTexto(), std::nullopt);
  FakeProcesses p;
  long pid = p.IniciaDesligado("ztelnet", {"/M=a b.zkv"});
  EXPECT_TRUE(p.Vive(pid));
  p.Termina(pid);
  EXPECT_FALSE(p.Vive(pid));
  p.falla = true;
  EXPECT_EQ(p.IniciaDesligado("x", {}), 0);
  ASSERT_EQ(p.inicios.size(), 2u);
  EXPECT_EQ(p.inicios[0].argumentos[0], "/M=a b.zkv");
}
