#pragma once
#include <QWidget>

class Prompt;
class ZDrawSettings;
class ZSettingsStore;

// One tab of the options sheet. A page loads its controls from the settings when the sheet is
// built, checks its fields when it is left or the sheet is confirmed, and writes its values only
// when the whole sheet is confirmed, so Cancel leaves every setting as it was.
class COptionPage : public QWidget {
    Q_OBJECT
public:
    COptionPage(ZSettingsStore& settings, ZDrawSettings& draw, Prompt* prompt, QWidget* parent = nullptr);

    virtual QString Title() const = 0;
    virtual void LoadPage() = 0;
    // False (with the message shown and the focus in the field) when a field is refused.
    virtual bool CheckPage() { return true; }
    virtual void ApplyPage() = 0;
    // Back into the field last refused (after the page was brought to the front).
    void FocusRefused();

protected:
    // Shows the refusal and puts the focus in the field.
    bool Refuse(const QString& text, QWidget* field);

    ZSettingsStore& m_settings;
    ZDrawSettings& m_draw;
    Prompt* m_prompt;
    QWidget* m_refused = nullptr;
};
