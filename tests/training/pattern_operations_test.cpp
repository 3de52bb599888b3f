#include "pattern_operations.h"

#include "entry_fields.h"
#include "pattern_grid.h"
#include "recording_views.h"
#include "test_network.h"

#include <gtest/gtest.h>

namespace {

class PatternOperations : public ::testing::Test {
protected:
    void SetUp() override {
        FreezeClock();
        PrepareStartUpNetwork(red);
    }
    void TearDown() override { RandomGenerator::SetClock({}); }

    // A network of `entradas` inputs and `salidas` outputs with its fields enabled.
    void Make(std::int32_t entradas, TRangoNeuronas salidas) {
        Configure(red, entradas, 2, salidas);
        estado.RedCreada = true;
        EnableEntryFields(vista, red);
    }
    void Add(double entrada1, double salida1) {
        vista.valores[1] = entrada1;
        vista.valores[11] = salida1;
        AddPattern(estado, red, vista);
    }

    TRedNeuronal red;
    WorkState estado;
    RecordingDataTab vista;
};

TEST_F(PatternOperations, AddAndDeleteAreRefusedWithoutNetworkButDeleteAllRuns) {
    vista.valores[1] = 7;
    vista.numeroPatron = 1;
    AddPattern(estado, red, vista);
    DeletePattern(estado, red, vista);
    EXPECT_EQ(vista.escrituras, 0);
    EXPECT_EQ(vista.rejilla.escrituras, 0);
    EXPECT_EQ(estado.NumeroPatrones, 0);
    EXPECT_EQ(vista.valores[1], 7);

    vista.etiqueta = "Patrón 5";
    DeleteAllPatterns(estado, red, vista);
    EXPECT_EQ(vista.rejilla.filas, 2);
    EXPECT_EQ(vista.etiqueta, "Patrón 1");
    // The start-up network has 2 inputs and 1 output.
    EXPECT_EQ(vista.rejilla.numeros, (std::map<Cell, double>{{{1, 1}, 0.0}, {{2, 1}, 0.0}, {{3, 1}, 0.0}}));
}

TEST_F(PatternOperations, AddStoresEnabledFieldsOnlyAndResetsAllTwenty) {
    Make(2, 1);
    estado.EntradasPatrones[1][3] = 4.5;  // left by an older pattern
    vista.valores = {};
    vista.valores[2] = 1;
    vista.valores[3] = 9;   // typed while enabled, now disabled
    vista.valores[11] = 1;
    vista.valores[12] = 9;
    vista.numeroPatron = 3;
    AddPattern(estado, red, vista);

    EXPECT_EQ(estado.NumeroPatrones, 1);
    EXPECT_EQ(estado.EntradasPatrones[1][1], 0.0);
    EXPECT_EQ(estado.EntradasPatrones[1][2], 1.0);
    EXPECT_EQ(estado.EntradasPatrones[1][3], 4.5);
    EXPECT_EQ(estado.SalidasPatrones[1][1], 1.0);
    EXPECT_EQ(estado.SalidasPatrones[1][2], 0.0);
    for (int campo = 1; campo <= 20; ++campo) EXPECT_EQ(vista.valores[campo], 0) << "field " << campo;
    EXPECT_EQ(vista.etiqueta, "Patrón 2");
    EXPECT_EQ(vista.maximoNumeroPatron, 1);
    EXPECT_EQ(vista.numeroPatron, 0);
    EXPECT_EQ(vista.rejilla.filas, 2);
    EXPECT_EQ(vista.rejilla.columnas, -1);
    EXPECT_TRUE(vista.rejilla.textos.empty());
    EXPECT_EQ(vista.rejilla.numeros, (std::map<Cell, double>{{{1, 1}, 0.0}, {{2, 1}, 1.0}, {{3, 1}, 1.0}}));
}

TEST_F(PatternOperations, AddClearsColumnsNoFieldCanType) {
    Make(12, 11);
    estado.EntradasPatrones[1][11] = 3;
    estado.SalidasPatrones[1][12] = 3;
    Add(0.5, 0.25);
    EXPECT_EQ(estado.EntradasPatrones[1][11], 0.0);
    EXPECT_EQ(estado.SalidasPatrones[1][12], 0.0);
    EXPECT_EQ(vista.rejilla.numeros.at({12, 1}), 0.0);
    EXPECT_EQ(vista.rejilla.numeros.at({13, 1}), 0.25);
}

TEST_F(PatternOperations, TableHoldsAHundredPatterns) {
    Make(1, 1);
    for (int p = 1; p <= 100; ++p) Add(p, -p);
    EXPECT_EQ(vista.etiqueta, "Patrón 101");
    EXPECT_EQ(estado.EntradasPatrones[100][1], 100.0);

    vista.valores[1] = 5;
    const int escrituras = vista.escrituras;
    AddPattern(estado, red, vista);
    EXPECT_EQ(estado.NumeroPatrones, 100);
    EXPECT_EQ(vista.escrituras, escrituras);
    EXPECT_EQ(vista.valores[1], 5);
}

TEST_F(PatternOperations, DeleteMovesLaterPatternsUpAndRebuildsTheGrid) {
    Make(1, 1);
    for (int p = 1; p <= 4; ++p) Add(10 * p, p);
    vista.rejilla = RecordingTable{};
    vista.numeroPatron = 2;
    DeletePattern(estado, red, vista);

    EXPECT_EQ(estado.NumeroPatrones, 3);
    const double entradas[] = {0, 10, 30, 40, 40};  // row 4 keeps a copy of the old row 4
    const double salidas[] = {0, 1, 3, 4, 4};
    for (int p = 1; p <= 4; ++p) {
        EXPECT_EQ(estado.EntradasPatrones[p][1], entradas[p]) << "row " << p;
        EXPECT_EQ(estado.SalidasPatrones[p][1], salidas[p]) << "row " << p;
    }
    EXPECT_EQ(vista.numeroPatron, 0);
    EXPECT_EQ(vista.maximoNumeroPatron, 3);
    EXPECT_EQ(vista.etiqueta, "4");
    EXPECT_EQ(vista.rejilla.columnas, 3);
    EXPECT_EQ(vista.rejilla.filas, 4);
    EXPECT_EQ(vista.rejilla.textos,
              (std::map<Cell, std::string>{{{0, 0}, "Patrón"}, {{1, 0}, "Entrada 1"}, {{2, 0}, "Salida 1"}}));
    EXPECT_EQ(vista.rejilla.numeros, (std::map<Cell, double>{{{1, 1}, 10.0}, {{2, 1}, 1.0}, {{1, 2}, 30.0},
                                                              {{2, 2}, 3.0}, {{1, 3}, 40.0}, {{2, 3}, 4.0}}));
}

TEST_F(PatternOperations, DeleteBeyondTheCountRemovesTheLastAndTheOnlyLeavesTheHeader) {
    Make(1, 1);
    Add(1, 1);
    Add(2, 2);
    vista.numeroPatron = 7;
    DeletePattern(estado, red, vista);
    EXPECT_EQ(estado.NumeroPatrones, 1);
    EXPECT_EQ(estado.EntradasPatrones[1][1], 1.0);
    EXPECT_EQ(estado.EntradasPatrones[2][1], 2.0);

    vista.numeroPatron = 1;
    DeletePattern(estado, red, vista);
    EXPECT_EQ(estado.NumeroPatrones, 0);
    EXPECT_EQ(vista.rejilla.filas, 1);
    EXPECT_EQ(vista.etiqueta, "1");

    Add(3, 3);
    EXPECT_EQ(vista.rejilla.filas, 2);
    EXPECT_EQ(estado.NumeroPatrones, 1);
}

TEST_F(PatternOperations, DeleteIsRefusedForNumbersBelowOneAndAnEmptyTable) {
    Make(1, 1);
    vista.numeroPatron = 1;
    DeletePattern(estado, red, vista);
    Add(1, 1);
    const int escrituras = vista.escrituras;
    for (std::int32_t n : {0, -1}) {
        vista.numeroPatron = n;
        DeletePattern(estado, red, vista);
    }
    EXPECT_EQ(estado.NumeroPatrones, 1);
    EXPECT_EQ(vista.escrituras, escrituras);
}

TEST_F(PatternOperations, DeleteAllKeepsTableRowsAndThePatternNumberField) {
    Make(2, 1);
    Add(5, 6);
    vista.numeroPatron = 1;
    DeleteAllPatterns(estado, red, vista);
    EXPECT_EQ(estado.NumeroPatrones, 0);
    EXPECT_EQ(estado.EntradasPatrones[1][1], 5.0);
    EXPECT_EQ(vista.numeroPatron, 1);
    EXPECT_EQ(vista.maximoNumeroPatron, 1);
    EXPECT_EQ(vista.rejilla.numeros.at({1, 1}), 0.0);
    EXPECT_EQ(vista.rejilla.numeros.at({3, 1}), 0.0);
}

TEST_F(PatternOperations, NewNetworkGridHasHeadersAndOneZeroRow) {
    Configure(red, 3, 2, 2);
    ResetPatternGrid(vista.rejilla, red);
    EXPECT_EQ(vista.rejilla.columnas, 6);
    EXPECT_EQ(vista.rejilla.filas, 2);
    EXPECT_EQ(vista.rejilla.textos, (std::map<Cell, std::string>{{{0, 0}, "Patrón"},
                                                                 {{1, 0}, "Entrada 1"},
                                                                 {{2, 0}, "Entrada 2"},
                                                                 {{3, 0}, "Entrada 3"},
                                                                 {{4, 0}, "Salida 1"},
                                                                 {{5, 0}, "Salida 2"}}));
    EXPECT_EQ(vista.rejilla.numeros.size(), 5u);
    for (const auto& [celda, valor] : vista.rejilla.numeros) {
        EXPECT_EQ(celda.second, 1);
        EXPECT_EQ(valor, 0.0);
    }
}

TEST_F(PatternOperations, EntryFieldsFollowTheTopology) {
    struct Case { std::int32_t entradas; TRangoNeuronas salidas; };
    for (Case caso : {Case{3, 2}, Case{1, 1}, Case{10, 10}, Case{32, 32}}) {
        Configure(red, caso.entradas, 1, caso.salidas);
        vista.habilitados.fill(caso.entradas != 1);
        EnableEntryFields(vista, red);
        for (int k = 1; k <= 10; ++k) {
            EXPECT_EQ(vista.habilitados[k], caso.entradas >= k) << caso.entradas << " inputs, field " << k;
            EXPECT_EQ(vista.habilitados[10 + k], caso.salidas >= k) << +caso.salidas << " outputs, field " << 10 + k;
        }
    }
}

TEST(WorkState, ClearingEmptiesTheTableButKeepsTheName) {
    WorkState estado;
    estado.RedCreada = true;
    estado.NumeroPatrones = 3;
    estado.EntradasPatrones[100][32] = 1;
    estado.SalidasPatrones[1][1] = 1;
    estado.NombreRed = "xor";
    ClearWorkState(estado);
    EXPECT_FALSE(estado.RedCreada);
    EXPECT_EQ(estado.NumeroPatrones, 0);
    EXPECT_EQ(estado.EntradasPatrones[100][32], 0.0);
    EXPECT_EQ(estado.SalidasPatrones[1][1], 0.0);
    EXPECT_EQ(estado.NombreRed, "xor");
}

}  // namespace
