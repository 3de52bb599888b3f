// SPDX-License-Identifier: GPL-3.0-or-later
#include "worked_rows.h"

#include "iteration_error.h"
#include "network.h"
#include "real_text.h"

#include <cstddef>
#include <utility>

namespace {

using Kind = WorkedTerm::Kind;

WorkedTerm Text(std::string text) { return {Kind::Text, std::move(text), 0}; }
WorkedTerm Value(double value) { return {Kind::Value, {}, value}; }
WorkedTerm Factor(double value) { return {Kind::Factor, {}, value}; }
WorkedTerm Full(double value) { return {Kind::Full, {}, value}; }

WorkedTable Forward(const WorkedStep& step) {
    const bool sigmoid = step.function == ftSigmoide, tangent = step.function == ftTangenteHiperbolica;
    WorkedTable table{WorkedPhase::Forward, "Propagación hacia delante", {}, {},
                      "Sesgo: una entrada más, x0 = −1, con su peso w0 (de ahí −w0) · y = f(s) · |d − y|: error "
                      "absoluto"};
    table.columns.push_back({"Neurona", "Una entrada del patrón (x), o la neurona que se calcula: primero la capa "
                                        "oculta, después la de salida."});
    table.columns.push_back({"s = −w0\n+ Σ x·w",
                             "Suma ponderada: s = x0·w0 + x1·w1 + … + xn·wn. El sesgo es una entrada más, x0 = −1, "
                             "con su peso w0: por eso empieza por −w0. Las x de la capa oculta son las entradas del "
                             "patrón; las de la capa de salida, las y de la capa oculta."});
    if (tangent) table.columns.push_back({"e^s", "e elevado a s, la exponencial que da la tangente hiperbólica."});
    if (sigmoid || tangent) table.columns.push_back({"e^(−s)", "e elevado a −s."});
    table.columns.push_back(
        {sigmoid   ? "y = 1 /\n(1 + e^(−s))"
         : tangent ? "y = (e^s − e^(−s))\n/ (e^s + e^(−s))"
         : step.function == ftIdentidad ? "y = s"
                                        : "y = f(s)",
         "La salida de la neurona, y = f(s), con la función de transferencia de la red. En una fila de entrada, "
         "el valor x de esa entrada."});
    table.columns.push_back({"|d − y|", "Solo en las salidas: el error absoluto, la distancia entre la salida "
                                        "esperada d y la obtenida y."});
    const std::size_t blanks = table.columns.size() - 4;
    // The inputs first: their x is what the hidden layer takes.
    for (std::size_t k = 0; k < step.inputs.size(); ++k) {
        WorkedRow row{{Text("Entrada x" + std::to_string(k + 1))}, {}};
        for (std::size_t c = 0; c <= blanks; ++c) row.cells.push_back(Text({}));
        row.cells.push_back(Value(step.inputs[k]));
        row.cells.push_back(Text({}));
        table.rows.push_back(std::move(row));
    }
    const auto neurons = [&](const std::vector<ForwardValues>& layer, StepLayer kind) {
        for (std::size_t j = 0; j < layer.size(); ++j) {
            WorkedRow row{{Text(WorkedNeuronName(kind, static_cast<int>(j) + 1)), Value(layer[j].sum)}, {}};
            if (tangent) row.cells.push_back(Value(layer[j].expPlus));
            if (sigmoid || tangent) row.cells.push_back(Value(layer[j].expMinus));
            row.cells.push_back(Value(layer[j].output));
            row.cells.push_back(kind == StepLayer::Output ? Value(AbsoluteError(step.expected[j], layer[j].output))
                                                          : Text({}));
            table.rows.push_back(std::move(row));
        }
    };
    neurons(step.hidden, StepLayer::Hidden);
    neurons(step.output, StepLayer::Output);
    return table;
}

// The weight output neuron i (1..) gives hidden neuron j (1..), as it was
// before the step: the output weights come first, neuron by neuron, w0 first.
double OutputWeight(const WorkedStep& step, std::size_t i, std::size_t j) {
    return step.weights[(i - 1) * (step.hidden.size() + 1) + j].oldWeight;
}

WorkedTable Deltas(const WorkedStep& step) {
    const bool sigmoid = step.function == ftSigmoide;
    WorkedTable table{WorkedPhase::Deltas, "Deltas, hacia atrás: de la salida a la capa oculta", {}, {},
                      "«|» se lee «o»: d − y en una salida, Σ δ·w en una oculta · f′: la pendiente de f en y"};
    table.columns = {
        {"Neurona", "Primero las neuronas de salida: los δ de la capa oculta se forman con los suyos."},
        {sigmoid ? "f′ =\n(1 − y)·y" : "f′ = (1 + y)\n·(1 − y)",
         sigmoid ? "La derivada de la sigmoide escrita con su salida: f′ = (1 − y)·y. Cuanto más cerca de 0 o de 1 "
                   "está y, menos cambia la neurona."
                 : "La derivada de la tangente hiperbólica escrita con su salida: f′ = (1 + y)·(1 − y). Cuanto más "
                   "cerca de −1 o de 1 está y, menos cambia la neurona."},
        {"d − y", "Solo en las salidas: la salida esperada menos la obtenida."},
        {"Σ δ·w", "Solo en las ocultas: la suma, sobre las neuronas de salida, de su δ por el peso que las une con "
                  "esta neurona, con los pesos de antes del paso."},
        {"δ = f′ ·\n(d − y | Σ δ·w)",
         "El término de error de la neurona: f′ por (d − y) en una salida, o f′ por Σ δ·w en una oculta."},
    };
    for (std::size_t i = 0; i < step.outputDeltas.size(); ++i) {
        const DeltaValues& d = step.outputDeltas[i];
        const std::string name = WorkedNeuronName(StepLayer::Output, static_cast<int>(i) + 1);
        table.rows.push_back({{Text(name), Value(d.derivative), Value(d.error), Text({}), Value(d.delta)},
                              {Text(name + ": δ = f′ · (d − y) = "), Value(d.derivative), Text(" · "),
                               Factor(d.error), Text(" = "), Value(d.delta)}});
    }
    for (std::size_t j = 0; j < step.hiddenDeltas.size(); ++j) {
        const DeltaValues& d = step.hiddenDeltas[j];
        const std::string name = WorkedNeuronName(StepLayer::Hidden, static_cast<int>(j) + 1);
        WorkedRow row{{Text(name), Value(d.derivative), Text({}), Value(d.error), Value(d.delta)},
                      {Text(name + ": Σ δ·w = ")}};
        for (std::size_t i = 1; i <= step.outputDeltas.size(); ++i) {
            if (i > 1) row.line.push_back(Text(" + "));
            row.line.insert(row.line.end(), {Factor(step.outputDeltas[i - 1].delta), Text("·"),
                                             Factor(OutputWeight(step, i, j + 1))});
        }
        row.line.insert(row.line.end(), {Text(" = "), Value(d.error), Text(";  δ = f′ · Σ δ·w = "),
                                         Value(d.derivative), Text(" · "), Factor(d.error), Text(" = "),
                                         Value(d.delta)});
        table.rows.push_back(std::move(row));
    }
    return table;
}

WorkedTable Weights(const WorkedStep& step, StepLayer layer, char separator) {
    const bool output = layer == StepLayer::Output;
    // Without momentum the table is the plain step's: no α column, no α term.
    const bool momentum = step.momentum != 0.0;
    const std::string rate = RealText(step.learningRate, separator);
    const std::string alpha = RealText(step.momentum, separator);
    const std::string inUse = momentum ? "η = " + rate + ", α = " + alpha : "η = " + rate;
    WorkedTable table{output ? WorkedPhase::OutputWeights : WorkedPhase::HiddenWeights,
                      output ? "Pesos de la capa de salida, neurona a neurona"
                             : "Pesos de la capa oculta, neurona a neurona",
                      {}, {},
                      (output ? "w0: peso del sesgo, con x = −1 · wk: peso de la y de la oculta k · "
                              : "w0: peso del sesgo, con x = −1 · wk: peso de la entrada k · ") +
                          inUse + " · w + Δw: el peso nuevo"};
    table.columns = {
        {"Neurona", "La neurona cuyos pesos cambian."},
        {"Peso", "w0 es el peso del sesgo, cuya entrada es siempre x0 = −1; wk pesa la entrada k de la neurona."},
        {"w", "El peso antes del paso."},
        {"x", output ? "Lo que el peso multiplica: −1 para w0, la salida y de la neurona oculta k para wk."
                     : "Lo que el peso multiplica: −1 para w0, la entrada k del patrón para wk."},
    };
    if (momentum)
        table.columns.push_back({"α·Δw′\nα = " + alpha, "El término del momento: α = " + alpha +
                                                          " por Δw′, el cambio de este peso en el paso anterior."});
    table.columns.push_back(
        momentum ? WorkedColumn{"Δw = η·δ·x + α·Δw′\n" + inUse,
                                "El cambio del peso: la tasa de aprendizaje η = " + rate +
                                    " por el δ de la neurona por su entrada x, más el término del momento α·Δw′."}
                 : WorkedColumn{"Δw = η·δ·x\nη = " + rate, "El cambio del peso: la tasa de aprendizaje η = " + rate +
                                                              " por el δ de la neurona por su entrada x."});
    table.columns.push_back({"w + Δw", "El peso después del paso."});
    for (const WeightChange& c : step.weights) {
        if (c.layer != layer) continue;
        const std::string name = WorkedNeuronName(c.layer, c.neuron);
        const std::string weight = "w" + std::to_string(c.index);
        const auto& deltas = output ? step.outputDeltas : step.hiddenDeltas;
        const double delta = deltas[static_cast<std::size_t>(c.neuron - 1)].delta;
        WorkedRow row{{Text(name), Text(c.index == 0 ? "w0 (sesgo)" : weight), Value(c.oldWeight), Value(c.input)},
                      {Text(name + ", " + weight + (momentum ? ": α·Δw′ = " : ": Δw = η·δ·x = "))}};
        if (momentum) {
            // The momentum term first, so that Δw's line can add its value.
            row.cells.push_back(Value(c.momentumTerm));
            row.line.insert(row.line.end(), {Full(step.momentum), Text(" · "), Factor(c.previousChange), Text(" = "),
                                             Value(c.momentumTerm), Text(";  Δw = η·δ·x + α·Δw′ = ")});
        }
        row.line.insert(row.line.end(),
                        {Full(step.learningRate), Text(" · "), Factor(delta), Text(" · "), Factor(c.input)});
        if (momentum) row.line.insert(row.line.end(), {Text(" + "), Factor(c.momentumTerm)});
        row.cells.insert(row.cells.end(), {Value(c.change), Value(c.newWeight)});
        row.line.insert(row.line.end(), {Text(" = "), Value(c.change), Text(";  w + Δw = "), Value(c.oldWeight),
                                         Text(" + "), Factor(c.change), Text(" = "), Value(c.newWeight)});
        table.rows.push_back(std::move(row));
    }
    return table;
}

}  // namespace

std::string WorkedNeuronName(StepLayer layer, int neuron) {
    return (layer == StepLayer::Hidden ? "Oculta " : "Salida ") + std::to_string(neuron);
}

std::vector<WorkedTable> WorkedRows(const WorkedStep& step, char separator) {
    std::vector<WorkedTable> tables{Forward(step)};
    if (!step.learns) return tables;
    tables.push_back(Deltas(step));
    tables.push_back(Weights(step, StepLayer::Output, separator));
    tables.push_back(Weights(step, StepLayer::Hidden, separator));
    return tables;
}
