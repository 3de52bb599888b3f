#include "network_files.h"

#include "file_access.h"
#include "file_test_helpers.h"
#include "line_splitter.h"
#include "random_generator.h"
#include "real_text.h"
#include "ren_file.h"
#include "rna_file.h"
#include "work_state.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// Everything of the network a load may touch, to compare before and after.
struct NetworkSnapshotForTest {
    int entradas, ocultas, salidas;
    TFuncionTransferencia funcion;
    std::vector<double> pesos;
    bool operator==(const NetworkSnapshotForTest&) const = default;
};

NetworkSnapshotForTest Snapshot(const TRedNeuronal& red) {
    NetworkSnapshotForTest foto{red.NumeroEntradas(), red.NeuronasCapaOculta(), red.NeuronasCapaSalida(), red.FuncionTransferencia(), {}};
    for (const TCapaNeuronal* capa : {&red.CapaOculta, &red.CapaSalida}) {
        for (int j = 1; j <= 32; ++j) {
            for (int k = 0; k <= 32; ++k) foto.pesos.push_back(capa->Neuronas[j].Pesos[k]);
        }
    }
    return foto;
}

bool SameState(const WorkState& a, const WorkState& b) {
    return a.RedCreada == b.RedCreada && a.NumeroPatrones == b.NumeroPatrones && a.NombreRed == b.NombreRed &&
           a.EntradasPatrones == b.EntradasPatrones && a.SalidasPatrones == b.SalidasPatrones &&
           a.PararEntrenamiento == b.PararEntrenamiento;
}

// Values of every kind: any finite double, small fractions, whole numbers.
double AnyValue(std::mt19937_64& azar) {
    switch (azar() % 3) {
    case 0: {
        double v = std::bit_cast<double>(azar());
        return std::isfinite(v) ? v : 0.0;
    }
    case 1:
        return std::uniform_real_distribution<double>(-1, 1)(azar);
    default:
        return static_cast<double>(static_cast<int>(azar() % 2001) - 1000);
    }
}

class NetworkLoading : public ::testing::Test {
protected:
    TemporaryFolder carpeta;
    TRedNeuronal red;
    WorkState estado;

    NetworkLoading() {
        PrepareStartUpNetwork(red);
        estado.NombreRed = "NuevaNeurona";
        estado.NumeroPatrones = 5;
        for (int p = 1; p <= 100; ++p) {
            for (int i = 1; i <= 32; ++i) {
                estado.EntradasPatrones[p][i] = p + i / 100.0;
                estado.SalidasPatrones[p][i] = -p - i / 100.0;
            }
        }
    }
};

