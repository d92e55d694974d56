#include "CValvePropertyDlg.h"
#include "ValvePropertyForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CValvePropertyDlg::CValvePropertyDlg(PropertyForm::Mode mode, std::vector<ZNetObject*> valves, const UnitSystem& units,
                                     UiPrompt& prompt, QWidget* parent)
    : CPropertyDlg(std::make_unique<ValvePropertyForm>(mode, std::move(valves), units), prompt,
                   QStringLiteral("模板阀门属性\n阀门属性"), parent)
{
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);

    QFormLayout* basic = nullptr;
    top->addWidget(Group(QStringLiteral("阀门"), basic));
    AddIdRow(basic, QStringLiteral("阀门编号:"));
    AddDeviceEndRows(basic, mode);

    QFormLayout* data = nullptr;
    top->addWidget(Group(QStringLiteral("阀门参数"), data));
    AddChoiceRow(data, QStringLiteral("阀门类型:"), "ValveType", QStringLiteral("闸阀\n止回阀\n减压阀"));
    AddNumberRow(data, QStringLiteral("阻力系数:"), "ValveSCoef");
    AddNumberRow(data, QStringLiteral("减压量:"), "ValveHLess");
    auto* opening = new QLineEdit;
    opening->setObjectName(QStringLiteral("ValveOpening"));
    MakeShown(opening);
    opening->setFixedWidth(130);
    data->addRow(QStringLiteral("阀门开启度:"), opening);
    data->addRow(AddFlag(QStringLiteral("计算时是否开启阀门"), "ValveOpen"));

    auto* notes = new QFormLayout;
    auto* note = new QLineEdit;
    note->setObjectName(QStringLiteral("Description"));
    notes->addRow(QStringLiteral("描述文字:"), note);
    top->addLayout(notes);
    top->addWidget(Buttons());
    ShowForm();
}
