#pragma once
#include "model/ZTimeData.h"

#include <QDialog>

class QLineEdit;
class UiPrompt;

// "延时模拟" parameters: the period in hours, the hydraulic and report steps in minutes and the
// clock time of the start, prefilled from the document's time data. Values are whole seconds
// once read; a zero, negative or non-numeric entry is refused naming the field.
class CSimulationParamsDlg : public QDialog {
    Q_OBJECT
public:
    CSimulationParamsDlg(UiPrompt& prompt, QWidget* parent = nullptr);

    void SetValues(const ZTimeData& data);
    // The data given to SetValues with the four values as entered (after a confirmed dialog).
    ZTimeData Values() const { return m_data; }

    QLineEdit* DurationEdit() const { return m_duration; }
    QLineEdit* HydraulicStepEdit() const { return m_hydraulic; }
    QLineEdit* ReportStepEdit() const { return m_report; }
    QLineEdit* StartClockEdit() const { return m_clock; }

    // "6:30", "6:30:15" -> seconds past midnight; -1 when not a clock time of one day.
    static int64_t ParseClock(const QString& text);

    void accept() override;

private:
    bool ReadSeconds(QLineEdit* edit, const QString& field, double scale, int64_t& seconds);

    UiPrompt& m_prompt;
    ZTimeData m_data;
    QLineEdit* m_duration;
    QLineEdit* m_hydraulic;
    QLineEdit* m_report;
    QLineEdit* m_clock;
};