TEST_F(NetworkLoading, RoundTripKeepsEveryRenderingUnderBothSeparators) {
    std::mt19937_64 azar(42);
    for (int prueba = 0; prueba < 12; ++prueba) {
        const char separador = prueba % 2 ? ',' : '.';
        TRedNeuronal origen;
        Topology(origen, 1 + static_cast<int>(azar() % 32), 1 + static_cast<int>(azar() % 32),
                  1 + static_cast<int>(azar() % 32));
        for (TCapaNeuronal* capa : {&origen.CapaOculta, &origen.CapaSalida}) {
            for (int j = 1; j <= capa->NumeroNeuronas(); ++j) {
                for (int k = 0; k <= capa->NumeroEntradas(); ++k) capa->Neuronas[j].Pesos[k] = AnyValue(azar);
            }
        }
        WorkState tabla;
        tabla.NumeroPatrones = prueba == 0 ? 100 : static_cast<int>(azar() % 101);
        for (int p = 1; p <= tabla.NumeroPatrones; ++p) {
            for (int i = 1; i <= 32; ++i) {
                tabla.EntradasPatrones[p][i] = AnyValue(azar);
                tabla.SalidasPatrones[p][i] = AnyValue(azar);
            }
        }
        const std::string ren = carpeta.Path("red.ren");
        SaveLines(carpeta.Path("red.rna"), RnaLines(origen, PatternsToSave(tabla, origen), 0, 1, separador));
        SaveLines(ren, RenLines(origen, 0, 1, separador));

        TRedNeuronal destino;
        WorkState cargado;
        LoadResult resultado = ApplyDescription(ReadRen(ren), destino, cargado);
        ASSERT_TRUE(resultado.PatternsTaken) << resultado.Warning;
        EXPECT_EQ(destino.NumeroEntradas(), origen.NumeroEntradas());
        EXPECT_EQ(destino.NeuronasCapaOculta(), origen.NeuronasCapaOculta());
        EXPECT_EQ(destino.NeuronasCapaSalida(), origen.NeuronasCapaSalida());
        EXPECT_EQ(destino.FuncionTransferencia(), ftTangenteHiperbolica);
        for (auto [a, b] : {std::pair{&origen.CapaOculta, &destino.CapaOculta}, std::pair{&origen.CapaSalida, &destino.CapaSalida}}) {
            for (int j = 1; j <= a->NumeroNeuronas(); ++j) {
                for (int k = 0; k <= a->NumeroEntradas(); ++k) {
                    ASSERT_EQ(RealText(b->Neuronas[j].Pesos[k], '.'), RealText(a->Neuronas[j].Pesos[k], '.'));
                }
            }
        }
        ASSERT_EQ(cargado.NumeroPatrones, tabla.NumeroPatrones);
        for (int p = 1; p <= tabla.NumeroPatrones; ++p) {
            for (int i = 1; i <= origen.NumeroEntradas(); ++i) {
                ASSERT_EQ(RealText(cargado.EntradasPatrones[p][i], '.'), RealText(tabla.EntradasPatrones[p][i], '.'));
            }
            for (int k = 1; k <= origen.NeuronasCapaSalida(); ++k) {
                ASSERT_EQ(RealText(cargado.SalidasPatrones[p][k], '.'), RealText(tabla.SalidasPatrones[p][k], '.'));
            }
        }
    }
}

TEST_F(NetworkLoading, SavedUnderOneSeparatorLoadsAndSavesUnderTheOtherToTheSameDoubles) {
    // Each of these is its own 15-digit text, the largest double included.
    constexpr double maximo = std::numeric_limits<double>::max();
    constexpr double minimo = std::numeric_limits<double>::denorm_min();
    Topology(red, 1, 1, 1);
    red.CapaOculta.Neuronas[1].Pesos[0] = maximo;
    red.CapaOculta.Neuronas[1].Pesos[1] = -minimo;
    red.CapaSalida.Neuronas[1].Pesos[0] = -2.5e-7;
    red.CapaSalida.Neuronas[1].Pesos[1] = 1e20;
    estado.NumeroPatrones = 1;
    estado.EntradasPatrones[1][1] = -maximo;
    estado.SalidasPatrones[1][1] = minimo;
    const NetworkSnapshotForTest original = Snapshot(red);
    const std::string ren = carpeta.Path("red.ren");
    for (char separador : {',', '.', ','}) {
        SaveLines(carpeta.Path("red.rna"), RnaLines(red, PatternsToSave(estado, red), 0, 0, separador));
        SaveLines(ren, RenLines(red, 0, 0, separador));
        ASSERT_EQ(MessageOf([&] { ApplyDescription(ReadRen(ren), red, estado); }), "(no error)") << separador;
        EXPECT_EQ(Snapshot(red), original);
        EXPECT_EQ(estado.EntradasPatrones[1][1], -maximo);
        EXPECT_EQ(estado.SalidasPatrones[1][1], minimo);
    }
}

