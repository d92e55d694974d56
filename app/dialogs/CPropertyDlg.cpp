#include "CPropertyDlg.h"
#include "text/CCoreText.h"
#include "DevicePropertyForm.h"
#include "views/UiPrompt.h"

#include "model/UnitSystem.h"
#include "model/ZFieldTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kFieldWidth = 130;
const QDate kEpoch(1970, 1, 1);
// The day before the first date stands for "the objects differ": it shows as a blank field.
const QDate kNoDate = kEpoch.addDays(-1);
}   // namespace

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

QString CPropertyDlg::UnitText(int unit) const
{
    if (unit < 0 || unit >= UnitSystem::CategoryCount)
        return {};
    return QString::fromStdString(m_form->Units().Get(UnitSystem::Category(unit)).UnitName());
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
    unit->setObjectName(field->objectName() + QStringLiteral("Unit"));
    unit->setMinimumWidth(44);
    h->addWidget(unit);
    if (extra)
        h->addWidget(extra);
    h->addStretch();
    return row;
}

static QString Caption(const ZField& f)
{
    return CCoreText::Tr(QString::fromUtf8(f.caption)) + QLatin1Char(':');
}

void CPropertyDlg::AddFieldRows(QFormLayout* form, int group)
{
    for (const ZField& f : ZFieldTable::Of(m_form->Kind())) {
        if (f.group != group || f.key == std::string_view("Id"))
            continue;
        switch (f.type) {
        case ZField::Text:
            AddShownRow(form, f);
            break;
        case ZField::Bool:
            form->addRow(AddCheck(f));
            break;
        case ZField::Date:
            AddDateRow(form, f);
            break;
        default:
            if (f.IsChoice())
                AddChoiceRow(form, f);
            else
                AddNumberRow(form, f);
        }
    }
}

void CPropertyDlg::ShowRow(QFormLayout* form, QWidget* field, bool shown)
{
    const int row = RowOf(form, field);
    if (row >= 0)
        form->setRowVisible(row, shown);
}

int CPropertyDlg::RowOf(QFormLayout* form, QWidget* field)
{
    int row = -1;
    QFormLayout::ItemRole role;
    for (QWidget* w = field; w && row < 0; w = w->parentWidget())
        form->getWidgetPosition(w, &row, &role);
    return row;
}

QLineEdit* CPropertyDlg::AddNumberRow(QFormLayout* form, const ZField& f)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(f.key));
    edit->setFixedWidth(kFieldWidth);
    if (!f.IsInput())
        MakeShown(edit);
    m_edits.insert(QString::fromLatin1(f.key), edit);
    const QString unit = f.unitText ? QString::fromUtf8(f.unitText) : UnitText(f.unit);
    form->addRow(Caption(f), WithSuffix(edit, unit, m_extras.value(QString::fromLatin1(f.key))));
    return edit;
}

QLineEdit* CPropertyDlg::AddShownRow(QFormLayout* form, const ZField& f)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(f.key));
    edit->setFixedWidth(kFieldWidth);
    MakeShown(edit);
    m_edits.insert(QString::fromLatin1(f.key), edit);
    form->addRow(Caption(f), WithSuffix(edit, {}));
    return edit;
}

QLineEdit* CPropertyDlg::AddIdRow(QFormLayout* form, int maxChars)
{
    m_id = new QLineEdit;
    m_id->setObjectName(QStringLiteral("Id"));
    m_id->setFixedWidth(kFieldWidth);
    if (maxChars > 0)
        m_id->setMaxLength(maxChars);
    m_id->setEnabled(m_form->IdEditable());
    form->addRow(Caption(*ZFieldTable::Find(m_form->Kind(), "Id")), WithSuffix(m_id, {}));
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

QComboBox* CPropertyDlg::AddChoiceRow(QFormLayout* form, const ZField& f)
{
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(f.key));
    combo->addItems(CCoreText::Tr(QString::fromUtf8(f.items)).split(QLatin1Char('\n')));
    combo->setFixedWidth(kFieldWidth);
    m_combos.insert(QString::fromLatin1(f.key), combo);
    form->addRow(Caption(f), WithSuffix(combo, {}));
    return combo;
}

QDateEdit* CPropertyDlg::AddDateRow(QFormLayout* form, const ZField& f)
{
    auto* date = new QDateEdit;
    date->setObjectName(QString::fromLatin1(f.key));
    date->setCalendarPopup(true);
    date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    date->setDateRange(kNoDate, kEpoch.addDays(49710));   // 32-bit unsigned seconds
    date->setSpecialValueText(QStringLiteral(" "));
    date->setFixedWidth(kFieldWidth);
    m_dates.insert(QString::fromLatin1(f.key), date);
    form->addRow(Caption(f), date);
    return date;
}

QCheckBox* CPropertyDlg::AddCheck(const ZField& f)
{
    auto* check = new QCheckBox(CCoreText::Tr(QString::fromUtf8(f.caption)));
    check->setObjectName(QString::fromLatin1(f.key));
    // Several objects that differ leave the check undetermined, which keeps each as it is.
    check->setTristate(m_form->GetMode() == PropertyForm::EditMode && m_form->IsMulti());
    m_checks.insert(QString::fromLatin1(f.key), check);
    return check;
}

QDialogButtonBox* CPropertyDlg::Buttons()
{
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    box->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    box->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
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
    for (PropertyForm::Choice& c : m_form->Choices()) {
        if (QComboBox* combo = m_combos.value(QString::fromStdString(c.key))) {
            combo->setCurrentIndex(c.index < combo->count() ? c.index : -1);
            combo->setEnabled(c.enabled);
        }
        if (QDateEdit* date = m_dates.value(QString::fromStdString(c.key))) {
            date->setDate(c.index < 0 ? kNoDate : kEpoch.addDays(c.index));
            date->setEnabled(c.enabled);
        }
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
    for (PropertyForm::Choice& c : m_form->Choices()) {
        if (QComboBox* combo = m_combos.value(QString::fromStdString(c.key)))
            c.index = combo->currentIndex();
        if (QDateEdit* date = m_dates.value(QString::fromStdString(c.key)))
            c.index = date->date() == kNoDate ? -1 : int(kEpoch.daysTo(date->date()));
    }
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
    if (!w)
        w = findChild<QWidget*>(QString::fromStdString(failure.key));
    if (w) {
        w->setFocus(Qt::OtherFocusReason);
        if (auto* e = qobject_cast<QLineEdit*>(w))
            e->selectAll();
    }
}

void CPropertyDlg::AddReverseRow(QFormLayout* basic)
{
    auto* reverse = new QPushButton(tr("反向连接"));
    reverse->setObjectName(QStringLiteral("reverseButton"));
    reverse->setCheckable(true);
    reverse->setEnabled(m_form->GetMode() == PropertyForm::EditMode);
    basic->addRow(QString(), reverse);
    connect(reverse, &QPushButton::clicked, this, [this]() {
        auto& form = static_cast<DevicePropertyForm&>(Form());
        form.ToggleReverse();
        Edit("StartNode")->setText(form.FindShown("StartNode")->text);
        Edit("EndNode")->setText(form.FindShown("EndNode")->text);
    });
}
