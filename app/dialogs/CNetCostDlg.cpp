#include "CNetCostDlg.h"

#include "views/UiPrompt.h"

#include "model/KeyValueStore.h"
#include "model/NumberFormat.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeZone>
#include <QVBoxLayout>

#include <cmath>

CNetCostDlg::CNetCostDlg(UiPrompt& prompt, QWidget* parent) : QDialog(parent), m_prompt(prompt)
{
    setWindowTitle(tr("管道造价计算"));
    setObjectName(QStringLiteral("netCostDlg191"));
    auto* coef = new QGroupBox(tr("造价计算参数"));
    auto* cf = new QFormLayout(coef);
    for (QLineEdit*& e : m_edits)
        e = new QLineEdit;
    cf->addRow(tr("系 数 a："), m_edits[0]);
    cf->addRow(tr("系 数 b："), m_edits[1]);
    cf->addRow(tr("指 数"), m_edits[2]);
    auto* price = new QHBoxLayout;
    price->addWidget(m_edits[3]);
    price->addWidget(new QLabel(tr("元/千瓦时")));
    cf->addRow(tr("电价系数"), price);
    auto* pick = new QGroupBox(tr("选择管道"));
    auto* pf = new QFormLayout(pick);
    m_whole = new QCheckBox(tr("计算整个管网"));
    m_date = new QDateEdit;
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_date->setCalendarPopup(true);
    m_date->setMinimumDate(QDate(1970, 1, 1));
    m_date->setMaximumDate(QDate(2106, 2, 6));
    pf->addRow(m_whole);
    pf->addRow(tr("起始日期："), m_date);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("开始"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("放弃"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CNetCostDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_whole, &QCheckBox::toggled, this, [this](bool on) { m_date->setEnabled(!on); });
    auto* top = new QVBoxLayout(this);
    top->addWidget(coef);
    top->addWidget(pick);
    top->addWidget(buttons);
    Show();
}

void CNetCostDlg::Load(const ZNetCost::Params& fromDocument, const KeyValueStore& profile)
{
    m_params = fromDocument;
    m_params.alpha = 1.0;
    m_params.wholeNetwork = false;
    m_params.since = 0;
    // Only finite stored numbers replace a value: a damaged profile must not poison the report.
    auto read = [&](const char* key, double& v) {
        const double stored = profile.GetDouble(Section, key, v);
        if (std::isfinite(stored))
            v = stored;
    };
    read("PipeCoefa", m_params.a);
    read("PipeCoefb", m_params.b);
    read("PipeExpAlpha", m_params.alpha);
    read("ElecCoef", m_params.price);
    m_params.wholeNetwork = profile.GetInt(Section, "AllNet", 0) != 0;
    m_params.since = profile.GetDate(Section, "BegiTime", 0);
    Show();
}

void CNetCostDlg::Save(KeyValueStore& profile) const
{
    profile.SetDouble(Section, "PipeCoefa", m_params.a);
    profile.SetDouble(Section, "PipeCoefb", m_params.b);
    profile.SetDouble(Section, "PipeExpAlpha", m_params.alpha);
    profile.SetDouble(Section, "ElecCoef", m_params.price);
    profile.WriteInt(Section, "AllNet", m_params.wholeNetwork ? 1 : 0);
    profile.SetDate(Section, "BegiTime", static_cast<uint32_t>(m_params.since));
}

void CNetCostDlg::Show()
{
    const double v[4] = {m_params.a, m_params.b, m_params.alpha, m_params.price};
    for (int k = 0; k < 4; ++k)
        m_edits[k]->setText(QString::fromStdString(NumberFormat::G(v[k])));
    m_whole->setChecked(m_params.wholeNetwork);
    m_date->setDate(QDateTime::fromSecsSinceEpoch(m_params.since, QTimeZone::utc()).date());
    m_date->setEnabled(!m_params.wholeNetwork);
}

void CNetCostDlg::accept()
{
    double v[4];
    static const double kMax[4] = {ZNetCost::MaxCoefficient, ZNetCost::MaxCoefficient, ZNetCost::MaxAlpha,
                                   ZNetCost::MaxPrice};
    for (int k = 0; k < 4; ++k) {
        bool ok = false;
        v[k] = m_edits[k]->text().trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v[k]) || v[k] < 0.0 || v[k] > kMax[k]) {
            m_prompt.Warn(
                tr("请输入 0 到 %1 之间的数。").arg(QString::fromStdString(NumberFormat::G(kMax[k]))).toStdString());
            m_edits[k]->setFocus();
            m_edits[k]->selectAll();
            return;
        }
    }
    m_params.a = v[0];
    m_params.b = v[1];
    m_params.alpha = v[2];
    m_params.price = v[3];
    m_params.wholeNetwork = m_whole->isChecked();
    m_params.since = QDateTime(m_date->date(), QTime(0, 0), QTimeZone::utc()).toSecsSinceEpoch();
    QDialog::accept();
}
