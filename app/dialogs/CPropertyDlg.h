#pragma once
#include "PropertyForm.h"

#include <QDialog>
#include <QHash>
#include <memory>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QDialogButtonBox;
class QFormLayout;
class QGroupBox;
class QLineEdit;
class UiPrompt;

// Common frame of the five property dialogs over their PropertyForm: the title of the mode, the
// widgets of the form's fields (each named by its field key), the three-state checks with several
// objects, and OK, which refuses the first failing field with its message and keeps it focused.
class CPropertyDlg : public QDialog {
    Q_OBJECT
public:
    ~CPropertyDlg() override;

    PropertyForm& Form() { return *m_form; }
    // Title lines: "确认建立新节点\n模板节点属性\n节点属性" gives mode 1, 2, 0 in this order; a
    // two-line title has no mode 1.
    static QString TitleFor(const QString& lines, PropertyForm::Mode mode, int count);

    void accept() override;
    // Shows the results of the objects `stale` names empty (PropertyForm::WithholdResults).
    void WithholdResults(const std::function<bool(const ZNetObject&)>& stale);

protected:
    CPropertyDlg(std::unique_ptr<PropertyForm> form, UiPrompt& prompt, const QString& titleLines, QWidget* parent);

    // Rows of a form layout; `suffix` follows the field (empty: the field's display unit).
    QLineEdit* AddNumberRow(QFormLayout* form, const QString& caption, const char* key, const QString& suffix = {},
                            QWidget* after = nullptr);
    QLineEdit* AddShownRow(QFormLayout* form, const QString& caption, const char* key);
    // A device's inlet and outlet and the "反向连接" button that swaps them (the form must be a
    // DevicePropertyForm); the button works only on objects of a document.
    void AddDeviceEndRows(QFormLayout* form, int mode);
    QLineEdit* AddIdRow(QFormLayout* form, const QString& caption, int maxChars = 0);
    // "shown, not stored": a name or description line kept only while the dialog is open.
    QLineEdit* AddNoteRow(QFormLayout* form, const QString& caption, const char* name);
    QComboBox* AddChoiceRow(QFormLayout* form, const QString& caption, const char* key, const QString& items);
    QCheckBox* AddFlag(const QString& text, const char* key);
    static void MakeShown(QLineEdit* edit);
    QGroupBox* Group(const QString& title, QFormLayout*& form);
    QDialogButtonBox* Buttons();
    // The unit's name, or nothing for a field without a display unit.
    QString UnitText(PropertyForm::Unit unit) const;

    // Widgets from the form and back; a dialog with its own widgets adds to these.
    virtual void ShowForm();
    virtual void ReadForm();
    QLineEdit* Edit(const std::string& key) const { return m_edits.value(QString::fromStdString(key)); }

private:
    std::unique_ptr<PropertyForm> m_form;
    UiPrompt& m_prompt;
    QHash<QString, QLineEdit*> m_edits;
    QHash<QString, QComboBox*> m_combos;
    QHash<QString, QCheckBox*> m_checks;
    QLineEdit* m_id = nullptr;
};
