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
    AddIdRow(basic);
    AddNoteRow(basic, QStringLiteral("水泵名称:"), "PumpName");
    AddFieldRows(basic, 0);
    AddReverseRow(basic);

    QFormLayout* data = nullptr;
    top->addWidget(Group(QStringLiteral("水泵参数"), data));
    AddFieldRows(data, 1);

    auto* notes = new QFormLayout;
    auto* note = new QLineEdit;
    note->setObjectName(QStringLiteral("Description"));
    notes->addRow(QStringLiteral("描述文字:"), note);
    top->addLayout(notes);
    top->addWidget(Buttons());
    ShowForm();
}
