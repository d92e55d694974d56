#pragma once
#include <QCoreApplication>
#include "CurvePoints.h"
#include "DevicePropertyForm.h"

// The fields of the valve dialog. The control kinds' fields are enabled by the chosen kind, whose
// setting is a pressure (PRV, PSV, PBV: the head unit), a flow (FCV) or a loss coefficient (TCV);
// a GPV has its head-loss curve instead.
class ValvePropertyForm : public DevicePropertyForm {
    Q_DECLARE_TR_FUNCTIONS(ValvePropertyForm)

public:
    ValvePropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units);

    CurvePoints Points;
    // The chosen valve type, -1 while the valves differ.
    int ValveType() const;
    // The user chose another type: the setting takes its unit (an untouched value is shown again
    // in it) and the fields it has no use for are disabled.
    void SetValveType(int type);
    // Whether the type has a setting, a curve, the control fields at all.
    static bool HasSetting(int type);
    static bool IsControl(int type);
    // The setting's caption and UnitSystem category (-1: a plain number) for a type.
    static QString SettingCaption(int type);
    static int SettingUnit(int type);

protected:
    void LoadExtra() override;
    Failure CheckExtra() const override;
    bool ApplyExtra(ZNetObject& obj, const Sink& sink, const std::function<void()>& touch) override;

private:
    void Enable();
};
