// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A neuron's arithmetic, written once for every path that computes it: the
// weighted sum, the sigmoid and the hyperbolic tangent, their derivatives,
// a neuron's delta and a weight's change, with and without momentum. Each
// is a template over the lane type: a double (one neuron, or one point of a
// map) or a block of lanes computed abreast (layer_rows.h).
// A lane does exactly the operations of a neuron alone, in its order, so
// every path gives the same result bit for bit; a wider block is one more
// vector type for these templates, and nothing here changes for it.
//
// The exponentials come from the caller, as each path gets them its own way
// (Exp, the inline quick value, a block's quick values settled together),
// all rounded alike; a layer that settles all its blocks' exponentials
// together applies Sigmoid and Tangent itself.

#include "network_parameters.h"

#define PERCEPTLAB_KERNEL [[gnu::always_inline]] inline

// The first term of a weighted sum, 0 + x0·w0; a scalar term fills every lane.
template <class Lane, class X, class W>
PERCEPTLAB_KERNEL Lane SumStart(const X& x0, const W& w0) {
    return Lane{} + x0 * w0;
}

// Each next term: s + xk·wk.
template <class Lane, class X, class W>
PERCEPTLAB_KERNEL Lane SumStep(const Lane& s, const X& xk, const W& wk) {
    return s + xk * wk;
}

// The weighted sum: 0 + x0·w0 for the bias input x0 (-1), then + x[k-1]·w[k]
// for k = 1..n, each addition rounded in turn.
template <class Lane, class X, class W, class Inputs, class Weights>
PERCEPTLAB_KERNEL Lane WeightedSum(const X& x0, const W& w0, int n, const Inputs& x, const Weights& w) {
    Lane s = SumStart<Lane>(x0, w0);
    for (int k = 1; k <= n; ++k) s = SumStep(s, x[k - 1], w[k]);
    return s;
}

// The sigmoid 1/(1 + e^-s), from e^-s.
template <class Lane>
PERCEPTLAB_KERNEL Lane Sigmoid(const Lane& expMinus) {
    return 1.0 / (1.0 + expMinus);
}

// The hyperbolic tangent (e^s - e^-s)/(e^s + e^-s), from e^s and e^-s.
template <class Lane>
PERCEPTLAB_KERNEL Lane Tangent(const Lane& expPlus, const Lane& expMinus) {
    return (expPlus - expMinus) / (expPlus + expMinus);
}

// The sigmoid's or the tangent's output for the sum s, each exponential from
// exp; `bad` is set to 0, or NaN in a lane where s or an exponential is not finite.
template <class Lane, class ExpOf>
PERCEPTLAB_KERNEL Lane Transfer(TFuncionTransferencia function, const Lane& s, ExpOf exp, Lane& bad) {
    const Lane em = exp(-s);
    bad = (s - s) + (em - em);
    if (function == ftSigmoide) return Sigmoid(em);
    const Lane ep = exp(s);
    bad = bad + (ep - ep);
    return Tangent(ep, em);
}

// f'(s) of the sigmoid or the tangent, written in terms of the neuron's output y.
template <class Lane>
PERCEPTLAB_KERNEL Lane Derivative(TFuncionTransferencia function, const Lane& y) {
    if (function == ftSigmoide) return (1 - y) * y;
    return (1 + y) * (1 - y);
}

// A neuron's delta f'(y)·e, for its error term e: d − y at an output neuron,
// Σ δ·w over the output neurons at a hidden one.
template <class Lane, class Error>
PERCEPTLAB_KERNEL Lane Delta(TFuncionTransferencia function, const Lane& y, const Error& e) {
    return Derivative(function, y) * e;
}

// What a neuron's weights change by per unit of input: η·δ.
template <class Lane>
PERCEPTLAB_KERNEL Lane RateTimesDelta(double rate, const Lane& delta) {
    return rate * delta;
}

// A weight's change without momentum: (η·δ)·x, x being the input it multiplies.
template <class Rate, class Input>
PERCEPTLAB_KERNEL auto GradientChange(const Rate& rateTimesDelta, const Input& x) {
    return rateTimesDelta * x;
}

// A weight after a change Δw: w + Δw.
template <class Lane, class Change>
PERCEPTLAB_KERNEL Lane ChangedWeight(const Lane& w, const Change& change) {
    return w + change;
}

// A weight after the step without momentum: w + (η·δ)·x.
template <class Lane, class Rate, class Input>
PERCEPTLAB_KERNEL Lane UpdatedWeight(const Lane& w, const Rate& rateTimesDelta, const Input& x) {
    return ChangedWeight(w, GradientChange(rateTimesDelta, x));
}

// Momentum α: the weight's change Δw′ of the previous step carried into this one, α·Δw′.
template <class Lane>
PERCEPTLAB_KERNEL Lane MomentumTerm(double momentum, const Lane& previousChange) {
    return momentum * previousChange;
}

// A weight's change with momentum, Δw = (η·δ)·x + α·Δw′, in this order:
// (η·δ)·x rounded, then α·Δw′ rounded, then their sum rounded. The weight
// then becomes w + Δw (ChangedWeight), and Δw is kept as the next step's Δw′.
// With α = 0 the step takes UpdatedWeight instead and keeps no Δw′, so the
// classic step stays what it was to the last bit (signed zeros included).
template <class Lane, class Rate, class Input>
PERCEPTLAB_KERNEL Lane MomentumChange(const Rate& rateTimesDelta, const Input& x, double momentum,
                                      const Lane& previousChange) {
    return GradientChange(rateTimesDelta, x) + MomentumTerm(momentum, previousChange);
}

#undef PERCEPTLAB_KERNEL
