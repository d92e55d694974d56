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
struct ZField;

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

    // The rows of the fields the kind's field table places in `group`, in its order: each a
    // caption, its widget (named by the field key) and the unit; checks span the row.
    void AddFieldRows(QFormLayout* form, int group);
    // A widget shown after the field's unit (a button of the row); before AddFieldRows.
    void SetRowExtra(const char* key, QWidget* extra) { m_extras.insert(QString::fromLatin1(key), extra); }
    // The row of a field's widget in `form`, or -1.
    static int RowOf(QFormLayout* form, QWidget* field);
    // The "反向连接" button that swaps a device's inlet and outlet (the form must be a
    // DevicePropertyForm); it works only on objects of a document.
    void AddReverseRow(QFormLayout* form);
    // The identifier row, with the caption of the kind's "Id" field.
    QLineEdit* AddIdRow(QFormLayout* form, int maxChars = 0);
    // "shown, not stored": a name or description line kept only while the dialog is open.
    QLineEdit* AddNoteRow(QFormLayout* form, const QString& caption, const char* name);
    static void MakeShown(QLineEdit* edit);
    QGroupBox* Group(const QString& title, QFormLayout*& form);
    QDialogButtonBox* Buttons();
    // The unit's name, or nothing for a field without a display unit.
    QString UnitText(int unit) const;

    // Widgets from the form and back; a dialog with its own widgets adds to these.
    virtual void ShowForm();
    virtual void ReadForm();
    QLineEdit* Edit(const std::string& key) const { return m_edits.value(QString::fromStdString(key)); }
    QCheckBox* Check(const std::string& key) const { return m_checks.value(QString::fromStdString(key)); }
    QComboBox* Combo(const std::string& key) const { return m_combos.value(QString::fromStdString(key)); }
    // Shows a field's row (caption, widget, unit) or hides it.
    static void ShowRow(QFormLayout* form, QWidget* field, bool shown);

private:
    QLineEdit* AddNumberRow(QFormLayout* form, const ZField& f);
    QLineEdit* AddShownRow(QFormLayout* form, const ZField& f);
    QComboBox* AddChoiceRow(QFormLayout* form, const ZField& f);
    QDateEdit* AddDateRow(QFormLayout* form, const ZField& f);
    QCheckBox* AddCheck(const ZField& f);

    std::unique_ptr<PropertyForm> m_form;
    UiPrompt& m_prompt;
    QHash<QString, QLineEdit*> m_edits;
    QHash<QString, QComboBox*> m_combos;
    QHash<QString, QCheckBox*> m_checks;
    QHash<QString, QDateEdit*> m_dates;
    QHash<QString, QWidget*> m_extras;
    QLineEdit* m_id = nullptr;
};
