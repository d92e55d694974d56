#include "CSimulationParamsDlg.h"

#include "views/UiPrompt.h"

#include "model/NumberFormat.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

CSimulationParamsDlg::CSimulationParamsDlg(UiPrompt& prompt, QWidget* parent) : QDialog(parent), m_prompt(prompt)
{
    setWindowTitle(tr("延时模拟"));
    setObjectName(QStringLiteral("simulationParamsDlg"));
    auto* group = new QGroupBox(tr("时间参数"));
    auto* form = new QFormLayout(group);
    m_duration = new QLineEdit;
    m_hydraulic = new QLineEdit;
    m_report = new QLineEdit;
    m_clock = new QLineEdit;
    form->addRow(tr("模拟时长 (小时)："), m_duration);
    form->addRow(tr("水力步长 (分钟)："), m_hydraulic);
    form->addRow(tr("报告步长 (分钟)："), m_report);
    form->addRow(tr("开始时刻 (时:分)："), m_clock);
    auto* note = new QLabel(tr("修改的参数存入文档的延时模拟数据, 可以撤销。"));
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("开始"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("放弃"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CSimulationParamsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addWidget(group);
    top->addWidget(note);
    top->addWidget(buttons);
}

void CSimulationParamsDlg::SetValues(const ZTimeData& data)
{
    m_data = data;
    // A network without a period yet is offered a day.
    const int64_t duration = data.Duration > 0 ? data.Duration : 24 * 3600;
    m_duration->setText(QString::fromStdString(NumberFormat::G(duration / 3600.0)));
    m_hydraulic->setText(QString::fromStdString(NumberFormat::G(data.HydraulicStep / 60.0)));
    m_report->setText(QString::fromStdString(NumberFormat::G(data.ReportStep / 60.0)));
    const int64_t c = data.StartClock;
    m_clock->setText(c % 60 == 0 ? QStringLiteral("%1:%2").arg(c / 3600).arg(c / 60 % 60, 2, 10, QLatin1Char('0'))
                                 : QStringLiteral("%1:%2:%3")
                                       .arg(c / 3600)
                                       .arg(c / 60 % 60, 2, 10, QLatin1Char('0'))
                                       .arg(c % 60, 2, 10, QLatin1Char('0')));
}

int64_t CSimulationParamsDlg::ParseClock(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return -1;
    const int limits[] = {23, 59, 59};
    int64_t seconds = 0;
    for (int i = 0; i < 3; ++i) {
        int v = 0;
        if (i < parts.size()) {
            bool ok = false;
            v = parts[i].trimmed().toInt(&ok);
            if (!ok || v < 0 || v > limits[i])
                return -1;
        }
        seconds = seconds * 60 + v;
    }
    return seconds;
}

bool CSimulationParamsDlg::ReadSeconds(QLineEdit* edit, const QString& field, double scale, int64_t& seconds)
{
    bool ok = false;
    const double v = edit->text().trimmed().toDouble(&ok);
    const double s = ok && std::isfinite(v) ? std::round(v * scale) : 0.0;
    if (!(s >= 1.0 && s <= static_cast<double>(ZTimeData::MaxSeconds))) {
        m_prompt.Warn((field + tr("必须是大于零的数 (至少一秒)。")).toStdString());
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    seconds = static_cast<int64_t>(s);
    return true;
}

void CSimulationParamsDlg::accept()
{
    ZTimeData d = m_data;
    if (!ReadSeconds(m_duration, tr("模拟时长"), 3600.0, d.Duration) ||
        !ReadSeconds(m_hydraulic, tr("水力步长"), 60.0, d.HydraulicStep) ||
        !ReadSeconds(m_report, tr("报告步长"), 60.0, d.ReportStep))
        return;
    const int64_t clock = ParseClock(m_clock->text());
    if (clock < 0) {
        m_prompt.Warn(tr("开始时刻必须是一天之内的时:分, 例如 6:30。").toStdString());
        m_clock->setFocus();
        m_clock->selectAll();
        return;
    }
    d.StartClock = clock;
    m_data = std::move(d);
    QDialog::accept();
}
