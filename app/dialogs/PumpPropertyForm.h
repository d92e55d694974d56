#pragma once
#include <QCoreApplication>
#include "CurvePoints.h"
#include "DevicePropertyForm.h"

// The fields of the pump dialog; a template's efficiency is not edited. The curve's points are
// checked against the curve kind each pump ends up with, and written to every pump when changed.
class PumpPropertyForm : public DevicePropertyForm {
    Q_DECLARE_TR_FUNCTIONS(PumpPropertyForm)

public:
    PumpPropertyForm(Mode mode, std::vector<ZNetObject*> objects, const UnitSystem& units);

    CurvePoints Points;
    // The chosen curve kind, -1 while the pumps differ.
    int CurveKind() const;
    // The user chose another curve kind: speed and power are enabled where the kind uses them.
    void SetCurveKind(int kind);
    // Whether the kind's head comes from the points.
    static bool UsesPoints(int kind);

protected:
    void LoadExtra() override;
    Failure CheckExtra() const override;
    bool ApplyExtra(ZNetObject& obj, const Sink& sink, const std::function<void()>& touch) override;

private:
    void Enable();
};
