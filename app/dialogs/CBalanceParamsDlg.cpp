#include "CBalanceParamsDlg.h"
#include "views/UiPrompt.h"
#include "ui_CBalanceParamsDlg.h"

#include "hydraulics/ZBalanceRun.h"

#include <QPushButton>

CBalanceParamsDlg::CBalanceParamsDlg(UiPrompt& prompt, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CBalanceParamsDlg>()), m_prompt(prompt)
{
    m_ui->setupUi(this);
    m_ui->caseCombo->addItems(QStringLiteral("最高时\n消防时\n事故时").split(QLatin1Char('\n')));
    for (int k = 0; k <= ZBalanceRun::MaxPrecision; ++k)
        m_ui->precisionCombo->addItem(k == 0 ? QStringLiteral("0") : QStringLiteral("0.") + QString(k, u'0'));
    m_ui->buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("开始"));
    m_ui->buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("放弃"));
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &CBalanceParamsDlg::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->caseCombo, &QComboBox::currentIndexChanged, this, &CBalanceParamsDlg::UpdateFactorEnabling);
    SetValues(0, 0.75, 0.001);
}

CBalanceParamsDlg::~CBalanceParamsDlg() = default;

void CBalanceParamsDlg::SetValues(int calcCase, double accidentFactor, double headTolerance)
{
    m_case = (calcCase >= 0 && calcCase <= 2) ? calcCase : 0;
    m_factor = accidentFactor;
    m_precision = ZBalanceRun::PrecisionIndex(headTolerance);
    m_ui->caseCombo->setCurrentIndex(m_case);
    m_ui->factorEdit->setText(QString::number(m_factor, 'g', 15));
    m_ui->precisionCombo->setCurrentIndex(m_precision);
    UpdateFactorEnabling();
}

void CBalanceParamsDlg::UpdateFactorEnabling()
{
    m_ui->factorEdit->setEnabled(m_ui->caseCombo->currentIndex() == 2);
}

void CBalanceParamsDlg::accept()
{
    bool ok = false;
    const double factor = m_ui->factorEdit->text().trimmed().toDouble(&ok);
    if (!ok) {
        m_prompt.Warn("请输入一个数。");
        m_ui->factorEdit->setFocus();
        m_ui->factorEdit->selectAll();
        return;
    }
    if (!ZBalanceRun::IsValidAccidentFactor(factor)) {
        m_prompt.Warn("请输入一个介于0.0和1.0之间的数。");
        m_ui->factorEdit->setFocus();
        m_ui->factorEdit->selectAll();
        return;
    }
    m_case = m_ui->caseCombo->currentIndex();
    m_factor = factor;
    m_precision = m_ui->precisionCombo->currentIndex();
    QDialog::accept();
}
