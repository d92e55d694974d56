#pragma once
#include "CPropertyDlg.h"

// Dialog 157 "水池属性".
class CTankPropertyDlg : public CPropertyDlg {
    Q_OBJECT
public:
    CTankPropertyDlg(PropertyForm::Mode mode, std::vector<ZNetObject*> tanks, const UnitSystem& units, UiPrompt& prompt,
                     QWidget* parent = nullptr);
};
