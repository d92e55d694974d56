#include "CCalcOptionsEdit.h"

#include <utility>

CCalcOptionsEdit::CCalcOptionsEdit(ZBalanceParams& target, const ZBalanceParams& chosen)
    : ZEdit(tr("修改计算选项").toStdString()), m_target(target), m_other(chosen)
{
}

bool CCalcOptionsEdit::Differ(const ZBalanceParams& a, const ZBalanceParams& b)
{
    return a.CheckValvesClose != b.CheckValvesClose || a.DemandModel != b.DemandModel ||
           a.MinPressure != b.MinPressure || a.RequiredPressure != b.RequiredPressure ||
           a.PressureExponent != b.PressureExponent;
}

ZNetMsg CCalcOptionsEdit::Hint(bool) const
{
    return ZNetMsg{ZNetMsg::OptionsChanged, 0, 0, nullptr};
}

void CCalcOptionsEdit::Swap()
{
    std::swap(m_target.CheckValvesClose, m_other.CheckValvesClose);
    std::swap(m_target.DemandModel, m_other.DemandModel);
    std::swap(m_target.MinPressure, m_other.MinPressure);
    std::swap(m_target.RequiredPressure, m_other.RequiredPressure);
    std::swap(m_target.PressureExponent, m_other.PressureExponent);
}
