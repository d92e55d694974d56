#pragma once
#include "COptionPage.h"

class QCheckBox;
class QSpinBox;

// "保存": how often modified documents are saved for recovery after a crash, and whether saving
// over a project keeps the previous file.
class COptionSavePage : public COptionPage {
    Q_OBJECT
public:
    COptionSavePage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent = nullptr);

    QString Title() const override { return tr("保存"); }
    void LoadPage() override;
    void ApplyPage() override;

    QSpinBox* Minutes() const { return m_minutes; }
    QCheckBox* KeepBackup() const { return m_backup; }

private:
    QSpinBox* m_minutes;
    QCheckBox* m_backup;
};
