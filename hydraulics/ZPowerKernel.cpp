#include "ZPowerKernel.h"

#include <sleef.h>

#include <cmath>

// sleef.h declares its AVX2 functions only where the whole file is compiled for AVX2; this file is
// not, so that it runs anywhere, and calls them only from code compiled for AVX2.
extern "C" __attribute__((target("avx2,fma"))) __m256d Sleef_powd4_u10avx2(__m256d, __m256d);

namespace {
__attribute__((target("avx2,fma"))) void PowAvx2(const double* x, const double* p, double* y, size_t n)
{
    size_t i = 0;
    for (; i + 4 <= n; i += 4)
        _mm256_storeu_pd(y + i, Sleef_powd4_u10avx2(_mm256_loadu_pd(x + i), _mm256_loadu_pd(p + i)));
    for (; i < n; ++i)
        y[i] = std::pow(x[i], p[i]);
}

bool HasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return has;
}
}   // namespace

bool ZPowerKernel::Vectorised()
{
    return HasAvx2();
}

void ZPowerKernel::Pow(const double* x, const double* p, double* y, size_t n)
{
    if (HasAvx2()) {
        PowAvx2(x, p, y, n);
        return;
    }
    for (size_t i = 0; i < n; ++i)
        y[i] = std::pow(x[i], p[i]);
}
