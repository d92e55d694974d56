#include "CNodeFlowDlg.h"

#include "views/UiPrompt.h"

#include "model/NumberFormat.h"
#include "model/UnitCategory.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

CNodeFlowDlg::CNodeFlowDlg(const UnitCategory& flowUnit, UiPrompt& prompt, QWidget* parent)
    : QDialog(parent), m_unit(flowUnit), m_prompt(prompt)
{
    setWindowTitle(tr("节点流量计算"));
    setObjectName(QStringLiteral("nodeFlowDlg190"));
    auto* group = new QGroupBox(tr("参数"));
    auto* form = new QFormLayout(group);
    m_edit = new QLineEdit;
    form->addRow(tr("管网总用水量："), m_edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("开始"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("放弃"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CNodeFlowDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addWidget(group);
    top->addWidget(buttons);
}

void CNodeFlowDlg::SetTotal(double base)
{
    m_total = base;
    m_edit->setText(QString::fromStdString(NumberFormat::G(m_unit.ToDisplay(base))));
}

void CNodeFlowDlg::accept()
{
    bool ok = false;
    const double shown = m_edit->text().trimmed().toDouble(&ok);
    const QString problem = !ok || !std::isfinite(shown)  ? tr("请输入一个数。")
                            : shown < 0.0 || shown > 1e10 ? tr("请输入一个介于0和1e+10之间的数。")
                                                          : QString();
    if (!problem.isEmpty()) {
        m_prompt.Warn(problem.toStdString());
        m_edit->setFocus();
        m_edit->selectAll();
        return;
    }
    m_total = m_unit.FromDisplay(shown);
    QDialog::accept();
}
