#include "PumpPropertyForm.h"
#include "PropertyNumber.h"

#include "model/ZPumpLink.h"

namespace {
const ZPumpLink& Pump(const ZNetObject& o)
{
    return static_cast<const ZPumpLink&>(o);
}
}   // namespace

PumpPropertyForm::PumpPropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units)
    : DevicePropertyForm(ZNetObject::Kind::Pump, mode, std::move(objects), units), Points(units)
{
    // New pumps start at efficiency 1.0 whatever the template says: nothing to edit there.
    FindNumber("PumpEfficiency")->enabled = mode != TemplateMode;
}

int PumpPropertyForm::CurveKind() const
{
    const Choice* c = FindChoice("PumpCurveKind");
    return c ? c->index : -1;
}

bool PumpPropertyForm::UsesPoints(int kind)
{
    return kind == ZPumpLink::OnePoint || kind == ZPumpLink::ThreePoint || kind == ZPumpLink::MultiPoint;
}

void PumpPropertyForm::SetCurveKind(int kind)
{
    if (Choice* c = FindChoice("PumpCurveKind"))
        c->index = kind;
    Enable();
}

void PumpPropertyForm::Enable()
{
    const int kind = CurveKind();
    if (Number* speed = FindNumber("PumpSpeed"))
        speed->enabled = kind != ZPumpLink::QuadraticLaw;
    if (Number* power = FindNumber("PumpPower"))
        power->enabled = kind < 0 || kind == ZPumpLink::ConstantPower;
}

void PumpPropertyForm::LoadExtra()
{
    DevicePropertyForm::LoadExtra();
    std::vector<const Curve*> curves;
    for (const ZNetObject* o : Objects())
        curves.push_back(&Pump(*o).PumpCurve);
    Points.Load(curves);
    Enable();
}

PropertyForm::Failure PumpPropertyForm::CheckExtra() const
{
    Curve typed;
    if (Points.Changed())
        if (QString bad = Points.Read(typed); !bad.isEmpty())
            return {"PumpCurve", tr("水泵特性曲线") + bad};
    const Number* power = FindNumber("PumpPower");
    for (const ZNetObject* o : Objects()) {
        ZPumpLink pump;
        pump.CopyFrom(*o);
        pump.PumpCurveKind = CurveKind() >= 0 ? CurveKind() : Pump(*o).PumpCurveKind;
        if (Points.Changed())
            pump.PumpCurve = typed;
        const int needed = ZPumpLink::PointsNeeded(pump.PumpCurveKind);
        if (pump.PumpCurveKind == ZPumpLink::ConstantPower) {
            double kw = pump.PumpPower;
            if (power && !power->text.trimmed().isEmpty())
                PropertyNumber::Parse(power->text.toStdString(), kw);
            if (!(kw > 0))
                return {"PumpPower", tr("恒功率水泵的功率必须大于0。")};
        }
        if (needed == 0)
            continue;
        const CurvePoints::Rule rule{tr("水泵特性曲线"), size_t(needed),
                                     pump.PumpCurveKind == ZPumpLink::MultiPoint ? 0 : size_t(needed), true};
        if (QString bad = CurvePoints::Check(pump.PumpCurve, rule); !bad.isEmpty())
            return {"PumpCurve", bad};
        if (pump.PumpCurveKind == ZPumpLink::OnePoint && !(pump.PumpCurve[0].flow > 0 && pump.PumpCurve[0].head > 0))
            return {"PumpCurve", tr("一点曲线的设计流量和扬程必须大于0。")};
        if (pump.PumpCurveKind == ZPumpLink::ThreePoint && pump.PumpCurve[0].flow != 0.0)
            return {"PumpCurve", tr("三点曲线的第1点是流量为0时的关死扬程。")};
        if (!pump.CurveFits())
            return {"PumpCurve", tr("水泵特性曲线的扬程必须随流量严格下降。")};
    }
    return {};
}

bool PumpPropertyForm::ApplyExtra(ZNetObject& obj, const Sink& sink, const std::function<void()>& touch)
{
    bool changed = DevicePropertyForm::ApplyExtra(obj, sink, touch);
    Curve curve;
    if (Points.Changed() && Points.Read(curve).isEmpty() && Pump(obj).PumpCurve != curve) {
        touch();
        static_cast<ZPumpLink&>(obj).PumpCurve = std::move(curve);
        changed = true;
    }
    return changed;
}
