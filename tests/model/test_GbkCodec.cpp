#include "model/GbkCodec.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {
// One byte at a time, as the rule says: ASCII letters up, both bytes of a GBK pair kept.
std::string Reference(std::string s)
{
    for (size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < s.size())
            ++i;
        else if (c >= 'a' && c <= 'z')
            s[i] = static_cast<char>(c - 32);
    }
    return s;
}
}   // namespace

// GBK pairs whose trail byte looks like a lower-case letter ("\x81a") sit at every offset of the
// eight-byte words the fast path takes, and at the very end of the text.
TEST(GbkCodec, UpperCasesAsciiButNeverATrailByte)
{
    std::mt19937 rng(3);
    const std::string pieces[] = {"a",
                                  "z",
                                  "A",
                                  "{",
                                  "`",
                                  "@",
                                  "\t",
                                  "\n",
                                  "\x81"
                                  "a",
                                  "\xB0"
                                  "z",
                                  "\xFE"
                                  "m",
                                  "\x80",
                                  "\xFF"};
    for (int round = 0; round < 2000; ++round) {
        std::string s;
        const int n = static_cast<int>(rng() % 40);
        for (int k = 0; k < n; ++k)
            s += pieces[rng() % std::size(pieces)];
        if (rng() % 4 == 0)
            s += '\x81';   // a lead byte with nothing after it
        std::string inPlace = s;
        GbkCodec::UpperAsciiInPlace(inPlace.data(), inPlace.size());
        ASSERT_EQ(inPlace, Reference(s)) << "round " << round;
        ASSERT_EQ(GbkCodec::UpperAscii(GbkView(s)).Bytes(), Reference(s));
    }
}
