#pragma once
#include <QDialog>

#include <cstdint>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class UiPrompt;
class UnitCategory;

// Dialog 192 "等压线设置": contours on or off, their kind, the interval in the display head unit,
// labels, fill and the three colours. Everything but the switch is disabled while contours are
// off; the lowest and line colours only apply with fill on.
class CContourDlg : public QDialog {
    Q_OBJECT
public:
    struct Values {
        bool enabled = false;
        int kind = 0;
        double interval = 0.2;   // m
        bool labels = true;
        bool fill = true;
        uint32_t highest = 0;
        uint32_t lowest = 0;
        uint32_t line = 0;
    };

    CContourDlg(const UnitCategory& headUnit, UiPrompt& prompt, QWidget* parent = nullptr);

    void SetValues(const Values& v);
    const Values& GetValues() const { return m_values; }
    // After "确认": whether the contours must be made again, or only drawn again.
    bool NeedsRegeneration() const { return m_regenerate; }
    bool NeedsRedraw() const { return m_redraw; }
    // With balancing results: how many levels an interval (m) gives for a kind, and the interval
    // proposed for a kind (0: none). On "确认" an interval giving more levels than can be read is
    // offered the proposal.
    void SetLevelCounter(std::function<long(int kind, double interval)> count, std::function<double(int kind)> propose);
    // The question proposing `proposed` for `interval` (both m) that gives `levels` levels.
    static std::string ProposalText(long levels, double interval, double proposed, const UnitCategory& head);

    void accept() override;

    QCheckBox* EnabledBox() const { return m_enabled; }
    QComboBox* KindCombo() const { return m_kind; }
    QLineEdit* IntervalEdit() const { return m_interval; }
    QCheckBox* LabelsBox() const { return m_labels; }
    QCheckBox* FillBox() const { return m_fill; }
    QPushButton* ColourButton(int which) const;   // 0 highest, 1 lowest, 2 line
    // Sets a picker's colour as choosing it in the colour dialog would.
    void SetPickerColour(int which, uint32_t rgb);

private:
    void UpdateEnabling();
    void PickColour(int which);
    void ShowColour(int which);

    const UnitCategory& m_unit;
    UiPrompt& m_prompt;
    Values m_values;
    uint32_t m_colours[3] = {0, 0, 0};
    bool m_regenerate = false;
    bool m_redraw = false;
    std::function<long(int, double)> m_countLevels;
    std::function<double(int)> m_propose;
    QCheckBox* m_enabled;
    QComboBox* m_kind;
    QLineEdit* m_interval;
    QCheckBox* m_labels;
    QCheckBox* m_fill;
    QPushButton* m_pickers[3];
};
