#include "CPropertyDlg.h"
#include "DevicePropertyForm.h"
#include "views/UiPrompt.h"

#include "model/UnitSystem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kFieldWidth = 130;
}

CPropertyDlg::CPropertyDlg(std::unique_ptr<PropertyForm> form, UiPrompt& prompt, const QString& titleLines,
                           QWidget* parent)
    : QDialog(parent), m_form(std::move(form)), m_prompt(prompt)
{
    m_form->Load();
    setWindowTitle(TitleFor(titleLines, m_form->GetMode(), int(m_form->Objects().size())));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

CPropertyDlg::~CPropertyDlg() = default;

void CPropertyDlg::WithholdResults(const std::function<bool(const ZNetObject&)>& stale)
{
    m_form->WithholdResults(stale);
    ShowForm();
}

QString CPropertyDlg::TitleFor(const QString& lines, PropertyForm::Mode mode, int count)
{
    const QStringList parts = lines.split(QLatin1Char('\n'));
    QString title;
    switch (mode) {
    case PropertyForm::NewNodeMode:
        title = parts.front();
        break;
    case PropertyForm::TemplateMode:
        title = parts.size() >= 2 ? parts[parts.size() - 2] : parts.front();
        break;
    case PropertyForm::EditMode:
        title = parts.back();
        break;
    }
    if (mode == PropertyForm::EditMode && count > 1)
        title += QStringLiteral("[%1]").arg(count);
    return title;
}

QString CPropertyDlg::UnitText(PropertyForm::Unit unit) const
{
    const UnitSystem& u = m_form->Units();
    switch (unit) {
    case PropertyForm::DiameterUnit:
        return QString::fromStdString(u.Diam().UnitName());
    case PropertyForm::LengthUnit:
        return QString::fromStdString(u.Leng().UnitName());
    case PropertyForm::FlowUnit:
        return QString::fromStdString(u.FlowUnit().UnitName());
    case PropertyForm::HeadUnit:
        return QString::fromStdString(u.Hydr().UnitName());
    case PropertyForm::VelocityUnit:
        return QString::fromStdString(u.Velo().UnitName());
    case PropertyForm::GradientUnit:
        return QString::fromStdString(u.Slope().UnitName());
    case PropertyForm::NoUnit:
        break;
    }
    return {};
}

QGroupBox* CPropertyDlg::Group(const QString& title, QFormLayout*& form)
{
    auto* box = new QGroupBox(title);
    form = new QFormLayout(box);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    return box;
}

// Shown-only fields look like the dialog's face, not like an entry.
void CPropertyDlg::MakeShown(QLineEdit* edit)
{
    edit->setReadOnly(true);
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Window));
    edit->setPalette(pal);
}

static QWidget* WithSuffix(QWidget* field, const QString& suffix, QWidget* extra = nullptr)
{
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(field);
    auto* unit = new QLabel(suffix);
    unit->setMinimumWidth(44);
    h->addWidget(unit);
    if (extra)
        h->addWidget(extra);
    h->addStretch();
    return row;
}

QLineEdit* CPropertyDlg::AddNumberRow(QFormLayout* form, const QString& caption, const char* key, const QString& suffix,
                                      QWidget* after)
{
    PropertyForm::Number* f = m_form->FindNumber(key);
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(key));
    edit->setFixedWidth(kFieldWidth);
    if (f && f->IsResult())
        MakeShown(edit);
    m_edits.insert(QString::fromLatin1(key), edit);
    form->addRow(caption, WithSuffix(edit, suffix.isEmpty() && f ? UnitText(f->unit) : suffix, after));
    return edit;
}

QLineEdit* CPropertyDlg::AddShownRow(QFormLayout* form, const QString& caption, const char* key)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(key));
    edit->setFixedWidth(kFieldWidth);
    MakeShown(edit);
    m_edits.insert(QString::fromLatin1(key), edit);
    form->addRow(caption, WithSuffix(edit, {}));
    return edit;
}

QLineEdit* CPropertyDlg::AddIdRow(QFormLayout* form, const QString& caption, int maxChars)
{
    m_id = new QLineEdit;
    m_id->setObjectName(QStringLiteral("Id"));
    m_id->setFixedWidth(kFieldWidth);
    if (maxChars > 0)
        m_id->setMaxLength(maxChars);
    m_id->setEnabled(m_form->IdEditable());
    form->addRow(caption, WithSuffix(m_id, {}));
    return m_id;
}