TEST_F(NetworkLoading, UntrainedLoadWritesCountsInOrderThenDrawsFreshWeights) {
    // The seeding clock ticks on every read, so the weights tell the order
    // and the number of the draws.
    int tic = 0;
    RandomGenerator::SetClock([&] { return TimeOfDay{0, 0, tic / 1000, tic++ % 1000}; });
    TRedNeuronal referencia;
    PrepareStartUpNetwork(referencia);
    tic = 0;
    TRedNeuronal cargada;
    PrepareStartUpNetwork(cargada);

    tic = 5000;
    referencia.SetNeuronasCapaOculta(3);
    referencia.SetNeuronasCapaSalida(2);
    referencia.SetNumeroEntradas(4);
    referencia.SetFuncionTransferencia(ftTangenteHiperbolica);
    referencia.InicializarPesos();

    tic = 5000;
    LoadResult resultado =
        ApplyDescription(DescribeRna(JoinLines({"4", "3", "2", "0", "1", "0"})), cargada, estado);
    RandomGenerator::SetClock({});
    EXPECT_EQ(Snapshot(cargada).pesos, Snapshot(referencia).pesos);
    EXPECT_EQ(cargada.FuncionTransferencia(), ftTangenteHiperbolica);
    EXPECT_TRUE(estado.RedCreada);
    EXPECT_EQ(resultado.Kind, NetworkFileKind::Untrained);
    EXPECT_TRUE(resultado.PatternsTaken);
    EXPECT_EQ(resultado.Header.NumeroEntradas, 4);
    EXPECT_EQ(resultado.Header.FunctionSelection, 1);
}

TEST_F(NetworkLoading, TrainedLoadKeepsTheWeightsRead) {
    NetworkDescription d = DescribeRen(JoinLines({"1", "2", "1", "-1", "2", "1", "2", "3", "4", "5", "6", "7"}));
    LoadResult resultado = ApplyDescription(d, red, estado);
    EXPECT_EQ(red.CapaOculta.Neuronas[1].Pesos[0], 1);
    EXPECT_EQ(red.CapaOculta.Neuronas[2].Pesos[1], 4);
    EXPECT_EQ(red.CapaSalida.Neuronas[1].Pesos[0], 5);
    EXPECT_EQ(red.CapaSalida.Neuronas[1].Pesos[2], 7);
    EXPECT_EQ(red.FuncionTransferencia(), ftIdentidad);
    EXPECT_EQ(resultado.Kind, NetworkFileKind::Trained);
    EXPECT_FALSE(resultado.PatternsTaken);
    EXPECT_EQ(estado.NumeroPatrones, 5);
    EXPECT_TRUE(estado.RedCreada);
}

TEST_F(NetworkLoading, NoSelectionLeavesTheTransferFunction) {
    red.SetFuncionTransferencia(ftTangenteHiperbolica);
    ApplyDescription(DescribeRna(JoinLines({"1", "1", "1", "-1", "-1", "0"})), red, estado);
    EXPECT_EQ(red.FuncionTransferencia(), ftTangenteHiperbolica);
    ApplyDescription(DescribeRna(JoinLines({"1", "1", "1", "-1", "0", "0"})), red, estado);
    EXPECT_EQ(red.FuncionTransferencia(), ftSigmoide);
}

TEST_F(NetworkLoading, PatternsReplaceOnlyTheRowsAndColumnsTheFileHolds) {
    const WorkState antes = estado;
    ApplyDescription(DescribeRna(JoinLines({"1", "1", "2", "0", "0", "2", "7", "8", "1", "2", "3", "4"})), red, estado);
    EXPECT_EQ(estado.NumeroPatrones, 2);
    EXPECT_EQ(estado.EntradasPatrones[1][1], 7);
    EXPECT_EQ(estado.EntradasPatrones[2][1], 8);
    EXPECT_EQ(estado.SalidasPatrones[1][2], 2);
    EXPECT_EQ(estado.SalidasPatrones[2][2], 4);
    EXPECT_EQ(estado.EntradasPatrones[1][2], antes.EntradasPatrones[1][2]);
    EXPECT_EQ(estado.SalidasPatrones[2][3], antes.SalidasPatrones[2][3]);
    EXPECT_EQ(estado.EntradasPatrones[3], antes.EntradasPatrones[3]);
    EXPECT_EQ(estado.SalidasPatrones[5], antes.SalidasPatrones[5]);
}

