#pragma once
#include "model/ZBalanceParams.h"

#include <QDialog>
#include <memory>

namespace Ui {
class CBalanceParamsDlg;
}
class UiPrompt;
class UnitCategory;

// The balancing parameters: calculation case, accident-case flow factor (0..1, editable only for
// the accident case) and precision, the head tolerance 10^-k for entry k of "0" .. "0.000000";
// and the network's calculation options: check valves against reverse flow and the demand model
// with its pressures P0 < PR (in the head unit) and exponent, typed only for pressure-driven demand.
class CBalanceParamsDlg : public QDialog {
    Q_OBJECT
public:
    CBalanceParamsDlg(UiPrompt& prompt, QWidget* parent = nullptr);
    ~CBalanceParamsDlg() override;

    void SetValues(int calcCase, double accidentFactor, double headTolerance);
    int CalcCase() const { return m_case; }
    double AccidentFactor() const { return m_factor; }
    int PrecisionIndex() const { return m_precision; }
    // The options part of `params`, P0 and PR shown in `head`.
    void SetOptions(const ZBalanceParams& params, const UnitCategory& head);
    // `params` with the options as accepted.
    ZBalanceParams Options(ZBalanceParams params) const;

    void accept() override;

private:
    void UpdateFactorEnabling();
    void UpdatePressureEnabling();
    // The number typed in `edit` (locale-free), or a warning with the focus on it.
    bool ReadNumber(class QLineEdit* edit, double& value);

    std::unique_ptr<Ui::CBalanceParamsDlg> m_ui;
    UiPrompt& m_prompt;
    int m_case = 0;
    double m_factor = 0.75;
    int m_precision = 3;
    ZBalanceParams m_options;
    double m_headFactor = 1.0;   // display unit per metre of P0 and PR
};
