#pragma once
#include "CPropertyDlg.h"

// Dialog 155 "水泵属性", with "反向连接" to swap inlet and outlet on OK.
class CPumpPropertyDlg : public CPropertyDlg {
    Q_OBJECT
public:
    CPumpPropertyDlg(PropertyForm::Mode mode, std::vector<ZNetObject*> pumps, const UnitSystem& units, UiPrompt& prompt,
                     QWidget* parent = nullptr);
};
