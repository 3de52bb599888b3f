// SPDX-License-Identifier: GPL-3.0-or-later
// "Mapa de decisión" for networks of more than two inputs and more than one
// output, driven through its own controls: the inputs on the axes, the held
// values and the pattern they follow, the dots' faintness, "Clase ganadora"
// with its key and boundaries, and the controls 1- and 2-input maps keep.

#include "decision_map.h"
#include "learning_choices.h"
#include "map_plane.h"
#include "network.h"
#include "random_generator.h"
#include "regional_separators.h"
#include "value_colours.h"
#include "work_state.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include <bit>
#include <cmath>
#include <memory>
#include <vector>

namespace {

using Values = std::vector<double>;

// An inputs-3-outputs sigmoid network with varied weights set by hand, and
// `rows` as its patterns (inputs then outputs).
struct MapCase {
    TRedNeuronal network;
    WorkState state;
    LearningChoices choices;
    std::unique_ptr<DecisionMap> map;

    MapCase(int inputs, int outputs, const std::vector<Values>& rows) {
        RandomGenerator::SetClock([] { return TimeOfDay{9, 0, 0, 0}; });
        PrepareStartUpNetwork(network);
        network.SetNumeroEntradas(inputs);
        network.SetNeuronasCapaOculta(3);
        network.SetNeuronasCapaSalida(outputs);
        RandomGenerator::SetClock({});
        for (int j = 1; j <= 3; ++j)
            for (int k = 0; k <= inputs; ++k)
                network.CapaOculta.Neuronas[j].Pesos[static_cast<std::size_t>(k)] = 4 * std::sin(7.0 * j + 3.0 * k);
        for (int o = 1; o <= outputs; ++o)
            for (int k = 0; k <= 3; ++k)
                network.CapaSalida.Neuronas[o].Pesos[static_cast<std::size_t>(k)] = 5 * std::cos(5.0 * o + 2.0 * k);
        state.RedCreada = true;
        state.NumeroPatrones = static_cast<int>(rows.size());
        for (std::size_t p = 1; p <= rows.size(); ++p) {
            for (int i = 1; i <= inputs; ++i) state.EntradasPatrones[p][static_cast<std::size_t>(i)] = rows[p - 1][static_cast<std::size_t>(i - 1)];
            for (int o = 1; o <= outputs; ++o)
                state.SalidasPatrones[p][static_cast<std::size_t>(o)] = rows[p - 1][static_cast<std::size_t>(inputs + o - 1)];
        }
        Show();
    }
    void Show() {
        map = std::make_unique<DecisionMap>(choices);
        map->resize(620, 420);
        map->show();
        map->SetSource(network, state);
    }
    template <class Widget>
    Widget* Find(const QString& name) const { return map->findChild<Widget*>(name); }
    void Choose(const QString& chooser, int item) const {
        auto* box = Find<QComboBox>(chooser);
        box->setCurrentIndex(item);
        emit box->activated(item);
    }
    // Propagar's outputs at `x`.
    Values Outputs(const Values& x) {
        for (std::size_t i = 0; i < x.size(); ++i) network.Entradas[i + 1] = x[i];
        network.Propagar();
        Values y;
        for (int o = 1; o <= network.NeuronasCapaSalida(); ++o) y.push_back(network.SalidasObtenidas[o]);
        return y;
    }
    // The point at the centre of a cell, the held values elsewhere, as the map computes it.
    Values CellPoint(QPoint cell) const {
        const MapPlane& plane = map->InputPlane();
        Values x = plane.held;
        x.resize(static_cast<std::size_t>(network.NumeroEntradas()), 0.0);
        const AxisRange rx = map->RangeX(), ry = map->RangeY();
        x[static_cast<std::size_t>(plane.across - 1)] = rx.low + (cell.x() + 0.5) * ((rx.high - rx.low) / map->Cells().width());
        x[static_cast<std::size_t>(plane.up - 1)] = ry.high - (cell.y() + 0.5) * ((ry.high - ry.low) / map->Cells().height());
        return x;
    }
    std::vector<QPoint> SomeCells() const {
        const QSize c = map->Cells();
        return {{0, 0}, {c.width() - 1, c.height() - 1}, {c.width() / 3, c.height() / 2}, {c.width() - 3, 5}};
    }
    // Every sampled cell's value is Propagar's output 1 at its point, bit for bit.
    void CheckCells() {
        map->grab();
        for (const QPoint cell : SomeCells()) {
            const double shown = map->CellValues()[static_cast<std::size_t>(cell.y() * map->Cells().width() + cell.x())];
            QCOMPARE(std::bit_cast<std::uint64_t>(shown), std::bit_cast<std::uint64_t>(Outputs(CellPoint(cell))[0]));
        }
    }
};

const std::vector<Values> kFourInputRows = {{0.0, 1.0, 2.0, 3.0, 1, 0, 0},  {0.5, -1.0, 4.0, 2.0, 0, 1, 0},
                                            {1.0, 0.0, -2.0, 1.0, 0, 0, 1}, {0.2, 0.3, 0.4, 0.5, 0, 1, 0},
                                            {0.9, 0.8, 3.0, -1.0, 1, 0, 0}};

}  // namespace

