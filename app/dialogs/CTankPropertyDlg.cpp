#include "CTankPropertyDlg.h"
#include "TankPropertyForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

CTankPropertyDlg::CTankPropertyDlg(PropertyForm::Mode mode, std::vector<ZNetObject*> tanks, const UnitSystem& units,
                                   UiPrompt& prompt, QWidget* parent)
    : CPropertyDlg(std::make_unique<TankPropertyForm>(mode, std::move(tanks), units), prompt,
                   QStringLiteral("模板水池属性\n水池属性"), parent)
{
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);

    QFormLayout* basic = nullptr;
    top->addWidget(Group(QStringLiteral("水池"), basic));
    AddIdRow(basic, QStringLiteral("水池编号:"));
    AddShownRow(basic, QStringLiteral("出口节点:"), "Outlet");
    AddChoiceRow(basic, QStringLiteral("水池类型:"), "TankType", QStringLiteral("蓄水池\n水塔"));

    QFormLayout* data = nullptr;
    top->addWidget(Group(QStringLiteral("水池参数"), data));
    AddNumberRow(data, QStringLiteral("水池面积:"), "TankArea", QStringLiteral("m²"));
    AddNumberRow(data, QStringLiteral("最低水位:"), "TankMinHead", QStringLiteral("m"));
    AddNumberRow(data, QStringLiteral("最高水位:"), "TankMaxHead", QStringLiteral("m"));
    AddNumberRow(data, QStringLiteral("当前水位:"), "TankCurH", QStringLiteral("m"));
    AddNumberRow(data, QStringLiteral("池底标高:"), "TankBottomElev", QStringLiteral("m"));
    AddNumberRow(data, QStringLiteral("出水量:"), "Flow");

    auto* notes = new QFormLayout;
    auto* note = new QLineEdit;
    note->setObjectName(QStringLiteral("Description"));
    notes->addRow(QStringLiteral("描述文字:"), note);
    top->addLayout(notes);
    top->addWidget(Buttons());
    ShowForm();
}
