// SPDX-License-Identifier: GPL-3.0-or-later
// The "Red" and "Mapa de decisión" views on their own, driven by real mouse
// events: the exact weight shown for a connection, the neuron filter, a
// view reading the network only while shown, the map's plane, its
// orientation and colours.

#include "decision_map.h"
#include "network.h"
#include "network_diagram.h"
#include "random_generator.h"
#include "regional_separators.h"
#include "value_colours.h"
#include "work_state.h"

#include <QComboBox>
#include <QTest>

#include <vector>

namespace {

using Node = NetworkDiagram::Node;
using Connection = NetworkDiagram::Connection;

// A 2-2-1 sigmoid network with the weights set by hand.
void SetUp221(TRedNeuronal& network) {
    RandomGenerator::SetClock([] { return TimeOfDay{11, 0, 0, 0}; });
    PrepareStartUpNetwork(network);
    RandomGenerator::SetClock({});
    const double hidden[2][3] = {{0.5, -3.25, 0.1234567890123456789}, {-1.5, 4.0, 4.0}};
    const double output[3] = {2.0, -6.0, 5.5};
    for (int j = 1; j <= 2; ++j)
        for (int k = 0; k <= 2; ++k) network.CapaOculta.Neuronas[j].Pesos[static_cast<std::size_t>(k)] = hidden[j - 1][k];
    for (int k = 0; k <= 2; ++k) network.CapaSalida.Neuronas[1].Pesos[static_cast<std::size_t>(k)] = output[k];
}

void AddXor(WorkState& state) {
    const double patterns[4][3] = {{0.1, 0.1, 0.1}, {0.1, 0.9, 0.9}, {0.9, 0.1, 0.9}, {0.9, 0.9, 0.1}};
    state.NumeroPatrones = 4;
    for (int p = 1; p <= 4; ++p) {
        state.EntradasPatrones[static_cast<std::size_t>(p)][1] = patterns[p - 1][0];
        state.EntradasPatrones[static_cast<std::size_t>(p)][2] = patterns[p - 1][1];
        state.SalidasPatrones[static_cast<std::size_t>(p)][1] = patterns[p - 1][2];
    }
}

QPoint Along(QLineF line, double t) { return line.pointAt(t).toPoint(); }

}  // namespace

class LearningViewsTest : public QObject {
    Q_OBJECT

private slots:
    void diagramShowsTheExactWeightOfTheConnectionPointedAtOrSelected();
    void neuronFilterShowsOnlyThatNeuronsConnections();
    void diagramFollowsAResizedNetworkOnlyWhileShown();
    void mapCoversThePatternsAndColoursEachCellByTheOutputAtItsCentre();
};