class DecisionMapTest : public QObject {
    Q_OBJECT

private slots:
    void axisChoosersChangeThePlane_data();
    void axisChoosersChangeThePlane();
    void heldValuesFollowTheChosenPatternUntilSet_data();
    void heldValuesFollowTheChosenPatternUntilSet();
    void dotsFadeWithDistanceFromTheHeldValues_data();
    void dotsFadeWithDistanceFromTheHeldValues();
    void winningClassColoursCellsAndNamesTheKey_data();
    void winningClassColoursCellsAndNamesTheKey();
    void classBoundariesRunBetweenCellsOfDifferentClasses_data();
    void classBoundariesRunBetweenCellsOfDifferentClasses();
    void oneAndTwoInputMapsKeepTheirControls_data();
    void oneAndTwoInputMapsKeepTheirControls();
};

void DecisionMapTest::axisChoosersChangeThePlane_data() {
    QTest::addColumn<QString>("chooser");
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("across");
    QTest::addColumn<int>("up");
    QTest::newRow("the first two by default") << QString() << 0 << 1 << 2;
    QTest::newRow("third across") << "mapAcrossChooser" << 2 << 3 << 2;
    QTest::newRow("fourth up") << "mapUpChooser" << 3 << 1 << 4;
    // Both on one input would be no plane: the axes swap.
    QTest::newRow("across takes up's input") << "mapAcrossChooser" << 1 << 2 << 1;
    QTest::newRow("up takes across's input") << "mapUpChooser" << 0 << 2 << 1;
}

void DecisionMapTest::axisChoosersChangeThePlane() {
    QFETCH(QString, chooser);
    QFETCH(int, item);
    QFETCH(int, across);
    QFETCH(int, up);
    MapCase shown(4, 3, kFourInputRows);
    shown.state.InputNames = {"largo sépalo", "ancho sépalo", "", "ancho pétalo"};
    shown.map->Refresh();
    const QStringList names{"largo sépalo", "ancho sépalo", "Entrada 3", "ancho pétalo"};
    auto* acrossChooser = shown.Find<QComboBox>("mapAcrossChooser");
    QVERIFY(acrossChooser->isVisible());
    for (int i = 0; i < 4; ++i) QCOMPARE(acrossChooser->itemText(i), names[i]);
    if (!chooser.isEmpty()) shown.Choose(chooser, item);
    QCOMPARE(shown.map->InputPlane().across, across);
    QCOMPARE(shown.map->InputPlane().up, up);
    QCOMPARE(acrossChooser->currentIndex(), across - 1);
    QCOMPARE(shown.Find<QComboBox>("mapUpChooser")->currentIndex(), up - 1);
    // Each axis covers its own input's patterns.
    const auto range = [&](int input) {
        Values column;
        for (const Values& row : kFourInputRows) column.push_back(row[static_cast<std::size_t>(input - 1)]);
        return MapAxisRange(column);
    };
    QCOMPARE(shown.map->RangeX().low, range(across).low);
    QCOMPARE(shown.map->RangeY().high, range(up).high);
    // A slider and a field for each input off the axes, none for those on them.
    for (int i = 1; i <= 4; ++i) {
        const bool held = i != across && i != up;
        QCOMPARE(shown.Find<QSlider>(QStringLiteral("mapHeldSlider%1").arg(i))->isVisible(), held);
        QCOMPARE(shown.Find<QWidget>(QStringLiteral("mapHeldField%1").arg(i))->isVisible(), held);
    }
    shown.CheckCells();
}

