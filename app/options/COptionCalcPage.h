#pragma once
#include "COptionPage.h"

class QLineEdit;

// "平差": what the summary after a balancing run checks the results against.
class COptionCalcPage : public COptionPage {
    Q_OBJECT
public:
    COptionCalcPage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent = nullptr);

    QString Title() const override { return tr("平差"); }
    void LoadPage() override;
    bool CheckPage() override;
    void ApplyPage() override;

    QLineEdit* MinFreeHead() const { return m_minFreeHead; }

private:
    QLineEdit* m_minFreeHead;
};
