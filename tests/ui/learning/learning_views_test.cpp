// SPDX-License-Identifier: GPL-3.0-or-later
// The "Red" and "Mapa de decisión" views on their own, driven by real mouse
// events: the exact weight shown for a connection, the neuron filter, a
// view reading the network only while shown, the map's plane, its
// orientation and colours.

#include "decision_map.h"
#include "learning_choices.h"
#include "network.h"
#include "network_diagram.h"
#include "number_texts.h"
#include "random_generator.h"
#include "regional_separators.h"
#include "value_colours.h"
#include "work_state.h"

#include <QComboBox>
#include <QRectF>
#include <QTest>

#include <bit>
#include <optional>
#include <cmath>
#include <utility>
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
    state.RedCreada = true;
    state.NumeroPatrones = 4;
    for (int p = 1; p <= 4; ++p) {
        state.EntradasPatrones[static_cast<std::size_t>(p)][1] = patterns[p - 1][0];
        state.EntradasPatrones[static_cast<std::size_t>(p)][2] = patterns[p - 1][1];
        state.SalidasPatrones[static_cast<std::size_t>(p)][1] = patterns[p - 1][2];
    }
}

QPoint Along(QLineF line, double t) { return line.pointAt(t).toPoint(); }

// A hand-set 2-2-1 network, XOR in the table, and a view of them on screen.
template <class View>
struct ShownView {
    TRedNeuronal network;
    WorkState state;
    LearningChoices choices;
    View view{choices};
    explicit ShownView(QSize size) {
        SetUp221(network);
        AddXor(state);
        view.resize(size);
        view.show();
        view.SetSource(network, state);
    }
};
using ShownDiagram = ShownView<NetworkDiagram>;
using ShownMap = ShownView<DecisionMap>;

}  // namespace

class LearningViewsTest : public QObject {
    Q_OBJECT

private slots:
    void diagramShowsTheExactWeightOfTheConnectionPointedAtOrSelected();
    void neuronFilterShowsOnlyThatNeuronsConnections();
    void diagramFollowsAResizedNetworkOnlyWhileShown();
    void mapCoversThePatternsAndColoursEachCellByTheOutputAtItsCentre();
    void diagramColoursEachLineByItsWeightsSign();
    void diagramShowsTheChosenPatternAndIsReadByKeyboard();
    void hiddenNeuronMapIsPropagarsHiddenOutputAndThePointerReadsIt();
    void tangentMapIsWhiteAtZeroAndHalfwayAtMinusAHalf();
    void diagramLegendShowsEachColourBesideItsWords_data();
    void diagramLegendShowsEachColourBesideItsWords();
    void mapDotsTakeTheTargetsOfTheOutputShown_data();
    void mapDotsTakeTheTargetsOfTheOutputShown();
    void mapLineLabelsCoverNoDotAndNoLine_data();
    void mapLineLabelsCoverNoDotAndNoLine();
};

namespace {

// The hidden outputs Propagar gives for the point (x1, x2).
std::vector<double> HiddenOutputs(TRedNeuronal& network, double x1, double x2) {
    network.Entradas[1] = x1;
    network.Entradas[2] = x2;
    network.Propagar();
    std::vector<double> outputs;
    for (int j = 1; j <= network.NeuronasCapaOculta(); ++j) outputs.push_back(network.CapaOculta.Neuronas[j].Salida());
    return outputs;
}

}  // namespace

void LearningViewsTest::diagramColoursEachLineByItsWeightsSign() {
    ShownDiagram shown(QSize(560, 320));
    auto& diagram = shown.view;
    const QImage picture = diagram.grab().toImage();
    // Input 1 to hidden 1 weighs −3.25, to hidden 2 +4; output from hidden 1 −6, from hidden 2 +5.5.
    for (const auto& [c, negative] : {std::pair{Connection{1, 1, 1}, true}, {Connection{1, 2, 1}, false},
                                      {Connection{2, 1, 1}, true}, {Connection{2, 1, 2}, false}}) {
        const QColor colour = picture.pixelColor(Along(diagram.ConnectionLine(c), 0.3));
        QVERIFY2(negative ? colour.red() > colour.blue() + 40 : colour.blue() > colour.red() + 40,
                 qPrintable(QStringLiteral("layer %1 neuron %2 input %3: %4").arg(c.layer).arg(c.neuron).arg(c.input).arg(colour.name())));
    }
}