void DecisionMapTest::heldValuesFollowTheChosenPatternUntilSet_data() {
    QTest::addColumn<int>("pattern");
    QTest::addColumn<QString>("typed");      // into input 3's field, empty for none
    QTest::addColumn<int>("sliderStep");     // input 4's slider, -1 for none
    QTest::addColumn<int>("patternAfter");   // chosen after the learner's change, 0 for none
    QTest::addColumn<Values>("held");        // inputs 3 and 4
    QTest::newRow("pattern 1 by default") << 1 << QString() << -1 << 0 << Values{2.0, 3.0};
    QTest::newRow("pattern 3 chosen") << 3 << QString() << -1 << 0 << Values{-2.0, 1.0};
    QTest::newRow("a typed value stays") << 2 << "1.5" << -1 << 0 << Values{1.5, 2.0};
    // Input 4 covers -1.4..3.4: the middle step is 1.
    QTest::newRow("the slider's value stays") << 2 << QString() << 500 << 0 << Values{4.0, 1.0};
    QTest::newRow("another pattern holds its values again") << 2 << "1.5" << 500 << 5 << Values{3.0, -1.0};
}

void DecisionMapTest::heldValuesFollowTheChosenPatternUntilSet() {
    QFETCH(int, pattern);
    QFETCH(QString, typed);
    QFETCH(int, sliderStep);
    QFETCH(int, patternAfter);
    QFETCH(Values, held);
    MapCase shown(4, 3, kFourInputRows);
    shown.choices.SetPattern(pattern);
    if (!typed.isEmpty()) {
        auto* field = shown.Find<QWidget>("mapHeldField3");
        QLineEdit* edit = field->findChild<QLineEdit*>();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QString(typed).replace(QLatin1Char('.'), QLatin1Char(RegionalDecimalSeparator())));
    }
    if (sliderStep >= 0) shown.Find<QSlider>("mapHeldSlider4")->setValue(sliderStep);
    // A run moving on reads the network and the patterns again.
    shown.map->Refresh();
    if (patternAfter > 0) shown.choices.SetPattern(patternAfter);
    const Values& plane = shown.map->InputPlane().held;
    QCOMPARE(plane[2], held[0]);
    QCOMPARE(plane[3], held[1]);
    shown.CheckCells();
}

void DecisionMapTest::dotsFadeWithDistanceFromTheHeldValues_data() {
    QTest::addColumn<double>("offset");    // of pattern 2's inputs 3 and 4 from the held, in shares of their ranges
    QTest::addColumn<double>("strength");
    QTest::newRow("at the held values") << 0.0 << 1.0;
    // √(0.1² + 0.1²)·2 off full strength.
    QTest::newRow("a tenth off on each") << 0.1 << 1 - 2 * std::sqrt(0.02);
    QTest::newRow("far off") << 0.5 << kFaintestDot;
}

