// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hot functions come in two versions: one for any processor, and one
// compiled for processors with AVX2 and fused multiply-add, whose
// exponentials fuse (quick_exp.h). Both give the same results bit
// for bit; the program runs the one its processor supports. A build for the
// baseline alone (PERCEPTLAB_BASELINE_ONLY) lets the tests exercise the code
// that processors without AVX2 run.

#ifndef PERCEPTLAB_BASELINE_ONLY
// Whether this processor runs the AVX2 and fused multiply-add versions.
inline const bool kHasAvx2AndFma = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
}();
#endif
