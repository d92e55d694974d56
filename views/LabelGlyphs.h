#pragma once
#include "model/GbkView.h"

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QString>

#include <array>
#include <cstdint>
#include <string_view>

// Glyphs and advances of the printable ASCII characters of the label font, so that the many short
// labels of a paint (numbers, identifiers) are measured and drawn without text layout. Texts with
// other characters go the ordinary way.
class LabelGlyphs {
public:
    explicit LabelGlyphs(const QFont& font);

    bool IsUsable() const { return m_usable; }
    // Pixel width of an ASCII text; false when the text has other characters.
    bool Width(GbkView text, double& width) const;
    // Adds the glyphs of an ASCII text set on `baseline` to a run being collected; false (and
    // nothing added) for other texts.
    bool Append(GbkView text, const QPointF& baseline, QList<quint32>& glyphs, QList<QPointF>& positions) const;
    const QRawFont& RawFont() const { return m_raw; }
    double Height() const { return m_height; }
    double Ascent() const { return m_ascent; }
    // Lowest ink of any of these glyphs below the baseline, in whole pixels. Small hinted sizes put
    // the underscore below the font's nominal descent.
    int InkDescent() const { return m_inkDescent; }
    // Highest ink of any of these glyphs above the baseline, in whole pixels.
    int InkAscent() const { return m_inkAscent; }

private:
    QRawFont m_raw;
    std::array<quint32, 128> m_glyph{};
    std::array<double, 128> m_advance{};
    double m_height = 0.0;
    double m_ascent = 0.0;
    int m_inkDescent = 0;
    int m_inkAscent = 0;
    bool m_usable = false;
};