void DecisionMapTest::dotsFadeWithDistanceFromTheHeldValues() {
    QFETCH(double, offset);
    QFETCH(double, strength);
    // Inputs 3 and 4 take 0 and 25/3 besides pattern 2's: with the margins their ranges are 10 wide.
    std::vector<Values> rows = {{0.2, 0.2, 0, 0, 1, 0}, {0.8, 0.8, 0, 0, 0, 1}, {0.5, 0.5, 25.0 / 3, 25.0 / 3, 1, 0}};
    // Pattern 1's values are held.
    rows[1][2] = rows[1][3] = 10 * offset;
    MapCase shown(4, 2, rows);
    const std::vector<double> strengths = shown.map->DotStrengths();
    QCOMPARE(strengths[0], 1.0);
    QVERIFY2(std::abs(strengths[1] - strength) < 1e-12, qPrintable(QString::number(strengths[1])));
    // The dot's middle: its fill over the cell beneath, in that share.
    const QImage picture = shown.map->grab().toImage();
    const QRectF plane = shown.map->Plane();
    const AxisRange rx = shown.map->RangeX(), ry = shown.map->RangeY();
    const QPoint centre(static_cast<int>(plane.left() + (0.8 - rx.low) / (rx.high - rx.low) * plane.width()),
                        static_cast<int>(plane.bottom() - (0.8 - ry.low) / (ry.high - ry.low) * plane.height()));
    const QColor fill = ScaleColour(0), beneath = picture.pixelColor(centre + QPoint(0, 11));
    const QColor found = picture.pixelColor(centre);
    const double expectedRed = strength * fill.red() + (1 - strength) * beneath.red();
    QVERIFY2(std::abs(found.red() - expectedRed) <= 8, qPrintable(QStringLiteral("%1 against %2").arg(found.red()).arg(expectedRed)));
}

void DecisionMapTest::winningClassColoursCellsAndNamesTheKey_data() {
    QTest::addColumn<int>("inputs");
    QTest::addColumn<std::vector<std::string>>("names");
    QTest::newRow("2 inputs, default names") << 2 << std::vector<std::string>{};
    QTest::newRow("4 inputs, named species") << 4 << std::vector<std::string>{"setosa", "", "virginica <b>"};
}

void DecisionMapTest::winningClassColoursCellsAndNamesTheKey() {
    QFETCH(int, inputs);
    QFETCH(std::vector<std::string>, names);
    std::vector<Values> rows;
    for (const Values& row : kFourInputRows) {
        Values cut(row.begin(), row.begin() + inputs);
        cut.insert(cut.end(), row.end() - 3, row.end());
        rows.push_back(cut);
    }
    MapCase shown(inputs, 3, rows);
    shown.state.OutputNames = names;
    auto* option = shown.Find<QCheckBox>("mapWinningClass");
    QVERIFY(option->isVisible());
    QTest::mouseClick(option, Qt::LeftButton);
    QVERIFY(shown.map->ShowsClasses());
    QVERIFY(!shown.Find<QComboBox>("outputChooser")->isEnabled());
    const auto& key = shown.map->ClassKey();
    QCOMPARE(key.size(), std::size_t{3});
    const QStringList expected{names.empty() ? "Salida 1" : "setosa", "Salida 2", names.empty() ? "Salida 3" : "virginica <b>"};
    for (std::size_t k = 0; k < 3; ++k) {
        QCOMPARE(key[k].first, expected[static_cast<int>(k)]);
        QVERIFY(shown.map->LegendText().contains(key[k].first.toHtmlEscaped()));
        for (std::size_t other = 0; other < k; ++other) QVERIFY(key[k].second != key[other].second);
    }
    const QImage picture = shown.map->grab().toImage();
    const QRect plane = shown.map->Plane();
    std::vector<int> seen(4, 0);
    for (const std::uint8_t c : shown.map->CellClasses()) ++seen[c];
    QVERIFY2(std::count_if(seen.begin() + 1, seen.end(), [](int n) { return n > 0; }) >= 2, "the map shows one class only");
    for (const QPoint cell : shown.SomeCells()) {
        const Values y = shown.Outputs(shown.CellPoint(cell));
        const int winner = static_cast<int>(std::max_element(y.begin(), y.end()) - y.begin()) + 1;
        QCOMPARE(int(shown.map->CellClasses()[static_cast<std::size_t>(cell.y() * shown.map->Cells().width() + cell.x())]), winner);
        const QColor found = picture.pixelColor(plane.topLeft() + cell * DecisionMap::kCellPixels + QPoint(1, 1));
        QCOMPARE(found, key[static_cast<std::size_t>(winner - 1)].second);
    }
}

