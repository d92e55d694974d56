#pragma once
#include "CPropertyDlg.h"

// Dialog 156 "阀门属性", with "反向连接" to swap inlet and outlet on OK.
class CValvePropertyDlg : public CPropertyDlg {
    Q_OBJECT
public:
    CValvePropertyDlg(PropertyForm::Mode mode, std::vector<ZNetObject*> valves, const UnitSystem& units,
                      UiPrompt& prompt, QWidget* parent = nullptr);
};
