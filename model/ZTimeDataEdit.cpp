#include "ZTimeDataEdit.h"

#include "ZDocument.h"

#include <utility>

ZTimeDataEdit::ZTimeDataEdit(ZTimeData data, std::string text) : ZEdit(std::move(text)), m_other(std::move(data)) {}

size_t ZTimeDataEdit::MemoryUsage() const
{
    const ZTimeData& d = m_other;
    size_t n = sizeof(*this);
    for (const auto& p : d.Patterns)
        n += sizeof(p) + p.factors.capacity() * sizeof(double) + p.id.size();
    n += d.Demands.capacity() * sizeof(ZTimeData::NodeDemand) +
         d.PumpPatterns.capacity() * sizeof(ZTimeData::PumpPattern);
    for (const auto& c : d.TankCurves)
        n += sizeof(c) + c.points.capacity() * sizeof(CurvePoint);
    n += d.Controls.capacity() * sizeof(ZTimeData::Control);
    return n;
}

ZNetMsg ZTimeDataEdit::Hint(bool) const
{
    ZNetMsg msg;
    msg.Code = ZNetMsg::TimeDataChanged;
    return msg;
}

void ZTimeDataEdit::DoApply(ZDocument& doc)
{
    std::swap(doc.GetTimeData(), m_other);
}

void ZTimeDataEdit::DoRevert(ZDocument& doc)
{
    std::swap(doc.GetTimeData(), m_other);
}
