#include "LabelGlyphs.h"

#include <QFontMetricsF>
#include <QVector>

#include <algorithm>
#include <cmath>

LabelGlyphs::LabelGlyphs(const QFont& font)
{
    const QFontMetricsF fm(font);
    m_height = fm.height();
    m_ascent = fm.ascent();
    m_raw = QRawFont::fromFont(font);
    if (!m_raw.isValid())
        return;
    QString chars;
    for (int c = 32; c < 127; ++c)
        chars.append(QChar(c));
    const QList<quint32> glyphs = m_raw.glyphIndexesForString(chars);
    if (glyphs.size() != chars.size())
        return;
    const QList<QPointF> adv = m_raw.advancesForGlyphIndexes(glyphs);
    for (int c = 32; c < 127; ++c) {
        const int i = c - 32;
        // A character the font lacks would show as a box; let layout pick a fallback font instead.
        m_glyph[static_cast<size_t>(c)] = glyphs[i];
        m_advance[static_cast<size_t>(c)] = adv[i].x();
        if (glyphs[i] == 0 && c != 32)
            m_advance[static_cast<size_t>(c)] = -1.0;
        else {
            const QRectF ink = m_raw.boundingRect(glyphs[i]);
            m_inkDescent = std::max(m_inkDescent, static_cast<int>(std::ceil(ink.bottom())));
            m_inkAscent = std::max(m_inkAscent, static_cast<int>(std::ceil(-ink.top())));
        }
    }
    m_usable = true;
}

bool LabelGlyphs::Width(GbkView text, double& width) const
{
    if (!m_usable)
        return false;
    double w = 0.0;
    for (char ch : text.Bytes()) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c < 32 || c >= 127 || m_advance[c] < 0.0)
            return false;
        w += m_advance[c];
    }
    width = w;
    return true;
}

bool LabelGlyphs::Append(GbkView text, const QPointF& baseline, QList<quint32>& glyphs, QList<QPointF>& positions) const
{
    if (!m_usable)
        return false;
    for (char ch : text.Bytes()) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c < 32 || c >= 127 || m_advance[c] < 0.0)
            return false;
    }
    // Written in place: a paint appends tens of thousands of glyphs.
    const qsizetype at = glyphs.size();
    const qsizetype n = static_cast<qsizetype>(text.size());
    glyphs.resize(at + n);
    positions.resize(at + n);
    quint32* g = glyphs.data() + at;
    QPointF* p = positions.data() + at;
    double x = baseline.x();
    const double y = baseline.y();
    for (char ch : text.Bytes()) {
        const unsigned char c = static_cast<unsigned char>(ch);
        *g++ = m_glyph[c];
        *p++ = QPointF(x, y);
        x += m_advance[c];
    }
    return true;
}
