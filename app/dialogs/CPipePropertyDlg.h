#pragma once
#include "CPropertyDlg.h"

class PipePropertyForm;
class QPushButton;

// Dialog 149 "管道属性". The length field is untouched, typed (normal font) or automatic (italic,
// from the drawing, after "自动计算管长"). A note says the calculation uses 计算内径.
class CPipePropertyDlg : public CPropertyDlg {
    Q_OBJECT
public:
    CPipePropertyDlg(PropertyForm::Mode mode, std::vector<ZNetObject*> pipes, const UnitSystem& units, UiPrompt& prompt,
                     QWidget* parent = nullptr);

    PipePropertyForm& PipeForm();

protected:
    void ShowForm() override;
    void ReadForm() override;

private:
    void ShowLengthMode();

    QLineEdit* m_length = nullptr;
    QPushButton* m_autoLength = nullptr;
    bool m_innerTyped = false;
};
