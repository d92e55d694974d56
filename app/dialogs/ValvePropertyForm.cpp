#include "ValvePropertyForm.h"
#include "text/CCoreText.h"
#include "model/ZFieldTable.h"
#include "PropertyNumber.h"

#include "model/UnitSystem.h"
#include "model/ZValveLink.h"

namespace {
const ZValveLink& Valve(const ZNetObject& o)
{
    return static_cast<const ZValveLink&>(o);
}
}   // namespace

ValvePropertyForm::ValvePropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units)
    : DevicePropertyForm(ZNetObject::Kind::Valve, mode, std::move(objects), units), Points(units)
{
}

int ValvePropertyForm::ValveType() const
{
    const Choice* c = FindChoice("ValveType");
    return c ? c->index : -1;
}

bool ValvePropertyForm::IsControl(int type)
{
    return type >= ZValveLink::Prv && type < ZValveLink::TypeCount;
}

bool ValvePropertyForm::HasSetting(int type)
{
    return IsControl(type) && type != ZValveLink::Gpv;
}

QString ValvePropertyForm::SettingCaption(int type)
{
    return CCoreText::Tr(QString::fromUtf8(ZFieldTable::ValveSettingCaption(type)));
}

int ValvePropertyForm::SettingUnit(int type)
{
    return ZFieldTable::ValveSettingUnit(type);
}

void ValvePropertyForm::LoadExtra()
{
    DevicePropertyForm::LoadExtra();
    std::vector<const Curve*> curves;
    for (const ZNetObject* o : Objects())
        curves.push_back(&Valve(*o).ValveCurve);
    Points.Load(curves);
    if (Number* s = FindNumber("ValveSetting")) {
        s->unit = SettingUnit(ValveType());
        if (!s->text.isEmpty())
            s->text = s->loaded = Format(s->unit, s->get(*Objects().front()));
    }
    Enable();
}

void ValvePropertyForm::SetValveType(int type)
{
    if (Choice* c = FindChoice("ValveType"))
        c->index = type;
    Number* s = FindNumber("ValveSetting");
    const int unit = SettingUnit(type);
    if (s && s->unit != unit) {
        const bool untouched = s->text.trimmed() == s->loaded.trimmed();
        s->unit = unit;
        if (untouched && !s->loaded.isEmpty())
            s->text = s->loaded = Format(unit, s->get(*Objects().front()));
    }
    Enable();
}

void ValvePropertyForm::Enable()
{
    const int type = ValveType();
    bool control = IsControl(type);
    if (type < 0) {
        control = true;
        for (const ZNetObject* o : Objects())
            control = control && Valve(*o).IsControlValve();
    }
    if (Number* s = FindNumber("ValveSetting"))
        s->enabled = HasSetting(type);
    if (Number* d = FindNumber("ValveDiam"))
        d->enabled = control;
    if (Choice* c = FindChoice("ValveInitStatus"))
        c->enabled = control;
    // The fixed reduction belongs to the described kinds; a control valve's setting replaces it.
    if (Number* r = FindNumber("ValveHLess"))
        r->enabled = !IsControl(type);
}

PropertyForm::Failure ValvePropertyForm::CheckExtra() const
{
    Curve typed;
    if (Points.Changed())
        if (QString bad = Points.Read(typed); !bad.isEmpty())
            return {"ValveCurve", tr("通用阀水头损失曲线") + bad};
    const Number* diam = FindNumber("ValveDiam");
    for (const ZNetObject* o : Objects()) {
        const ZValveLink& v = Valve(*o);
        const int type = ValveType() >= 0 ? ValveType() : v.GetValveType();
        if (type == ZValveLink::Tcv) {
            double d = v.ValveDiam;
            if (diam && !diam->text.trimmed().isEmpty() && PropertyNumber::Parse(diam->text.toStdString(), d))
                d = ToBase(diam->unit, d);
            if (!(d > 0))
                return {"ValveDiam", tr("节流阀的阀门直径必须大于0 (损失系数按阀门直径计算)。")};
        }
        if (type == ZValveLink::Gpv) {
            const CurvePoints::Rule rule{tr("通用阀水头损失曲线"), 2, 0, false};
            if (QString bad = CurvePoints::Check(Points.Changed() ? typed : v.ValveCurve, rule); !bad.isEmpty())
                return {"ValveCurve", bad};
        }
    }
    return {};
}

bool ValvePropertyForm::ApplyExtra(ZNetObject& obj, const Sink& sink, const std::function<void()>& touch)
{
    bool changed = DevicePropertyForm::ApplyExtra(obj, sink, touch);
    Curve curve;
    if (Points.Changed() && Points.Read(curve).isEmpty() && Valve(obj).ValveCurve != curve) {
        touch();
        static_cast<ZValveLink&>(obj).ValveCurve = std::move(curve);
        changed = true;
    }
    return changed;
}
