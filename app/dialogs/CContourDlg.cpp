#include "CContourDlg.h"

#include "views/UiPrompt.h"

#include "hydraulics/ZContourGenerator.h"

#include "model/NumberFormat.h"
#include "model/UnitCategory.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {
QColor ToQColor(uint32_t c)
{
    return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}
}   // namespace

CContourDlg::CContourDlg(const UnitCategory& headUnit, UiPrompt& prompt, QWidget* parent)
    : QDialog(parent), m_unit(headUnit), m_prompt(prompt)
{
    setWindowTitle(tr("等压线设置"));
    setObjectName(QStringLiteral("contourDlg192"));
    auto* params = new QGroupBox(tr("等压线参数"));
    auto* pf = new QFormLayout(params);
    m_enabled = new QCheckBox(tr("开启等压线"));
    m_kind = new QComboBox;
    m_kind->addItems(tr("绝对水压线\n自由水头线").split(QLatin1Char('\n')));
    m_interval = new QLineEdit;
    m_labels = new QCheckBox(tr("打开标注"));
    pf->addRow(m_enabled);
    pf->addRow(tr("类    型:"), m_kind);
    pf->addRow(tr("等压间隔:"), m_interval);
    pf->addRow(m_labels);
    auto* fills = new QGroupBox(tr("填充设置"));
    auto* ff = new QFormLayout(fills);
    m_fill = new QCheckBox(tr("填充"));
    ff->addRow(m_fill);
    const QString names[3] = {tr("最高色:"), tr("最低色:"), tr("等压线颜色:")};
    for (int k = 0; k < 3; ++k) {
        m_pickers[k] = new QPushButton;
        m_pickers[k]->setMinimumWidth(80);
        connect(m_pickers[k], &QPushButton::clicked, this, [this, k] { PickColour(k); });
        ff->addRow(names[k], m_pickers[k]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确认"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("放弃"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CContourDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addWidget(params);
    top->addWidget(fills);
    top->addWidget(buttons);
    connect(m_enabled, &QCheckBox::toggled, this, &CContourDlg::UpdateEnabling);
    connect(m_fill, &QCheckBox::toggled, this, &CContourDlg::UpdateEnabling);
    SetValues(Values());
}

QPushButton* CContourDlg::ColourButton(int which) const
{
    return m_pickers[which];
}

void CContourDlg::SetValues(const Values& v)
{
    m_values = v;
    m_enabled->setChecked(v.enabled);
    m_kind->setCurrentIndex(v.kind == 1 ? 1 : 0);
    m_interval->setText(QString::fromStdString(NumberFormat::G(m_unit.ToDisplay(v.interval))));
    m_labels->setChecked(v.labels);
    m_fill->setChecked(v.fill);
    m_colours[0] = v.highest;
    m_colours[1] = v.lowest;
    m_colours[2] = v.line;
    for (int k = 0; k < 3; ++k)
        ShowColour(k);
    UpdateEnabling();
}

void CContourDlg::SetLevelCounter(std::function<long(int, double)> count, std::function<double(int)> propose)
{
    m_countLevels = std::move(count);
    m_propose = std::move(propose);
}

void CContourDlg::UpdateEnabling()
{
    const bool on = m_enabled->isChecked();
    m_kind->setEnabled(on);
    m_interval->setEnabled(on);
    m_labels->setEnabled(on);
    m_fill->setEnabled(on);
    m_pickers[0]->setEnabled(on);
    m_pickers[1]->setEnabled(on && m_fill->isChecked());
    m_pickers[2]->setEnabled(on && m_fill->isChecked());
}

void CContourDlg::ShowColour(int which)
{
    const QColor c = ToQColor(m_colours[which]);
    m_pickers[which]->setStyleSheet(QStringLiteral("background-color: %1;").arg(c.name()));
}

void CContourDlg::SetPickerColour(int which, uint32_t rgb)
{
    m_colours[which] = rgb & 0xFFFFFF;
    ShowColour(which);
}

void CContourDlg::PickColour(int which)
{
    const QColor c = QColorDialog::getColor(ToQColor(m_colours[which]), this);
    if (c.isValid())
        SetPickerColour(which, uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16);
}

void CContourDlg::accept()
{
    Values v = m_values;
    v.enabled = m_enabled->isChecked();
    v.kind = m_kind->currentIndex();
    bool ok = false;
    const double oldShown = m_unit.ToDisplay(m_values.interval);
    const double shown = m_interval->text().trimmed().toDouble(&ok);
    const bool valid = ok && std::isfinite(shown) && shown > 0.0;
    // A zero, negative or unreadable interval would never reach the highest level. While contours
    // are off the greyed field is not asked about and keeps what it held.
    if (!valid && v.enabled) {
        m_prompt.Warn(tr("等压间隔必须是大于零的数！").toStdString());
        m_interval->setFocus();
        m_interval->selectAll();
        return;
    }
    bool intervalChanged = valid && !(shown - oldShown + 1.0 == 1.0);
    v.interval = intervalChanged ? m_unit.FromDisplay(shown) : m_values.interval;
    if (v.enabled && valid && m_countLevels && m_propose) {
        const long levels = m_countLevels(v.kind, v.interval);
        const double proposed = levels > ZContourGenerator::ReadableLevels ? m_propose(v.kind) : 0.0;
        if (proposed > 0.0 && m_prompt.AskYesNo(ProposalText(levels, v.interval, proposed, m_unit))) {
            v.interval = proposed;
            intervalChanged = !(m_unit.ToDisplay(proposed) - oldShown + 1.0 == 1.0);
            m_interval->setText(QString::fromStdString(NumberFormat::G(m_unit.ToDisplay(proposed))));
        }
    }
    v.labels = m_labels->isChecked();
    v.fill = m_fill->isChecked();
    v.highest = m_colours[0];
    v.lowest = m_colours[1];
    v.line = m_colours[2];
    m_regenerate = v.enabled != m_values.enabled || v.kind != m_values.kind || intervalChanged;
    m_redraw = m_regenerate || v.labels != m_values.labels || v.fill != m_values.fill ||
               v.highest != m_values.highest || v.lowest != m_values.lowest || v.line != m_values.line;
    m_values = v;
    QDialog::accept();
}

std::string CContourDlg::ProposalText(long levels, double interval, double proposed, const UnitCategory& head)
{
    const QString unit = QString::fromStdString(head.UnitName());
    return tr("等压间隔%1%2将生成%3条等压线，线条过密难以看清。改用建议的间隔%4%2吗？")
        .arg(QString::fromStdString(NumberFormat::G(head.ToDisplay(interval))), unit)
        .arg(levels)
        .arg(QString::fromStdString(NumberFormat::G(head.ToDisplay(proposed))))
        .toStdString();
}
