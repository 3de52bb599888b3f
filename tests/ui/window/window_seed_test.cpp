// SPDX-License-Identifier: GPL-3.0-or-later
// "Semilla fija": the same seed and the same clicks give the same network,
// the same run and the same chart; the option outlives a restart; and the
// window saves the weights the command line saves for the same file, seed
// and cycles.

#include "envelope_store.h"
#include "error_chart.h"
#include "flat_spin_edit_integer.h"
#include "main_window.h"
#include "random_generator.h"
#include "window_driver.h"

#include <QCheckBox>
#include <QProcess>
#include <QSet>
#include <QTest>

#include <bit>
#include <cstdint>

class WindowSeedTest : public QObject {
    Q_OBJECT

private slots:
    void sameSeedRepeatsWeightsAndChartBitForBit();
    void windowAndCommandLineSaveTheSameWeights_data();
    void windowAndCommandLineSaveTheSameWeights();
    void everyActionGivesEightDifferentHiddenNeurons_data();
    void everyActionGivesEightDifferentHiddenNeurons();
};

namespace {

QList<std::uint64_t> WeightBits(const TRedNeuronal& network) {
    QList<std::uint64_t> bits;
    for (const TCapaNeuronal* layer : {&network.CapaOculta, &network.CapaSalida}) {
        for (int j = 1; j <= layer->NumeroNeuronas(); ++j) {
            for (int k = 0; k <= layer->NumeroEntradas(); ++k)
                bits << std::bit_cast<std::uint64_t>(layer->Neuronas[j].Pesos[static_cast<std::size_t>(k)]);
        }
    }
    return bits;
}

struct Run {
    QList<std::uint64_t> start;
    QList<std::uint64_t> end;
    QList<std::uint64_t> chart;
};

// XOR from "Nueva Red Neuronal" through 3000 cycles; the lists keep the
// choices the first network made.
Run TrainXor(WindowDriver& driver, bool first) {
    TForm1& form = driver.form();
    if (first) {
        driver.PrepareXor();
    } else {
        driver.CreateNetwork(2, 2, 1, -1, -1);
        const QStringList values{"0.1", "0.9"};
        for (const QString& a : values) {
            for (const QString& b : values) driver.AddPattern({a, b}, {a == b ? "0.1" : "0.9"});
        }
        driver.ShowTab(form.TabSheet3);
    }
    Run run{WeightBits(form.RedNeuronal1), {}, {}};
    driver.TypeInto(form.FlatSpinEditInteger4, "3000");
    driver.Click(form.SpeedButton7);
    run.end = WeightBits(form.RedNeuronal1);
    std::vector<EnvelopeStore::Point> points;
    const EnvelopeStore& store = form.Chart1->Store();
    store.HeldPoints(points);
    for (const EnvelopeStore::Point& point : points) run.chart << static_cast<std::uint64_t>(point.x) << std::bit_cast<std::uint64_t>(point.y);
    return run;
}

}  // namespace

void WindowSeedTest::sameSeedRepeatsWeightsAndChartBitForBit() {
    WindowDriver driver;
    TForm1& form = driver.form();
    QVERIFY(!form.fixedSeed->isChecked());
    driver.ShowTab(form.TabSheet1);
    driver.Click(form.fixedSeed);
    driver.TypeInto(form.seedValue, "42");
    QCOMPARE(form.windowTitle(), QString("PerceptLab 0.1 (semilla fija 42)"));

    const Run first = TrainXor(driver, true);
    const Run second = TrainXor(driver, false);
    QCOMPARE(second.start, first.start);
    QCOMPARE(second.end, first.end);
    QCOMPARE(second.chart, first.chart);
    QVERIFY(!first.chart.isEmpty());
    QVERIFY(first.end != first.start);
    // The seed starts the sequence; the neurons drawn from it still differ.
    QVERIFY(first.start.mid(0, 3) != first.start.mid(3, 3));

    // Remembered: a window started now takes the same option.
    {
        TForm1 restarted(driver.separator().toLatin1());
        QVERIFY(restarted.fixedSeed->isChecked());
        QCOMPARE(restarted.seedValue->Value(), 42);
    }
    driver.ShowTab(form.TabSheet1);
    driver.Click(form.fixedSeed);
    QCOMPARE(form.windowTitle(), QString("PerceptLab"));
    TForm1 restarted(driver.separator().toLatin1());
    QVERIFY(!restarted.fixedSeed->isChecked());
}

