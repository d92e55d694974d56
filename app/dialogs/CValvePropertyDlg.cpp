#include "CValvePropertyDlg.h"
#include "CCurvePointsTable.h"
#include "ValvePropertyForm.h"

#include "model/UnitSystem.h"
#include "model/ZValveLink.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CValvePropertyDlg::CValvePropertyDlg(PropertyForm::Mode mode, std::vector<ZNetObject*> valves, const UnitSystem& units,
                                     UiPrompt& prompt, QWidget* parent)
    : CPropertyDlg(std::make_unique<ValvePropertyForm>(mode, std::move(valves), units), prompt,
                   tr("模板阀门属性\n阀门属性"), parent)
{
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);

    QFormLayout* basic = nullptr;
    top->addWidget(Group(tr("阀门"), basic));
    AddIdRow(basic);
    AddFieldRows(basic, 0);
    AddReverseRow(basic);

    QFormLayout* data = nullptr;
    top->addWidget(Group(tr("阀门参数"), data));
    AddFieldRows(data, 1);
    // Shown, not stored; it stands above the check.
    auto* opening = new QLineEdit;
    opening->setObjectName(QStringLiteral("ValveOpening"));
    MakeShown(opening);
    opening->setFixedWidth(130);
    data->insertRow(RowOf(data, Check("ValveOpen")), tr("阀门开启度:"), opening);

    m_controlBox = Group(tr("控制阀"), m_control);
    m_controlBox->setObjectName(QStringLiteral("controlGroup"));
    top->addWidget(m_controlBox);
    AddFieldRows(m_control, 2);
    const CurvePoints& points = ValveForm().Points;
    m_points =
        new CCurvePointsTable(tr("流量 (%1)").arg(points.FlowUnit()), tr("水头损失 (%1)").arg(points.HeadUnit()));
    m_points->setObjectName(QStringLiteral("ValveCurve"));
    m_control->addRow(tr("水头损失曲线:"), m_points);
    connect(Combo("ValveType"), &QComboBox::currentIndexChanged, this, &CValvePropertyDlg::TypeChosen);

    auto* notes = new QFormLayout;
    auto* note = new QLineEdit;
    note->setObjectName(QStringLiteral("Description"));
    notes->addRow(tr("描述文字:"), note);
    top->addLayout(notes);
    top->addWidget(Buttons());
    ShowForm();
}

ValvePropertyForm& CValvePropertyDlg::ValveForm()
{
    return static_cast<ValvePropertyForm&>(Form());
}

void CValvePropertyDlg::TypeChosen(int type)
{
    if (m_showing)
        return;
    ReadForm();
    ValveForm().SetValveType(type);
    ShowForm();
}

void CValvePropertyDlg::ShowForm()
{
    m_showing = true;
    CPropertyDlg::ShowForm();
    m_showing = false;
    if (!m_points)
        return;
    ValvePropertyForm& form = ValveForm();
    m_points->SetRows(form.Points.Rows);
    const int type = form.ValveType();
    const bool mixed = type < 0;
    const bool control = mixed || ValvePropertyForm::IsControl(type);
    QLineEdit* setting = Edit("ValveSetting");
    ShowRow(m_control, setting, mixed || ValvePropertyForm::HasSetting(type));
    ShowRow(m_control, Edit("ValveDiam"), control);
    ShowRow(m_control, Combo("ValveInitStatus"), control);
    ShowRow(m_control, Combo("ValveState"), control || type == ZValveLink::Check);
    ShowRow(m_control, m_points, type == ZValveLink::Gpv);
    m_controlBox->setVisible(control || type == ZValveLink::Check);
    // The setting's caption and unit follow the type.
    if (auto* label = qobject_cast<QLabel*>(m_control->labelForField(setting->parentWidget())))
        label->setText(ValvePropertyForm::SettingCaption(type) + QLatin1Char(':'));
    if (auto* unit = findChild<QLabel*>(QStringLiteral("ValveSettingUnit"))) {
        const int u = ValvePropertyForm::SettingUnit(type);
        unit->setText(u >= 0 ? QString::fromStdString(form.Units().Get(UnitSystem::Category(u)).UnitName())
                             : QString());
    }
    // Rows shown or hidden and captions changed take their sizes now, not at the next event.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void CValvePropertyDlg::ReadForm()
{
    CPropertyDlg::ReadForm();
    if (m_points)
        ValveForm().Points.Rows = m_points->Rows();
}
