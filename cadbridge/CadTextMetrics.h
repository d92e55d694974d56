#pragma once
#include <string_view>

// Widths of texts in the drawings' text style (txt with the gbcbig big font): a fixed advance
// per glyph, narrow for single-byte characters, wide for double-byte (Chinese) ones. CAD programs
// measure each glyph; this consistent approximation is what node label boxes use. It errs wide:
// readers without the SHX fonts draw Chinese in a TrueType font about 1.35 text heights wide.
class CadTextMetrics {
public:
    static constexpr double NarrowAdvance = 0.8;   // x text height, digits and Latin letters
    static constexpr double WideAdvance = 1.35;    // x text height, GBK double-byte characters
    static double Width(std::string_view gbk, double height);
};
