// Where the engine's block-wise loops may use 256-bit registers: GCC or
// clang on x86-64. Each such loop is built for AVX2 on its own and chosen at
// run time, only when the processor has it.
#pragma once

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define KELVANE_WIDE_BLOCKS 1
#endif
