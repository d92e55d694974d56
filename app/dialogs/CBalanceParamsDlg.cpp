#include "CBalanceParamsDlg.h"
#include "views/UiPrompt.h"
#include "ui_CBalanceParamsDlg.h"

#include "PropertyNumber.h"

#include "hydraulics/ZBalanceRun.h"
#include "model/UnitCategory.h"

#include <QPushButton>

CBalanceParamsDlg::CBalanceParamsDlg(UiPrompt& prompt, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CBalanceParamsDlg>()), m_prompt(prompt)
{
    m_ui->setupUi(this);
    m_ui->caseCombo->addItems(tr("最高时\n消防时\n事故时").split(QLatin1Char('\n')));
    for (int k = 0; k <= ZBalanceRun::MaxPrecision; ++k)
        m_ui->precisionCombo->addItem(k == 0 ? QStringLiteral("0") : QStringLiteral("0.") + QString(k, u'0'));
    m_ui->buttons->button(QDialogButtonBox::Ok)->setText(tr("开始"));
    m_ui->buttons->button(QDialogButtonBox::Cancel)->setText(tr("放弃"));
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &CBalanceParamsDlg::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->caseCombo, &QComboBox::currentIndexChanged, this, &CBalanceParamsDlg::UpdateFactorEnabling);
    m_ui->demandModelCombo->addItems({tr("按需供水"), tr("按压力供水")});
    connect(m_ui->demandModelCombo, &QComboBox::currentIndexChanged, this, &CBalanceParamsDlg::UpdatePressureEnabling);
    SetValues(0, 0.75, 0.001);
    SetOptions(ZBalanceParams::ForNewNetwork(), UnitCategory(2, 2, {"m"}, {1.0}, 0, 2));
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

void CBalanceParamsDlg::SetOptions(const ZBalanceParams& params, const UnitCategory& head)
{
    m_options = params;
    m_headFactor = head.Factor();
    const QString unit = QString::fromStdString(head.UnitName());
    m_ui->minPressureLabel->setText(tr("最低压力 P0 (%1)：").arg(unit));
    m_ui->requiredPressureLabel->setText(tr("所需压力 PR (%1)：").arg(unit));
    m_ui->checkValvesClose->setChecked(params.CheckValvesClose);
    m_ui->demandModelCombo->setCurrentIndex(params.DemandModel == ZBalanceParams::PressureDriven ? 1 : 0);
    const auto plain = [](double v) { return QString::fromStdString(PropertyNumber::Plain(v)); };
    m_ui->minPressureEdit->setText(plain(head.ToDisplay(params.MinPressure)));
    m_ui->requiredPressureEdit->setText(plain(head.ToDisplay(params.RequiredPressure)));
    m_ui->exponentEdit->setText(plain(params.PressureExponent));
    UpdatePressureEnabling();
}

ZBalanceParams CBalanceParamsDlg::Options(ZBalanceParams params) const
{
    params.CheckValvesClose = m_options.CheckValvesClose;
    params.DemandModel = m_options.DemandModel;
    params.MinPressure = m_options.MinPressure;
    params.RequiredPressure = m_options.RequiredPressure;
    params.PressureExponent = m_options.PressureExponent;
    return params;
}

void CBalanceParamsDlg::UpdatePressureEnabling()
{
    const bool pressure = m_ui->demandModelCombo->currentIndex() == 1;
    m_ui->minPressureEdit->setEnabled(pressure);
    m_ui->requiredPressureEdit->setEnabled(pressure);
    m_ui->exponentEdit->setEnabled(pressure);
}

bool CBalanceParamsDlg::ReadNumber(QLineEdit* edit, double& value)
{
    if (PropertyNumber::Parse(edit->text().toStdString(), value))
        return true;
    m_prompt.Warn(tr("请输入一个数。").toStdString());
    edit->setFocus();
    edit->selectAll();
    return false;
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
        m_prompt.Warn(tr("请输入一个数。").toStdString());
        m_ui->factorEdit->setFocus();
        m_ui->factorEdit->selectAll();
        return;
    }
    if (!ZBalanceRun::IsValidAccidentFactor(factor)) {
        m_prompt.Warn(tr("请输入一个介于0.0和1.0之间的数。").toStdString());
        m_ui->factorEdit->setFocus();
        m_ui->factorEdit->selectAll();
        return;
    }
    ZBalanceParams options = m_options;
    options.CheckValvesClose = m_ui->checkValvesClose->isChecked();
    options.DemandModel =
        m_ui->demandModelCombo->currentIndex() == 1 ? ZBalanceParams::PressureDriven : ZBalanceParams::DemandDriven;
    // The pressures matter only to pressure-driven demand; otherwise they keep what is stored.
    if (options.DemandModel == ZBalanceParams::PressureDriven) {
        double p0 = 0, pr = 0, e = 0;
        if (!ReadNumber(m_ui->minPressureEdit, p0) || !ReadNumber(m_ui->requiredPressureEdit, pr) ||
            !ReadNumber(m_ui->exponentEdit, e))
            return;
        if (!(p0 < pr)) {
            m_prompt.Warn(tr("最低压力 P0 必须低于所需压力 PR。").toStdString());
            m_ui->minPressureEdit->setFocus();
            m_ui->minPressureEdit->selectAll();
            return;
        }
        if (!(e > 0)) {
            m_prompt.Warn(tr("压力指数必须大于0。").toStdString());
            m_ui->exponentEdit->setFocus();
            m_ui->exponentEdit->selectAll();
            return;
        }
        options.MinPressure = p0 / m_headFactor;
        options.RequiredPressure = pr / m_headFactor;
        options.PressureExponent = e;
    }
    m_options = options;
    m_case = m_ui->caseCombo->currentIndex();
    m_factor = factor;
    m_precision = m_ui->precisionCombo->currentIndex();
    QDialog::accept();
}
