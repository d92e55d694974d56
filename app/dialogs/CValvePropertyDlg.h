#pragma once
#include "CPropertyDlg.h"

class CCurvePointsTable;
class QGroupBox;
class ValvePropertyForm;

// Dialog 156 "阀门属性", with "反向连接" to swap inlet and outlet on OK. The group "控制阀" shows
// only for the kinds that use it: the setting (captioned and in the unit of the kind), diameter,
// initial status and, after a run, the state; a GPV's head-loss curve; a check valve's state.
class CValvePropertyDlg : public CPropertyDlg {
    Q_OBJECT
public:
    CValvePropertyDlg(PropertyForm::Mode mode, std::vector<ZNetObject*> valves, const UnitSystem& units,
                      UiPrompt& prompt, QWidget* parent = nullptr);

    ValvePropertyForm& ValveForm();
    CCurvePointsTable* Points() const { return m_points; }

protected:
    void ShowForm() override;
    void ReadForm() override;

private:
    void TypeChosen(int type);

    QGroupBox* m_controlBox = nullptr;
    QFormLayout* m_control = nullptr;
    CCurvePointsTable* m_points = nullptr;
    bool m_showing = false;   // the form is being shown: a combo's change is not the user's
};