QLineEdit* CPropertyDlg::AddNoteRow(QFormLayout* form, const QString& caption, const char* name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(kFieldWidth);
    edit->setEnabled(m_form->IdEditable());
    form->addRow(caption, WithSuffix(edit, {}));
    return edit;
}

QComboBox* CPropertyDlg::AddChoiceRow(QFormLayout* form, const QString& caption, const char* key, const QString& items)
{
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(key));
    combo->addItems(items.split(QLatin1Char('\n')));
    combo->setFixedWidth(kFieldWidth);
    m_combos.insert(QString::fromLatin1(key), combo);
    form->addRow(caption, WithSuffix(combo, {}));
    return combo;
}

QCheckBox* CPropertyDlg::AddFlag(const QString& text, const char* key)
{
    auto* check = new QCheckBox(text);
    check->setObjectName(QString::fromLatin1(key));
    // Several objects that differ leave the check undetermined, which keeps each as it is.
    check->setTristate(m_form->GetMode() == PropertyForm::EditMode && m_form->IsMulti());
    m_checks.insert(QString::fromLatin1(key), check);
    return check;
}

QDialogButtonBox* CPropertyDlg::Buttons()
{
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    box->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    box->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(box, &QDialogButtonBox::accepted, this, &CPropertyDlg::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return box;
}

void CPropertyDlg::ShowForm()
{
    if (m_id) {
        // An identifier read from a file may be longer than one typed here; it must not be cut.
        if (m_id->maxLength() < m_form->IdText.size())
            m_id->setMaxLength(int(m_form->IdText.size()));
        m_id->setText(m_form->IdText);
    }
    for (PropertyForm::Number& f : m_form->Numbers())
        if (QLineEdit* e = Edit(f.key)) {
            e->setText(f.text);
            e->setEnabled(f.enabled);
            e->setCursorPosition(0);
        }
    for (PropertyForm::Shown& s : m_form->ShownFields())
        if (QLineEdit* e = Edit(s.key))
            e->setText(s.text);
    for (PropertyForm::Choice& c : m_form->Choices())
        if (QComboBox* combo = m_combos.value(QString::fromStdString(c.key))) {
            combo->setCurrentIndex(c.index < combo->count() ? c.index : -1);
            combo->setEnabled(c.enabled);
        }
    for (PropertyForm::Flag& f : m_form->Flags())
        if (QCheckBox* check = m_checks.value(QString::fromStdString(f.key))) {
            check->setCheckState(Qt::CheckState(f.state));
            check->setEnabled(f.enabled);
        }
}

void CPropertyDlg::ReadForm()
{
    if (m_id)
        m_form->IdText = m_id->text();
    for (PropertyForm::Number& f : m_form->Numbers())
        if (QLineEdit* e = Edit(f.key); e && !f.IsResult())
            f.text = e->text();
    for (PropertyForm::Choice& c : m_form->Choices())
        if (QComboBox* combo = m_combos.value(QString::fromStdString(c.key)))
            c.index = combo->currentIndex();
    for (PropertyForm::Flag& f : m_form->Flags())
        if (QCheckBox* check = m_checks.value(QString::fromStdString(f.key)))
            f.state = PropertyForm::CheckState(check->checkState());
}

void CPropertyDlg::accept()
{
    ReadForm();
    const PropertyForm::Failure failure = m_form->Validate();
    if (!failure) {
        QDialog::accept();
        return;
    }
    m_prompt.Warn(failure.message.toStdString());
    QWidget* w = failure.key == "Id" ? static_cast<QWidget*>(m_id) : Edit(failure.key);
    if (w) {
        w->setFocus(Qt::OtherFocusReason);
        if (auto* e = qobject_cast<QLineEdit*>(w))
            e->selectAll();
    }
}

void CPropertyDlg::AddDeviceEndRows(QFormLayout* basic, int mode)
{
    AddShownRow(basic, QStringLiteral("入口节点:"), "StartNode");
    AddShownRow(basic, QStringLiteral("出口节点:"), "EndNode");
    auto* reverse = new QPushButton(QStringLiteral("反向连接"));
    reverse->setObjectName(QStringLiteral("reverseButton"));
    reverse->setCheckable(true);
    reverse->setEnabled(mode == PropertyForm::EditMode);
    basic->addRow(QString(), reverse);
    connect(reverse, &QPushButton::clicked, this, [this]() {
        auto& form = static_cast<DevicePropertyForm&>(Form());
        form.ToggleReverse();
        Edit("StartNode")->setText(form.FindShown("StartNode")->text);
        Edit("EndNode")->setText(form.FindShown("EndNode")->text);
    });
}