void LearningViewsTest::diagramShowsTheExactWeightOfTheConnectionPointedAtOrSelected() {
    TRedNeuronal network;
    SetUp221(network);
    WorkState state;
    NetworkDiagram diagram;
    diagram.resize(560, 320);
    diagram.show();
    diagram.SetSource(network, state);
    const QString separator{QLatin1Char(RegionalDecimalSeparator())};

    // Input 2 to hidden 1, a quarter of the way along: clear of every other line.
    const Connection chosen{1, 1, 2};
    QTest::mouseClick(&diagram, Qt::LeftButton, {}, Along(diagram.ConnectionLine(chosen), 0.25));
    QCOMPARE(diagram.Selected(), std::optional(chosen));
    QCOMPARE(diagram.WeightText(), "Peso de Entrada 2 a Oculta 1 = 0" + separator + "123456789012346");

    // Pointing at another shows it; leaving shows the selected one again.
    QTest::mouseMove(&diagram, Along(diagram.ConnectionLine({2, 1, 0}), 0.5));
    QCOMPARE(diagram.WeightText(), QStringLiteral("Peso de sesgo (entrada −1) a Salida 1 = 2"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&diagram, &leave);
    QCOMPARE(diagram.WeightText(), "Peso de Entrada 2 a Oculta 1 = 0" + separator + "123456789012346");

    // A click away from every line and node clears the selection.
    QTest::mouseClick(&diagram, Qt::LeftButton, {}, QPoint(diagram.width() / 4, diagram.height() - 30));
    QCOMPARE(diagram.Selected(), std::nullopt);
}

void LearningViewsTest::neuronFilterShowsOnlyThatNeuronsConnections() {
    TRedNeuronal network;
    SetUp221(network);
    WorkState state;
    NetworkDiagram diagram;
    diagram.resize(560, 320);
    diagram.show();
    diagram.SetSource(network, state);
    auto* chooser = diagram.findChild<QComboBox*>(QStringLiteral("neuronFilter"));
    QVERIFY(chooser);

    QTest::mouseClick(&diagram, Qt::LeftButton, {}, diagram.NodeCentre({1, 2}).toPoint());
    QCOMPARE(diagram.Filter(), std::optional(Node{1, 2}));
    QCOMPARE(chooser->currentText(), QStringLiteral("Oculta 2"));
    // Input 2 to hidden 1 is not hidden 2's: nothing there to select.
    QTest::mouseClick(&diagram, Qt::LeftButton, {}, Along(diagram.ConnectionLine({1, 1, 2}), 0.25));
    QCOMPARE(diagram.Selected(), std::nullopt);
    // Hidden 2 to the output is.
    QTest::mouseClick(&diagram, Qt::LeftButton, {}, Along(diagram.ConnectionLine({2, 1, 2}), 0.5));
    QCOMPARE(diagram.Selected(), std::optional(Connection{2, 1, 2}));

    // The bias node of the inputs chosen in the list; a click on it again shows everything.
    chooser->setCurrentIndex(chooser->findText(QStringLiteral("Sesgo de la capa oculta")));
    emit chooser->activated(chooser->currentIndex());
    QCOMPARE(diagram.Filter(), std::optional(Node{0, 0}));
    QCOMPARE(diagram.Selected(), std::nullopt);
    QTest::mouseClick(&diagram, Qt::LeftButton, {}, diagram.NodeCentre({0, 0}).toPoint());
    QCOMPARE(diagram.Filter(), std::nullopt);
    QCOMPARE(chooser->currentIndex(), 0);
}

void LearningViewsTest::diagramFollowsAResizedNetworkOnlyWhileShown() {
    TRedNeuronal network;
    SetUp221(network);
    WorkState state;
    NetworkDiagram diagram;
    diagram.resize(560, 320);
    diagram.SetSource(network, state);
    QCOMPARE(diagram.Snapshot().hidden, 0);  // never shown: nothing read yet

    diagram.show();
    QCOMPARE(diagram.Snapshot().hidden, 2);
    diagram.SetFilter(Node{1, 2});
    diagram.hide();
    network.SetNeuronasCapaOculta(32);
    network.SetNumeroEntradas(32);
    diagram.Refresh();
    QCOMPARE(diagram.Snapshot().hidden, 2);
    diagram.show();
    QCOMPARE(diagram.Snapshot().hidden, 32);
    QCOMPARE(diagram.Snapshot().inputs, 32);
    QCOMPARE(diagram.Filter(), std::nullopt);  // a new shape drops the old choice
    QCOMPARE(diagram.findChild<QComboBox*>(QStringLiteral("neuronFilter"))->count(), 1 + 33 + 33 + 1);
}

void LearningViewsTest::mapCoversThePatternsAndColoursEachCellByTheOutputAtItsCentre() {
    TRedNeuronal network;
    SetUp221(network);
    WorkState state;
    AddXor(state);
    DecisionMap map;
    map.resize(500, 360);
    map.show();
    map.SetSource(network, state);
    QCOMPARE(map.RangeX().low, -0.1);
    QCOMPARE(map.RangeX().high, 1.1);
    QCOMPARE(map.RangeY().low, -0.1);
    QCOMPARE(map.RangeY().high, 1.1);

    const QImage picture = map.grab().toImage();
    const QRect plane = map.Plane();
    const QSize cells = map.Cells();
    const NetworkSnapshot snapshot = TakeSnapshot(network);
    // Corner cells (clear of the dots) and one inside: x grows to the right, y upwards.
    const QPoint checked[] = {{0, 0}, {cells.width() - 1, 0}, {0, cells.height() - 1},
                              {cells.width() - 1, cells.height() - 1}, {cells.width() / 3, cells.height() / 5}};
    for (const QPoint cell : checked) {
        const double x = -0.1 + 1.2 * (cell.x() + 0.5) / cells.width();
        const double y = 1.1 - 1.2 * (cell.y() + 0.5) / cells.height();
        const std::vector<double> point{x, y};
        const QColor expected = ScaleColour(OutputValue(snapshot, 1, point));
        const QColor shown = picture.pixelColor(plane.left() + cell.x() * DecisionMap::kCellPixels + 1,
                                                plane.top() + cell.y() * DecisionMap::kCellPixels + 1);
        QVERIFY2(std::abs(shown.red() - expected.red()) <= 1 && std::abs(shown.blue() - expected.blue()) <= 1,
                 qPrintable(QStringLiteral("cell %1,%2").arg(cell.x()).arg(cell.y())));
    }
}

QTEST_MAIN(LearningViewsTest)
#include "learning_views_test.moc"