void LearningViewsTest::diagramShowsTheChosenPatternAndIsReadByKeyboard() {
    ShownDiagram shown(QSize(560, 320));
    auto& diagram = shown.view;
    TRedNeuronal& network = shown.network;
    LearningChoices& choices = shown.choices;
    choices.SetPattern(2);
    QCOMPARE(diagram.NodeValues().pattern, 2);
    QCOMPARE(diagram.NodeValues().inputs, (std::vector<double>{0.1, 0.9}));
    QCOMPARE(diagram.NodeValues().hidden, HiddenOutputs(network, 0.1, 0.9));
    QCOMPARE(diagram.NodeValues().outputs, std::vector<double>{network.SalidasObtenidas[1]});
    QCOMPARE(diagram.findChild<QComboBox*>(QStringLiteral("diagramPatternChooser"))->currentText(), QStringLiteral("Patrón 2"));

    // The bias node, the two inputs, then the first connection into the hidden layer.
    diagram.setFocus();
    for (int press = 0; press < 3; ++press) QTest::keyClick(&diagram, Qt::Key_Right);
    QCOMPARE(diagram.SelectedNode(), std::optional(Node{0, 2}));
    const QString separator{QLatin1Char(RegionalDecimalSeparator())};
    QCOMPARE(diagram.WeightText(), "Entrada 2: x2 = 0" + separator + "9 (patrón 2)");
    QTest::keyClick(&diagram, Qt::Key_Down);
    QCOMPARE(diagram.Selected(), std::optional(Connection{1, 1, 0}));
    QCOMPARE(diagram.WeightText(), "Peso de sesgo (entrada −1) a Oculta 1 = 0" + separator + "5");
    QCOMPARE(diagram.accessibleDescription(), diagram.WeightText());
    QTest::keyClick(&diagram, Qt::Key_Left);
    QCOMPARE(diagram.SelectedNode(), std::optional(Node{0, 2}));
}

void LearningViewsTest::hiddenNeuronMapIsPropagarsHiddenOutputAndThePointerReadsIt() {
    ShownMap shown(QSize(500, 360));
    auto& map = shown.view;
    TRedNeuronal& network = shown.network;
    auto* chooser = map.findChild<QComboBox*>(QStringLiteral("outputChooser"));
    QCOMPARE(chooser->count(), 3);
    chooser->setCurrentIndex(chooser->findText(QStringLiteral("Oculta 2 (y2)")));
    emit chooser->activated(chooser->currentIndex());
    map.grab();
    const QSize cells = map.Cells();
    QCOMPARE(map.CellValues().size(), static_cast<std::size_t>(cells.width() * cells.height()));
    for (const QPoint cell : {QPoint(0, 0), QPoint(cells.width() - 1, 3), QPoint(cells.width() / 2, cells.height() - 1)}) {
        const double x = -0.1 + 1.2 * (cell.x() + 0.5) / cells.width();
        const double y = 1.1 - 1.2 * (cell.y() + 0.5) / cells.height();
        QCOMPARE(std::bit_cast<std::uint64_t>(map.CellValues()[static_cast<std::size_t>(cell.y() * cells.width() + cell.x())]),
                 std::bit_cast<std::uint64_t>(HiddenOutputs(network, x, y)[1]));
    }

    const QRect plane = map.Plane();
    QTest::mouseMove(&map, plane.topLeft() + QPoint(plane.width() / 4, plane.height() / 2));
    const double x = -0.1 + 1.2 * (plane.width() / 4) / plane.width();
    const double y = -0.1 + 1.2 * (plane.height() - plane.height() / 2) / plane.height();
    QCOMPARE(map.PointerText(), QStringLiteral("Entrada1 %1 · Entrada2 %2 → Oculta2 %3")
                                    .arg(FixedNumberText(x, 4), FixedNumberText(y, 4),
                                         FixedNumberText(HiddenOutputs(network, x, y)[1], 4)));
}

