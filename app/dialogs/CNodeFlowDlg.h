#pragma once
#include <QDialog>

class QLineEdit;
class UiPrompt;
class UnitCategory;

// Dialog 190 "节点流量计算": the network's total water use in the display flow unit, 0 to 1e10.
class CNodeFlowDlg : public QDialog {
    Q_OBJECT
public:
    CNodeFlowDlg(const UnitCategory& flowUnit, UiPrompt& prompt, QWidget* parent = nullptr);

    void SetTotal(double base);
    double Total() const { return m_total; }   // base units
    QLineEdit* TotalEdit() const { return m_edit; }

    void accept() override;

private:
    const UnitCategory& m_unit;
    UiPrompt& m_prompt;
    QLineEdit* m_edit;
    double m_total = 0.0;
};
