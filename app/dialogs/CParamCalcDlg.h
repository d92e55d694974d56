#pragma once
#include <QDialog>

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class UnitSystem;

// Dialog 10051 "参数计算器": parameter, operator, amount and range, with the expression's unit and
// a preview of the formula. "应用" applies the operation each time it is pressed; "退出" closes.
class CParamCalcDlg : public QDialog {
    Q_OBJECT
public:
    struct Request {
        int param;
        int op;
        std::string amount;   // UTF-8, as typed
        int range;
    };
    // Performs the request; false when it was refused (the amount field then takes the focus).
    // The dialog stays open either way.
    using ApplyFn = std::function<bool(const Request&)>;

    CParamCalcDlg(const UnitSystem& units, bool hasSelection, ApplyFn apply, QWidget* parent = nullptr);

    void UpdateLabels();
    void Apply();

    QComboBox* ParamCombo() const { return m_param; }
    QComboBox* OpCombo() const { return m_op; }
    QLineEdit* AmountEdit() const { return m_amount; }
    QRadioButton* WholeButton() const { return m_whole; }
    QRadioButton* SelectedButton() const { return m_selected; }
    QLabel* ExpressionLabel() const { return m_expression; }
    QLabel* PreviewLabel() const { return m_preview; }
    QPushButton* ApplyButton() const { return m_apply; }

private:
    const UnitSystem& m_units;
    ApplyFn m_applyFn;
    QComboBox* m_param;
    QComboBox* m_op;
    QLineEdit* m_amount;
    QRadioButton* m_whole;
    QRadioButton* m_selected;
    QLabel* m_expression;
    QLabel* m_preview;
    QPushButton* m_apply;
};
