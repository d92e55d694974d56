#include "CPumpPropertyDlg.h"
#include "PumpPropertyForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CPumpPropertyDlg::CPumpPropertyDlg(PropertyForm::Mode mode, std::vector<ZNetObject*> pumps, const UnitSystem& units,
                                   UiPrompt& prompt, QWidget* parent)
    : CPropertyDlg(std::make_unique<PumpPropertyForm>(mode, std::move(pumps), units), prompt,
                   QStringLiteral("模板水泵属性\n水泵属性"), parent)
{
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);

    QFormLayout* basic = nullptr;
    top->addWidget(Group(QStringLiteral("水泵"), basic));
    AddIdRow(basic, QStringLiteral("水泵编号:"));
    AddNoteRow(basic, QStringLiteral("水泵名称:"), "PumpName");
    AddChoiceRow(basic, QStringLiteral("水泵类型:"), "PumpType", QStringLiteral("卧式离心泵"));
    AddDeviceEndRows(basic, mode);

    QFormLayout* data = nullptr;
    top->addWidget(Group(QStringLiteral("水泵参数"), data));
    AddNumberRow(data, QStringLiteral("额定转速:"), "PumpRatedRotV", QStringLiteral("r/min"));
    AddNumberRow(data, QStringLiteral("操作转速:"), "PumpOperatedRotV", QStringLiteral("r/min"));
    AddNumberRow(data, QStringLiteral("阻力系数:"), "PumpSCoef");
    AddNumberRow(data, QStringLiteral("静态扬程:"), "PumpStaticH");
    AddNumberRow(data, QStringLiteral("气蚀余量:"), "PumpVacuum");
    AddNumberRow(data, QStringLiteral("效    率:"), "PumpEfficiency");
    data->addRow(AddFlag(QStringLiteral("计算时是否开启水泵"), "PumpOpen"));

    auto* notes = new QFormLayout;
    auto* note = new QLineEdit;
    note->setObjectName(QStringLiteral("Description"));
    notes->addRow(QStringLiteral("描述文字:"), note);
    top->addLayout(notes);
    top->addWidget(Buttons());
    ShowForm();
}
