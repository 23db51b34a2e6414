#pragma once

// The byte passes look at 32 or 64 bytes at a time with the processor's
// 32-byte vector instructions (AVX2) where it has them, and a byte at a time
// elsewhere; both ways give the same results.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TESSALINE_WIDE_VECTORS 1
#include <immintrin.h>
#define TESSALINE_WIDE __attribute__((target("avx2,popcnt")))
#endif

inline bool hasWideVectors()
{
#ifdef TESSALINE_WIDE_VECTORS
    static const bool wide = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
    }();
    return wide;
#else
    return false;
#endif
}
