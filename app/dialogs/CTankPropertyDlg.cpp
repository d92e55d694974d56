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
                   tr("模板水池属性\n水池属性"), parent)
{
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);

    QFormLayout* basic = nullptr;
    top->addWidget(Group(tr("水池"), basic));
    AddIdRow(basic);
    AddFieldRows(basic, 0);

    QFormLayout* data = nullptr;
    top->addWidget(Group(tr("水池参数"), data));
    AddFieldRows(data, 1);

    auto* notes = new QFormLayout;
    auto* note = new QLineEdit;
    note->setObjectName(QStringLiteral("Description"));
    notes->addRow(tr("描述文字:"), note);
    top->addLayout(notes);
    top->addWidget(Buttons());
    ShowForm();
}
