#include "CSweepParamsDlg.h"
#include "PropertyNumber.h"

#include "views/UiPrompt.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CSweepParamsDlg::CSweepParamsDlg(Kind kind, UiPrompt& prompt, QWidget* parent)
    : QDialog(parent), m_kind(kind), m_prompt(prompt)
{
    const bool fire = kind == FireFlow;
    setWindowTitle(fire ? tr("消防流量分析") : tr("事故分析"));
    setObjectName(fire ? QStringLiteral("fireFlowDlg") : QStringLiteral("failureDlg"));
    auto* scope = new QGroupBox(fire ? tr("计算节点") : tr("事故管道"));
    auto* scopeLayout = new QVBoxLayout(scope);
    m_all = new QRadioButton(fire ? tr("全部节点") : tr("全部管道"));
    m_selected = new QRadioButton(fire ? tr("所选节点") : tr("所选管道"));
    m_all->setChecked(true);
    scopeLayout->addWidget(m_all);
    scopeLayout->addWidget(m_selected);
    auto* group = new QGroupBox(tr("参数"));
    auto* form = new QFormLayout(group);
    m_firstEdit = new QLineEdit;
    m_secondEdit = new QLineEdit;
    if (fire) {
        form->addRow(tr("消防点剩余水压 R (m)："), m_firstEdit);
        form->addRow(tr("其他节点最低水压 S (m)："), m_secondEdit);
    } else {
        form->addRow(tr("事故流量系数 (0~1)："), m_firstEdit);
        form->addRow(tr("最低自由水压 H (m)："), m_secondEdit);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("开始"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("放弃"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CSweepParamsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addWidget(scope);
    top->addWidget(group);
    top->addWidget(buttons);
}

void CSweepParamsDlg::SetValues(double first, double second, int selected)
{
    m_firstEdit->setText(QString::fromStdString(PropertyNumber::Plain(first)));
    m_secondEdit->setText(QString::fromStdString(PropertyNumber::Plain(second)));
    m_selected->setEnabled(selected > 0);
    if (selected > 0)
        m_selected->setText(m_selected->text() + QStringLiteral(" (%1)").arg(selected));
    else
        m_all->setChecked(true);
}

bool CSweepParamsDlg::SelectedOnly() const
{
    return m_selected->isChecked();
}

bool CSweepParamsDlg::Read(QLineEdit* edit, const QString& field, double high, double& value)
{
    if (PropertyNumber::Parse(edit->text().toStdString(), value) && value >= 0.0 && value <= high)
        return true;
    m_prompt.Warn(tr("%1必须是 0 到 %2 之间的数。").arg(field).arg(high).toStdString());
    edit->setFocus();
    edit->selectAll();
    return false;
}

void CSweepParamsDlg::accept()
{
    double first = 0.0, second = 0.0;
    if (m_kind == FireFlow) {
        if (!Read(m_firstEdit, tr("剩余水压 R"), 1e4, first) || !Read(m_secondEdit, tr("最低水压 S"), 1e4, second))
            return;
    } else if (!Read(m_firstEdit, tr("事故流量系数"), 1.0, first) ||
               !Read(m_secondEdit, tr("最低自由水压 H"), 1e4, second)) {
        return;
    }
    m_first = first;
    m_second = second;
    QDialog::accept();
}
