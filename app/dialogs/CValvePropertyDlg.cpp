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
    AddIdRow(basic);
    AddFieldRows(basic, 0);
    AddReverseRow(basic);

    QFormLayout* data = nullptr;
    top->addWidget(Group(QStringLiteral("阀门参数"), data));
    AddFieldRows(data, 1);
    // Shown, not stored; it stands above the check.
    auto* opening = new QLineEdit;
    opening->setObjectName(QStringLiteral("ValveOpening"));
    MakeShown(opening);
    opening->setFixedWidth(130);
    data->insertRow(RowOf(data, Check("ValveOpen")), QStringLiteral("阀门开启度:"), opening);

    auto* notes = new QFormLayout;
    auto* note = new QLineEdit;
    note->setObjectName(QStringLiteral("Description"));
    notes->addRow(QStringLiteral("描述文字:"), note);
    top->addLayout(notes);
    top->addWidget(Buttons());
    ShowForm();
}