void LearningViewsTest::tangentMapIsWhiteAtZeroAndHalfwayAtMinusAHalf() {
    TRedNeuronal network;
    SetUp221(network);
    network.SetFuncionTransferencia(ftTangenteHiperbolica);
    WorkState state;
    AddXor(state);
    LearningChoices choices;
    DecisionMap map(choices);
    map.resize(500, 360);
    map.show();
    const auto cornerColour = [&](double outputBias) {
        // With no weight on the hidden outputs, the output is tanh(−w0) everywhere.
        for (int k = 0; k <= 2; ++k) network.CapaSalida.Neuronas[1].Pesos[static_cast<std::size_t>(k)] = k == 0 ? outputBias : 0.0;
        map.SetSource(network, state);
        return map.grab().toImage().pixelColor(map.Plane().topLeft() + QPoint(1, 1));
    };
    QCOMPARE(cornerColour(0.0), QColor(Qt::white));
    const QColor half = cornerColour(std::atanh(0.5));  // tanh(−atanh 0.5) = −0.5
    const QColor expected((255 + kNegativeColour.red()) / 2, (255 + kNegativeColour.green()) / 2,
                          (255 + kNegativeColour.blue()) / 2);
    QVERIFY2(std::abs(half.red() - expected.red()) <= 2 && std::abs(half.green() - expected.green()) <= 2 &&
                 std::abs(half.blue() - expected.blue()) <= 2,
             qPrintable(half.name() + " against " + expected.name()));
}

