#pragma once
#include <QCoreApplication>
#include "model/CurvePoint.h"

#include <QString>

#include <vector>

class UnitSystem;

// The points of a pump's head curve or a valve's head-loss curve as a dialog holds them: flow and
// head texts in the display units, loaded from one or more objects (no rows when their curves
// differ), read back and checked into a curve in base units. Rows are written only when changed.
class CurvePoints {
    Q_DECLARE_TR_FUNCTIONS(CurvePoints)

public:
    struct Row {
        QString flow;
        QString head;
        bool operator==(const Row&) const = default;
    };
    // What a curve must be: its caption in messages ("水泵特性曲线"), at least and at most how
    // many points, and whether heads fall with flow (a pump) or rise (a valve's loss).
    struct Rule {
        QString caption;
        size_t least = 0;
        size_t most = 0;   // 0: no limit
        bool falling = true;
    };

    explicit CurvePoints(const UnitSystem& units) : m_units(units) {}

    void Load(const std::vector<const Curve*>& curves);
    std::vector<Row> Rows;
    // The objects' curves differ (and nothing was typed yet).
    bool Mixed() const { return m_mixed; }
    bool Changed() const { return Rows != m_loaded; }

    // The rows in base units; the message naming the point when a text is not a number.
    QString Read(Curve& curve) const;
    // The message when `curve` breaks the rule; empty when it keeps it.
    static QString Check(const Curve& curve, const Rule& rule);

    QString FlowUnit() const;
    QString HeadUnit() const;

private:
    const UnitSystem& m_units;
    std::vector<Row> m_loaded;
    bool m_mixed = false;
};
