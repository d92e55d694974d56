#include "DxfCaseFold.h"

namespace {

// Runs where a lower-case letter is its upper-case letter plus `delta`.
struct Run {
    char32_t first, last;
    int delta;
};
constexpr Run kShifted[] = {
    {U'a', U'z', 32},     {0x00E0, 0x00F6, 32},
    {0x00F8, 0x00FE, 32}, {0x03B1, 0x03C1, 32},
    {0x03C3, 0x03CB, 32}, {0x03AC, 0x03AC, 38},
    {0x03AD, 0x03AF, 37}, {0x03CC, 0x03CC, 64},
    {0x03CD, 0x03CE, 63}, {0x03C2, 0x03C2, 31},
    {0x0430, 0x044F, 32}, {0x0450, 0x045F, 80},
    {0x0561, 0x0586, 48}, {0x2D00, 0x2D25, 0x2D00 - 0x10A0},
    {0x2170, 0x217F, 16}, {0x24D0, 0x24E9, 26},
    {0xFF41, 0xFF5A, 32}, {0x00FF, 0x00FF, 0x00FF - 0x0178},
};
// Blocks where upper and lower case alternate: even code point upper, the next one lower.
struct Pairs {
    char32_t first, last;   // first is upper case
};
constexpr Pairs kEvenUpper[] = {{0x0100, 0x012F}, {0x0132, 0x0137}, {0x014A, 0x0177}, {0x01DE, 0x01EF},
                                {0x01F8, 0x021F}, {0x0222, 0x0233}, {0x0246, 0x024F}, {0x0370, 0x0373},
                                {0x03D8, 0x03EF}, {0x0460, 0x0481}, {0x048A, 0x04BF}, {0x04D0, 0x052F},
                                {0x1E00, 0x1E95}, {0x1EA0, 0x1EFF}, {0x2C80, 0x2CE3}, {0xA640, 0xA66D},
                                {0xA680, 0xA69B}, {0xA722, 0xA72F}, {0xA732, 0xA76F}, {0xA77E, 0xA787}};
// Blocks where the odd code point is upper case.
constexpr Pairs kOddUpper[] = {{0x0139, 0x0148}, {0x0179, 0x017E}, {0x01CD, 0x01DC}, {0x04C1, 0x04CE}};

}   // namespace

char32_t DxfFoldChar(char32_t c)
{
    if (c < 0x80)
        return c >= U'a' && c <= U'z' ? c - 32 : c;
    for (const Run& r : kShifted)
        if (c >= r.first && c <= r.last)
            return static_cast<char32_t>(static_cast<int>(c) - r.delta);
    for (const Pairs& p : kEvenUpper)
        if (c > p.first && c <= p.last && (c - p.first) % 2 == 1)
            return c - 1;
    for (const Pairs& p : kOddUpper)
        if (c > p.first && c <= p.last && (c - p.first) % 2 == 1)
            return c - 1;
    return c;
}
