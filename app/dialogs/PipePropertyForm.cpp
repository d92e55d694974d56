#include "PipePropertyForm.h"
#include "PropertyNumber.h"

#include "model/UnitSystem.h"
#include "model/ZPipeLink.h"

#include <set>

namespace {
ZPipeLink& P(ZNetObject& o)
{
    return static_cast<ZPipeLink&>(o);
}
const ZPipeLink& P(const ZNetObject& o)
{
    return static_cast<const ZPipeLink&>(o);
}
}   // namespace

PipePropertyForm::PipePropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units)
    : PropertyForm(ZNetObject::Kind::Pipe, mode, std::move(objects), units)
{
    // Written by the length modes (ApplyLength).
    FindNumber("PipeLength")->custom = true;
}

void PipePropertyForm::CoefRange(int pipeType, double& low, double& high)
{
    if (pipeType == ZPipeLink::Manning) {
        low = 0.005;
        high = 0.05;
    } else {
        low = 50.0;
        high = 250.0;
    }
}

void PipePropertyForm::LoadExtra()
{
    m_lengthMode = LengthUntouched;
    m_allAuto = !Objects().empty();
    m_innerSame.clear();
    for (const ZNetObject* o : Objects()) {
        m_allAuto = m_allAuto && P(*o).IsAutoLength();
        if (PropertyNumber::Same(P(*o).PipeInDiam, P(*o).PipeDiam))
            m_innerSame.insert(o);
    }
}

void PipePropertyForm::SetLengthManual(const QString& text)
{
    m_lengthMode = LengthManual;
    FindNumber("PipeLength")->text = text;
}

void PipePropertyForm::SetLengthAutomatic()
{
    m_lengthMode = LengthAutomatic;
    Number* f = FindNumber("PipeLength");
    f->text = (GetMode() != TemplateMode && Objects().size() == 1)
                  ? Format(UnitSystem::Length, P(*Objects().front()).PolylineLength())
                  : QString();
}

QString PipePropertyForm::CheckRange(const Number& f, bool typed, double value) const
{
    if (f.key != "PipeRougCeof")
        return PropertyForm::CheckRange(f, typed, value);
    // The type chosen in the dialog, or each pipe's own type when the dialog leaves it.
    std::set<int> types;
    const int chosen = FindChoice("PipeType")->index;
    if (chosen >= 0)
        types.insert(chosen);
    else
        for (const ZNetObject* o : Objects())
            types.insert(P(*o).PipeType == ZPipeLink::Manning ? 1 : 0);
    for (int t : types) {
        double low = 0, high = 0;
        CoefRange(t, low, high);
        if (value < low || value > high)
            return RangeMessage(low, high, false);
    }
    return {};
}

bool PipePropertyForm::ApplyExtra(ZNetObject& obj, const Sink&, const std::function<void()>& touch)
{
    ZPipeLink& pipe = P(obj);
    // The calculation uses the inner diameter: one that was the standard diameter stays so,
    // unless an inner diameter was typed.
    bool inner = false;
    if (TextChanged(*FindNumber("PipeDiam")) && !TextChanged(*FindNumber("PipeInDiam")) && m_innerSame.count(&obj) &&
        !PropertyNumber::Same(pipe.PipeInDiam, pipe.PipeDiam)) {
        touch();
        pipe.PipeInDiam = pipe.PipeDiam;
        inner = true;
    }
    return ApplyLength(pipe, touch) || inner;
}

bool PipePropertyForm::ApplyLength(ZPipeLink& pipe, const std::function<void()>& touch)
{
    if (m_lengthMode == LengthAutomatic) {
        if (pipe.IsAutoLength())
            return false;
        touch();
        pipe.SetFlag(qen::FLAG_AUTO_LENGTH);
        // A template has no drawing: it keeps its length and passes the flag on to new pipes.
        if (pipe.StartNode())
            pipe.UpdateAutoLength();
        return true;
    }
    const Number& f = *FindNumber("PipeLength");
    double shown = 0.0;
    if (m_lengthMode != LengthManual || !PropertyNumber::Parse(f.text.toStdString(), shown))
        return false;
    const double length = ToBase(UnitSystem::Length, shown);
    if (!pipe.IsAutoLength() && PropertyNumber::Same(pipe.PipeLength, length))
        return false;
    touch();
    pipe.ClearFlag(qen::FLAG_AUTO_LENGTH);
    pipe.PipeLength = length;
    return true;
}
