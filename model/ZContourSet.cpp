#include "ZContourSet.h"

#include "NumberFormat.h"

#include <cmath>
#include <cstdint>
#include <string>

double ZContourSet::ColourFraction(double value) const
{
    if (!(High > FirstLevel) || !std::isfinite(value))
        return 0.0;
    const double t = (value - FirstLevel) / (High - FirstLevel);
    // The top band's middle lies above the highest value: keep every channel within its byte.
    return t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
}

uint32_t ZContourSet::FillColour(double value, uint32_t lowest, uint32_t highest) const
{
    const double t = ColourFraction(value);
    uint32_t c = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int lo = static_cast<int>(lowest >> shift & 0xFF), hi = static_cast<int>(highest >> shift & 0xFF);
        c |= static_cast<uint32_t>(static_cast<int>(lo + t * (hi - lo))) << shift;
    }
    return c;
}

std::string ZContourSet::LevelText(double level)
{
    return NumberFormat::Fixed(level, 1);
}
