#pragma once
#include "COptionPage.h"

#include <vector>

class QCheckBox;
class CColorCombo;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class UnitCategory;

// The colour grading of the document's nodes or pipes: the switch, the graded quantity, five
// class colours (the application's) and four class limits (the document's, one table per
// quantity, shown in display units). Limits must stay in ascending order.
class COptionGradePage : public COptionPage {
    Q_OBJECT
public:
    enum Kind { Nodes, Pipes };
    static constexpr int Classes = 5;
    static constexpr int Limits = 4;

    COptionGradePage(Kind kind, ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt,
                     QWidget* parent = nullptr);

    QString Title() const override;
    void LoadPage() override;
    bool CheckPage() override;
    void ApplyPage() override;

    QCheckBox* GradeOn() const { return m_on; }
    QComboBox* Quantity() const { return m_quantity; }
    CColorCombo* ColorBox(int i) const { return m_colors[i]; }
    QDoubleSpinBox* Limit(int i) const { return m_limits[i]; }

private:
    std::vector<double>& Table(int mode) const;
    const UnitCategory* Unit(int mode) const;
    void ShowMode(int mode);
    void KeepShown();
    void UpdateEnabling();

    Kind m_kind;
    QCheckBox* m_on;
    QComboBox* m_quantity;
    CColorCombo* m_colors[Classes];
    QDoubleSpinBox* m_limits[Limits];
    QLabel* m_lower[Limits];   // lower bound of classes 1 to 4: the limit before
    QLabel* m_units[Classes];
    int m_shownMode = -1;
    std::vector<std::vector<double>> m_tables;   // per quantity, base units, as edited
};
