#pragma once
#include <QCoreApplication>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class QPainter;
class UnitCategory;
class ZNetCanvas;

// The key to a drawing's grade colours: for node and for pipe grading that is on, the quantity
// and its unit, then one colour swatch per class with the range of values it stands for, in the
// display units of the options. Sized and drawn in the canvas's device pixels and label font.
class ZGradeLegend {
    Q_DECLARE_TR_FUNCTIONS(ZGradeLegend)

public:
    struct Block {
        QString title;
        std::vector<uint32_t> colours;
        QStringList ranges;
        bool lines = false;   // pipes: a stroke; nodes: a square
    };

    explicit ZGradeLegend(const ZNetCanvas& canvas);

    bool IsEmpty() const { return m_blocks.empty(); }
    const std::vector<Block>& Blocks() const { return m_blocks; }
    QSize Size() const;
    void Paint(QPainter& painter, const QPoint& topLeft) const;

    // One text per class: "< t0", "t0 - t1", ..., "≥ tn" in the unit's display value and decimals.
    static QStringList RangeTexts(const std::vector<double>& thresholds, const UnitCategory& unit, size_t classes);

private:
    int Line() const;

    const ZNetCanvas& m_canvas;
    std::vector<Block> m_blocks;
};
