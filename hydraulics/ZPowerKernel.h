#pragma once
#include <cstddef>

// y[i] = x[i] ^ p[i] for arrays of positive, finite x: four at a time with SLEEF's vector power
// (within one ulp) where the processor has AVX2, else std::pow. The pipe law spends most of a
// balancing pass in this power, one per open pipe.
class ZPowerKernel {
public:
    static void Pow(const double* x, const double* p, double* y, size_t n);
    // Whether the vector path is in use on this processor.
    static bool Vectorised();
};