TEST_F(NetworkLoading, FailedLoadChangesNothing) {
    const std::string rna = carpeta.Path("mala.rna");
    const std::string ren = carpeta.Path("otra.ren");
    const std::string companero = carpeta.Path("otra.rna");
    struct Case {
        const char* nombre;
        std::string ruta;
        Lines fichero;
        Lines companero;  // empty: none
        std::string mensaje;
    };
    const Case casos[] = {
        {"last pattern value", rna, {"1", "1", "1", "0", "0", "2", "1", "2", "3", "x"}, {}, "'x' is not a valid floating point value"},
        {"missing pattern line", rna, {"1", "1", "1", "0", "0", "2", "1", "2", "3"}, {}, "List index out of bounds (9)"},
        {"pattern count", rna, {"1", "1", "1", "0", "0", "101"}, {}, "'101' is not a valid pattern count"},
        {"missing file", carpeta.Path("no.rna"), {}, {}, "Cannot open file " + carpeta.Path("no.rna")},
        {"last weight", ren, {"1", "1", "1", "0", "0", "1", "2", "3", "1E999"}, {}, "Floating point overflow"},
        {"companion values", ren, {"1", "1", "1", "0", "0", "1", "2", "3", "4"}, {"1", "1", "1", "0", "0", "1", "1", "y"},
         "'y' is not a valid floating point value"},
        {"companion header", ren, {"1", "1", "1", "0", "0", "1", "2", "3", "4"}, {"1", "1"}, "List index out of bounds (2)"},
    };
    for (const Case& caso : casos) {
        std::filesystem::remove(companero);
        if (!caso.fichero.empty()) WriteBytes(caso.ruta, JoinLines(caso.fichero));
        if (!caso.companero.empty()) WriteBytes(companero, JoinLines(caso.companero));
        const NetworkSnapshotForTest redAntes = Snapshot(red);
        const WorkState estadoAntes = estado;
        const bool entrenada = caso.ruta == ren;
        std::string mensaje = MessageOf([&] {
            if (entrenada) {
                ApplyDescription(ReadRen(caso.ruta), red, estado);
            } else {
                ApplyDescription(ReadRna(caso.ruta), red, estado);
            }
        });
        EXPECT_EQ(mensaje, caso.mensaje) << caso.nombre;
        EXPECT_EQ(Snapshot(red), redAntes) << caso.nombre;
        EXPECT_TRUE(SameState(estado, estadoAntes)) << caso.nombre;
    }
}

TEST_F(NetworkLoading, TrainedFileTakesPatternsFromItsCompanion) {
    const std::string ren = carpeta.Path("xor.ren");
    WriteBytes(ren, JoinLines({"2", "1", "1", "0", "0", "1", "2", "3", "4", "5"}));
    WriteBytes(carpeta.Path("xor.rna"), JoinLines({"2", "1", "1", "0", "0", "1", "0,5", "1", "0"}));
    LoadResult resultado = ApplyDescription(ReadRen(ren), red, estado);
    EXPECT_TRUE(resultado.PatternsTaken);
    EXPECT_EQ(resultado.Kind, NetworkFileKind::Trained);
    EXPECT_EQ(resultado.Warning, "");
    EXPECT_EQ(estado.NombreRed, "xor");
    EXPECT_EQ(estado.NumeroPatrones, 1);
    EXPECT_EQ(estado.EntradasPatrones[1][1], 0.5);
    EXPECT_EQ(red.CapaSalida.Neuronas[1].Pesos[1], 5);
}

TEST_F(NetworkLoading, TrainedFileWithoutCompanionKeepsTheTable) {
    const WorkState antes = estado;
    const std::string ren = carpeta.Path("solo.ren");
    WriteBytes(ren, JoinLines({"1", "1", "1", "0", "0", "1", "2", "3", "4"}));
    std::filesystem::create_directory(carpeta.Path("solo.rna"));  // a folder is no companion
    LoadResult resultado = ApplyDescription(ReadRen(ren), red, estado);
    EXPECT_FALSE(resultado.PatternsTaken);
    EXPECT_EQ(resultado.Warning, "");
    EXPECT_EQ(resultado.Kind, NetworkFileKind::Trained);
    EXPECT_EQ(estado.NumeroPatrones, antes.NumeroPatrones);
    EXPECT_EQ(estado.EntradasPatrones, antes.EntradasPatrones);
    EXPECT_EQ(estado.NombreRed, "solo");
}

