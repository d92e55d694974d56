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
                   QStringLiteral("确认建立新节点\n模板节点属性\n节点属性"), parent)
{
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);

    QFormLayout* basic = nullptr;
    top->addWidget(Group(QStringLiteral("节点基本数据"), basic));
    AddIdRow(basic, QStringLiteral("节点编号:"), PropertyForm::MaxNodeIdChars);
    AddNoteRow(basic, QStringLiteral("节点名称:"), "NodeName");
    AddChoiceRow(basic, QStringLiteral("节点类型:"), "NodeType", QStringLiteral("已知流量\n已知水压"));
    AddNumberRow(basic, QStringLiteral("地面标高:"), "NodeGrunElev", QStringLiteral("m"));
    AddNumberRow(basic, QStringLiteral("横坐标:"), "X", QStringLiteral("m"));
    AddNumberRow(basic, QStringLiteral("纵坐标:"), "Y", QStringLiteral("m"));

    m_details = new QWidget;
    auto* details = new QVBoxLayout(m_details);
    details->setContentsMargins(0, 0, 0, 0);
    QFormLayout* water = nullptr;
    details->addWidget(Group(QStringLiteral("水量与水压"), water));
    AddNumberRow(water, QStringLiteral("节点水量:"), "NodeFlow");
    AddNumberRow(water, QStringLiteral("绝对水压:"), "NodeHydrElev");
    AddNumberRow(water, QStringLiteral("自由水头:"), "FreeHead");
    AddNumberRow(water, QStringLiteral("消防水量:"), "NodeFireFlow");
    water->addRow(AddFlag(QStringLiteral("消防校验时设定为消防节点"), "IsFireNode"));
    QFormLayout* notes = nullptr;
    details->addWidget(Group(QStringLiteral("其它"), notes));
    auto* text = new QLineEdit;
    text->setObjectName(QStringLiteral("Description"));
    text->setMinimumWidth(220);
    notes->addRow(QStringLiteral("描述文字:"), text);
    top->addWidget(m_details);

    QDialogButtonBox* buttons = Buttons();
    m_detailButton = buttons->addButton(QStringLiteral("详细"), QDialogButtonBox::ActionRole);
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
    m_detailButton->setText(collapsed ? QStringLiteral("详细") : QStringLiteral("简略"));
}
