#include "CurvePoints.h"
#include "PropertyNumber.h"

#include "model/UnitSystem.h"

#include <cmath>

namespace {
QString Plain(double v)
{
    return QString::fromStdString(PropertyNumber::Plain(v));
}
}   // namespace

void CurvePoints::Load(const std::vector<const Curve*>& curves)
{
    Rows.clear();
    m_mixed = false;
    if (!curves.empty()) {
        for (const Curve* c : curves)
            if (*c != *curves.front())
                m_mixed = true;
        if (!m_mixed)
            for (const CurvePoint& p : *curves.front())
                Rows.push_back({Plain(m_units.FlowUnit().ToDisplay(p.flow)), Plain(m_units.Hydr().ToDisplay(p.head))});
    }
    m_loaded = Rows;
}

QString CurvePoints::Read(Curve& curve) const
{
    curve.clear();
    for (size_t i = 0; i < Rows.size(); ++i) {
        double q = 0.0, h = 0.0;
        if (!PropertyNumber::Parse(Rows[i].flow.toStdString(), q) ||
            !PropertyNumber::Parse(Rows[i].head.toStdString(), h))
            return tr("第%1点: 请输入一个数。").arg(i + 1);
        curve.push_back({m_units.FlowUnit().FromDisplay(q), m_units.Hydr().FromDisplay(h)});
    }
    return {};
}

QString CurvePoints::Check(const Curve& c, const Rule& rule)
{
    if (c.size() < rule.least)
        return tr("%1至少需要%2个点。").arg(rule.caption).arg(rule.least);
    if (rule.most > 0 && c.size() > rule.most)
        return tr("%1只能有%2个点。").arg(rule.caption).arg(rule.most);
    for (size_t i = 0; i < c.size(); ++i) {
        if (!std::isfinite(c[i].flow) || !std::isfinite(c[i].head) || c[i].flow < 0 || c[i].head < 0)
            return tr("%1第%2点的流量和%3不能为负数。")
                .arg(rule.caption)
                .arg(i + 1)
                .arg(rule.falling ? tr("扬程") : tr("水头损失"));
        if (i == 0)
            continue;
        if (!(c[i].flow > c[i - 1].flow))
            return tr("%1第%2点的流量必须大于前一点。").arg(rule.caption).arg(i + 1);
        if (rule.falling && c[i].head > c[i - 1].head)
            return tr("%1第%2点的扬程随流量上升: 扬程必须随流量下降。").arg(rule.caption).arg(i + 1);
        if (!rule.falling && c[i].head < c[i - 1].head)
            return tr("%1第%2点的水头损失随流量下降: 水头损失必须随流量上升。").arg(rule.caption).arg(i + 1);
    }
    return {};
}

QString CurvePoints::FlowUnit() const
{
    return QString::fromStdString(m_units.FlowUnit().UnitName());
}

QString CurvePoints::HeadUnit() const
{
    return QString::fromStdString(m_units.Hydr().UnitName());
}
