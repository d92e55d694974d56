#pragma once
#include <QDialog>
#include <memory>

namespace Ui {
class CBalanceParamsDlg;
}
class UiPrompt;

// The balancing parameters: calculation case, accident-case flow factor (0..1, editable only for
// the accident case) and precision, the head tolerance 10^-k for entry k of "0" .. "0.000000".
class CBalanceParamsDlg : public QDialog {
    Q_OBJECT
public:
    CBalanceParamsDlg(UiPrompt& prompt, QWidget* parent = nullptr);
    ~CBalanceParamsDlg() override;

    void SetValues(int calcCase, double accidentFactor, double headTolerance);
    int CalcCase() const { return m_case; }
    double AccidentFactor() const { return m_factor; }
    int PrecisionIndex() const { return m_precision; }

    void accept() override;

private:
    void UpdateFactorEnabling();

    std::unique_ptr<Ui::CBalanceParamsDlg> m_ui;
    UiPrompt& m_prompt;
    int m_case = 0;
    double m_factor = 0.75;
    int m_precision = 3;
};
