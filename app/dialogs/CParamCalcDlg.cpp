#include "CParamCalcDlg.h"
#include "text/CCoreText.h"

#include "hydraulics/ZParamCalculator.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CParamCalcDlg::CParamCalcDlg(const UnitSystem& units, bool hasSelection, ApplyFn apply, QWidget* parent)
    : QDialog(parent), m_units(units), m_applyFn(std::move(apply))
{
    setWindowTitle(tr("参数计算器"));
    setObjectName(QStringLiteral("paramCalcDlg10051"));
    m_param = new QComboBox;
    for (int p = 0; p < ZParamCalculator::ParamCount(); ++p)
        m_param->addItem(CCoreText::Tr(QString::fromUtf8(ZParamCalculator::ParamText(p))));
    m_op = new QComboBox;
    for (int o = 0; o < ZParamCalculator::OpCount; ++o)
        m_op->addItem(QString::fromUtf8(ZParamCalculator::OpText(o)));
    m_amount = new QLineEdit;
    auto* form = new QFormLayout;
    form->addRow(tr("要改变的参数："), m_param);
    form->addRow(tr("计算符号："), m_op);
    form->addRow(tr("改变量："), m_amount);
    auto* range = new QGroupBox(tr("应用范围"));
    auto* rl = new QHBoxLayout(range);
    m_whole = new QRadioButton(tr("整个管网"));
    m_selected = new QRadioButton(tr("选中管网"));
    m_whole->setChecked(true);
    m_selected->setEnabled(hasSelection);
    rl->addWidget(m_whole);
    rl->addWidget(m_selected);
    m_expression = new QLabel;
    m_preview = new QLabel;
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_preview->setMinimumWidth(260);
    m_apply = new QPushButton(tr("应用"));
    auto* quit = new QPushButton(tr("退出"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(quit);
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(range);
    top->addWidget(m_expression);
    top->addWidget(m_preview);
    top->addLayout(buttons);
    connect(m_param, &QComboBox::currentIndexChanged, this, &CParamCalcDlg::UpdateLabels);
    connect(m_op, &QComboBox::currentIndexChanged, this, &CParamCalcDlg::UpdateLabels);
    connect(m_amount, &QLineEdit::textChanged, this, &CParamCalcDlg::UpdateLabels);
    connect(m_apply, &QPushButton::clicked, this, &CParamCalcDlg::Apply);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    UpdateLabels();
}

void CParamCalcDlg::UpdateLabels()
{
    m_expression->setText(CCoreText::Tr(ZParamCalculator::ExpressionLabel(m_param->currentIndex(), m_units)));
    // "节点用水量=节点用水量+0": the parameter's name in the interface's language.
    QString preview = QString::fromStdString(
        ZParamCalculator::Preview(m_param->currentIndex(), m_op->currentIndex(), m_amount->text().toStdString()));
    if (m_param->currentIndex() >= 0) {
        const QString name = QString::fromUtf8(ZParamCalculator::ParamText(m_param->currentIndex()));
        preview.replace(name, CCoreText::Tr(name));
    }
    m_preview->setText(preview);
}

void CParamCalcDlg::Apply()
{
    if (!m_applyFn)
        return;
    Request r{m_param->currentIndex(), m_op->currentIndex(), m_amount->text().trimmed().toStdString(),
              m_selected->isChecked() ? ZParamCalculator::Selection : ZParamCalculator::WholeNetwork};
    if (!m_applyFn(r)) {
        m_amount->setFocus();
        m_amount->selectAll();
    }
}
