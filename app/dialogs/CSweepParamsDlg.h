#pragma once
#include <QDialog>

class QLineEdit;
class QRadioButton;
class UiPrompt;

// Parameters of the two sweeps: which objects (all, or the selected ones when there are any) and
// two numbers. "消防流量分析": residual head R and system minimum S (m, at least 0). "事故分析":
// accident factor (0..1) and minimum free head H (m, at least 0). A non-numeric or out-of-range
// entry is refused naming the field.
class CSweepParamsDlg : public QDialog {
    Q_OBJECT
public:
    enum Kind { FireFlow, Failure };
    CSweepParamsDlg(Kind kind, UiPrompt& prompt, QWidget* parent = nullptr);

    // `selected`: how many chosen objects there are; none disables "所选".
    void SetValues(double first, double second, int selected);
    double First() const { return m_first; }
    double Second() const { return m_second; }
    bool SelectedOnly() const;

    QLineEdit* FirstEdit() const { return m_firstEdit; }
    QLineEdit* SecondEdit() const { return m_secondEdit; }
    QRadioButton* SelectedButton() const { return m_selected; }

    void accept() override;

private:
    bool Read(QLineEdit* edit, const QString& field, double high, double& value);

    Kind m_kind;
    UiPrompt& m_prompt;
    QRadioButton* m_all;
    QRadioButton* m_selected;
    QLineEdit* m_firstEdit;
    QLineEdit* m_secondEdit;
    double m_first = 0.0, m_second = 0.0;
};
