#include "CNodePropertyDlg.h"
#include "NodePropertyForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

CNodePropertyDlg::CNodePropertyDlg(PropertyForm::Mode mode, std::vector<ZNetObject*> nodes, const UnitSystem& units,
                                   UiPrompt& prompt, QWidget* parent)
    : CPropertyDlg(std::make_unique<NodePropertyForm>(mode, std::move(nodes), units), prompt,
                   tr("确认建立新节点\n模板节点属性\n节点属性"), parent)
{
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);

    QFormLayout* basic = nullptr;
    top->addWidget(Group(tr("节点基本数据"), basic));
    AddIdRow(basic, PropertyForm::MaxNodeIdChars);
    AddNoteRow(basic, tr("节点名称:"), "NodeName");
    AddFieldRows(basic, 0);

    m_details = new QWidget;
    auto* details = new QVBoxLayout(m_details);
    details->setContentsMargins(0, 0, 0, 0);
    QFormLayout* water = nullptr;
    details->addWidget(Group(tr("水量与水压"), water));
    AddFieldRows(water, 1);
    QFormLayout* notes = nullptr;
    details->addWidget(Group(tr("其它"), notes));
    auto* text = new QLineEdit;
    text->setObjectName(QStringLiteral("Description"));
    text->setMinimumWidth(220);
    notes->addRow(tr("描述文字:"), text);
    top->addWidget(m_details);

    QDialogButtonBox* buttons = Buttons();
    m_detailButton = buttons->addButton(tr("详细"), QDialogButtonBox::ActionRole);
    m_detailButton->setObjectName(QStringLiteral("detailButton"));
    m_detailButton->setVisible(mode == PropertyForm::NewNodeMode);
    connect(m_detailButton, &QPushButton::clicked, this, [this]() { SetCollapsed(!m_collapsed); });
    top->addWidget(buttons);

    ShowForm();
    SetCollapsed(mode == PropertyForm::NewNodeMode);
}

void CNodePropertyDlg::SetCollapsed(bool collapsed)
{
    m_collapsed = collapsed;
    m_details->setVisible(!collapsed);
    m_detailButton->setText(collapsed ? tr("详细") : tr("简略"));
}
