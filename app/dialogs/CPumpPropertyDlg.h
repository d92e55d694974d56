#pragma once
#include "CPropertyDlg.h"

class CCurvePointsTable;
class PumpPropertyForm;

// Dialog 155 "水泵属性", with "反向连接" to swap inlet and outlet on OK, and the pump's curve:
// its kind, relative speed, power and, for the kinds through points, the points table.
class CPumpPropertyDlg : public CPropertyDlg {
    Q_OBJECT
public:
    CPumpPropertyDlg(PropertyForm::Mode mode, std::vector<ZNetObject*> pumps, const UnitSystem& units, UiPrompt& prompt,
                     QWidget* parent = nullptr);

    PumpPropertyForm& PumpForm();
    CCurvePointsTable* Points() const { return m_points; }

protected:
    void ShowForm() override;
    void ReadForm() override;

private:
    void KindChosen(int kind);

    QFormLayout* m_curve = nullptr;
    CCurvePointsTable* m_points = nullptr;
    bool m_showing = false;   // the form is being shown: a combo's change is not the user's
};
