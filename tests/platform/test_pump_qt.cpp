#include "AppQt.h"
#include "platform/qt/PumpQt.h"
#include "platform/qt/TimerQt.h"
#include <QTimer>
#include <gtest/gtest.h>

using namespace zt;

TEST(PumpQt, EsperaHastaQueUnTemporizadorCumplaLaCondicion) {
  AppQt();
  PumpQt pump;
  bool listo = false;
  QTimer::singleShot(30, [&] { listo = true; });
  EXPECT_TRUE(pump.EsperaHasta([&] { return listo; }, 10000));
}

TEST(PumpQt, EsperaHastaSeRindeAlAgotarElTiempo) {
  AppQt();
  PumpQt pump;
  const int64_t inicio = pump.Reloj();
  EXPECT_FALSE(pump.EsperaHasta([] { return false; }, 50));
  EXPECT_GE(pump.Reloj() - inicio, 50); // never gives up early
}

TEST(PumpQt, CondicionYaCumplidaNoEspera) {
  AppQt();
  PumpQt pump;
  EXPECT_TRUE(pump.EsperaHasta([] { return true; }, 0));
}

TEST(PumpQt, DuermeDejaCorrerLosTemporizadores) {
  AppQt();
  PumpQt pump;
  TimerQt timer;
  int tics = 0;
  timer.FijaTic([&] {
    if (++tics == 2) timer.Detener();
  });
  timer.Iniciar(5);
  EXPECT_TRUE(timer.Activo());
  EXPECT_TRUE(pump.EsperaHasta([&] { return !timer.Activo(); }, 10000));
  EXPECT_EQ(tics, 2);
  bool corrio = false;
  QTimer::singleShot(0, [&] { corrio = true; });
  pump.Duerme(20);
  EXPECT_TRUE(corrio);
}