void DecisionMapTest::classBoundariesRunBetweenCellsOfDifferentClasses_data() {
    QTest::addColumn<std::vector<std::uint8_t>>("classes");
    QTest::addColumn<QSize>("cells");
    QTest::addColumn<std::vector<QLine>>("edges");
    QTest::newRow("one class") << std::vector<std::uint8_t>{1, 1, 1, 1} << QSize(2, 2) << std::vector<QLine>{};
    QTest::newRow("left and right") << std::vector<std::uint8_t>{1, 2, 1, 2, 1, 2} << QSize(2, 3)
                                    << std::vector<QLine>{QLine(1, 0, 1, 3)};
    QTest::newRow("top and bottom") << std::vector<std::uint8_t>{3, 3, 3, 1, 1, 1} << QSize(3, 2)
                                    << std::vector<QLine>{QLine(0, 1, 3, 1)};
    // A corner of class 2: two pieces of upright edge and one level edge.
    QTest::newRow("a corner") << std::vector<std::uint8_t>{2, 1, 1, 1, 1, 1, 2, 1, 1} << QSize(3, 3)
                              << std::vector<QLine>{QLine(1, 0, 1, 1), QLine(1, 2, 1, 3), QLine(0, 1, 1, 1), QLine(0, 2, 1, 2)};
}

void DecisionMapTest::classBoundariesRunBetweenCellsOfDifferentClasses() {
    QFETCH(std::vector<std::uint8_t>, classes);
    QFETCH(QSize, cells);
    QFETCH(std::vector<QLine>, edges);
    QCOMPARE(ClassBoundaries(classes, cells), edges);
}

void DecisionMapTest::oneAndTwoInputMapsKeepTheirControls_data() {
    QTest::addColumn<int>("inputs");
    QTest::addColumn<int>("outputs");
    QTest::addColumn<bool>("classOption");
    QTest::newRow("1 input, 2 outputs: a curve") << 1 << 2 << false;
    QTest::newRow("2 inputs, 1 output") << 2 << 1 << false;
    QTest::newRow("2 inputs, 2 outputs") << 2 << 2 << true;
    QTest::newRow("3 inputs, 1 output") << 3 << 1 << false;
}

void DecisionMapTest::oneAndTwoInputMapsKeepTheirControls() {
    QFETCH(int, inputs);
    QFETCH(int, outputs);
    QFETCH(bool, classOption);
    std::vector<Values> rows;
    for (const Values& row : kFourInputRows) {
        Values cut(row.begin(), row.begin() + inputs);
        cut.insert(cut.end(), row.end() - 3, row.end() - 3 + outputs);
        rows.push_back(cut);
    }
    MapCase shown(inputs, outputs, rows);
    QCOMPARE(shown.Find<QWidget>("mapSettings")->isVisible(), inputs > 2);
    QCOMPARE(shown.Find<QCheckBox>("mapWinningClass")->isVisible(), classOption);
    QCOMPARE(shown.map->InputPlane().across, 1);
    QCOMPARE(shown.map->InputPlane().up, 2);
    if (inputs >= 2) shown.CheckCells();
}

QTEST_MAIN(DecisionMapTest)
#include "decision_map_test.moc"