TEST_F(NetworkLoading, CompanionOfAnotherTopologyLoadsTheNetworkAndWarns) {
    const WorkState antes = estado;
    const std::string ren = carpeta.Path("xor.ren");
    const std::string rna = carpeta.Path("xor.rna");
    WriteBytes(ren, JoinLines({"1", "1", "1", "0", "0", "1", "2", "3", "4"}));
    WriteBytes(rna, JoinLines({"2", "1", "1", "0", "0", "1", "1", "1", "1"}));
    LoadResult resultado = ApplyDescription(ReadRen(ren), red, estado);
    EXPECT_FALSE(resultado.PatternsTaken);
    EXPECT_EQ(resultado.Warning, "El fichero de patrones " + rna + " no corresponde a la topología de la red; no se ha cargado.");
    EXPECT_EQ(red.NumeroEntradas(), 1);
    EXPECT_EQ(red.CapaSalida.Neuronas[1].Pesos[1], 4);
    EXPECT_EQ(estado.NumeroPatrones, antes.NumeroPatrones);
    EXPECT_EQ(estado.SalidasPatrones, antes.SalidasPatrones);
}

}  // namespace

TEST(RnaLines, CommaExampleHasTwelveLinesInOrder) {
    TRedNeuronal red;
    Topology(red, 2, 3, 1);
    WorkState estado;
    estado.NumeroPatrones = 2;
    estado.EntradasPatrones[1][1] = 0;
    estado.EntradasPatrones[1][2] = 0.5;
    estado.SalidasPatrones[1][1] = 1;
    estado.EntradasPatrones[2][1] = 1;
    estado.EntradasPatrones[2][2] = 1;
    estado.SalidasPatrones[2][1] = 0;
    EXPECT_EQ(RnaLines(red, PatternsToSave(estado, red), 0, 0, ','), (Lines{"2", "3", "1", "0", "0", "2", "0", "0,5", "1", "1", "1", "0"}));
}

TEST(RnaLines, InputsOfAllPatternsPrecedeTheirOutputs) {
    TRedNeuronal red;
    Topology(red, 2, 4, 1);
    WorkState estado;
    estado.NumeroPatrones = 3;
    for (int p = 1; p <= 3; ++p) {
        estado.EntradasPatrones[p][1] = p * 10 + 1;
        estado.EntradasPatrones[p][2] = p * 10 + 2;
        estado.EntradasPatrones[p][3] = 99;  // beyond the network's inputs: not saved
        estado.SalidasPatrones[p][1] = -p;
    }
    estado.EntradasPatrones[4][1] = 77;  // beyond the pattern count: not saved
    EXPECT_EQ(RnaLines(red, PatternsToSave(estado, red), -1, 2, '.'),
              (Lines{"2", "4", "1", "-1", "2", "3", "11", "12", "21", "22", "31", "32", "-1", "-2", "-3"}));
}

TEST(RnaLines, BeforeAnyChoiceWritesStartUpTopologyAndNoPatterns) {
    TRedNeuronal red;
    PrepareStartUpNetwork(red);
    WorkState estado;
    EXPECT_EQ(RnaLines(red, PatternsToSave(estado, red), -1, -1, '.'), (Lines{"2", "2", "1", "-1", "-1", "0"}));
}

TEST(ApplyDescription, SelectionsOutsideTheListsReadAsNone) {
    struct Case {
        const char* regla;
        const char* funcion;
        int seleccionRegla;
        int seleccionFuncion;
    };
    const Case casos[] = {
        {"0", "1", 0, 1}, {"0", "2", 0, 2}, {"-1", "-1", -1, -1}, {"1", "3", -1, -1}, {"$0", "-5", 0, -1},
    };
    for (const Case& caso : casos) {
        TRedNeuronal red;
        WorkState estado;
        const LoadResult d = ApplyDescription(DescribeRna(JoinLines({"1", "1", "1", caso.regla, caso.funcion, "0"})), red, estado);
        EXPECT_EQ(d.Header.RuleSelection, caso.seleccionRegla) << caso.regla;
        EXPECT_EQ(d.Header.FunctionSelection, caso.seleccionFuncion) << caso.funcion;
    }
}