void LearningViewsTest::diagramShowsTheExactWeightOfTheConnectionPointedAtOrSelected() {
    ShownDiagram shown(QSize(560, 320));
    auto& diagram = shown.view;
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
    ShownDiagram shown(QSize(560, 320));
    auto& diagram = shown.view;
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
    LearningChoices choices;
    NetworkDiagram diagram(choices);
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
    ShownMap shown(QSize(500, 360));
    auto& map = shown.view;
    TRedNeuronal& network = shown.network;
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

namespace {

bool Near(const QColor& a, const QColor& b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

}  // namespace

void LearningViewsTest::diagramLegendShowsEachColourBesideItsWords_data() {
    QTest::addColumn<QString>("words");
    QTest::addColumn<int>("place");  // 0 the sample's middle; -1, 1 the scale's low and high ends
    QTest::addColumn<QColor>("colour");
    QTest::newRow("positive weight") << "positivo" << 0 << kPositiveColour;
    QTest::newRow("negative weight") << "negativo" << 0 << kNegativeColour;
    // The sigmoid's fill runs from y = 0 to y = 1.
    QTest::newRow("fill, y = 0") << "0" << -1 << ScaleColour(0);
    QTest::newRow("fill, y = 1") << "1" << 1 << ScaleColour(1);
}

void LearningViewsTest::diagramLegendShowsEachColourBesideItsWords() {
    QFETCH(QString, words);
    QFETCH(int, place);
    QFETCH(QColor, colour);
    ShownDiagram shown(QSize(631, 330));
    const QImage picture = shown.view.grab().toImage();
    const auto& entries = shown.view.Legend().entries;
    std::optional<QPointF> at;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const LegendEntry& e = entries[i];
        if (place == 0 && e.kind == LegendEntry::Kind::Line && e.text == words) at = e.box.center();
        // The scale's ends, each beside its value in words.
        if (place != 0 && e.kind == LegendEntry::Kind::Scale) {
            const std::size_t beside = place < 0 ? i - 1 : i + 1;
            QCOMPARE(entries.at(beside).text, words);
            at = QPointF(place < 0 ? e.box.left() + 2 : e.box.right() - 2, e.box.center().y());
        }
    }
    QVERIFY2(at, qPrintable(words));
    const QColor found = picture.pixelColor(at->toPoint());
    QVERIFY2(Near(found, colour, 40), qPrintable(found.name() + " against " + colour.name()));
}

void LearningViewsTest::mapDotsTakeTheTargetsOfTheOutputShown_data() {
    QTest::addColumn<QString>("neuron");
    QTest::addColumn<int>("output");
    QTest::newRow("output 1") << "Salida 1" << 1;
    QTest::newRow("output 2") << "Salida 2" << 2;
    QTest::newRow("hidden neuron: output 1's") << "Oculta 2 (y2)" << 1;
}

void LearningViewsTest::mapDotsTakeTheTargetsOfTheOutputShown() {
    QFETCH(QString, neuron);
    QFETCH(int, output);
    TRedNeuronal network;
    SetUp221(network);
    network.SetNeuronasCapaSalida(2);
    WorkState state;
    AddXor(state);
    // The second output's targets are the first's mirrored: every dot differs between them.
    for (int p = 1; p <= 4; ++p) state.SalidasPatrones[static_cast<std::size_t>(p)][2] = 1 - state.SalidasPatrones[static_cast<std::size_t>(p)][1];
    LearningChoices choices;
    DecisionMap map(choices);
    map.resize(500, 360);
    map.show();
    map.SetSource(network, state);
    auto* chooser = map.findChild<QComboBox*>(QStringLiteral("outputChooser"));
    chooser->setCurrentIndex(chooser->findText(neuron));
    emit chooser->activated(chooser->currentIndex());
    QVERIFY(map.LegendText().contains(QStringLiteral("(Salida %1)").arg(output)));
    const QImage picture = map.grab().toImage();
    const QRectF plane = map.Plane();
    for (int p = 1; p <= 4; ++p) {
        const auto& x = state.EntradasPatrones[static_cast<std::size_t>(p)];
        const QPointF centre(plane.left() + (x[1] + 0.1) / 1.2 * plane.width(), plane.bottom() - (x[2] + 0.1) / 1.2 * plane.height());
        const double d = state.SalidasPatrones[static_cast<std::size_t>(p)][static_cast<std::size_t>(output)];
        const QColor found = picture.pixelColor(centre.toPoint());
        QVERIFY2(Near(found, ScaleColour(d), 3), qPrintable(QStringLiteral("pattern %1: %2").arg(p).arg(found.name())));
    }
}

void LearningViewsTest::mapLineLabelsCoverNoDotAndNoLine_data() {
    QTest::addColumn<std::vector<double>>("first");
    QTest::addColumn<std::vector<double>>("second");
    // Lines through the dots themselves: x1 = 0.1, x1 = x2, x2 = 0.9.
    QTest::newRow("upright and diagonal") << std::vector<double>{0.1, 1, 0} << std::vector<double>{0, 1, -1};
    QTest::newRow("level and diagonal") << std::vector<double>{0.9, 0, 1} << std::vector<double>{0, -1, 1};
    QTest::newRow("two crossing near a dot") << std::vector<double>{0.2, 1, 1} << std::vector<double>{0, 1, -1};
}

void LearningViewsTest::mapLineLabelsCoverNoDotAndNoLine() {
    QFETCH(std::vector<double>, first);
    QFETCH(std::vector<double>, second);
    ShownMap shown(QSize(631, 330));
    for (std::size_t k = 0; k <= 2; ++k) {
        shown.network.CapaOculta.Neuronas[1].Pesos[k] = first[k];
        shown.network.CapaOculta.Neuronas[2].Pesos[k] = second[k];
    }
    shown.view.Refresh();
    const auto& lines = shown.view.Lines();
    QCOMPARE(lines.size(), std::size_t{2});
    for (const MapLine& line : lines) {
        QVERIFY2(line.label, qPrintable(QStringLiteral("s%1 has no label").arg(line.neuron)));
        const QRectF label = *line.label;
        QVERIFY(QRectF(shown.view.Plane()).contains(label));
        for (const QRectF& dot : shown.view.DotBoxes()) QVERIFY2(!dot.intersects(label), qPrintable(QStringLiteral("s%1").arg(line.neuron)));
        // Every point along every line and arrow stays outside the label.
        for (const MapLine& other : lines)
            for (int i = 0; i <= 200; ++i)
                for (const QLineF& segment : {other.line, other.arrow})
                    QVERIFY2(!label.contains(segment.pointAt(i / 200.0)),
                             qPrintable(QStringLiteral("s%1's label on line s%2").arg(line.neuron).arg(other.neuron)));
    }
}

QTEST_MAIN(LearningViewsTest)
#include "learning_views_test.moc"
