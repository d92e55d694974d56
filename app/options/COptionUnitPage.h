#pragma once
#include "COptionPage.h"

class QComboBox;

// "单位": the display unit and number format of each of the six quantities, and the interface
// language (used from the next start).
class COptionUnitPage : public COptionPage {
    Q_OBJECT
public:
    static constexpr int Quantities = 6;

    COptionUnitPage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent = nullptr);

    QString Title() const override { return tr("单位"); }
    void LoadPage() override;
    void ApplyPage() override;

    QComboBox* UnitBox(int quantity) const { return m_units[quantity]; }
    QComboBox* FormatBox(int quantity) const { return m_formats[quantity]; }
    QComboBox* LanguageBox() const { return m_language; }

private:
    int ShownLanguage() const;

    QComboBox* m_units[Quantities];
    QComboBox* m_formats[Quantities];
    QComboBox* m_language;
};
