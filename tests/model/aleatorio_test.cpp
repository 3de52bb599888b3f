#include "aleatorio.h"

#include <gtest/gtest.h>

#include "reloj_fijo.h"

TEST(Aleatorio, SeedIsMillisecondsOfTheUtcDay) {
    RelojFijo reloj({10, 20, 30, 400});
    Aleatorio::SembrarDesdeReloj();
    EXPECT_EQ(Aleatorio::Estado(), 37230400u);
    reloj.Fijar({23, 59, 59, 999});
    Aleatorio::SembrarDesdeReloj();
    EXPECT_EQ(Aleatorio::Estado(), 86399999u);
}

TEST(Aleatorio, DrawFromZeroGivesStateOneAndOneOverTwoToThe32) {
    Aleatorio::FijarEstado(0);
    EXPECT_EQ(Aleatorio::Sacar(), 1.0 / 4294967296.0);
    EXPECT_EQ(Aleatorio::Estado(), 1u);
    EXPECT_EQ(Aleatorio::Sacar(), 134775814.0 / 4294967296.0);
}

TEST(Aleatorio, StateWrapsModulo2To32AndDrawsStayBelowOne) {
    Aleatorio::FijarEstado(0xFFFFFFFFu);
    const double valor = Aleatorio::Sacar();
    EXPECT_EQ(Aleatorio::Estado(), 4160191484u);  // (2^32 - 1) * 134775813 + 1 mod 2^32
    EXPECT_EQ(valor, 4160191484.0 / 4294967296.0);
    Aleatorio::FijarEstado(1298181734u);  // its successor is 2^32 - 1, the largest state
    EXPECT_LT(Aleatorio::Sacar(), 1.0);
    EXPECT_EQ(Aleatorio::Estado(), 0xFFFFFFFFu);
}

TEST(Aleatorio, SystemClockGivesATimeOfDay) {
    const HoraDelDia h = GetSystemTime();
    EXPECT_GE(h.hora, 0);
    EXPECT_LT(h.hora, 24);
    EXPECT_GE(h.minuto, 0);
    EXPECT_LT(h.minuto, 60);
    EXPECT_GE(h.segundo, 0);
    EXPECT_LT(h.segundo, 60);
    EXPECT_GE(h.milisegundo, 0);
    EXPECT_LT(h.milisegundo, 1000);
    {
        RelojFijo reloj({0, 0, 0, 1});
    }  // restores the system clock
    Aleatorio::SembrarDesdeReloj();
    EXPECT_LT(Aleatorio::Estado(), 86400000u);
}