void WindowSeedTest::windowAndCommandLineSaveTheSameWeights_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("seed");
    QTest::addColumn<QString>("cycles");
    QTest::newRow("sigmoid .rna") << "xor.rna" << "7" << "3000";
    QTest::newRow("tangent .rna, seed 0") << "tangent.rna" << "0" << "2000";
    QTest::newRow(".ren with its companion") << "trained.ren" << "2147483647" << "1500";
}

// "Semilla fija" and --seed mean the same: the window, driven through its
// buttons, and the command line save the same bytes.
void WindowSeedTest::windowAndCommandLineSaveTheSameWeights() {
    QFETCH(QString, file);
    QFETCH(QString, seed);
    QFETCH(QString, cycles);
    WindowDriver driver;
    TForm1& form = driver.form();
    const QStringList xor_{"2", "2", "1", "0", "0", "4", "0.1", "0.1", "0.1", "0.9", "0.9", "0.1", "0.9", "0.9",
                           "0.1", "0.9", "0.9", "0.1"};
    driver.WriteFile("xor.rna", xor_);
    driver.WriteFile("trained.rna", xor_);
    driver.WriteFile("trained.ren", {"2", "2", "1", "0", "0", "0.3", "-1.2", "0.7", "-0.4", "2.5", "-0.25", "1.5",
                                     "0.75", "-2"});
    driver.WriteFile("tangent.rna", {"2", "3", "1", "0", "1", "4", "-0.8", "-0.8", "-0.8", "0.8", "0.8", "-0.8",
                                     "0.8", "0.8", "-0.8", "0.8", "0.8", "-0.8"});

    driver.ShowTab(form.TabSheet1);
    driver.Click(form.fixedSeed);
    driver.TypeInto(form.seedValue, seed);
    driver.dialogs.answers << driver.Path(file);
    driver.Click(file.endsWith(".ren") ? form.SpeedButton10 : form.SpeedButton2);
    driver.ShowTab(form.TabSheet3);
    driver.TypeInto(form.FlatSpinEditInteger4, cycles);
    driver.Click(form.SpeedButton7);
    driver.dialogs.answers << driver.Path("window.ren");
    driver.Click(form.SpeedButton11);
    QVERIFY(driver.errors.messages.isEmpty());

    QProcess commandLine;
    commandLine.setWorkingDirectory(driver.folder());
    commandLine.start(PERCEPTLAB_EXECUTABLE,
                      {"--train", file, "--cycles", cycles, "--seed", seed, "--save", "command_line.ren"});
    QVERIFY(commandLine.waitForFinished(60000));
    QCOMPARE(commandLine.exitCode(), 0);
    QCOMPARE(commandLine.readAllStandardOutput().split('\n').first(), QByteArray("iterations: ") + cycles.toLatin1());
    const QByteArray saved = driver.ReadFile(driver.Path("window.ren"));
    QVERIFY(!saved.isEmpty());
    QCOMPARE(driver.ReadFile(driver.Path("command_line.ren")), saved);
}

// Without "Semilla fija" and with the clock standing still, as it does for
// every neuron of one action: a new 2-8-1 network, its load and
// "Reiniciar" each give the eight hidden neurons eight different weight rows.
void WindowSeedTest::everyActionGivesEightDifferentHiddenNeurons_data() {
    QTest::addColumn<int>("action");
    QTest::newRow("Nueva Red Neuronal") << 0;
    QTest::newRow("Cargar Red Sin Entrenar") << 1;
    QTest::newRow("Reiniciar") << 2;
}

void WindowSeedTest::everyActionGivesEightDifferentHiddenNeurons() {
    QFETCH(int, action);
    RandomGenerator::SetClock([] { return TimeOfDay{10, 0, 0, 0}; });
    WindowDriver driver;
    TForm1& form = driver.form();
    QVERIFY(!form.fixedSeed->isChecked());
    if (action == 1) {
        driver.dialogs.answers << driver.WriteFile("circulo.rna", {"2", "8", "1", "0", "0", "0"});
        driver.Click(form.SpeedButton2);
    } else {
        driver.CreateNetwork(2, 8, 1);
        if (action == 2) driver.Click(form.SpeedButton8);
    }
    RandomGenerator::SetClock({});
    QCOMPARE(driver.errors.messages, QStringList{});
    QCOMPARE(int(form.RedNeuronal1.NeuronasCapaOculta()), 8);
    QSet<QList<double>> rows;
    for (int j = 1; j <= 8; ++j) {
        const TNeurona& neuron = form.RedNeuronal1.CapaOculta.Neuronas[j];
        rows.insert({neuron.Pesos[0], neuron.Pesos[1], neuron.Pesos[2]});
    }
    QCOMPARE(rows.size(), 8);
}

QTEST_MAIN(WindowSeedTest)
#include "window_seed_test.moc"
