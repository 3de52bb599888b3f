#pragma once
// The hot functions are compiled for AVX2 and for the baseline processor; the
// program runs the one its processor supports. A build for the baseline alone
// (PERCEPTLAB_BASELINE_ONLY) lets the tests exercise the code that processors
// without AVX2 run.

#ifdef PERCEPTLAB_BASELINE_ONLY
#define PARA_CADA_PROCESADOR
#else
#define PARA_CADA_PROCESADOR __attribute__((target_clones("avx2", "default")))
#endif
